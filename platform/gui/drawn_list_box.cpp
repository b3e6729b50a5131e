#include "platform/gui/drawn_list_box.h"

#include <algorithm>

#include "platform/gui/scroll_bar.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

// The sunken edge around the rows, and the scroll bar's width.
constexpr int kBorder = 2;
constexpr int kScrollBarWidth = 16;

}  // namespace

// The list's strings; every change reaches the list.
class TDrawnListBox::ItemList final : public TStrings {
 public:
  explicit ItemList(TDrawnListBox& list) : list_(list) {}

  int Count() const override { return strings_.Count(); }
  std::string Get(int index) const override { return strings_.Get(index); }
  void Put(int index, std::string_view text) override {
    strings_.Put(index, text);
    list_.ItemsChanged();
  }
  TObject* GetObject(int index) const override { return strings_.GetObject(index); }
  void PutObject(int index, TObject* object) override { strings_.PutObject(index, object); }
  void InsertObject(int index, std::string_view text, TObject* object) override {
    strings_.InsertObject(index, text, object);
    list_.ItemsChanged();
  }
  void Delete(int index) override {
    strings_.Delete(index);
    list_.ItemsChanged();
  }
  void Clear() override {
    strings_.Clear();
    list_.ItemsChanged();
  }

 protected:
  void SetUpdateState(bool updating) override {
    if (!updating) list_.ItemsChanged();
  }

 private:
  TDrawnListBox& list_;
  TStringList strings_;
};

TDrawnListBox::TDrawnListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<ItemList>(*this)) {
  SetTabStop(true);
  SetColor(clWindow);
  scrollBar_ = Make<TScrollBar>(*this);
  scrollBar_->SetKind(sbVertical);
  scrollBar_->SetTabStop(false);
  scrollBar_->SetVisible(false);
  scrollBar_->SetParent(this);
  scrollBar_->OnChange = [this](TObject*) { SetTopIndex(scrollBar_->Position()); };
  SetBounds(0, 0, 121, 97);
}

TDrawnListBox::~TDrawnListBox() = default;

void TDrawnListBox::SetItemHeight(int height) {
  itemHeight_ = std::max(1, height);
  ItemsChanged();
}

TRect TDrawnListBox::RowArea() const {
  const int right = Width() - kBorder - (scrollBar_->Visible() ? kScrollBarWidth : 0);
  return Rect(kBorder, kBorder, std::max(kBorder, right), std::max(kBorder, Height() - kBorder));
}

int TDrawnListBox::VisibleRows() const { return std::max(1, RowArea().Height() / itemHeight_); }

TRect TDrawnListBox::ItemRect(int index) const {
  const TRect area = RowArea();
  const int top = area.Top + (index - topIndex_) * itemHeight_;
  return Rect(area.Left, top, area.Right, top + itemHeight_);
}

int TDrawnListBox::ItemAtPos(TPoint point) const {
  const TRect area = RowArea();
  if (point.X < area.Left || point.X >= area.Right || point.Y < area.Top || point.Y >= area.Bottom) return -1;
  const int index = topIndex_ + (point.Y - area.Top) / itemHeight_;
  return index < Count() ? index : -1;
}

void TDrawnListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (index >= 0) {
    if (index < topIndex_) SetTopIndex(index);
    if (index >= topIndex_ + VisibleRows()) SetTopIndex(index - VisibleRows() + 1);
  }
  Invalidate();
}

void TDrawnListBox::SetTopIndex(int index) {
  const int highest = std::max(0, Count() - VisibleRows());
  index = std::clamp(index, 0, highest);
  if (index == topIndex_) return;
  topIndex_ = index;
  scrollBar_->SetPosition(index);
  Invalidate();
}

void TDrawnListBox::ItemsChanged() {
  if (items_->Updating()) return;
  if (itemIndex_ >= Count()) itemIndex_ = -1;
  UpdateScrollBar();
  SetTopIndex(topIndex_);
  Invalidate();
}

