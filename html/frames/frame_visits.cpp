#include <algorithm>
#include <string>
#include <vector>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "html/frames/sub_frame_set.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/timer.h"

namespace html {

void TFrame::JoinTree(TFrameSet& top) {
  topSet_ = &top;
  if (viewer_ != nullptr) top.AllViewers.push_back(viewer_);
  if (!TargetName.empty()) top.AddFrameName(TargetName, *this);
  if (nestedSet_ != nullptr) nestedSet_->JoinTree(top);
}

void TSubFrameSet::JoinTree(TFrameSet& top) {
  if (IsTopSet()) return;
  topSet_ = &top;
  for (TFrameBase* child : children_) child->JoinTree(top);
}

bool TFrame::VisitsHold(const TSubFrameSet* nested) const {
  return nested != nullptr && VisitedFiles.IndexOfObject(nested) >= 0;
}

void TFrame::RetireNestedSet(TSubFrameSet* nested) {
  if (!VisitsHold(nested)) {
    ReleaseNestedSet(nested);
    return;
  }
  nested->UnloadFiles();
  nested->LeaveTree();
  nested->Hide();
}

void TFrame::RecordVisit(const std::string& name, std::int32_t newPos, std::int32_t oldPos) {
  if (topSet_ == nullptr || topSet_->OwnerViewer == nullptr) return;
  topSet_->OwnerViewer->AddVisit(*this, name, newPos, oldPos);
}

void TFrame::DropNewerVisits() {
  if (VisitedPlace <= 0) return;
  std::vector<TSubFrameSet*> dropped;
  for (std::int32_t i = 0; i < VisitedPlace && VisitedFiles.Count() > 0; ++i) {
    if (auto* nested = dynamic_cast<TSubFrameSet*>(VisitedFiles.Objects(0))) dropped.push_back(nested);
    VisitedFiles.Delete(0);
    VisitedPositions.erase(VisitedPositions.begin());
  }
  VisitedPlace = 0;
  // Only this frame's entries can hold its nested sets.
  for (TSubFrameSet* nested : dropped) {
    if (nested != nestedSet_ && !VisitsHold(nested)) ReleaseNestedSet(nested);
  }
}

void TFrame::ClearVisits() {
  std::vector<TSubFrameSet*> held;
  for (int i = 0; i < VisitedFiles.Count(); ++i) {
    auto* nested = dynamic_cast<TSubFrameSet*>(VisitedFiles.Objects(i));
    if (nested != nullptr && nested != nestedSet_ && std::find(held.begin(), held.end(), nested) == held.end()) {
      held.push_back(nested);
    }
  }
  VisitedFiles.Clear();
  VisitedPositions.clear();
  VisitedPlace = 0;
  for (TSubFrameSet* nested : held) ReleaseNestedSet(nested);
}

void TFrame::SetHistoryIndex(std::int32_t index) {
  if (index == VisitedPlace || index < 0 || index >= VisitedFiles.Count() || topSet_ == nullptr) return;
  TFrameSet& top = *topSet_;
  if (refreshTimer_ != nullptr) refreshTimer_->SetEnabled(false);
  if (viewer_ != nullptr && VisitedPlace < static_cast<std::int32_t>(VisitedPositions.size())) {
    VisitedPositions[static_cast<size_t>(VisitedPlace)].Pos = viewer_->Position();
  }
  TSubFrameSet* const leaving = nestedSet_;
  if (leaving != nullptr) {
    nestedSet_ = nullptr;
    leaving->UnloadFiles();
    leaving->LeaveTree();
    leaving->Hide();
  }
  const std::string file = VisitedFiles[index];
  auto* const target = dynamic_cast<TSubFrameSet*>(VisitedFiles.Objects(index));
  if (target != nullptr) {
    target->JoinTree(top);
    SetNestedSet(target);
    target->Show();
    target->ReloadFiles(-1);
    bool first = false;
    bool last = false;
    target->CheckNoResize(first, last);
    if (viewer_ != nullptr) {
      TDocViewer* const gone = viewer_;
      viewer_ = nullptr;
      ReleaseViewer(gone);
    }
    SourceFile = file;
  } else {
    const bool made = viewer_ == nullptr;
    if (made) {
      CreateViewer();
      if (ownerSet_.FrameBorder != 0) SetBevelOuter(cl::bvLowered);
    }
    if (made) {
      const std::string oldFile = SourceFile;
      SourceFile = file;
      try {
        LoadIntoViewer(DocumentSource(file), std::string());
      } catch (...) {
        SourceFile = oldFile;
        throw;
      }
    } else if (SourceFile != file) {
      LoadFrameFile(file, std::string(), false);
    }
    SourceFile = file;
    viewer_->SetPosition(VisitedPositions[static_cast<size_t>(index)].Pos);
  }
  VisitedPlace = index;
  top.UpdateFrameList();
  if (top.OwnerViewer != nullptr && top.OwnerViewer->OnHistoryChange) top.OwnerViewer->OnHistoryChange(top.OwnerViewer);
}

void TFrameSet::DropNewerVisits() {
  for (TFrame* frame : AllFrames) frame->DropNewerVisits();
}

}  // namespace html
