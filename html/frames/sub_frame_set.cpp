#include "html/frames/sub_frame_set.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_sizes.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/panel.h"
#include "platform/gui/timer.h"
#include "utility/path_names.h"

namespace html {

namespace {

constexpr int edgeBand = 3;

}  // namespace

TSubFrameSet::TSubFrameSet(cl::TComponent* owner, TFrameSet* topSet) : TFrameBase(owner, topSet) {
  if (topSet != nullptr) FrameBorder = topSet->FrameBorder;
}

TSubFrameSet::~TSubFrameSet() {
  LeaveTree();
  DestroyChildren();
}

void TSubFrameSet::DestroyChildren() {
  for (TFrameBase* child : children_) child->LeaveTree();
  children_.clear();
  dragLinePanel_ = nullptr;
  DestroyComponents();
}

bool TSubFrameSet::IsTopSet() const { return static_cast<const TSubFrameSet*>(topSet_) == this; }

void TSubFrameSet::LeaveTree() {
  // The top set is the tree; it has nothing to leave.
  if (topSet_ == nullptr || IsTopSet()) return;
  for (TFrameBase* child : children_) child->LeaveTree();
  if (topSet_->DraggingSet == this) topSet_->DraggingSet = nullptr;
  HideDragLine();
  topSet_ = nullptr;
}

void TSubFrameSet::LoadFiles() {
  for (TFrameBase* child : children_) child->LoadFiles();
}

void TSubFrameSet::UpdateFrameList() {
  for (TFrameBase* child : children_) child->UpdateFrameList();
}

void TSubFrameSet::Clear() {
  // A child may be the sender of the event that clears the set: each one
  // leaves the tree now and is freed once its handlers have returned.
  std::vector<TFrameBase*> children;
  children.swap(children_);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    (*it)->LeaveTree();
    cl::Release(*it);
  }
  SizeCodes.clear();
  PixelSizes.clear();
  SizeTotal = 0;
  SplitRows = false;
  BlockedBorders.clear();
  Borders.clear();
  DragBorder = 0;
  HideDragLine();
  SetBase.clear();
  SetBaseTarget.clear();
  if (refreshTimer_ != nullptr) refreshTimer_->SetEnabled(false);
  RefreshSeconds = 0;
  RefreshLink.clear();
  RefreshFile.clear();
}

void TSubFrameSet::ParseFrameDimensions(const TAttributeList& attributes) {
  TFrameDimensions dimensions = html::ParseFrameDimensions(attributes);
  if (!dimensions.SizeCodes.empty() || FindAttribute(attributes, RowsSy) || FindAttribute(attributes, ColsSy)) {
    SplitRows = dimensions.SplitRows;
    SizeCodes = std::move(dimensions.SizeCodes);
  }
  if (IsTopSet()) {
    FrameBorder = dimensions.FrameBorder.value_or(2);
    BevelInset = BevelInsetFor(FrameBorder);
    SetBevelOuter(BevelInset > 0 ? cl::bvLowered : cl::bvNone);
    SetBevelWidth(std::max(BevelInset, 1));
  }
}

TFrameSetBuilder& TSubFrameSet::AddChildSet() {
  auto* child = cl::Make<TSubFrameSet>(*this, topSet_);
  child->SetParent(this);
  children_.push_back(child);
  return *child;
}

void TSubFrameSet::AddFrame(const TAttributeList& attributes, const std::string& fileName,
                            const TFrameDocumentInfo& info) {
  SetBase = info.BaseHref;
  auto made = std::make_unique<TFrame>(*this, utl::DIRNAME(fileName), topSet_, attributes);
  TFrame* const frame = made.get();
  InsertComponent(std::move(made));
  frame->SetBounds(BevelInset, BevelInset, std::max(0, ClientWidth() - 2 * BevelInset),
                   std::max(0, ClientHeight() - 2 * BevelInset));
  frame->SetParent(this);
  children_.push_back(frame);
}

