#pragma once

#include <functional>
#include <memory>

#include "platform/gui/component.h"

namespace cl {

// Runs an event handler as the layer runs every one: an exception goes to
// Application().HandleException and goes no further. busy (may be null) is
// the component whose event this is; a release of it, or of what owns or
// holds it, waits until its handlers have all returned.
void RunGuarded(TComponent* busy, const std::function<void()>& handler);

// The deferred release: the component is detached now (hidden, taken from its
// parent and owner) and freed once no handler of it or of its children runs
// and the current event has returned. Safe to call from its own events.
void Release(TComponent* owned);
void Release(std::unique_ptr<TComponent> component);
// Frees the component now when no handler of it or of its children runs,
// else releases it as above (nothing is left for the end of the program).
void FreeOrRelease(std::unique_ptr<TComponent> component);
// Frees released components whose handlers have returned (the loop does
// this; tests call it through ProcessMessages).
void FreeReleased();

}  // namespace cl
