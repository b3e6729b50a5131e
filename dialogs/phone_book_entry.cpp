#include "dialogs/phone_book_entry.h"

namespace dlg {

tPhoneBookItem* PhoneItemOf(cl::TObject* object) noexcept {
  auto* entry = dynamic_cast<tPhoneBookEntry*>(object);
  return entry && IsPhoneBookItem(&entry->Item) ? &entry->Item : nullptr;
}

const tPhoneBookItem* PhoneItemOf(const cl::TObject* object) noexcept {
  const auto* entry = dynamic_cast<const tPhoneBookEntry*>(object);
  return entry && IsPhoneBookItem(&entry->Item) ? &entry->Item : nullptr;
}

}  // namespace dlg
