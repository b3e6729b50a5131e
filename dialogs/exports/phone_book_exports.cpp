// The phone-book exports of libbrandlg.so: loading, saving, keys and validity.
// A caller's list is a cl::TStrings whose row objects are tPhoneBookEntry
// objects made here; an entry crosses as the fixed-layout tPhoneBookItem.

#include <cstdint>

#include "dialogs/phone_book.h"
#include "dialogs/phone_book_item.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "platform/core/string_list.h"

BRANNIK_EXPORT std::uint8_t SAVEPHONEBOOK(const ShortString* fileName, const cl::TStrings* list) {
  return ExportGuard<std::uint8_t>(1, [&]() -> std::uint8_t {
    if (!list) return 1;
    return dlg::SavePhoneBook(ShortArg(fileName), *list) ? 1 : 0;
  });
}

BRANNIK_EXPORT std::uint8_t LOADPHONEBOOK(const ShortString* fileName, cl::TStrings* list, std::uint8_t kind) {
  return ExportGuard<std::uint8_t>(1, [&]() -> std::uint8_t {
    if (!list) return 1;
    dlg::LoadPhoneBook(ShortArg(fileName), *list, kind);
    return 0;
  });
}

BRANNIK_EXPORT void PHONEITEM2KEY(const dlg::tPhoneBookItem* entry, std::uint8_t kind, ShortString* key) {
  ShortResult(key, "");
  ExportGuardVoid([&] {
    if (dlg::IsPhoneBookItem(entry)) ShortResult(key, dlg::PhoneItemKey(*entry, kind));
  });
}

BRANNIK_EXPORT std::uint8_t ISPHONEITEMVALID(const dlg::tPhoneBookItem* entry) {
  return ExportGuard<std::uint8_t>(0, [&]() -> std::uint8_t {
    return dlg::IsPhoneBookItem(entry) && dlg::IsPhoneItemValid(*entry) ? 1 : 0;
  });
}
