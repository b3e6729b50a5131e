#include "browser/doc_file_viewer.h"

#include "html/document_parser.h"
#include "platform/core/exception.h"
#include "utility/short_strings.h"

namespace brw {

namespace {

std::string UpperExtension(const std::string& name) {
  const auto at = name.find_last_of(".\\/:");
  if (at == std::string::npos || name[at] != '.') return {};
  return utl::STRUPR(std::string_view(name).substr(at));
}

std::string CutShort(std::string text) {
  if (text.size() > utl::kShortStringMax) text.resize(utl::kShortStringMax);
  return text;
}

}  // namespace

tDocFileViewer::tDocFileViewer(cl::TComponent* owner) : TDocViewer(owner) {
  Parser = ParseDocument;
  OnHotSpotClick = [this](cl::TObject* sender, const std::string& url, bool& handled) {
    handled = false;
    if (OnHotSpotTargetClick) OnHotSpotTargetClick(sender, Target(), url, handled);
  };
}

void tDocFileViewer::LoadFromFile(const std::string& fileName) {
  std::string name = fileName;
  if (const auto hash = name.find('#'); hash != std::string::npos) name.erase(hash);
  const std::string ext = UpperExtension(name);
  if (ext == ".TXT") {
    LoadTextFile(fileName);
  } else if (ext == ".GIF" || ext == ".JPG" || ext == ".JPEG" || ext == ".PNG" || ext == ".BMP") {
    LoadImageFile(fileName);
  } else {
    TDocViewer::LoadFromFile(fileName);
  }
  hasDocument_ = !TDocViewer::CurrentFile().empty();
}

std::string tDocFileViewer::CurrentFile() const { return hasDocument_ ? TDocViewer::CurrentFile() : std::string(); }

void tDocFileViewer::Clear() {
  if (Processing()) return;
  TDocViewer::Clear();
  hasDocument_ = false;
}

void tDocFileViewer::FollowLink() {
  TDocViewer::FollowLink();
  hasDocument_ = !TDocViewer::CurrentFile().empty();
}

void tDocFileViewer::Reload() {
  if (CurrentFile().empty() || Processing()) return;
  const std::string file = CurrentFile();
  const int32_t position = Position();
  switch (FileType()) {
    case ftText: LoadTextFile(file); break;
    case ftImage: LoadImageFile(file); break;
    case ftHTML: TDocViewer::LoadFromFile(file); break;
  }
  TDocViewer::SetPosition(position);
}

TDocViewer* tDocFileViewer::ActiveViewer() { return CurrentFile().empty() ? nullptr : this; }

std::string tDocFileViewer::GetDocumentName() {
  TDocViewer* const active = ActiveViewer();
  return CutShort(active != nullptr ? active->CurrentFile() : CurrentFile());
}

int32_t tDocFileViewer::GetPosition() {
  TDocViewer* const active = ActiveViewer();
  return active != nullptr ? active->Position() : 0;
}

void tDocFileViewer::SetPosition(int32_t position) {
  if (TDocViewer* const active = ActiveViewer()) active->TDocViewer::SetPosition(position);
}

void tDocFileViewer::Print(int32_t, int32_t) { throw cl::Exception("Printing is not available"); }

}  // namespace brw
