#pragma once

#include <string>

#include "html/attributes.h"
#include "html/frame_attributes.h"
#include "html/frame_base.h"

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
  // Shows SourceFile: in a viewer, or in a nested set for a frame-set
  // document; a document that fails shows the error document instead.
  void LoadFiles() override;

  TDocViewer* Viewer() const { return viewer_; }

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

  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

 private:
  TSubFrameSet& ownerSet_;
  TSubFrameSet* nestedSet_ = nullptr;
  TDocViewer* viewer_ = nullptr;

  void CreateViewer();
  void DropNestedSet();
  void ShowErrorDocument(const std::string& name);
};
