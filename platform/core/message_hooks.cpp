#include "platform/core/message_hooks.h"

#include <unistd.h>

#include "platform/core/scheduler.h"

namespace win {

namespace {
// Installed once by the GUI layer when it starts.
std::function<void()> pumpHook;
std::function<void()> beepHook;
}  // namespace

void SetMessagePumpHook(std::function<void()> pump) { pumpHook = std::move(pump); }

void SetBeepHook(std::function<void()> beep) { beepHook = std::move(beep); }

void PumpMessages() {
  if (pumpHook) {
    pumpHook();
  } else {
    Sleep(1);
  }
}

void MessageBeep() {
  if (beepHook) {
    beepHook();
  } else if (isatty(STDERR_FILENO)) {
    [[maybe_unused]] const auto n = write(STDERR_FILENO, "\a", 1);
  }
}

}  // namespace win
