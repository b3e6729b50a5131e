#pragma once

#include "platform/gui/panel.h"

namespace html {

class TFrameSet;

// A panel of a frame-set tree: a frame or a (sub) frame set. Mouse events of
// a panel travel up the tree in the coordinates of the receiving set, so the
// set whose border lies under the mouse can drag it.
class TFrameBase : public cl::TCustomPanel {
 public:
  TFrameBase(cl::TComponent* owner, TFrameSet* topSet);

  // The top set of the tree; null once the panel has left its tree.
  TFrameSet* TopSet() const { return topSet_; }

  // Enters this panel's frames into the top set's frame list.
  virtual void UpdateFrameList() = 0;
  virtual void FrameMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) = 0;
  virtual void FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) = 0;
  virtual void FrameMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) = 0;
  // True when something in the panel may not be resized; first and last
  // tell whether that touches the panel's first or last edge.
  virtual bool CheckNoResize(bool& first, bool& last) = 0;
  // Computes the sizes of what the panel holds for the given share.
  virtual void CalcSizes(int left, int top, int width, int height) = 0;
  // Takes the panel out of its top set's tables (names, frame list, focused
  // viewer) before it is freed later than the tree, or moves elsewhere.
  virtual void LeaveTree() = 0;
  // Enters the panel into top's tables again after LeaveTree (a nested set
  // coming back from a frame's history).
  virtual void JoinTree(TFrameSet& top) = 0;
  // Loads the documents of the panel's frames.
  virtual void LoadFiles() = 0;
  // Shows the files again after UnloadFiles; a negative position means the
  // place each viewer had when it was unloaded.
  virtual void ReloadFiles(int position) = 0;
  // Stops refresh timers and empties the viewers, remembering their places.
  virtual void UnloadFiles() = 0;

  bool IsUnloaded = false;  // between unloading and reloading its files

 protected:
  TFrameSet* topSet_;
};

}  // namespace html
