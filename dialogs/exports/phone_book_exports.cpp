// The phone-book exports of libbrandlg.so: loading, saving, keys and validity.
// A caller's list is a cl::TStrings whose row objects are the library's
// tPhoneBookItem objects; an entry pointer is the object itself, or an entry
// the caller built by the public header.

#include <cstdint>
#include <optional>

#include "brandlg/phone_book.h"
#include "dialogs/phone_book.h"
#include "dialogs/phone_book_entry.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "platform/core/string_list.h"

BRANNIK_EXPORT std::uint8_t SAVEPHONEBOOK(const ShortString* fileName, const BrandlgStrings* list) {
  return ExportGuard<std::uint8_t>(1, [&]() -> std::uint8_t {
    if (!list) return 1;
    dlg::SavePhoneBook(ShortArg(fileName), *list);
    return 0;
  });
}

BRANNIK_EXPORT std::uint8_t LOADPHONEBOOK(const ShortString* fileName, BrandlgStrings* list, std::uint8_t kind) {
  return ExportGuard<std::uint8_t>(1, [&]() -> std::uint8_t {
    if (!list) return 1;
    dlg::LoadPhoneBook(ShortArg(fileName), *list, kind);
    return 0;
  });
}

BRANNIK_EXPORT void PHONEITEM2KEY(const tPhoneBookItem* entry, std::uint8_t kind, ShortString* key) {
  ShortResult(key, "");
  ExportGuardVoid([&] {
    if (const auto item = dlg::ReadCallerEntry(entry)) ShortResult(key, dlg::PhoneItemKey(*item, kind));
  });
}

BRANNIK_EXPORT std::uint8_t ISPHONEITEMVALID(const tPhoneBookItem* entry) {
  return ExportGuard<std::uint8_t>(0, [&]() -> std::uint8_t {
    const auto item = dlg::ReadCallerEntry(entry);
    return item && dlg::IsPhoneItemValid(*item) ? 1 : 0;
  });
}
