// The phone-book entry editor of libbrandlg.so.

#include <cstdint>

#include "brandlg/phone_book.h"
#include "dialogs/disk.h"
#include "dialogs/phone_book_entry.h"
#include "dialogs/phone_item_form.h"
#include "platform/core/export_guard.h"

BRANNIK_EXPORT std::uint16_t EDITPHONEITEM(tPhoneBookItem* entry, std::uint8_t allowedUseFor) {
  return ExportGuard<std::uint16_t>(2, [&]() -> std::uint16_t {
    auto item = dlg::ReadCallerEntry(entry);
    if (!item) return 2;
    const auto result = static_cast<std::uint16_t>(dlg::EditPhoneItem(*item, allowedUseFor, dlg::GlobalDisk()));
    if (result == cl::mrOk) dlg::WriteCallerEntry(entry, *item);
    return result;
  });
}
