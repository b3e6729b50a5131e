// The phone-book entry editor of libbrandlg.so.

#include <cstdint>

#include "dialogs/disk.h"
#include "dialogs/phone_book_item.h"
#include "dialogs/phone_item_form.h"
#include "platform/core/export_guard.h"

BRANNIK_EXPORT std::uint16_t EDITPHONEITEM(dlg::tPhoneBookItem* entry, std::uint8_t allowedUseFor) {
  return ExportGuard<std::uint16_t>(2, [&]() -> std::uint16_t {
    if (!dlg::IsPhoneBookItem(entry)) return 2;
    return static_cast<std::uint16_t>(dlg::EditPhoneItem(*entry, allowedUseFor, dlg::GlobalDisk()));
  });
}
