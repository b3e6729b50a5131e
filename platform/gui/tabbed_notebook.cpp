#include "platform/gui/tabbed_notebook.h"

#include <algorithm>
#include <stdexcept>

namespace cl {

namespace {

constexpr int32_t TabPadding = 8;

}  // namespace

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 300, 250);
  SetTabStop(true);
}

TTabbedNotebook::~TTabbedNotebook() {
  // The pages go before the notebook loses its children list.
  pages_.clear();
}

TPage& TTabbedNotebook::AddPage(std::string caption) {
  auto page = std::make_unique<TPage>(nullptr);
  page->SetCaption(std::move(caption));
  page->SetParent(this);
  TPage& added = *page;
  pages_.push_back(std::move(page));
  if (pageIndex_ < 0) pageIndex_ = 0;
  PlacePages();
  Invalidate();
  return added;
}

TPage& TTabbedNotebook::Page(int index) const {
  if (index < 0 || index >= PageCount()) throw std::out_of_range("TTabbedNotebook: no such page");
  return *pages_[static_cast<size_t>(index)];
}

const std::string& TTabbedNotebook::PageCaption(int index) const { return Page(index).Caption(); }

void TTabbedNotebook::SetPageCaption(int index, std::string caption) {
  Page(index).SetCaption(std::move(caption));
  Invalidate();
}

void TTabbedNotebook::SetPageIndex(int index) {
  Page(index);
  if (index == pageIndex_) return;
  pageIndex_ = index;
  PlacePages();
  Invalidate();
}

TRect TTabbedNotebook::TabRect(int index) const {
  int32_t left = 2;
  for (int i = 0; i < PageCount(); ++i) {
    const int32_t width = Font().TextWidth(pages_[static_cast<size_t>(i)]->Caption()) + 2 * TabPadding;
    if (i == index) return Rect(left, 0, left + width, TabHeight);
    left += width;
  }
  return {};
}

int TTabbedNotebook::TabAt(int32_t x, int32_t y) const {
  for (int i = 0; i < PageCount(); ++i) {
    const TRect r = TabRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

void TTabbedNotebook::PlacePages() {
  const TRect client = ClientRect();
  for (int i = 0; i < PageCount(); ++i) {
    TPage& page = *pages_[static_cast<size_t>(i)];
    page.SetBounds(client.Left + 2, client.Top + TabHeight + 2, std::max(0, client.Width() - 4),
                   std::max(0, client.Height() - TabHeight - 4));
    page.SetVisible(i == pageIndex_);
  }
}

void TTabbedNotebook::Resize() {
  PlacePages();
  TWinControl::Resize();
}

void TTabbedNotebook::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.FillRect(client, Color());
  const TRect frame = Rect(client.Left, client.Top + TabHeight, client.Right, client.Bottom);
  canvas.FillRect(Rect(frame.Left, frame.Top, frame.Right, frame.Top + 1), clBtnHighlight);
  canvas.FillRect(Rect(frame.Left, frame.Top, frame.Left + 1, frame.Bottom), clBtnHighlight);
  canvas.FillRect(Rect(frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom), clBtnShadow);
  canvas.FillRect(Rect(frame.Right - 1, frame.Top, frame.Right, frame.Bottom), clBtnShadow);
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  for (int i = 0; i < PageCount(); ++i) {
    TRect tab = TabRect(i);
    // The current tab stands out and joins its page.
    if (i != pageIndex_) tab.Top += 2;
    canvas.FillRect(Rect(tab.Left, tab.Top, tab.Right, tab.Bottom + (i == pageIndex_ ? 1 : 0)), Color());
    canvas.FillRect(Rect(tab.Left, tab.Top, tab.Right, tab.Top + 1), clBtnHighlight);
    canvas.FillRect(Rect(tab.Left, tab.Top, tab.Left + 1, tab.Bottom), clBtnHighlight);
    canvas.FillRect(Rect(tab.Right - 1, tab.Top, tab.Right, tab.Bottom), clBtnShadow);
    const std::string& caption = pages_[static_cast<size_t>(i)]->Caption();
    canvas.TextOut(tab.Left + TabPadding, tab.Top + (tab.Height() - canvas.TextHeight(caption)) / 2, caption);
  }
}

void TTabbedNotebook::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  const int tab = TabAt(x, y);
  if (tab < 0 || tab == pageIndex_) return;
  bool allow = true;
  if (OnChange) OnChange(this, tab, allow);
  if (!allow) return;
  // OnClick follows from the layer when the button comes up.
  SetPageIndex(tab);
}

}  // namespace cl
