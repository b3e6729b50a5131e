#pragma once

#include <cstdint>

namespace cl {

class TControl;

// A window message as WndProc sees it.
struct TMessage {
  uint32_t Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

constexpr uint32_t WM_SETREDRAW = 0x000B, WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_USER = 0x0400;

// Queues a message for control's WndProc; it runs after the current event,
// inside the handler guard. Nothing arrives once the control is freed.
void PostMessage(TControl& control, uint32_t msg, intptr_t wParam, intptr_t lParam);
// Runs control's WndProc now and answers the message's result.
intptr_t SendMessage(TControl& control, uint32_t msg, intptr_t wParam, intptr_t lParam);

}  // namespace cl