void TSubFrameSet::EndFrameSet(const TFrameDocumentInfo& info) {
  while (SizeCodes.size() < children_.size()) SizeCodes.push_back(-1);
  const TAttributeList none;
  while (children_.size() < SizeCodes.size()) AddFrame(none, std::string(), info);
  SetBase = info.BaseHref;
  SetBaseTarget = info.BaseTarget;
}

void TSubFrameSet::CalcSizes(int left, int top, int width, int height) {
  PixelSizes = CalcFrameSizes(SizeCodes, SplitRows ? height : width);
  SizeTotal = std::accumulate(PixelSizes.begin(), PixelSizes.end(), 0);
  int running = 0;
  for (std::size_t i = 0; i < children_.size() && i < PixelSizes.size(); ++i) {
    if (SplitRows) children_[i]->CalcSizes(left, top + running, width, PixelSizes[i]);
    else children_[i]->CalcSizes(left + running, top, PixelSizes[i], height);
    running += PixelSizes[i];
  }
}

void TSubFrameSet::PlaceChildren() {
  const int innerWidth = std::max(0, ClientWidth() - 2 * BevelInset);
  const int innerHeight = std::max(0, ClientHeight() - 2 * BevelInset);
  std::vector<std::int32_t> sizes = PixelSizes;
  sizes.resize(children_.size(), 0);
  Borders = PlaceFrameBorders(sizes, SplitRows ? innerHeight : innerWidth);
  for (std::size_t i = 0; i < children_.size(); ++i) {
    const int start = Borders[i];
    const int extent = Borders[i + 1] - Borders[i];
    if (SplitRows) children_[i]->SetBounds(BevelInset, BevelInset + start, innerWidth, extent);
    else children_[i]->SetBounds(BevelInset + start, BevelInset, extent, innerHeight);
    // Unchanged bounds bring no resize, yet nested sizes may have changed.
    if (auto* childSet = dynamic_cast<TSubFrameSet*>(children_[i])) childSet->PlaceChildren();
    else if (auto* frame = dynamic_cast<TFrame*>(children_[i]); frame && frame->NestedSet()) frame->NestedSet()->PlaceChildren();
  }
}

void TSubFrameSet::Resize() {
  TFrameBase::Resize();
  PlaceChildren();
}

bool TSubFrameSet::CheckNoResize(bool& first, bool& last) {
  first = last = false;
  bool result = false;
  std::vector<bool> fixed(children_.size(), false);
  for (std::size_t i = 0; i < children_.size(); ++i) {
    bool childFirst = false;
    bool childLast = false;
    if (children_[i]->CheckNoResize(childFirst, childLast)) {
      result = true;
      fixed[i] = true;
    }
    if (i == 0 && childFirst) first = true;
    if (i + 1 == children_.size() && childLast) last = true;
  }
  BlockedBorders = BlockedBordersFor(fixed);
  return result;
}

std::int32_t TSubFrameSet::SplitCoordinate(int x, int y) const { return (SplitRows ? y : x) - BevelInset; }

TFrameBase* TSubFrameSet::EnclosingPanel() const { return dynamic_cast<TFrameBase*>(Parent()); }

bool TSubFrameSet::PassedToEnclosingSet(int x, int y) {
  if (IsTopSet()) return false;
  return x <= edgeBand || y <= edgeBand || x >= ClientWidth() - edgeBand || y >= ClientHeight() - edgeBand;
}

std::int32_t TSubFrameSet::DragCoordinate(int x, int y) const {
  std::vector<std::int32_t> borders = Borders;
  MoveBorder(borders, DragBorder, SplitCoordinate(x, y));
  return static_cast<std::size_t>(DragBorder) < borders.size() ? borders[DragBorder] : SplitCoordinate(x, y);
}

