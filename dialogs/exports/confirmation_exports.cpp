// The message shortcuts and sending confirmations of libbrandlg.so.

#include <cstdint>

#include "brandlg/confirmations.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "dialogs/confirmations.h"
#include "dialogs/message_shortcuts.h"

namespace {

constexpr std::uint16_t EventText = 20485;

std::uint16_t Result(int modalResult) { return static_cast<std::uint16_t>(modalResult); }

}  // namespace

BRANNIK_EXPORT std::uint16_t TOPMESSAGE(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons,
                                        std::int32_t helpCtx) {
  return ExportGuard<std::uint16_t>(
      0, [&] { return Result(dlg::TopMessage(ShortArg(msg), dlgType, buttons, helpCtx)); });
}

BRANNIK_EXPORT std::uint16_t SHOWERROR(const ShortString* msg) {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::ShowError(ShortArg(msg))); });
}

BRANNIK_EXPORT std::uint16_t ERROR(std::uint16_t textNo) {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::ErrorText(textNo)); });
}

BRANNIK_EXPORT std::uint16_t WARNING(std::uint16_t textNo) {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::WarningText(textNo)); });
}

BRANNIK_EXPORT std::uint16_t CONFIRM(std::uint16_t textNo) {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::ConfirmText(textNo)); });
}

BRANNIK_EXPORT std::uint16_t OK(std::uint16_t textNo) {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::OkText(textNo)); });
}

BRANNIK_EXPORT std::uint16_t EVENTOK() {
  return ExportGuard<std::uint16_t>(0, [&] { return Result(dlg::OkText(EventText)); });
}

BRANNIK_EXPORT void LETTERSENDOK(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2) {
  ExportGuardVoid([&] { dlg::ShowConfirmation(dlg::LetterPattern(count, flag1, flag2), count); });
}

BRANNIK_EXPORT void POLLSENDOK(std::int32_t count, std::uint8_t kind, std::uint8_t flag) {
  ExportGuardVoid([&] { dlg::ShowConfirmation(dlg::PollPattern(count, kind, flag), count); });
}

BRANNIK_EXPORT void QUERYSENDOK(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2) {
  ExportGuardVoid([&] { dlg::ShowConfirmation(dlg::QueryPattern(count, flag1, flag2), count); });
}

BRANNIK_EXPORT void GETFSENDOK(std::int32_t count, std::uint8_t flag) {
  ExportGuardVoid([&] { dlg::ShowConfirmation(dlg::GetfPattern(count, flag), count); });
}

BRANNIK_EXPORT void SMSSENDOK(std::int32_t count, std::uint8_t flag) {
  ExportGuardVoid([&] { dlg::ShowConfirmation(dlg::SmsPattern(count, flag), count); });
}
