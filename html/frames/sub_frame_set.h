#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html/frames/frame_base.h"
#include "html/frames/frame_parse.h"
#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace cl {
class TPanel;
class TTimer;
}  // namespace cl

namespace html {

class TFrame;

// A FRAMESET: children stacked in rows or columns, sized from the ROWS or
// COLS codes, with borders between them that the user may drag.
class TSubFrameSet : public TFrameBase, public TFrameSetBuilder {
 public:
  TSubFrameSet(cl::TComponent* owner, TFrameSet* topSet);
  ~TSubFrameSet() override;

  void UpdateFrameList() override;
  void FrameMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) override;
  void FrameMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  bool CheckNoResize(bool& first, bool& last) override;
  void CalcSizes(int left, int top, int width, int height) override;
  void LeaveTree() override;
  void JoinTree(TFrameSet& top) override;
  void LoadFiles() override;
  void ReloadFiles(int position) override;
  void UnloadFiles() override;

  // Parses the frame-set document into this set and loads its frames;
  // fileName names it (relative sources and refresh targets start there).
  void ParseAndLoad(const TDocumentSource& source, const std::string& fileName);
  // META refresh of the frame-set document: starts the timer when the
  // target, expanded like a link of the document, exists as a file.
  void StartRefreshTimer();
  virtual void RefreshTimerTick();
  cl::TTimer* RefreshTimer() const { return refreshTimer_; }

  // Frees every child and forgets the codes, borders and BASE.
  virtual void Clear();

  // Filled by the frame-set parser.
  void ParseFrameDimensions(const TAttributeList& attributes) override;
  TFrameSetBuilder& AddChildSet() override;
  void AddFrame(const TAttributeList& attributes, const std::string& fileName,
                const TFrameDocumentInfo& info) override;
  void EndFrameSet(const TFrameDocumentInfo& info) override;

  // Sets the children's bounds from PixelSizes inside the inset.
  void PlaceChildren();

  const std::vector<TFrameBase*>& Children() const { return children_; }
  bool SplitRows = false;
  std::vector<std::int32_t> SizeCodes;
  std::vector<std::int32_t> PixelSizes;
  std::int32_t SizeTotal = 0;
  // Entry 0 is the start of the first child, entry i + 1 the end of child i,
  // relative to the inset.
  std::vector<std::int32_t> Borders;
  std::vector<bool> BlockedBorders;
  int DragBorder = 0;
  // Where the drag line stands on the screen while a border is dragged;
  // empty otherwise.
  cl::TRect DragLine;
  static constexpr cl::TColor DragLineColor = cl::clGray;
  std::int32_t FrameBorder = 2;
  std::int32_t BevelInset = 0;
  std::string SetBase;
  std::string SetBaseTarget;
  std::string DocumentFile;  // the frame-set document this set was parsed from
  std::string RefreshLink;
  std::int32_t RefreshSeconds = 0;
  std::string RefreshFile;

  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void Resize() override;

 protected:
  // Frees the children now, after they have left the tree.
  void DestroyChildren();
  // The mouse position along the split, relative to the inset.
  std::int32_t SplitCoordinate(int x, int y) const;
  bool IsTopSet() const;

 private:
  // Events within 3 pixels of the set's edge belong to the enclosing set.
  bool PassedToEnclosingSet(int x, int y);
  TFrameBase* EnclosingPanel() const;
  // The dragged border's place for a mouse position, kept one pixel inside
  // its neighbours as the border itself will be.
  std::int32_t DragCoordinate(int x, int y) const;
  void ShowDragLine(int x, int y);
  void HideDragLine();

  std::vector<TFrameBase*> children_;  // owned as components, in document order
  cl::TTimer* refreshTimer_ = nullptr;  // owned as a component, made on first use
  // A panel over the children rather than drawing on the screen: the
  // children are windows of their own that a set's canvas cannot reach.
  cl::TPanel* dragLinePanel_ = nullptr;  // owned as a component, made on first drag
};

}  // namespace html