void TDrawnListBox::UpdateScrollBar() {
  // Whether the bar shows changes the rows' width, not their number.
  const bool needed = Count() > VisibleRows();
  scrollBar_->SetBounds(Width() - kBorder - kScrollBarWidth, kBorder, kScrollBarWidth,
                        std::max(0, Height() - 2 * kBorder));
  scrollBar_->SetVisible(needed);
  if (!needed) return;
  TScrollInfo info;
  info.Min = 0;
  info.Max = Count() - 1;
  info.Page = static_cast<uint32_t>(VisibleRows());
  info.Pos = topIndex_;
  scrollBar_->SetScrollInfo(info, SIF_ALL);
  scrollBar_->SetLargeChange(VisibleRows());
}

void TDrawnListBox::Resize() {
  UpdateScrollBar();
  SetTopIndex(topIndex_);
  TWinControl::Resize();
}

void TDrawnListBox::MarkByUser(int index) {
  if (Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  if (index == itemIndex_) return;
  SetItemIndex(index);
  Click();
}

void TDrawnListBox::Paint() {
  TCanvas& canvas = Canvas();
  const TRect all = Rect(0, 0, Width(), Height());
  canvas.FillRect(Rect(all.Left, all.Top, all.Right, all.Top + 1), clBtnShadow);
  canvas.FillRect(Rect(all.Left, all.Top, all.Left + 1, all.Bottom), clBtnShadow);
  canvas.FillRect(Rect(all.Left + 1, all.Top + 1, all.Right - 1, all.Top + 2), clWindowFrame);
  canvas.FillRect(Rect(all.Left + 1, all.Top + 1, all.Left + 2, all.Bottom - 1), clWindowFrame);
  canvas.FillRect(Rect(all.Left, all.Bottom - 1, all.Right, all.Bottom), clBtnHighlight);
  canvas.FillRect(Rect(all.Right - 1, all.Top, all.Right, all.Bottom), clBtnHighlight);
  canvas.FillRect(Rect(all.Left + 1, all.Bottom - 2, all.Right - 1, all.Bottom - 1), clBtnFace);
  canvas.FillRect(Rect(all.Right - 2, all.Top + 1, all.Right - 1, all.Bottom - 1), clBtnFace);

  const TRect area = RowArea();
  canvas.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
  canvas.FillRect(area, Color());
  const int last = std::min(Count(), topIndex_ + VisibleRows() + 1);
  for (int index = topIndex_; index < last; ++index) {
    const TRect row = ItemRect(index);
    const bool marked = index == itemIndex_;
    PrepareRowCanvas(canvas, *this, marked);
    TOwnerDrawState state = marked ? odSelected : 0;
    if (marked && Focused()) state |= odFocused;
    if (OnDrawItem) {
      OnDrawItem(this, index, row, state);
    } else {
      DrawPlainRow(canvas, row, items_->Get(index));
    }
  }
}

void TDrawnListBox::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 0 || (shift & (ssAlt | ssCtrl)) != 0 || Count() == 0) return;
  const int current = itemIndex_ < 0 ? topIndex_ - 1 : itemIndex_;
  int target = 0;
  switch (key) {
    case VK_UP: target = std::max(current - 1, 0); break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - VisibleRows() + 1; break;
    case VK_NEXT: target = current + VisibleRows() - 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    default: return;
  }
  MarkByUser(target);
  key = 0;
}

void TDrawnListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (CanFocus()) SetFocus();
  if (button == mbLeft) {
    if (const int index = ItemAtPos({x, y}); index >= 0) MarkByUser(index);
  }
  TWinControl::MouseDown(button, shift, x, y);
}

bool TDrawnListBox::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
  // Three rows a notch, as the system's list boxes scroll.
  SetTopIndex(topIndex_ - wheelDelta / 120 * 3);
  return true;
}

}  // namespace cl
