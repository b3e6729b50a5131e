#include <algorithm>

#include "html/viewer/doc_viewer.h"

namespace html {

namespace {

void DeleteEntry(TDocViewer& viewer, int index) {
  viewer.History.Delete(index);
  viewer.TitleHistory.Delete(index);
  viewer.PositionHistory.erase(viewer.PositionHistory.begin() + index);
}

}  // namespace

void TDocViewer::BumpHistory(const std::string& oldFile, const std::string& oldTitle, int32_t oldPos,
                             THtmlFileType oldType) {
  if (historyMaxCount_ < 1 || currentFile_.empty()) return;
  if (oldFile == currentFile_ && oldType == fileType_ && oldPos == Position()) return;
  if (History.Count() > 0 && !oldFile.empty()) {
    // The entry of the document being left now tells where it was left;
    // the entries newer than it, from earlier steps back, go.
    const int index = std::clamp(HistoryIndex, 0, History.Count() - 1);
    History.Put(index, oldFile);
    TitleHistory.Put(index, oldTitle);
    PositionHistory[static_cast<size_t>(index)] = PositionObj{oldPos, oldType};
    for (int i = 0; i < index; ++i) DeleteEntry(*this, 0);
  }
  HistoryIndex = 0;
  History.Insert(0, currentFile_);
  TitleHistory.Insert(0, documentTitle_);
  PositionHistory.insert(PositionHistory.begin(), PositionObj{Position(), fileType_});
  if (History.Count() > historyMaxCount_) DeleteEntry(*this, historyMaxCount_);
  if (OnHistoryChange) OnHistoryChange(this);
}

void TDocViewer::ClearHistory() {
  const bool had = History.Count() > 0;
  History.Clear();
  TitleHistory.Clear();
  PositionHistory.clear();
  HistoryIndex = 0;
  if (had && OnHistoryChange) OnHistoryChange(this);
}

void TDocViewer::SetHistoryMaxCount(int32_t count) {
  if (count < 0 || count == historyMaxCount_) return;
  if (count < historyMaxCount_) ClearHistory();
  historyMaxCount_ = count;
}

}  // namespace html
