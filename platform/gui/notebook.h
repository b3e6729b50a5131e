#pragma once

#include <string>
#include <vector>

#include "platform/gui/control.h"

namespace cl {

// A page of a notebook: holds its controls.
class TPage : public TWinControl {
 public:
  explicit TPage(TComponent* owner);
  void Paint() override;
};

// Pages on top of each other, one shown (the class library's TNotebook). The
// pages fill the notebook; each has a caption.
class TNotebook : public TWinControl {
 public:
  explicit TNotebook(TComponent* owner);

  // A new last page with the caption.
  TPage& AddPage(std::string caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TPage& Page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
  std::vector<std::string> PageCaptions() const;
  // The shown page; an index outside the pages is ignored.
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int index);

  TNotifyEvent OnPageChanged;

  void Paint() override;

 protected:
  void BoundsChanged() override;

 private:
  std::vector<TPage*> pages_;  // owned by the notebook as their owner
  int pageIndex_ = -1;
};

}  // namespace cl
