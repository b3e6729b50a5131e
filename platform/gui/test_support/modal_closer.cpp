#include "platform/gui/test_support/modal_closer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace cl::testing {

namespace {

class CloseOnShow final : public QObject {
 public:
  int closed = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* const widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || widget->windowModality() != Qt::ApplicationModal) return false;
    // From the event loop, after the form's modal loop has begun, as a click
    // on the title bar's close button would come.
    QMetaObject::invokeMethod(
        this,
        [this, window = QPointer<QWidget>(widget)] {
          if (window == nullptr || !window->isVisible()) return;
          ++closed;
          window->close();
        },
        Qt::QueuedConnection);
    return false;
  }
};

// Qt calls its start routines without an argument: the one closer lives here.
CloseOnShow* closer = nullptr;

void InstallCloser() {
  if (closer != nullptr && QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->installEventFilter(closer);
  }
}

}  // namespace

ModalCloser::ModalCloser() {
  closer = new CloseOnShow;
  if (QCoreApplication::instance() != nullptr) {
    InstallCloser();
  } else {
    qAddPreRoutine(InstallCloser);
  }
}

ModalCloser::~ModalCloser() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(closer);
  delete closer;
  closer = nullptr;
}

int ModalCloser::Closed() const { return closer->closed; }

}  // namespace cl::testing
