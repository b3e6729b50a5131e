#pragma once

#include <string>
#include <vector>

#include "html/document/attributes.h"
#include "html/frames/frame_attributes.h"
#include "html/frames/frame_base.h"
#include "html/frames/frame_parse.h"
#include "html/viewer/history/position_obj.h"
#include "platform/core/string_list.h"

namespace cl {
class TTimer;
}  // namespace cl

namespace html {

class TSubFrameSet;
class TDocViewer;

// One FRAME: an empty panel until its document is loaded, then the panel
// around that document's viewer or nested frame set.
class TFrame : public TFrameBase {
 public:
  // path: the folder of the frame-set document, for relative sources.
  TFrame(TSubFrameSet& ownerSet, const std::string& path, TFrameSet* topSet, const TAttributeList& attributes);
  ~TFrame() override;

  void UpdateFrameList() override;
  void FrameMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) override;
  void FrameMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  bool CheckNoResize(bool& first, bool& last) override;
  void CalcSizes(int left, int top, int width, int height) override;
  void LeaveTree() override;
  void JoinTree(TFrameSet& top) override;
  // Shows SourceFile: in a viewer, or in a nested set for a frame-set
  // document; a document that fails shows the error document instead.
  void LoadFiles() override;
  void ReloadFiles(int position) override;
  void UnloadFiles() override;
  // Navigates the frame to another file (empty: the one shown) and anchor.
  // A failure keeps what the frame showed and its SourceFile, and raises.
  void LoadFrameFile(const std::string& newFile, const std::string& anchor, bool history);
  // The viewer's META refresh: the target, expanded like a link of the
  // document shown, is loaded after delay seconds when it exists.
  void ViewerMetaRefresh(int delay, const std::string& url);
  void RefreshTimerTick();
  cl::TTimer* RefreshTimer() const { return refreshTimer_; }

  TDocViewer* Viewer() const { return viewer_; }

  // The frame's history, newest first: files (each object the nested set
  // shown for it, or null) and parallel places; VisitedPlace is the entry
  // shown. Steps to entry index (nothing for the one shown or out of range).
  void SetHistoryIndex(int32_t index);
  // Deletes the entries newer than the one shown; their nested sets go
  // unless a remaining entry holds them.
  void DropNewerVisits();
  // Frees every entry and the nested sets only they held.
  void ClearVisits();
  cl::TStringList VisitedFiles;
  std::vector<PositionObj> VisitedPositions;
  std::int32_t VisitedPlace = 0;

  // The set whose child this frame is.
  TSubFrameSet& OwnerSet() const { return ownerSet_; }
  TSubFrameSet* NestedSet() const { return nestedSet_; }
  // Gives the frame a nested set (owned, filling the frame) or takes it away.
  void SetNestedSet(TSubFrameSet* nestedSet);

  std::string TargetName;
  std::string SourceFile;
  std::string Anchor;
  bool NoScrollBars = false;
  bool FixedSize = false;
  std::int32_t MarginX = 10;
  std::int32_t MarginY = 5;
  std::string RefreshFile;
  std::int32_t PositionAtUnload = 0;

  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

 private:
  TSubFrameSet& ownerSet_;
  TSubFrameSet* nestedSet_ = nullptr;
  TDocViewer* viewer_ = nullptr;
  cl::TTimer* refreshTimer_ = nullptr;  // owned as a component, made on first use

  void CreateViewer();
  // What the application supplies for name, or else the file.
  TDocumentSource DocumentSource(const std::string& name) const;
  // A nested set for a frame-set document, parsed and loaded.
  TSubFrameSet* BuildNestedSet(const TDocumentSource& source, const std::string& fileName);
  void LoadIntoViewer(const TDocumentSource& source, const std::string& anchor);
  // Takes the viewer or nested set out and frees it once its events return.
  void ReleaseViewer(TDocViewer* viewer);
  void ReleaseNestedSet(TSubFrameSet* nested);
  void DropNestedSet();
  // An old nested set that an entry holds is kept out of the tree, unloaded
  // and hidden; any other goes.
  void RetireNestedSet(TSubFrameSet* nested);
  bool VisitsHold(const TSubFrameSet* nested) const;
  void RecordVisit(const std::string& name, std::int32_t newPos, std::int32_t oldPos);
  void ShowErrorDocument(const std::string& name);
};

}  // namespace html