void TSubFrameSet::ShowDragLine(int x, int y) {
  const std::int32_t at = BevelInset + DragCoordinate(x, y);
  // A 2-pixel band across the set, centred on the border.
  const cl::TRect line =
      SplitRows ? cl::Rect(0, at - 1, ClientWidth(), at + 1) : cl::Rect(at - 1, 0, at + 1, ClientHeight());
  if (dragLinePanel_ == nullptr) {
    dragLinePanel_ = cl::Make<cl::TPanel>(*this);
    dragLinePanel_->SetBevelOuter(cl::bvNone);
    dragLinePanel_->SetColor(DragLineColor);
    dragLinePanel_->SetParent(this);
  }
  dragLinePanel_->SetBoundsRect(line);
  dragLinePanel_->Show();
  dragLinePanel_->BringToFront();
  dragLinePanel_->Update();
  const cl::TPoint topLeft = ClientToScreen({line.Left, line.Top});
  const cl::TPoint bottomRight = ClientToScreen({line.Right, line.Bottom});
  DragLine = cl::Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
}

void TSubFrameSet::HideDragLine() {
  DragLine = cl::TRect{};
  if (dragLinePanel_ != nullptr) dragLinePanel_->Hide();
}

void TSubFrameSet::FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) {
  if (topSet_ == nullptr) return;
  TSubFrameSet* const dragging = topSet_->DraggingSet;
  if (dragging == this) {
    ShowDragLine(x, y);
    return;
  }
  // The moves of a drag come from the panel it started on, inside the
  // dragging set: they travel up to it.
  if (dragging != nullptr || PassedToEnclosingSet(x, y)) {
    if (TFrameBase* enclosing = EnclosingPanel()) enclosing->FrameMouseMove(sender, shift, x + Left(), y + Top());
    return;
  }
  const TNearestBorder nearest = FindNearestBorder(Borders, SplitCoordinate(x, y));
  DragBorder = nearest.Index;
  const bool blocked = static_cast<std::size_t>(DragBorder) < BlockedBorders.size() && BlockedBorders[DragBorder];
  auto* panel = dynamic_cast<cl::TControl*>(sender);
  if (panel == nullptr) return;
  if (DragBorder == 0 || nearest.Distance > BorderGrabDistance || blocked) panel->SetCursor(topSet_->FrameCursor);
  else panel->SetCursor(SplitRows ? cl::crVSplit : cl::crHSplit);
}

void TSubFrameSet::FrameMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (topSet_ == nullptr) return;
  if (PassedToEnclosingSet(x, y)) {
    if (TFrameBase* enclosing = EnclosingPanel()) enclosing->FrameMouseDown(sender, button, shift, x + Left(), y + Top());
    return;
  }
  if (button != cl::mbLeft) return;
  auto* panel = dynamic_cast<cl::TControl*>(sender);
  if (panel != nullptr && (panel->Cursor() == cl::crVSplit || panel->Cursor() == cl::crHSplit)) {
    topSet_->DraggingSet = this;
    ShowDragLine(x, y);
  }
}

void TSubFrameSet::FrameMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (topSet_ == nullptr) return;
  if (topSet_->DraggingSet != this) {
    if (PassedToEnclosingSet(x, y) || topSet_->DraggingSet != nullptr) {
      if (TFrameBase* enclosing = EnclosingPanel()) enclosing->FrameMouseUp(sender, button, shift, x + Left(), y + Top());
    }
    return;
  }
  if (button != cl::mbLeft) return;
  topSet_->DraggingSet = nullptr;
  HideDragLine();
  // Without a confined cursor the border is kept between its neighbours here.
  MoveBorder(Borders, DragBorder, SplitCoordinate(x, y));
  PixelSizes = SizesFromBorders(Borders, SizeTotal);
  PlaceChildren();
  Invalidate();
}

void TSubFrameSet::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseDown(button, shift, x, y);
  FrameMouseDown(this, button, shift, x, y);
}

void TSubFrameSet::MouseMove(cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseMove(shift, x, y);
  FrameMouseMove(this, shift, x, y);
}

void TSubFrameSet::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  TFrameBase::MouseUp(button, shift, x, y);
  FrameMouseUp(this, button, shift, x, y);
}

}  // namespace html
