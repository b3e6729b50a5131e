#include "platform/gui/test_support/message_box_driver.h"

#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/gui/common_dialogs.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/test_support/gui_test.h"

namespace cl::testing {

namespace {

TRect RectOf(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

}  // namespace

struct MessageBoxDriver::Poll {
  QTimer timer;
};

MessageBoxDriver::MessageBoxDriver() : poll_(std::make_unique<Poll>()) {
  EnsureGuiTestApplication();
  seam_.Message = [](const std::string& text, const std::string& caption, uint32_t flags) {
    return QtDialogSeam().RunMessageBox(text, caption, flags);
  };
  QObject::connect(&poll_->timer, &QTimer::timeout, [this] { Tick(); });
  poll_->timer.start(10);
}

MessageBoxDriver::~MessageBoxDriver() { poll_->timer.stop(); }

void MessageBoxDriver::Tick() {
  auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  boxes_.push_back({FromQString(box->text()), FromQString(box->windowTitle()), RectOf(box->frameGeometry())});
  if (QPushButton* const button = box->defaultButton())
    button->click();
  else
    box->reject();
}

}  // namespace cl::testing
