#include "platform/gui/notebook.h"

namespace cl {

TPage::TPage(TComponent* owner) : TWinControl(owner) {}

void TPage::Paint() { Canvas().FillRect(ClientRect(), Color()); }

TNotebook::TNotebook(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 150); }

TPage& TNotebook::AddPage(std::string caption) {
  auto* page = Make<TPage>(*this);
  page->SetCaption(std::move(caption));
  page->SetParent(this);
  page->SetBounds(0, 0, Width(), Height());
  pages_.push_back(page);
  page->SetVisible(PageCount() - 1 == pageIndex_);
  if (pageIndex_ < 0) SetPageIndex(0);
  return *page;
}

std::vector<std::string> TNotebook::PageCaptions() const {
  std::vector<std::string> captions;
  for (const TPage* page : pages_) captions.push_back(page->Caption());
  return captions;
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= PageCount() || index == pageIndex_) return;
  pageIndex_ = index;
  for (int i = 0; i < PageCount(); ++i) Page(i).SetVisible(i == index);
  if (OnPageChanged) OnPageChanged(this);
}

void TNotebook::Paint() { Canvas().FillRect(ClientRect(), Color()); }

void TNotebook::BoundsChanged() {
  for (TPage* page : pages_) page->SetBounds(0, 0, Width(), Height());
}

}  // namespace cl
