#pragma once

#include "dialogs/phone_book_item.h"
#include "platform/core/object.h"

namespace dlg {

// A phone-book entry as the object of a caller's string-list row. Lists that
// own their objects free them with delete, so the entry travels inside a
// class-library object; the entry keeps its fixed layout and its tag.
class tPhoneBookEntry final : public cl::TObject {
 public:
  tPhoneBookEntry() = default;
  explicit tPhoneBookEntry(const tPhoneBookItem& item) : Item(item) {}

  tPhoneBookItem Item;
};

// The entry a row's object carries; null for none, for any other object, and
// for an entry whose tag is gone.
tPhoneBookItem* PhoneItemOf(cl::TObject* object) noexcept;
const tPhoneBookItem* PhoneItemOf(const cl::TObject* object) noexcept;

}  // namespace dlg
