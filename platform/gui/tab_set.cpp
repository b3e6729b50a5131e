#include "platform/gui/tab_set.h"

#include <QTabBar>

#include "platform/core/exception.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

struct TTabSet::Bar : TControlItems::Host {
  Bar(QTabBar* bar, int& tabIndex) : bar(bar), tabIndex(tabIndex) {}
  // Changes by the program are no user's choice: no signals.
  void HostInsert(int index, const std::string& text) override {
    const QSignalBlocker block(bar);
    bar->insertTab(index, ToQString(text));
    if (tabIndex >= index) ++tabIndex;
  }
  void HostPut(int index, const std::string& text) override { bar->setTabText(index, ToQString(text)); }
  void HostDelete(int index) override {
    const QSignalBlocker block(bar);
    bar->removeTab(index);
    // The current tab stays where it was, or is the last one left.
    if (tabIndex > index || tabIndex >= bar->count()) --tabIndex;
  }
  void HostClear() override {
    const QSignalBlocker block(bar);
    while (bar->count() > 0) bar->removeTab(bar->count() - 1);
    tabIndex = -1;
  }
  QTabBar* bar;
  int& tabIndex;
};

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner, new Bridged<QTabBar>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 185, 21);
  auto* bar = static_cast<QTabBar*>(Widget());
  bar->setDrawBase(false);
  bar_ = std::make_unique<Bar>(bar, tabIndex_);
  tabs_ = std::make_unique<TControlItems>(*bar_);
  QObject::connect(bar, &QTabBar::currentChanged, [this](int index) {
    RunGuarded(this, [&] { SetTabIndex(index); });
  });
}

TTabSet::~TTabSet() = default;

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= tabs_->Count()) throw Exception("Tab index out of bounds");
  auto* bar = static_cast<QTabBar*>(Widget());
  {
    const QSignalBlocker block(bar);
    bar->setCurrentIndex(index);
  }
  if (index == tabIndex_) return;
  tabIndex_ = index;
  if (OnChange) OnChange(this);
}

}  // namespace cl
