#pragma once

#include <optional>

#include "dialogs/phone_book_item.h"
#include "platform/core/object.h"

namespace dlg {

// What a pointer a caller hands in as an entry leads to, told by its first
// slot alone (nothing behind it is read): an entry object of this library
// (its class pointer), an entry the caller built by the public header (null),
// or anything else.
enum class EntryOrigin { Other, Library, Caller };
EntryOrigin OriginOf(const void* entry) noexcept;

// The entry a row's object is; null for none and for any other object.
tPhoneBookItem* PhoneItemOf(cl::TObject* object) noexcept;
const tPhoneBookItem* PhoneItemOf(const cl::TObject* object) noexcept;

// A copy of the entry behind a caller's pointer; nullopt for anything but an
// entry of either origin.
std::optional<tPhoneBookItem> ReadCallerEntry(const void* entry);
// Stores the fields (not the class pointer) into the caller's entry, which
// ReadCallerEntry accepted.
void WriteCallerEntry(void* entry, const tPhoneBookItem& item);

}  // namespace dlg
