#include <algorithm>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_viewer.h"
#include "platform/gui/handler_guard.h"

namespace html {

namespace {

TFrameSet* EntrySet(const cl::TStringList& files, int index) { return dynamic_cast<TFrameSet*>(files.Objects(index)); }

}  // namespace

void TFrameSetViewer::HistoryChanged() {
  if (OnHistoryChange) OnHistoryChange(this);
}

void TFrameSetViewer::FreeFrameSetIfDropped(TFrameSet* set) {
  if (set == nullptr || set == currentSet_ || HistoryFiles.IndexOfObject(set) >= 0) return;
  // A click or a refresh tick inside the set may still be running.
  set->Clear();
  set->OwnerViewer = nullptr;
  cl::Release(set);
}

void TFrameSetViewer::DeleteHistoryEntry(int index) {
  TFrameSet* const set = EntrySet(HistoryFiles, index);
  HistoryFiles.Delete(index);
  HistoryTitles.Delete(index);
  HistoryPositions.erase(HistoryPositions.begin() + index);
  FreeFrameSetIfDropped(set);
}

// Steps 2 to 5 of every push: the forward entries go, the set shown comes
// first, the oldest falls off past the limit.
void TFrameSetViewer::PushHistory() {
  const int newer = std::min(HistoryPlace, HistoryFiles.Count());
  for (int i = 0; i < newer; ++i) DeleteHistoryEntry(0);
  HistoryPlace = 0;
  HistoryFiles.InsertObject(0, currentSet_->SetFile, currentSet_);
  HistoryTitles.Insert(0, currentSet_->SetTitle);
  HistoryPositions.insert(HistoryPositions.begin(), 0);
  while (HistoryFiles.Count() > historyMaxCount_) DeleteHistoryEntry(historyMaxCount_);
  HistoryChanged();
}

// The top-level entry shown now becomes FILE of SET; answers the set it held.
TFrameSet* TFrameSetViewer::PutShownEntry(const std::string& file, TFrameSet* set, const std::string& title,
                                          int32_t position) {
  const int place = std::clamp(HistoryPlace, 0, HistoryFiles.Count() - 1);
  HistoryPlace = place;
  TFrameSet* const replaced = EntrySet(HistoryFiles, place);
  HistoryFiles.Put(place, file);
  HistoryFiles.PutObject(place, set);
  HistoryTitles.Put(place, title);
  HistoryPositions[static_cast<size_t>(place)] = position;
  return replaced;
}

void TFrameSetViewer::BumpHistory(TFrameSet* oldSet, int32_t oldPos) {
  if (historyMaxCount_ <= 0 || currentSet_->SetFile.empty()) {
    FreeFrameSetIfDropped(oldSet);
    return;
  }
  if (HistoryFiles.Count() > 0) {
    // The entry shown now stands for the set being left, at its place.
    TFrameSet* const replaced = PutShownEntry(oldSet->SetFile, oldSet, oldSet->SetTitle, oldPos);
    if (replaced != oldSet) FreeFrameSetIfDropped(replaced);
    oldSet->DropNewerVisits();
  } else {
    FreeFrameSetIfDropped(oldSet);
  }
  PushHistory();
}

void TFrameSetViewer::BumpHistory1(const std::string& fileName, const std::string& title, int32_t oldPos) {
  if (historyMaxCount_ <= 0 || fileName.empty()) return;
  if (HistoryFiles.Count() > 0) {
    TFrameSet* const replaced = PutShownEntry(fileName, currentSet_, title, oldPos);
    FreeFrameSetIfDropped(replaced);
  }
  PushHistory();
}

void TFrameSetViewer::BumpHistory2(int32_t oldPos) {
  if (historyMaxCount_ <= 0 || currentSet_->SetFile.empty()) return;
  if (HistoryFiles.Count() > 0) {
    TFrameSet* const replaced = PutShownEntry(currentSet_->SetFile, currentSet_, currentSet_->SetTitle, oldPos);
    FreeFrameSetIfDropped(replaced);
  }
  PushHistory();
}

void TFrameSetViewer::AddVisit(TFrame& frame, const std::string& name, int32_t newPos, int32_t oldPos) {
  if (frame.VisitedFiles.Count() > 0) {
    const auto place = static_cast<size_t>(std::clamp(frame.VisitedPlace, 0, frame.VisitedFiles.Count() - 1));
    frame.VisitedPositions[place].Pos = oldPos;
  }
  if (TFrameSet* top = frame.TopSet()) top->DropNewerVisits();
  // The frame may not be in the set's frame list yet.
  frame.DropNewerVisits();
  FirstVisit(frame, name, newPos);
  if (TFrameSet* top = frame.TopSet()) top->UpdateFrameList();
}

void TFrameSetViewer::FirstVisit(TFrame& frame, const std::string& name, int32_t pos) {
  frame.VisitedPlace = 0;
  frame.VisitedFiles.InsertObject(0, name, frame.NestedSet());
  frame.VisitedPositions.insert(frame.VisitedPositions.begin(), PositionObj{pos, ftHTML, HistorySeq});
  ++HistorySeq;
  HistoryChanged();
}

void TFrameSetViewer::ShowSet(TFrameSet& target, int32_t position) {
  TFrameSet* const old = currentSet_;
  target.LastClientWidth = 0;
  target.Hide();
  target.OwnerViewer = this;
  target.SendToBack();
  target.ReloadFiles(target.AllViewers.size() == 1 ? position : -1);
  currentSet_ = &target;
  SetRedraw(false);
  target.Show();
  target.BringToFront();
  SetRedraw(true);
  target.CheckResize();
  target.Repaint();
  old->UnloadFiles();
  old->Hide();
}

void TFrameSetViewer::SetHistoryIndex(int32_t index) {
  if (index == HistoryPlace || index < 0 || index >= HistoryFiles.Count() || IsProcessing()) return;
  RunLoading([this, index] { StepTo(index); });
  HistoryPlace = index;
  HistoryChanged();
}

void TFrameSetViewer::StepTo(int32_t index) {
  if (!currentSet_->SetFile.empty() && HistoryPlace < HistoryFiles.Count()) {
    HistoryTitles.Put(HistoryPlace, currentSet_->SetTitle);
    HistoryPositions[static_cast<size_t>(HistoryPlace)] =
        currentSet_->AllViewers.empty() ? 0 : currentSet_->AllViewers.front()->Position();
  }
  TFrameSet* const target = EntrySet(HistoryFiles, index);
  const int32_t position = HistoryPositions[static_cast<size_t>(index)];
  if (target != nullptr && target != currentSet_) {
    ShowSet(*target, position);
  } else if (target == currentSet_ && currentSet_->AllFrames.size() == 1) {
    // One set in two entries: its only frame shows the entry's file.
    TFrame& frame = *currentSet_->AllFrames.front();
    const std::string& file = HistoryFiles[index];
    if (frame.NestedSet() == nullptr && frame.SourceFile != file) {
      frame.LoadFrameFile(file, std::string(), false);
      currentSet_->SetFile = file;
      if (TDocViewer* viewer = frame.Viewer()) currentSet_->SetTitle = viewer->DocumentTitle();
    }
    if (TDocViewer* viewer = frame.Viewer()) viewer->SetPosition(position);
  } else if (!currentSet_->AllViewers.empty()) {
    currentSet_->AllViewers.front()->SetPosition(position);
  }
}

void TFrameSetViewer::GoBack() {
  if (IsProcessing()) return;
  TFrame* chosen = nullptr;
  for (TFrame* frame : currentSet_->AllFrames) {
    if (frame->VisitedPlace > frame->VisitedFiles.Count() - 2) continue;
    if (chosen == nullptr || frame->VisitedPositions[static_cast<size_t>(frame->VisitedPlace)].Seq >
                                 chosen->VisitedPositions[static_cast<size_t>(chosen->VisitedPlace)].Seq) {
      chosen = frame;
    }
  }
  if (chosen != nullptr) {
    RunLoading([chosen] { chosen->SetHistoryIndex(chosen->VisitedPlace + 1); });
  } else {
    SetHistoryIndex(HistoryPlace + 1);
  }
  StopSound();
}

void TFrameSetViewer::GoForward() {
  if (IsProcessing()) return;
  TFrame* chosen = nullptr;
  auto nextSeq = [](const TFrame& frame) {
    return frame.VisitedPositions[static_cast<size_t>(frame.VisitedPlace - 1)].Seq;
  };
  for (TFrame* frame : currentSet_->AllFrames) {
    if (frame->VisitedPlace <= 0 || frame->VisitedPlace > frame->VisitedFiles.Count()) continue;
    if (chosen == nullptr || nextSeq(*frame) < nextSeq(*chosen)) chosen = frame;
  }
  if (chosen != nullptr) {
    RunLoading([chosen] { chosen->SetHistoryIndex(chosen->VisitedPlace - 1); });
  } else {
    SetHistoryIndex(HistoryPlace - 1);
  }
  StopSound();
}

bool TFrameSetViewer::BackButtonEnabled() const {
  if (HistoryPlace <= HistoryFiles.Count() - 2) return true;
  return std::any_of(currentSet_->AllFrames.begin(), currentSet_->AllFrames.end(),
                     [](const TFrame* frame) { return frame->VisitedPlace <= frame->VisitedFiles.Count() - 2; });
}

bool TFrameSetViewer::FwdButtonEnabled() const {
  if (HistoryPlace > 0) return true;
  return std::any_of(currentSet_->AllFrames.begin(), currentSet_->AllFrames.end(),
                     [](const TFrame* frame) { return frame->VisitedPlace > 0; });
}

void TFrameSetViewer::ClearHistory() {
  bool had = HistoryFiles.Count() > 0;
  while (HistoryFiles.Count() > 0) DeleteHistoryEntry(HistoryFiles.Count() - 1);
  for (TFrame* frame : currentSet_->AllFrames) {
    if (frame->VisitedFiles.Count() > 0) had = true;
    frame->ClearVisits();
  }
  HistoryTitles.Clear();
  HistoryPositions.clear();
  HistoryPlace = 0;
  if (had) HistoryChanged();
}

void TFrameSetViewer::SetHistoryMaxCount(int32_t count) {
  if (count < 0 || count == historyMaxCount_) return;
  ClearHistory();
  for (TDocViewer* viewer : currentSet_->AllViewers) {
    viewer->ClearHistory();
    viewer->SetHistoryMaxCount(count);
  }
  historyMaxCount_ = count;
}

}  // namespace html
