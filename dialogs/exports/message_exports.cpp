// The message and input boxes of libbrandlg.so.

#include <cstdint>

#include "brandlg/message_boxes.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "dialogs/input_query.h"
#include "dialogs/message_form.h"

BRANNIK_EXPORT std::uint16_t MESSAGEDLGPOS(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons,
                                           std::int32_t helpCtx, std::int32_t x, std::int32_t y) {
  return ExportGuard<std::uint16_t>(0, [&] {
    return static_cast<std::uint16_t>(dlg::MessageDlgPos(ShortArg(msg), dlgType, buttons, helpCtx, x, y));
  });
}

BRANNIK_EXPORT std::uint16_t MESSAGEDLG(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons,
                                        std::int32_t helpCtx) {
  return MESSAGEDLGPOS(msg, dlgType, buttons, helpCtx, -1, -1);
}

BRANNIK_EXPORT std::uint16_t SHOWMESSAGEPOS(const ShortString* msg, std::int32_t x, std::int32_t y) {
  return MESSAGEDLGPOS(msg, static_cast<std::uint8_t>(dlg::TMsgDlgType::Custom), dlg::mbOK, 0, x, y);
}

BRANNIK_EXPORT std::uint16_t SHOWMESSAGE(const ShortString* msg) { return SHOWMESSAGEPOS(msg, -1, -1); }

BRANNIK_EXPORT std::uint8_t INPUTQUERY(const ShortString* caption, const ShortString* prompt, ShortString* value) {
  return ExportGuard<std::uint8_t>(0, [&]() -> std::uint8_t {
    const auto edited = dlg::InputQuery(ShortArg(caption), ShortArg(prompt), ShortArg(value));
    if (!edited) return 0;
    ShortResult(value, *edited);
    return 1;
  });
}

BRANNIK_EXPORT void INPUTBOX(const ShortString* caption, const ShortString* prompt, const ShortString* defaultValue,
                             ShortString* result) {
  // The default and the result may be one buffer.
  const std::string fallback = ShortArg(defaultValue);
  ShortResult(result, ExportGuard<std::string>(fallback, [&] {
                return dlg::InputBox(ShortArg(caption), ShortArg(prompt), fallback);
              }));
}
