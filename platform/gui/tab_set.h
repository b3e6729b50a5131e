#pragma once

#include <memory>

#include "platform/gui/control.h"
#include "platform/gui/control_items.h"

namespace cl {

// A row of tabs, one of them current (the class library's TTabSet).
class TTabSet : public TWinControl {
 public:
  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;

  TStrings& Tabs() { return *tabs_; }
  // The current tab, -1 for none; deleting tabs keeps it on its tab (on the
  // last one when it goes).
  int TabIndex() const { return tabIndex_; }
  // -1 or a tab of the set; any other index raises "Tab index out of bounds",
  // as the class library does. OnChange fires when the tab changes.
  void SetTabIndex(int index);

  TNotifyEvent OnChange;

 private:
  struct Bar;
  std::unique_ptr<Bar> bar_;
  std::unique_ptr<TControlItems> tabs_;
  int tabIndex_ = -1;
};

}  // namespace cl
