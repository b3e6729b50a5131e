#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/notebook.h"

namespace cl {

using TTabChangeEvent = std::function<void(TObject* sender, int newTab, bool& allowChange)>;

// Pages under a row of tabs it draws itself; one page shows at a time. A
// click on another tab asks OnChange first (which may refuse it), then
// switches and runs OnClick. Setting PageIndex from code switches without
// asking. Its pages are the notebook's TPage, each tab's caption the page's.
class TTabbedNotebook : public TWinControl {
 public:
  static constexpr int32_t TabHeight = 22;

  explicit TTabbedNotebook(TComponent* owner);
  ~TTabbedNotebook() override;

  // Adds a page with its tab caption; the notebook owns it.
  TPage& AddPage(std::string caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TPage& Page(int index) const;
  const std::string& PageCaption(int index) const;
  void SetPageCaption(int index, std::string caption);
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int index);
  // A tab's rectangle in the notebook's client coordinates.
  TRect TabRect(int index) const;
  // The tab at a client point, or -1.
  int TabAt(int32_t x, int32_t y) const;

  TTabChangeEvent OnChange;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Resize() override;

 private:
  void PlacePages();

  std::vector<std::unique_ptr<TPage>> pages_;
  int pageIndex_ = -1;
};

}  // namespace cl
