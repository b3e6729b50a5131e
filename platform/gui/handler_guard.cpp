#include "platform/gui/handler_guard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <vector>

#include "platform/core/exception.h"
#include "platform/gui/application.h"
#include "platform/gui/control.h"

namespace cl {

namespace {

// The components whose handlers are running, innermost last, and the
// released ones waiting for them to return. GUI thread only.
std::vector<TComponent*>& BusyStack() {
  static std::vector<TComponent*> stack;
  return stack;
}

std::vector<std::unique_ptr<TComponent>>& Released() {
  static std::vector<std::unique_ptr<TComponent>> released;
  return released;
}

// Whether component is, or owns or holds, one whose handler runs.
bool InUse(const TComponent* component) {
  for (const TComponent* busy : BusyStack()) {
    for (const TComponent* c = busy; c != nullptr; c = c->Owner()) {
      if (c == component) return true;
    }
    if (const auto* control = dynamic_cast<const TControl*>(busy)) {
      for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == component) return true;
      }
    }
  }
  return false;
}

// Frees the released components from Qt's loop, after the event that
// released them has gone all the way back through Qt's dispatch.
class Releaser : public QObject {
 public:
  static constexpr QEvent::Type kFreeEvent = static_cast<QEvent::Type>(QEvent::User + 7);
  bool event(QEvent* event) override {
    if (event->type() != kFreeEvent) return QObject::event(event);
    posted_ = false;
    FreeReleased();
    return true;
  }
  void Post() {
    if (posted_ || QCoreApplication::instance() == nullptr) return;
    posted_ = true;
    QCoreApplication::postEvent(this, new QEvent(kFreeEvent));
  }

 private:
  bool posted_ = false;
};

Releaser& TheReleaser() {
  static Releaser releaser;
  return releaser;
}

void ReportUnknown() {
  Application().HandleException(Exception("An unknown exception was raised in an event handler"));
}

}  // namespace

void RunGuarded(TComponent* busy, const std::function<void()>& handler) {
  BusyStack().push_back(busy);
  try {
    handler();
  } catch (const std::exception& error) {
    try {
      Application().HandleException(error);
    } catch (...) {
      // The report itself failed; nothing may leave the handler.
    }
  } catch (...) {
    try {
      ReportUnknown();
    } catch (...) {
    }
  }
  BusyStack().pop_back();
  if (!Released().empty()) TheReleaser().Post();
}

void Release(TComponent* owned) {
  if (owned == nullptr) return;
  std::unique_ptr<TComponent> component;
  if (owned->Owner() != nullptr) component = owned->Owner()->RemoveComponent(owned);
  if (component == nullptr) return;  // not held by its owner: its keeper frees it
  Release(std::move(component));
}

void Release(std::unique_ptr<TComponent> component) {
  if (component == nullptr) return;
  if (auto* control = dynamic_cast<TControl*>(component.get())) {
    control->Hide();
    control->SetParent(nullptr);
  }
  Released().push_back(std::move(component));
  TheReleaser().Post();
}

void FreeOrRelease(std::unique_ptr<TComponent> component) {
  if (component == nullptr) return;
  if (InUse(component.get())) {
    Release(std::move(component));
    return;
  }
  component.reset();
}

void FreeReleased() {
  auto& released = Released();
  // Freeing may release more (a form freeing its parts); loop until settled.
  bool freed = true;
  while (freed) {
    freed = false;
    for (size_t i = 0; i < released.size(); ++i) {
      if (InUse(released[i].get())) continue;
      std::unique_ptr<TComponent> component = std::move(released[i]);
      released.erase(released.begin() + static_cast<std::ptrdiff_t>(i));
      component.reset();
      freed = true;
      break;
    }
  }
  if (!released.empty() && BusyStack().empty()) TheReleaser().Post();
}

}  // namespace cl
