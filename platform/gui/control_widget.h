#pragma once

// platform/gui's own: the Qt widgets behind the controls and the dispatch of
// Qt's events to the controls' handlers.

#include <QEvent>
#include <QWidget>

#include "platform/gui/control.h"
#include "platform/gui/handler_guard.h"

namespace cl {

// The event type that carries a posted message.
constexpr QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::User + 1);

struct TControl::Access {
  static QWidget* Widget(const TControl& control) { return control.widget_.get(); }
  static bool PaintsItself(const TControl& control) { return control.paintsItself_; }
  // Runs the control's side of a Qt event; true when Qt must not see it.
  static bool Dispatch(TControl& control, QWidget& widget, QEvent* event);
  // A top-level widget moved or resized by the window system.
  static void TakeWindowGeometry(TControl& control);
};

// A Qt widget of type Base whose events go to a control first. Handlers run
// inside the guard, and so does Qt's own handling (which may fire signals
// bound to the control's events).
template <class Base>
class Bridged : public Base {
 public:
  template <class... Args>
  explicit Bridged(TControl* control, Args&&... args) : Base(std::forward<Args>(args)...), control_(control) {}

  TControl* Control() const { return control_; }

 protected:
  bool event(QEvent* event) override {
    bool result = true;
    RunGuarded(control_, [&] {
      if (TControl::Access::Dispatch(*control_, *this, event)) return;
      result = Base::event(event);
    });
    return result;
  }

 private:
  TControl* control_;
};

// The control behind a widget made by the layer, or null.
TControl* ControlOf(const QWidget* widget);

}  // namespace cl
