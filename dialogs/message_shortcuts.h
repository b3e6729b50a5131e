#pragma once

#include <cstdint>
#include <string_view>

namespace dlg {

// The message box at the centre (the shortcuts below use help context 0).
int TopMessage(std::string_view msg, std::uint8_t dlgType, std::uint16_t buttons, std::int32_t helpCtx = 0);
// The error sound (slot 4), then msg as an error with OK.
int ShowError(std::string_view msg);
// Text textNo as an error (with the sound), a warning, a confirmation with
// Yes and No, an information.
int ErrorText(std::uint16_t textNo);
int WarningText(std::uint16_t textNo);
int ConfirmText(std::uint16_t textNo);
int OkText(std::uint16_t textNo);

}  // namespace dlg
