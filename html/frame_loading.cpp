#include <algorithm>
#include <exception>

#include "html/doc_viewer.h"
#include "html/frame.h"
#include "html/frame_error_document.h"
#include "html/frame_parse.h"
#include "html/frame_set.h"
#include "html/frame_source.h"
#include "platform/gui/handler_guard.h"
#include "utility/path_names.h"

namespace {

// Counts a running load for the depth limit, also when it fails.
class TLoadDepth {
 public:
  explicit TLoadDepth(TFrameSet& set) : set_(set) { ++set_.LoadDepth; }
  ~TLoadDepth() { --set_.LoadDepth; }
  TLoadDepth(const TLoadDepth&) = delete;
  TLoadDepth& operator=(const TLoadDepth&) = delete;

 private:
  TFrameSet& set_;
};

bool IsFrameSetFile(const std::string& name) {
  return !IsImageFileName(name) && !IsTextFileName(name) && IsFrameDocument(TDocumentSource::File(name), {});
}

void ParseAndLoad(TSubFrameSet& set, const std::string& fileName) {
  TFrameDocumentInfo info;
  FrameParse(TDocumentSource::File(fileName), set, {}, fileName, info);
  set.LoadFiles();
  bool first = false;
  bool last = false;
  set.CheckNoResize(first, last);
}

}  // namespace

void TFrame::CreateViewer() {
  auto made = std::make_unique<TDocViewer>(this);
  viewer_ = made.get();
  InsertComponent(std::move(made));
  viewer_->Hide();
  viewer_->SetParent(this);
  viewer_->SetAlign(cl::alClient);
  viewer_->SendToBack();
  viewer_->Show();
  if (ownerSet_.FrameBorder == 0) viewer_->SetBorderStyle(htNone);
  if (NoScrollBars) viewer_->SetScrollBars(cl::ssNone);
  viewer_->SetMarginWidth(MarginX);
  viewer_->SetMarginHeight(MarginY);
  viewer_->FrameOwner = this;
  viewer_->SetTabStop(true);
  if (topSet_ != nullptr) {
    // Unset, the viewer keeps its own parse step.
    if (topSet_->DocumentParser) viewer_->Parser = topSet_->DocumentParser;
    viewer_->SetServerRoot(topSet_->ServerRoot);
    TFrameSet* const top = topSet_;
    TDocViewer* const viewer = viewer_;
    viewer_->OnEnter = [top, viewer](cl::TObject*) { top->FocusedViewer = viewer; };
    topSet_->AllViewers.push_back(viewer_);
  }
}

void TFrame::DropNestedSet() {
  if (nestedSet_ == nullptr) return;
  TSubFrameSet* const nested = nestedSet_;
  nestedSet_ = nullptr;
  nested->LeaveTree();
  cl::Release(nested);
}

void TFrame::ShowErrorDocument(const std::string& name) {
  if (viewer_ == nullptr) CreateViewer();
  const std::string document = FrameErrorDocument(name);
  try {
    viewer_->LoadFromBuffer(document.data(), static_cast<std::int32_t>(document.size()));
  } catch (const std::exception&) {
    // Nothing more to show: the frame stays an empty viewer.
  }
}

void TFrame::LoadFiles() {
  IsUnloaded = false;
  if (topSet_ == nullptr || SourceFile.empty() || topSet_->LoadDepth >= TFrameSet::MaxLoadDepth) return;
  TFrameSet& top = *topSet_;
  const std::string name = SourceFile;
  const TLoadDepth depth(top);
  try {
    if (IsFrameSetFile(name)) {
      auto* nested = cl::Make<TSubFrameSet>(*this, &top);
      nested->Hide();
      SetNestedSet(nested);
      nested->SendToBack();
      nested->Show();
      ParseAndLoad(*nested, name);
      nested->CalcSizes(0, 0, nested->ClientWidth(), nested->ClientHeight());
      nested->PlaceChildren();
    } else {
      if (viewer_ == nullptr) CreateViewer();
      viewer_->SetBase(ownerSet_.SetBase);
      if (IsImageFileName(name)) viewer_->LoadImageFile(name);
      else if (IsTextFileName(name)) viewer_->LoadTextFile(name);
      else viewer_->LoadFromFile(name + Anchor);
    }
  } catch (const std::exception&) {
    DropNestedSet();
    ShowErrorDocument(name);
  }
}

void TFrameSet::LoadFromFile(const std::string& fileName, const std::string& anchor) {
  Clear();
  cl::FreeReleased();
  LoadDepth = 0;
  SetFile = utl::FEXPAND(fileName);
  if (IsFrameSetFile(SetFile)) {
    ParseAndLoad(*this, SetFile);
  } else {
    AddFrame(TAttributeList(), SetFile, TFrameDocumentInfo{});
    auto& frame = dynamic_cast<TFrame&>(*Children().back());
    frame.SourceFile = SetFile;
    frame.Anchor = anchor;
    EndFrameSet(TFrameDocumentInfo{});
    frame.LoadFiles();
    if (TDocViewer* viewer = frame.Viewer()) {
      SetTitle = viewer->DocumentTitle();
      SetBaseTarget = viewer->BaseTarget();
    }
  }
  UpdateFrameList();
  CheckResize();
}

TDocViewer* TFrameSet::ActiveViewer() const {
  return AllViewers.size() == 1 ? AllViewers.front() : FocusedViewer;
}

void TFrameSet::RemoveViewer(const TDocViewer& viewer) {
  std::erase(AllViewers, &viewer);
  if (FocusedViewer == &viewer) FocusedViewer = nullptr;
}
