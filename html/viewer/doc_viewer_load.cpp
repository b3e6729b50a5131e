#include <algorithm>

#include "html/viewer/doc_viewer.h"
#include "html/document/html_common.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/viewer/paint_panel.h"
#include "html/viewer/scroll_bar_32.h"
#include "html/document/url_path.h"
#include "platform/core/ansi_case.h"
#include "platform/core/ending_file.h"
#include "platform/core/in_out_error.h"
#include "platform/core/short_string.h"
#include "platform/gui/busy_cursor.h"
#include "utility/path_names.h"

namespace html {

namespace {

// "name#dest": the name before the first "#" and at most a short string's length after it.
std::string SplitDestination(std::string& name) {
  const auto hash = name.find('#');
  if (hash == std::string::npos) return {};
  std::string dest = name.substr(hash + 1, ShortString::MaxLength);
  name.erase(hash);
  return dest;
}

// A device (/dev/zero) would be read for ever: it counts as missing.
bool FileExists(const std::string& name) { return win::IsEndingFile(name); }

}  // namespace

void TDocViewer::LoadFromFile(const std::string& fileName) { LoadFile(fileName, ftHTML); }
void TDocViewer::LoadTextFile(const std::string& fileName) { LoadFile(fileName, ftText); }
void TDocViewer::LoadImageFile(const std::string& fileName) { LoadFile(fileName, ftImage); }

TParseRequest TDocViewer::Request(THtmlFileType kind) {
  TParseRequest request;
  request.Kind = kind;
  request.Document = sectionList_.get();
  request.NameList = &nameList_;
  request.Sender = this;
  if (kind == ftHTML) {
    request.OnScript = OnScript;
    request.OnMeta = [this](const std::string& httpEq, const std::string& name, const std::string& content) {
      HandleMetaRefresh(httpEq, name, content);
    };
    request.OnSoundRequest = OnSoundRequest;
  }
  request.OnInclude = OnInclude;
  return request;
}

TParseResult TDocViewer::Parse(TParseRequest& request) {
  if (!Parser) throw cl::Exception("No document parser");
  return Parser(request);
}

void TDocViewer::ResetForLoad() { ResetDocument(true); }

void TDocViewer::ResetDocument(bool newDocument) {
  // A submission from the document going away goes with it.
  SubmitList.reset();
  sectionList_->ClearDocument();
  // Only a load ages the cached pictures: a frame emptied on its way to the
  // next document must not count as one more.
  if (newDocument) BitmapList().NewDocumentPass();
  sectionList_->SetDefaults(defaults_.FontName, defaults_.PreFontName, defaults_.FontSize, defaults_.FontColor,
                            defaults_.HotSpotColor, defaults_.Background);
  nameList_.Clear();
  caretPos_ = 0;
  selAnchor_ = -1;
}

void TDocViewer::StopSound() {
  if (OnSoundRequest) OnSoundRequest(this, "", 0, true);
}

void TDocViewer::LoadFile(const std::string& fileName, THtmlFileType fileType) {
  if (processing_ || fileName.empty()) return;
  cl::TBusyCursor busy;
  std::string name = fileName;
  const std::string dest = SplitDestination(name);
  MetaRefreshDelay = 0;
  const std::string oldFile = currentFile_;
  const std::string oldTitle = documentTitle_;
  const int32_t oldPos = Position();
  const THtmlFileType oldType = fileType_;
  {
    const TProcessingBracket processing(*this, &busy);
    if (!FileExists(name)) throw cl::EInOutError("Can't locate file: " + name, 2);
    ResetForLoad();
    TParseRequest request = Request(fileType == ftText ? ftText : ftHTML);
    request.Source = TParseRequest::FromFile;
    std::string imageText;
    if (fileType == ftHTML) StopSound();
    if (fileType == ftImage) {
      imageText = "<IMG SRC=\"" + name.substr(0, ShortString::MaxLength) + "\">";
      request.Source = TParseRequest::FromBuffer;
      request.Buffer = imageText;
      request.OnMeta = nullptr;
      request.OnSoundRequest = nullptr;
    }
    request.FileName = name;
    TParseResult parsed;
    // The part parsed before a failure is still shown, then the failure goes on.
    auto finish = [&] {
      currentFile_ = utl::FEXPAND(name);
      fileType_ = fileType;
      FinishLoad(parsed);
      if (!dest.empty()) {
        PositionTo(dest);
      } else if (currentFile_ != oldFile) {
        ScrollToY(0);
        HScrollTo(0);
      }
      paintPanel_->Invalidate();
    };
    try {
      parsed = Parse(request);
    } catch (...) {
      finish();
      throw;
    }
    finish();
  }
  if (currentFile_ != oldFile || fileType_ != oldType) BumpHistory(oldFile, oldTitle, oldPos, oldType);
  ReportMetaRefresh();
}

void TDocViewer::ReportMetaRefresh() {
  if (MetaRefreshDelay > 0 && OnMetaRefresh) OnMetaRefresh(this, MetaRefreshDelay, MetaRefreshURL);
}

void TDocViewer::LoadFromMemory(const std::function<void(TParseRequest&)>& source, THtmlFileType fileType,
                                bool metaRefresh) {
  if (processing_) return;
  {
    const TProcessingBracket processing(*this);
    if (metaRefresh) MetaRefreshDelay = 0;
    ResetForLoad();
    TParseResult parsed;
    if (fileType != ftImage) {
      if (fileType == ftHTML) StopSound();
      TParseRequest request = Request(fileType);
      source(request);
      parsed = Parse(request);
    }
    FinishLoad(parsed);
    ScrollToY(0);
    HScrollTo(0);
    paintPanel_->Invalidate();
    currentFile_.clear();
  }
  if (metaRefresh) ReportMetaRefresh();
}

void TDocViewer::LoadFromBuffer(const char* buffer, int32_t bufSize) {
  const std::string_view text(buffer == nullptr ? "" : buffer, buffer == nullptr ? 0 : std::max(0, bufSize));
  LoadFromMemory([text](TParseRequest& request) {
    request.Source = TParseRequest::FromBuffer;
    request.Buffer = text;
  }, ftHTML, true);
}

void TDocViewer::LoadFromStream(cl::TStream& stream) {
  LoadFromMemory([&stream](TParseRequest& request) {
    request.Source = TParseRequest::FromStream;
    request.Stream = &stream;
  }, ftHTML, true);
}

void TDocViewer::LoadStrings(const cl::TStrings& strings) {
  LoadFromMemory([&strings](TParseRequest& request) {
    request.Source = TParseRequest::FromStrings;
    request.Strings = &strings;
  }, ftHTML, true);
}

void TDocViewer::LoadStringsAs(const cl::TStrings& strings, THtmlFileType fileType) {
  LoadFromMemory([&strings](TParseRequest& request) {
    request.Source = TParseRequest::FromStrings;
    request.Strings = &strings;
  }, fileType, false);
}

void TDocViewer::FinishLoad(const TParseResult& parsed) {
  documentTitle_ = parsed.Title;
  base_ = parsed.Base.empty() ? baseEx_ : parsed.Base;
  baseTarget_ = parsed.BaseTarget;
  {
    layouting_ = true;
    struct Off {
      bool& flag;
      ~Off() { flag = false; }
    } off{layouting_};
    sectionList_->BackgroundBitmap();
  }
  DoLayout();
}

void TDocViewer::Clear() {
  if (processing_) return;
  ResetDocument(false);
  base_.clear();
  baseEx_.clear();
  baseTarget_.clear();
  documentTitle_.clear();
  vScrollBar_->SetMax(0);
  vScrollBar_->Hide();
  vScrollBar_->SetHeight(PaintPanel().Height());
  hScrollBar_->Hide();
  docHeight_ = 0;
  sectionList_->SetScrollOffset(0);
  StopSound();
  Invalidate();
  paintPanel_->Invalidate();
}

void TDocViewer::HandleMetaRefresh(const std::string& httpEq, const std::string& name, const std::string& content) {
  if (OnMeta) OnMeta(this, httpEq, name, content);
  if (!OnMetaRefresh || cl::AnsiCompareText(httpEq, "refresh") != 0) return;
  const auto semicolon = content.find(';');
  if (semicolon == std::string::npos) return;
  const std::string number = TrimBlanks(content.substr(0, semicolon));
  if (number.empty() || number.find_first_not_of("+-0123456789") != std::string::npos) return;
  const int32_t delay = IntValueOf(number);
  if (delay <= 0) return;
  const std::string upper = cl::AnsiUpperCase(content);
  const auto url = upper.find("URL=");
  if (url == std::string::npos) return;
  MetaRefreshURL = content.substr(url + 4);
  MetaRefreshDelay = delay;
}

std::string TDocViewer::ExpandLinkFileName(const std::string& link) {
  const std::string s = TrimBlanks(link);
  const std::string r = UrlToPathWithRoot(s, serverRoot_);
  // A Linux absolute path is as complete as one from the root.
  if (!r.empty() && (r[0] == '\\' || r[0] == '/') && r.rfind("\\\\", 0) != 0) return utl::FEXPAND(r);
  const bool hasDrive = r.size() >= 2 && r[1] == ':';
  const bool unc = r.rfind("\\\\", 0) == 0;
  if (!hasDrive && !unc && cl::AnsiCompareText(base_, "DosPath") != 0) {
    std::string directory = base_.empty() ? utl::SplitPath(currentFile_).directory : UrlToPath(base_);
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
    return utl::FEXPAND(directory + r);
  }
  return r;
}

}  // namespace html
