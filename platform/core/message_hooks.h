#pragma once

#include <functional>

namespace win {

// Pumping of pending window messages and the message beep. platform/gui fills
// these hooks; without a GUI the pump sleeps briefly (through the scheduler)
// and the beep rings the terminal bell.
void SetMessagePumpHook(std::function<void()> pump);
void SetBeepHook(std::function<void()> beep);

// Runs the window messages waiting for the calling thread.
void PumpMessages();
void MessageBeep();

}  // namespace win
