#include "platform/gui/test_support/file_dialog_typing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include "platform/gui/qt_bridge.h"
#include "platform/gui/test_support/gui_test.h"

namespace cl::testing {

struct FileDialogTyping::Poll {
  QTimer timer;
  QPointer<QFileDialog> dialog;
};

FileDialogTyping::FileDialogTyping(std::string name, std::chrono::milliseconds timeout)
    : name_(std::move(name)), timeout_(timeout), start_(std::chrono::steady_clock::now()),
      poll_(std::make_unique<Poll>()) {
  EnsureGuiTestApplication();
  QObject::connect(&poll_->timer, &QTimer::timeout, [this] { Tick(); });
  poll_->timer.start(10);
}

FileDialogTyping::~FileDialogTyping() {
  poll_->timer.stop();
  if (!typed_ && !failed_) ADD_FAILURE() << "No file dialog came for \"" << name_ << "\"";
}

void FileDialogTyping::Tick() {
  QWidget* const active = QApplication::activeModalWidget();
  if (!typed_) {
    auto* const dialog = qobject_cast<QFileDialog*>(active);
    if (dialog != nullptr && dialog->isVisible() && dialog->windowHandle() != nullptr) {
      typed_ = true;
      start_ = std::chrono::steady_clock::now();
      poll_->dialog = dialog;
      QWindow* const window = dialog->windowHandle();
      // The name field has the focus: all of its text selected, then typed over.
      QTest::sendKeyEvent(QTest::Click, window, Qt::Key_A, QString(), Qt::ControlModifier);
      for (const QChar typed : ToQString(name_)) {
        const auto key = static_cast<Qt::Key>(typed.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, window, key, QString(typed), Qt::NoModifier);
      }
      // Return from an event of its own: the message box it may bring runs
      // its loop there, while this poll goes on.
      QPointer<QWindow> target(window);
      QTimer::singleShot(0, [target] {
        if (target) QTest::sendKeyEvent(QTest::Click, target, Qt::Key_Return, QString(), Qt::NoModifier);
      });
      return;
    }
  } else if (auto* const box = qobject_cast<QMessageBox*>(active); box != nullptr && box->isVisible()) {
    messages_.push_back(FromQString(box->text()));
    box->accept();
    return;
  } else if (poll_->dialog == nullptr || !poll_->dialog->isVisible()) {
    poll_->timer.stop();
    return;
  } else if (!messages_.empty() && active == poll_->dialog) {
    poll_->dialog->reject();
    return;
  }
  if (!failed_ && std::chrono::steady_clock::now() - start_ > timeout_) {
    failed_ = true;
    ADD_FAILURE() << (typed_ ? "The file dialog stayed after \"" : "No file dialog came for \"") << name_ << "\"";
    if (auto* const dialog = qobject_cast<QDialog*>(active)) dialog->reject();
  }
}

}  // namespace cl::testing
