// The bit-set editor of libbrandlg.so.

#include <cstdint>
#include <cstring>

#include "brandlg/editors.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "dialogs/bit_set_editor.h"

// original and current are the caller's 32-byte sets; items is one element
// text a line. Answers the modal result, 3 on failure.
BRANNIK_EXPORT std::uint16_t EDITBITSET(std::uint8_t editable, const ShortString* caption, const void* original,
                                        void* current, const char* items) {
  constexpr std::uint16_t failure = 3;
  return ExportGuard<std::uint16_t>(failure, [&]() -> std::uint16_t {
    if (original == nullptr || current == nullptr) return failure;
    dlg::tBitSet256 before, edited;
    std::memcpy(before.bytes.data(), original, before.bytes.size());
    std::memcpy(edited.bytes.data(), current, edited.bytes.size());
    const int result =
        dlg::EditBitSet(editable != 0, ShortArg(caption), before, edited, items != nullptr ? items : "");
    std::memcpy(current, edited.bytes.data(), edited.bytes.size());
    return static_cast<std::uint16_t>(result);
  });
}
