// The dual-list chooser of libbrandlg.so.

#include <cstdint>

#include "brandlg/editors.h"
#include "dialogs/dual_list_form.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"

BRANNIK_EXPORT std::uint16_t SELECTFROMDUAL(std::int32_t x, std::int32_t y, const ShortString* fileName,
                                            const ShortString* formCaption, const ShortString* headerCaption1,
                                            const ShortString* headerCaption2, const ShortString* current,
                                            ShortString* key, ShortString* value) {
  return ExportGuard<std::uint16_t>(2, [&]() -> std::uint16_t {
    const dlg::DualChoice choice =
        dlg::SelectFromDual(x, y, ShortArg(fileName), ShortArg(formCaption), ShortArg(headerCaption1),
                            ShortArg(headerCaption2), ShortArg(current));
    if (choice.chosen) {
      ShortResult(key, choice.key);
      ShortResult(value, choice.value);
    }
    return static_cast<std::uint16_t>(choice.result);
  });
}
