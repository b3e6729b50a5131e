#include "platform/gui/header.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gui/gdi_constants.h"

namespace cl {

THeader::THeader(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 250, 25); }

const THeader::Section& THeader::At(int index) const {
  if (index < 0 || index >= SectionCount()) throw std::out_of_range("THeader: no such section");
  return sections_[static_cast<size_t>(index)];
}

const std::string& THeader::SectionText(int index) const { return At(index).caption; }

int32_t THeader::SectionWidth(int index) const { return At(index).width; }

void THeader::SetSectionWidth(int index, int32_t width) {
  At(index);
  sections_[static_cast<size_t>(index)].width = std::max(width, MinSectionWidth);
  Invalidate();
}

int32_t THeader::SectionLeft(int index) const {
  int32_t left = 0;
  for (int i = 0; i < index && i < SectionCount(); ++i) left += sections_[static_cast<size_t>(i)].width;
  return left;
}

void THeader::AddSection(std::string caption, int32_t width) {
  sections_.push_back({std::move(caption), std::max(width, MinSectionWidth)});
  Invalidate();
}

void THeader::ClearSections() {
  sections_.clear();
  dragged_ = -1;
  Invalidate();
}

int THeader::GripAt(int32_t x) const {
  int32_t right = 0;
  int found = -1;
  // The last edge within reach wins, so a narrow section can still be widened.
  for (int i = 0; i < SectionCount(); ++i) {
    right += sections_[static_cast<size_t>(i)].width;
    if (x >= right - GripPixels && x <= right + GripPixels) found = i;
  }
  return found;
}

void THeader::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.FillRect(client, Color());
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  int32_t left = 0;
  for (const Section& section : sections_) {
    const TRect cell = Rect(left, client.Top, left + section.width, client.Bottom);
    canvas.FillRect(Rect(cell.Left, cell.Top, cell.Right, cell.Top + 1), clBtnHighlight);
    canvas.FillRect(Rect(cell.Left, cell.Top, cell.Left + 1, cell.Bottom), clBtnHighlight);
    canvas.FillRect(Rect(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom), clBtnShadow);
    canvas.FillRect(Rect(cell.Right - 1, cell.Top, cell.Right, cell.Bottom), clBtnShadow);
    const int32_t textTop = cell.Top + (cell.Height() - canvas.TextHeight(section.caption)) / 2;
    const TRect textRect = Rect(cell.Left + 1, cell.Top + 1, cell.Right - 2, cell.Bottom - 1);
    canvas.ExtTextOut(cell.Left + 4, textTop, win::ETO_CLIPPED, &textRect, section.caption);
    left = cell.Right;
  }
}

void THeader::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && allowResize_) dragged_ = GripAt(x);
  TWinControl::MouseDown(button, shift, x, y);
}

void THeader::MouseMove(TShiftState shift, int x, int y) {
  if (dragged_ >= 0) {
    SetSectionWidth(dragged_, x - SectionLeft(dragged_));
    if (OnSizing) OnSizing(this, dragged_, SectionWidth(dragged_));
  } else {
    SetCursor(allowResize_ && GripAt(x) >= 0 ? crHSplit : crDefault);
  }
  TWinControl::MouseMove(shift, x, y);
}

void THeader::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const int dragged = dragged_;
  dragged_ = -1;
  if (dragged >= 0 && button == mbLeft) {
    SetSectionWidth(dragged, x - SectionLeft(dragged));
    if (OnSized) OnSized(this, dragged, SectionWidth(dragged));
  }
  TWinControl::MouseUp(button, shift, x, y);
}

}  // namespace cl
