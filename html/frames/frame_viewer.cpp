#include "html/frames/frame_viewer.h"

#include <algorithm>

#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/document/html_common.h"
#include "html/frames/meta_refresh.h"
#include "html/document/url_path.h"
#include "platform/core/ansi_case.h"
#include "platform/core/in_out_error.h"
#include "platform/gui/colors.h"
#include "platform/gui/handler_guard.h"
#include "utility/path_names.h"
#include "utility/same_text.h"

namespace html {

// Marks the frame viewer as loading for a scope, also when the load raises.
class TFrameSetViewer::TLoadingBracket {
 public:
  explicit TLoadingBracket(TFrameSetViewer& viewer) : viewer_(viewer), was_(viewer.loadingFlag_) {
    viewer_.SetProcessing(true, viewer_.viewersBusyFlag_);
  }
  ~TLoadingBracket() { viewer_.SetProcessing(was_, viewer_.viewersBusyFlag_); }
  TLoadingBracket(const TLoadingBracket&) = delete;
  TLoadingBracket& operator=(const TLoadingBracket&) = delete;

 private:
  TFrameSetViewer& viewer_;
  bool was_;
};

TFrameSetViewer::TFrameSetViewer(cl::TComponent* owner)
    : cl::TWinControl(owner),
      TViewerDefaultsProperties({cl::clBtnFace, cl::clBtnText, 0xFF0000, 12, "Times New Roman", "Courier New"}) {
  SetBounds(0, 0, 150, 150);
  SetTabStop(false);
  SetColor(defaults_.Background);
  currentSet_ = NewFrameSet();
  // The empty set shows the background until a document comes, and stays
  // when the first load fails.
  currentSet_->Show();
}

void TFrameSetViewer::Paint() { Canvas().FillRect(ClientRect(), Color()); }

TFrameSetViewer::~TFrameSetViewer() {
  // The sets reach back into this viewer while their viewers go.
  busyViewers_.clear();
  DestroyComponents();
}

std::optional<TDocumentSource> TFrameSetViewer::RequestDocument(const std::string& name,
                                                                TFrameSet& sender) const {
  if (OnStringsRequest) {
    cl::TStrings* strings = nullptr;
    OnStringsRequest(&sender, name, strings);
    if (strings != nullptr) return TDocumentSource::FromStrings(*strings);
  } else if (OnStreamRequest) {
    cl::TStream* stream = nullptr;
    OnStreamRequest(&sender, name, stream);
    if (stream != nullptr) return TDocumentSource::FromStream(*stream);
  } else if (OnBufferRequest) {
    const char* buffer = nullptr;
    int32_t size = 0;
    OnBufferRequest(&sender, name, buffer, size);
    if (buffer != nullptr && size > 0) return TDocumentSource::FromBuffer(buffer, size);
  } else if (OnFileRequest) {
    std::string newName;
    OnFileRequest(&sender, name, newName);
    if (!newName.empty()) return TDocumentSource::File(newName);
  }
  return std::nullopt;
}

TFrameSet* TFrameSetViewer::NewFrameSet() {
  auto* set = cl::Make<TFrameSet>(*this);
  set->OwnerViewer = this;
  set->DocumentParser = DocumentParser;
  set->ServerRoot = serverRoot_;
  set->HasRequestEvents = HasRequestEvents();
  set->SetBevelOuter(cl::bvLowered);
  set->SetBevelWidth(2);
  set->Hide();
  set->SetParent(this);
  set->SetAlign(cl::alClient);
  return set;
}

// ------------------------------------------------------------ processing

void TFrameSetViewer::SetProcessing(bool loading, bool busy) {
  const bool was = IsProcessing();
  loadingFlag_ = loading;
  viewersBusyFlag_ = busy;
  if (IsProcessing() != was && OnProcessing) OnProcessing(this, IsProcessing());
}

void TFrameSetViewer::ViewerBusy(TDocViewer& viewer, bool busy) {
  const auto found = std::find(busyViewers_.begin(), busyViewers_.end(), &viewer);
  if (busy && found == busyViewers_.end()) busyViewers_.push_back(&viewer);
  if (!busy && found != busyViewers_.end()) busyViewers_.erase(found);
  SetProcessing(loadingFlag_, !busyViewers_.empty());
}

void TFrameSetViewer::ViewerGone(const TDocViewer& viewer) {
  std::erase(busyViewers_, &viewer);
  SetProcessing(loadingFlag_, !busyViewers_.empty());
}

void TFrameSetViewer::RunLoading(const std::function<void()>& load) {
  const TLoadingBracket loading(*this);
  load();
}

void TFrameSetViewer::StopSound() {
  if (OnSoundRequest) OnSoundRequest(this, std::string(), 0, true);
}

// ------------------------------------------------------------ loading

void TFrameSetViewer::LoadFromFile(const std::string& name) {
  if (IsProcessing()) return;
  const std::string file = SplitAnchor(name).File;
  if (!DocumentFileExists(file)) throw cl::EInOutError("Can't locate file: " + file, 2);
  LoadFromFileInternal(name);
}

void TFrameSetViewer::LoadFromFileInternal(const std::string& name) {
  const TLoadingBracket loading(*this);
  const TSplitLink link = SplitAnchor(name);
  busyViewers_.clear();
  viewersBusyFlag_ = false;
  StopSound();
  currentSet_->HasRequestEvents = HasRequestEvents();
  // Names the application supplies documents for stay as given.
  const std::string expanded = link.File.empty()     ? currentSet_->SetFile
                               : HasRequestEvents() ? link.File
                                                    : utl::FEXPAND(link.File);
  // A followed link is checked here, as a file the application opens is.
  if (!HasRequestEvents() && !DocumentFileExists(expanded))
    throw cl::EInOutError("Can't locate file: " + expanded, 2);
  if (!currentSet_->SetFile.empty() && SameFileName(expanded, currentSet_->SetFile)) {
    const int32_t oldPos = currentSet_->AllViewers.size() == 1 ? currentSet_->AllViewers.front()->Position() : 0;
    currentSet_->LoadFromFile(expanded, link.Anchor);
    BumpHistory2(oldPos);
    return;
  }
  TFrameSet* const fresh = NewFrameSet();
  fresh->SendToBack();
  fresh->Show();
  try {
    fresh->LoadFromFile(expanded, link.Anchor);
  } catch (...) {
    fresh->Clear();
    fresh->OwnerViewer = nullptr;
    cl::Release(fresh);
    throw;
  }
  TFrameSet* const old = currentSet_;
  const int32_t oldPos = old->AllViewers.size() == 1 ? old->AllViewers.front()->Position() : 0;
  old->UnloadFiles();
  currentSet_ = fresh;
  SetRedraw(false);
  fresh->BringToFront();
  SetRedraw(true);
  fresh->Repaint();
  old->Hide();
  BumpHistory(old, oldPos);
}

void TFrameSetViewer::Reload() {
  const TLoadingBracket loading(*this);
  busyViewers_.clear();
  viewersBusyFlag_ = false;
  currentSet_->UnloadFiles();
  currentSet_->ReloadFiles(-1);
}

void TFrameSetViewer::Clear() {
  if (IsProcessing()) return;
  while (HistoryFiles.Count() > 0) DeleteHistoryEntry(HistoryFiles.Count() - 1);
  HistoryPlace = 0;
  currentSet_->Clear();
  currentSet_->SetBevelOuter(cl::bvLowered);
  currentSet_->SetBevelWidth(2);
  clickedUrl_.clear();
  clickedTarget_.clear();
  if (OnHistoryChange) OnHistoryChange(this);
}

// ------------------------------------------------------------ links

namespace {

// The frame whose document holds the frame set of frame: framesets nested in
// one document lie between them. Null when that document is the top one.
TFrame* EnclosingFrame(const TFrame& frame) {
  for (cl::TComponent* owner = frame.OwnerSet().Owner(); owner != nullptr; owner = owner->Owner()) {
    if (auto* enclosing = dynamic_cast<TFrame*>(owner)) return enclosing;
    if (dynamic_cast<TFrameSet*>(owner) != nullptr) return nullptr;
  }
  return nullptr;
}

}  // namespace

std::string TFrameSetViewer::ActiveLinkTarget(TDocViewer& viewer) const {
  if (!viewer.Target().empty()) return viewer.Target();
  if (!viewer.BaseTarget().empty()) return viewer.BaseTarget();
  if (auto* frame = dynamic_cast<TFrame*>(viewer.FrameOwner)) return frame->OwnerSet().SetBaseTarget;
  return std::string();
}

void TFrameSetViewer::ViewerHotSpotClick(TDocViewer& viewer, const std::string& url, bool& handled) {
  if (IsProcessing()) {
    handled = true;
    return;
  }
  clickedUrl_ = url;
  clickedTarget_ = ActiveLinkTarget(viewer);
  handled = false;
  if (OnHotSpotTargetClick) OnHotSpotTargetClick(this, clickedTarget_, clickedUrl_, handled);
  if (handled) return;
  handled = true;

  auto* const clickedFrame = dynamic_cast<TFrame*>(viewer.FrameOwner);
  TFrame* frame = nullptr;
  TSubFrameSet* set = nullptr;
  const std::string& target = clickedTarget_;
  if (target.empty() || utl::SameText(target, "_self")) {
    frame = clickedFrame;
    if (frame == nullptr) return;
  } else if (TFrame* named = currentSet_->FindFrame(target)) {
    frame = named;
  } else if (utl::SameText(target, "_top")) {
    set = currentSet_;
  } else if (utl::SameText(target, "_parent")) {
    if (clickedFrame == nullptr) return;
    frame = EnclosingFrame(*clickedFrame);
    if (frame == nullptr) set = currentSet_;
  } else {
    if (OnBlankWindowRequest) OnBlankWindowRequest(this, target, url);
    return;
  }

  TSplitLink link = SplitAnchor(url);
  if (!link.File.empty() && !currentSet_->HasRequestEvents) link.File = viewer.ExpandLinkFileName(link.File);
  const TLoadingBracket loading(*this);
  // A one-frame document that links to another file is replaced as a whole.
  if (frame != nullptr && currentSet_->AllViewers.size() == 1 && !link.File.empty() &&
      !SameFileName(link.File, currentSet_->SetFile)) {
    frame = nullptr;
    set = currentSet_;
  }
  if (frame != nullptr) {
    frame->LoadFrameFile(link.File, link.Anchor, true);
  } else if (set == currentSet_) {
    LoadFromFileInternal((link.File.empty() ? currentSet_->SetFile : link.File) + link.Anchor);
  }
}

std::string TFrameSetViewer::ActiveBase() const {
  TDocViewer* const active = ActiveViewer();
  if (active == nullptr) return std::string();
  if (!active->Base().empty()) return active->Base();
  if (auto* frame = dynamic_cast<TFrame*>(active->FrameOwner)) return frame->OwnerSet().SetBase;
  return std::string();
}

std::string TFrameSetViewer::ExpandLinkFileName(const std::string& url) {
  const std::string path = UrlToPathWithRoot(TrimBlanks(url), serverRoot_);
  const bool hasDrive = path.size() >= 2 && path[1] == ':';
  const bool unc = path.rfind("\\\\", 0) == 0;
  if (hasDrive || unc) return path;
  // A path from the root (the server root already in front) needs no base.
  if (!path.empty() && utl::IsSeparator(path[0])) return utl::FEXPAND(path);
  const std::string base = ActiveBase();
  if (utl::SameText(base, "DosPath")) return path;
  if (!base.empty()) {
    std::string directory = UrlToPath(base);
    if (!directory.empty() && !utl::IsSeparator(directory.back())) directory += '\\';
    return utl::FEXPAND(directory + path);
  }
  if (TDocViewer* active = ActiveViewer()) return active->ExpandLinkFileName(path);
  return utl::FEXPAND(utl::DIRNAME(currentSet_->SetFile) + path);
}

// ------------------------------------------------------------ the active viewer

TDocViewer* TFrameSetViewer::ActiveViewer() const { return currentSet_->ActiveViewer(); }

const std::string& TFrameSetViewer::DocumentTitle() const { return currentSet_->SetTitle; }

const std::string& TFrameSetViewer::CurrentFile() const { return currentSet_->SetFile; }

void TFrameSetViewer::SelectAll() {
  if (TDocViewer* active = ActiveViewer()) active->SelectAll();
}

int32_t TFrameSetViewer::SelLength() const {
  TDocViewer* const active = ActiveViewer();
  return active == nullptr ? 0 : active->SelLength();
}

void TFrameSetViewer::SetSelLength(int32_t length) {
  if (TDocViewer* active = ActiveViewer()) active->SetSelLength(length);
}

bool TFrameSetViewer::FindText(const std::string& s, bool matchCase) {
  TDocViewer* const active = ActiveViewer();
  return active != nullptr && active->FindText(s, matchCase);
}

void TFrameSetViewer::CopyToClipboard() {
  TDocViewer* const active = ActiveViewer();
  if (active == nullptr) return;
  // The clipboard buffer grows with the text, so any selection is copied whole.
  if (active->SelLength() <= 0) return;
  active->CopyToClipboard();
}

void TFrameSetViewer::SetFocus() {
  TDocViewer* const active = ActiveViewer();
  if (active != nullptr && active->CanFocus()) {
    try {
      active->SetFocus();
      return;
    } catch (const std::exception&) {
      // The frame viewer takes the focus itself.
    }
  }
  cl::TWinControl::SetFocus();
}

// ------------------------------------------------------------ inner viewers

template <typename F>
void TFrameSetViewer::ForEachViewer(F f) const {
  for (TDocViewer* viewer : currentSet_->AllViewers) f(*viewer);
}

void TFrameSetViewer::SetupViewer(TDocViewer& viewer, TFrame& frame) {
  if (DocumentParser) viewer.Parser = DocumentParser;
  viewer.SetDefaults(Defaults());
  viewer.SetViewImages(viewImages_);
  viewer.SetImageCacheCount(imageCacheCount_);
  viewer.SetNoSelect(noSelect_);
  viewer.SetCharSet(charSet_);
  viewer.SetOnBitmapRequest(onBitmapRequest_);
  viewer.SetOnImageRequest(onImageRequest_);
  viewer.SetOnFormSubmit(onFormSubmit_);
  viewer.OnMeta = onMeta_;
  viewer.OnRightClick = onRightClick_;
  viewer.OnMouseDown = OnMouseDown;
  viewer.OnMouseMove = OnMouseMove;
  viewer.OnMouseUp = OnMouseUp;
  viewer.OnKeyDown = OnKeyDown;
  viewer.OnKeyPress = OnKeyPress;
  viewer.OnKeyUp = OnKeyUp;
  viewer.SetCursor(viewerCursor_);
  viewer.SetHistoryMaxCount(historyMaxCount_);
  viewer.SetOnScript(onScript_);
  viewer.OnInclude = OnInclude;
  viewer.OnSoundRequest = OnSoundRequest;
  viewer.OnImageOver = onImageOver_;
  viewer.OnImageClick = onImageClick_;
  viewer.SetOnObjectClick(onObjectClick_);
  viewer.SetServerRoot(serverRoot_);
  viewer.OnHotSpotClick = [this, &viewer](cl::TObject*, const std::string& url, bool& handled) {
    ViewerHotSpotClick(viewer, url, handled);
  };
  viewer.OnHotSpotCovered = [this, &viewer](cl::TObject*, const std::string& url) {
    if (OnHotSpotTargetCovered) OnHotSpotTargetCovered(&viewer, viewer.Target(), url);
  };
  viewer.OnProcessing = [this, &viewer](cl::TObject*, bool busy) { ViewerBusy(viewer, busy); };
  if (MetaRefreshOn()) {
    viewer.OnMetaRefresh = [&frame](cl::TObject*, int delay, const std::string& url) {
      frame.ViewerMetaRefresh(delay, url);
    };
  }
}

TFrameParseHandlers TFrameSetViewer::CheckHandlers() {
  TFrameParseHandlers handlers;
  handlers.Sender = this;
  if (OnInclude) {
    handlers.Include = [this](cl::TObject* sender, const std::string& command, cl::TStrings& params) {
      std::string buffer;
      if (OnInclude) OnInclude(sender, command, &params, buffer);
      return buffer;
    };
  }
  return handlers;
}

TFrameParseHandlers TFrameSetViewer::ParseHandlers(TSubFrameSet& set) {
  TFrameParseHandlers handlers = CheckHandlers();
  handlers.MetaSender = &set;
  handlers.Meta = [this, &set](cl::TObject* sender, const std::string& httpEq, const std::string& name,
                               const std::string& content) {
    if (onMeta_) onMeta_(sender, httpEq, name, content);
    if (!MetaRefreshOn()) return;
    if (const auto refresh = ParseMetaRefresh(httpEq, content)) {
      set.RefreshSeconds = refresh->Seconds;
      set.RefreshLink = refresh->Link;
    }
  };
  if (onScript_) {
    handlers.Script = [this](cl::TObject*, const std::string& language, const std::string& script) {
      onScript_(this, language, script.c_str());
    };
  }
  if (OnSoundRequest) {
    handlers.Sound = [this](cl::TObject*, const std::string& source, int32_t loop, bool terminate) {
      OnSoundRequest(this, source, loop, terminate);
    };
  }
  return handlers;
}

// ------------------------------------------------------------ properties

void TFrameSetViewer::OfferDefault(TViewerDefault changed, const TViewerDefaults& offered) {
  const TViewerDefaults& now = defaults_;
  switch (changed) {
    case TViewerDefault::Background:
      if (offered.Background == now.Background) return;
      SetColor(offered.Background);
      break;
    case TViewerDefault::FontColor:
      if (offered.FontColor == now.FontColor) return;
      break;
    case TViewerDefault::HotSpotColor:
      if (offered.HotSpotColor == now.HotSpotColor) return;
      break;
    case TViewerDefault::FontSize:
      if (offered.FontSize == now.FontSize) return;
      break;
    case TViewerDefault::FontName:
      if (cl::AnsiCompareText(offered.FontName, now.FontName) == 0) return;
      break;
    case TViewerDefault::PreFontName:
      if (cl::AnsiCompareText(offered.PreFontName, now.PreFontName) == 0) return;
      break;
  }
  defaults_ = offered;
  ForEachViewer([&](TDocViewer& v) { v.SetDefault(changed, offered); });
}

void TFrameSetViewer::SetCharSet(uint8_t charSet) {
  if (charSet == charSet_) return;
  charSet_ = charSet;
  ForEachViewer([charSet](TDocViewer& v) { v.SetCharSet(charSet); });
}

void TFrameSetViewer::SetViewImages(bool view) {
  if (view == viewImages_ || IsProcessing()) return;
  viewImages_ = view;
  ForEachViewer([view](TDocViewer& v) { v.SetViewImages(view); });
}

void TFrameSetViewer::SetImageCacheCount(int32_t count) {
  if (count == imageCacheCount_ || IsProcessing()) return;
  imageCacheCount_ = count;
  ForEachViewer([count](TDocViewer& v) { v.SetImageCacheCount(count); });
}

void TFrameSetViewer::SetNoSelect(bool noSelect) {
  if (noSelect == noSelect_) return;
  noSelect_ = noSelect;
  ForEachViewer([noSelect](TDocViewer& v) { v.SetNoSelect(noSelect); });
}

void TFrameSetViewer::SetServerRoot(const std::string& root) {
  std::string trimmed = TrimBlanks(root);
  if (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  serverRoot_ = std::move(trimmed);
  currentSet_->ServerRoot = serverRoot_;
}

void TFrameSetViewer::SetViewerCursor(cl::TCursor cursor) {
  if (cursor == viewerCursor_) return;
  viewerCursor_ = cursor;
  currentSet_->FrameCursor = cursor;
  ForEachViewer([cursor](TDocViewer& v) { v.SetCursor(cursor); });
}

void TFrameSetViewer::SetOnFormSubmit(TFormSubmitEvent handler) {
  onFormSubmit_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.SetOnFormSubmit(onFormSubmit_); });
}

