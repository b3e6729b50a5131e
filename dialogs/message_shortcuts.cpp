#include "dialogs/message_shortcuts.h"

#include "utility/beeper.h"
#include "dialogs/message_form.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

constexpr std::uint16_t ErrorSoundSlot = 4;

}  // namespace

int TopMessage(std::string_view msg, std::uint8_t dlgType, std::uint16_t buttons, std::int32_t helpCtx) {
  return MessageDlgPos(msg, dlgType, buttons, helpCtx, -1, -1);
}

int ShowError(std::string_view msg) {
  utl::BEEP(ErrorSoundSlot);
  return TopMessage(msg, static_cast<std::uint8_t>(TMsgDlgType::Error), mbOK);
}

int ErrorText(std::uint16_t textNo) { return ShowError(SuiteText(textNo)); }

int WarningText(std::uint16_t textNo) {
  return TopMessage(SuiteText(textNo), static_cast<std::uint8_t>(TMsgDlgType::Warning), mbOK);
}

int ConfirmText(std::uint16_t textNo) {
  return TopMessage(SuiteText(textNo), static_cast<std::uint8_t>(TMsgDlgType::Confirmation), mbYesNo);
}

int OkText(std::uint16_t textNo) {
  return TopMessage(SuiteText(textNo), static_cast<std::uint8_t>(TMsgDlgType::Information), mbOK);
}

}  // namespace dlg
