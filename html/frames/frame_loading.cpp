#include <exception>
#include <memory>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_error_document.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_set_detection.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "platform/core/in_out_error.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/timer.h"

namespace html {

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
    if (top->OwnerViewer != nullptr) top->OwnerViewer->SetupViewer(*viewer_, *this);
  }
}

TDocumentSource TFrame::DocumentSource(const std::string& name) const {
  TFrameSetViewer* const owner = topSet_ == nullptr ? nullptr : topSet_->OwnerViewer;
  if (owner == nullptr || !owner->HasRequestEvents()) return TDocumentSource::File(name);
  if (!IsImageFileName(name) && !IsTextFileName(name)) {
    if (auto requested = owner->RequestDocument(name, *topSet_)) return *requested;
  }
  // With request events the name was kept as the document gave it.
  return TDocumentSource::File(owner->ExpandLinkFileName(name));
}

TSubFrameSet* TFrame::BuildNestedSet(const TDocumentSource& source, const std::string& fileName) {
  auto* nested = cl::Make<TSubFrameSet>(*this, topSet_);
  nested->Hide();
  SetNestedSet(nested);
  nested->SendToBack();
  nested->Show();
  nested->ParseAndLoad(source, fileName);
  nested->CalcSizes(0, 0, nested->ClientWidth(), nested->ClientHeight());
  nested->PlaceChildren();
  return nested;
}

void TFrame::LoadIntoViewer(const TDocumentSource& source, const std::string& anchor) {
  viewer_->SetBase(ownerSet_.SetBase);
  const std::string& fileName = source.FileName;
  switch (source.Kind) {
    case TSourceKind::SourceBuffer: viewer_->LoadFromBuffer(source.Buffer, source.BufferSize); break;
    case TSourceKind::SourceStrings: viewer_->LoadStrings(*source.Strings); break;
    case TSourceKind::SourceStream: viewer_->LoadFromStream(*source.Stream); break;
    default:
      if (IsImageFileName(fileName)) viewer_->LoadImageFile(fileName);
      else if (IsTextFileName(fileName)) viewer_->LoadTextFile(fileName + anchor);
      else viewer_->LoadFromFile(fileName + anchor);
      return;
  }
  viewer_->PositionTo(anchor);
}

void TFrame::ReleaseViewer(TDocViewer* viewer) {
  if (topSet_ != nullptr) topSet_->RemoveViewer(*viewer);
  viewer->FrameOwner = nullptr;
  cl::Release(viewer);
}

void TFrame::ReleaseNestedSet(TSubFrameSet* nested) {
  nested->UnloadFiles();
  nested->LeaveTree();
  cl::Release(nested);
}

void TFrame::DropNestedSet() {
  if (nestedSet_ == nullptr) return;
  TSubFrameSet* const nested = nestedSet_;
  nestedSet_ = nullptr;
  ReleaseNestedSet(nested);
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
  if (topSet_ == nullptr) return;
  if (SourceFile.empty() || topSet_->LoadDepth >= TFrameSet::MaxLoadDepth) {
    // An empty panel answers the mouse as the frame viewer would.
    if (const TFrameSetViewer* owner = topSet_->OwnerViewer) {
      OnMouseDown = owner->OnMouseDown;
      OnMouseMove = owner->OnMouseMove;
      OnMouseUp = owner->OnMouseUp;
    }
    return;
  }
  TFrameSet& top = *topSet_;
  const std::string name = SourceFile;
  const TLoadDepth depth(top);
  try {
    const TDocumentSource source = DocumentSource(name);
    TFrameSetViewer* const owner = top.OwnerViewer;
    if (IsFrameSetSource(source, topSet_)) {
      BuildNestedSet(source, name);
      if (owner != nullptr) owner->FirstVisit(*this, name, 0);
    } else {
      if (viewer_ == nullptr) CreateViewer();
      LoadIntoViewer(source, Anchor);
      if (owner != nullptr) owner->FirstVisit(*this, SourceFile, viewer_->Position());
    }
  } catch (const std::exception&) {
    DropNestedSet();
    ShowErrorDocument(name);
  }
}