void TFrameSetViewer::SetOnBitmapRequest(TGetBitmapEvent handler) {
  onBitmapRequest_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.SetOnBitmapRequest(onBitmapRequest_); });
}

void TFrameSetViewer::SetOnImageRequest(TGetImageEvent handler) {
  onImageRequest_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.SetOnImageRequest(onImageRequest_); });
}

void TFrameSetViewer::SetOnMeta(TMetaType handler) {
  onMeta_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.OnMeta = onMeta_; });
}

void TFrameSetViewer::SetOnScript(TScriptEvent handler) {
  onScript_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.SetOnScript(onScript_); });
}

void TFrameSetViewer::SetOnImageClick(TImageClickEvent handler) {
  onImageClick_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.OnImageClick = onImageClick_; });
}

void TFrameSetViewer::SetOnImageOver(TImageOverEvent handler) {
  onImageOver_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.OnImageOver = onImageOver_; });
}

void TFrameSetViewer::SetOnObjectClick(TObjectClickEvent handler) {
  onObjectClick_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.SetOnObjectClick(onObjectClick_); });
}

void TFrameSetViewer::SetOnRightClick(TRightClickEvent handler) {
  onRightClick_ = std::move(handler);
  ForEachViewer([this](TDocViewer& v) { v.OnRightClick = onRightClick_; });
}

}  // namespace html
