#include "html/frames/frame.h"

#include "html/frames/frame_set.h"
#include "html/frames/sub_frame_set.h"

namespace html {

TFrame::TFrame(TSubFrameSet& ownerSet, const std::string& path, TFrameSet* topSet,
               const TAttributeList& attributes)
    : TFrameBase(&ownerSet, topSet), ownerSet_(ownerSet) {
  TFrameSet& top = *topSet;
  TFrameAttributes frame =
      ReadFrameAttributes(attributes, TLinkContext{path, ownerSet.SetBase, top.ServerRoot}, top.HasRequestEvents);
  TargetName = std::move(frame.TargetName);
  SourceFile = std::move(frame.SourceFile);
  Anchor = std::move(frame.Anchor);
  NoScrollBars = frame.NoScrollBars;
  FixedSize = frame.FixedSize;
  MarginX = frame.MarginX;
  MarginY = frame.MarginY;
  if (ownerSet.FrameBorder != 0) {
    SetBevelOuter(cl::bvLowered);
    SetBevelWidth(ownerSet.FrameBorder);
  }
  if (!TargetName.empty()) top.AddFrameName(TargetName, *this);
}

TFrame::~TFrame() {
  LeaveTree();
  // The nested set goes first, while this frame's tables still stand.
  DestroyComponents();
}

void TFrame::LeaveTree() {
  if (topSet_ == nullptr) return;
  if (viewer_ != nullptr) topSet_->RemoveViewer(*viewer_);
  if (!TargetName.empty()) topSet_->RemoveFrameName(TargetName, *this);
  topSet_->RemoveFrame(*this);
  if (nestedSet_ != nullptr) nestedSet_->LeaveTree();
  topSet_ = nullptr;
}

void TFrame::SetNestedSet(TSubFrameSet* nestedSet) {
  nestedSet_ = nestedSet;
  if (nestedSet_ == nullptr) return;
  nestedSet_->SetParent(this);
  nestedSet_->SetAlign(cl::alClient);
  SetBevelOuter(cl::bvNone);
}

void TFrame::UpdateFrameList() {
  if (topSet_ == nullptr) return;
  topSet_->AllFrames.push_back(this);
  if (nestedSet_ != nullptr) nestedSet_->UpdateFrameList();
}

void TFrame::FrameMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  ownerSet_.FrameMouseDown(sender, button, shift, x + Left(), y + Top());
}

void TFrame::FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) {
  if (FixedSize) return;
  ownerSet_.FrameMouseMove(sender, shift, x + Left(), y + Top());
}

void TFrame::FrameMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  ownerSet_.FrameMouseUp(sender, button, shift, x + Left(), y + Top());
}

bool TFrame::CheckNoResize(bool& first, bool& last) {
  first = last = FixedSize;
  return FixedSize;
}

void TFrame::CalcSizes(int left, int top, int width, int height) {
  if (nestedSet_ != nullptr) nestedSet_->CalcSizes(left, top, width, height);
}

void TFrame::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseDown(button, shift, x, y);
  FrameMouseDown(this, button, shift, x, y);
}

void TFrame::MouseMove(cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseMove(shift, x, y);
  FrameMouseMove(this, shift, x, y);
}

void TFrame::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseUp(button, shift, x, y);
  FrameMouseUp(this, button, shift, x, y);
}

}  // namespace html
