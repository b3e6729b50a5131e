#include "html/frames/frame_set.h"

#include <algorithm>

#include "html/frames/frame.h"
#include "html/frames/frame_viewer.h"
#include "platform/core/ansi_case.h"

namespace html {

TFrameSet::TFrameSet(cl::TComponent* owner) : TSubFrameSet(owner, nullptr) {
  topSet_ = this;
  FrameBorder = 2;
}

TFrameSet::~TFrameSet() {
  // The children reach into the tables below while they go.
  DestroyChildren();
  topSet_ = nullptr;
}

void TFrameSet::UpdateFrameList() {
  AllFrames.clear();
  TSubFrameSet::UpdateFrameList();
}

void TFrameSet::FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) {
  TSubFrameSet::FrameMouseMove(sender, shift, x, y);
  if (DraggingSet != nullptr) return;
  if (DragBorder == 0 || static_cast<std::size_t>(DragBorder) == SizeCodes.size()) {
    SetCursor(cl::crDefault);
    if (auto* panel = dynamic_cast<cl::TControl*>(sender)) panel->SetCursor(cl::crDefault);
  }
}

void TFrameSet::EndFrameSet(const TFrameDocumentInfo& info) {
  SetTitle = info.Title;
  TSubFrameSet::EndFrameSet(info);
  CalcSizes(0, 0, std::max(0, ClientWidth() - 2 * BevelInset), std::max(0, ClientHeight() - 2 * BevelInset));
}

void TFrameSet::Clear() {
  TSubFrameSet::Clear();
  NamedFrames.clear();
  AllFrames.clear();
  AllViewers.clear();
  FocusedViewer = nullptr;
  DraggingSet = nullptr;
  SetTitle.clear();
  SetFile.clear();
  LastClientWidth = 0;
  LastClientHeight = 0;
}

TFrame* TFrameSet::FindFrame(const std::string& name) const {
  const auto found = NamedFrames.find(cl::AnsiUpperCase(name));
  return found == NamedFrames.end() ? nullptr : found->second;
}

void TFrameSet::AddFrameName(const std::string& name, TFrame& frame) { NamedFrames[cl::AnsiUpperCase(name)] = &frame; }

void TFrameSet::RemoveFrameName(const std::string& name, const TFrame& frame) {
  const auto found = NamedFrames.find(cl::AnsiUpperCase(name));
  if (found != NamedFrames.end() && found->second == &frame) NamedFrames.erase(found);
}

void TFrameSet::RemoveFrame(const TFrame& frame) { std::erase(AllFrames, &frame); }

void TFrameSet::CheckResize() {
  const std::int32_t innerWidth = std::max(0, ClientWidth() - 2 * BevelInset);
  const std::int32_t innerHeight = std::max(0, ClientHeight() - 2 * BevelInset);
  if (innerWidth == LastClientWidth && innerHeight == LastClientHeight) return;
  CalcSizes(0, 0, innerWidth, innerHeight);
  PlaceChildren();
  LastClientWidth = innerWidth;
  LastClientHeight = innerHeight;
}

void TFrameSet::Resize() {
  TFrameBase::Resize();
  CheckResize();
}

TDocViewer* TFrameSet::ActiveViewer() const {
  return AllViewers.size() == 1 ? AllViewers.front() : FocusedViewer;
}

void TFrameSet::RemoveViewer(const TDocViewer& viewer) {
  std::erase(AllViewers, &viewer);
  if (FocusedViewer == &viewer) FocusedViewer = nullptr;
  if (OwnerViewer != nullptr) OwnerViewer->ViewerGone(viewer);
}

}  // namespace html