void TFrame::LoadFrameFile(const std::string& newFile, const std::string& anchor, bool history) {
  if (topSet_ == nullptr) return;
  TFrameSet& top = *topSet_;
  const std::string oldFile = SourceFile;
  const std::string file = newFile.empty() ? oldFile : newFile;
  SourceFile = file;
  try {
    if (SameFileName(file, oldFile) && (viewer_ != nullptr || nestedSet_ != nullptr)) {
      if (viewer_ != nullptr) {
        const std::int32_t oldPos = viewer_->Position();
        viewer_->PositionTo(anchor);
        if (history && viewer_->Position() != oldPos) RecordVisit(file, viewer_->Position(), oldPos);
      }
      return;
    }
    bool frameSet = false;
    TDocumentSource source;
    try {
      source = DocumentSource(file);
      frameSet = IsFrameSetSource(source, topSet_);
    } catch (const cl::EInOutError& error) {
      throw cl::EInOutError("Can't load: " + file, error.ErrorCode);
    } catch (const std::exception&) {
      throw cl::EInOutError("Can't load: " + file, 0);
    }
    const TLoadDepth depth(top);
    if (viewer_ != nullptr && !frameSet) {
      const std::string shown = viewer_->CurrentFile();
      const std::int32_t oldPos = viewer_->Position();
      const std::string oldSetFile = top.SetFile;
      const std::string oldTitle = top.SetTitle;
      try {
        LoadIntoViewer(source, anchor);
      } catch (const std::exception&) {
        // A parse that failed half-way has replaced the old document.
        if (viewer_->CurrentFile() != shown) ShowErrorDocument(file);
        throw;
      }
      if (history && top.AllViewers.size() > 1) RecordVisit(file, viewer_->Position(), oldPos);
      if (history && top.AllViewers.size() == 1) {
        top.SetFile = file;
        top.SetTitle = viewer_->DocumentTitle();
        top.SetBase = viewer_->Base();
        top.SetBaseTarget = viewer_->BaseTarget();
        if (top.OwnerViewer != nullptr) top.OwnerViewer->BumpHistory1(oldSetFile, oldTitle, oldPos);
      }
      return;
    }
    // The new content is built beside the old, which stays until it stands.
    TDocViewer* const oldViewer = viewer_;
    TSubFrameSet* const oldNested = nestedSet_;
    const std::int32_t oldPos = oldViewer != nullptr ? oldViewer->Position() : 0;
    viewer_ = nullptr;
    nestedSet_ = nullptr;
    try {
      if (frameSet) {
        BuildNestedSet(source, file);
      } else {
        CreateViewer();
        LoadIntoViewer(source, anchor);
        if (ownerSet_.FrameBorder != 0) SetBevelOuter(cl::bvLowered);
      }
    } catch (...) {
      if (viewer_ != nullptr) ReleaseViewer(viewer_);
      if (nestedSet_ != nullptr) ReleaseNestedSet(nestedSet_);
      viewer_ = oldViewer;
      nestedSet_ = oldNested;
      SetBevelOuter(nestedSet_ == nullptr && ownerSet_.FrameBorder != 0 ? cl::bvLowered : cl::bvNone);
      throw;
    }
    if (history) RecordVisit(file, viewer_ != nullptr ? viewer_->Position() : 0, oldPos);
    if (oldViewer != nullptr) ReleaseViewer(oldViewer);
    if (oldNested != nullptr) RetireNestedSet(oldNested);
    top.UpdateFrameList();
    Repaint();
  } catch (...) {
    SourceFile = oldFile;
    throw;
  }
}

void TFrame::UnloadFiles() {
  if (refreshTimer_ != nullptr) refreshTimer_->SetEnabled(false);
  if (nestedSet_ != nullptr) {
    nestedSet_->UnloadFiles();
  } else if (viewer_ != nullptr) {
    PositionAtUnload = viewer_->Position();
    viewer_->Clear();
    viewer_->OnSoundRequest = nullptr;
  }
  IsUnloaded = true;
}

void TFrame::ReloadFiles(int position) {
  if (!SourceFile.empty() && nestedSet_ != nullptr) {
    nestedSet_->ReloadFiles(position);
    bool first = false;
    bool last = false;
    nestedSet_->CheckNoResize(first, last);
  } else if (!SourceFile.empty() && viewer_ != nullptr) {
    if (topSet_ != nullptr && topSet_->OwnerViewer != nullptr) {
      viewer_->OnSoundRequest = topSet_->OwnerViewer->OnSoundRequest;
    }
    try {
      LoadIntoViewer(DocumentSource(SourceFile), std::string());
    } catch (const std::exception&) {
      if (!IsImageFileName(SourceFile) && !IsTextFileName(SourceFile)) ShowErrorDocument(SourceFile);
    }
    viewer_->SetPosition(position < 0 ? PositionAtUnload : position);
  }
  IsUnloaded = false;
}

}  // namespace html
