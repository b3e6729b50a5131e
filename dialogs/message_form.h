#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/gui/form.h"

namespace dlg {

// Message types; a value above Custom is shown as a custom message.
enum class TMsgDlgType : std::uint8_t { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Button sets: bit n is the n-th button of the table in message_form.cpp
// (bits above 10 are ignored).
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3, mbAbort = 1 << 4,
                         mbRetry = 1 << 5, mbIgnore = 1 << 6, mbAll = 1 << 7, mbHelp = 1 << 8, mbAppend = 1 << 9,
                         mbOverwrite = 1 << 10;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo, mbOKOnly = mbOK, mbYesNoCancel = mbYes | mbNo | mbCancel;

// The message form at 96 pixels per inch, centred on the screen, owned by
// the caller.
std::unique_ptr<cl::TForm> BuildMessageForm(std::string_view msg, std::uint8_t dlgType, TMsgDlgButtons buttons);

// Builds the form, moves its left edge to x and its top edge to y where they
// are not negative, shows it modally and answers the modal result.
int MessageDlgPos(std::string_view msg, std::uint8_t dlgType, TMsgDlgButtons buttons, std::int32_t helpCtx,
                  std::int32_t x, std::int32_t y);

}  // namespace dlg
