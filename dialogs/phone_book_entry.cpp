#include "dialogs/phone_book_entry.h"

#include <cstddef>
#include <cstring>

#include "brandlg/phone_book.h"

namespace dlg {
namespace {

// The layout the public header promises is the one this class has.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(tPhoneBookItem) == sizeof(::tPhoneBookItem));
static_assert(offsetof(tPhoneBookItem, Reserved) == offsetof(::tPhoneBookItem, Reserved));
static_assert(offsetof(tPhoneBookItem, Taken) == offsetof(::tPhoneBookItem, Taken));
static_assert(offsetof(tPhoneBookItem, Name) == offsetof(::tPhoneBookItem, Name));
static_assert(offsetof(tPhoneBookItem, Company) == offsetof(::tPhoneBookItem, Company));
static_assert(offsetof(tPhoneBookItem, Country) == offsetof(::tPhoneBookItem, Country));
static_assert(offsetof(tPhoneBookItem, Area) == offsetof(::tPhoneBookItem, Area));
static_assert(offsetof(tPhoneBookItem, Number) == offsetof(::tPhoneBookItem, Number));
static_assert(offsetof(tPhoneBookItem, UseFor) == offsetof(::tPhoneBookItem, UseFor));
#pragma GCC diagnostic pop

const void* FirstSlot(const void* object) noexcept {
  const void* slot = nullptr;
  std::memcpy(&slot, object, sizeof slot);
  return slot;
}

// The class pointer every entry object of this library carries.
const void* LibraryClassPointer() noexcept {
  static const void* const pointer = [] {
    const tPhoneBookItem probe;
    return FirstSlot(&probe);
  }();
  return pointer;
}

template <std::size_t N>
void CopyText(FixedString<N>& to, const std::uint8_t (&from)[N + 1]) {
  static_assert(sizeof(FixedString<N>) == N + 1);
  std::memcpy(static_cast<void*>(&to), from, N + 1);
}

template <std::size_t N>
void CopyText(std::uint8_t (&to)[N + 1], const FixedString<N>& from) {
  std::memcpy(to, static_cast<const void*>(&from), N + 1);
}

// The entry's fields between the library's class and a caller's record,
// either way.
template <class To, class From>
void CopyFields(To& to, const From& from) {
  to.Reserved = from.Reserved;
  to.Taken = from.Taken;
  CopyText(to.Name, from.Name);
  CopyText(to.Company, from.Company);
  CopyText(to.Country, from.Country);
  CopyText(to.Area, from.Area);
  CopyText(to.Number, from.Number);
  to.UseFor = from.UseFor;
}

}  // namespace

EntryOrigin OriginOf(const void* entry) noexcept {
  if (entry == nullptr) return EntryOrigin::Other;
  const void* slot = FirstSlot(entry);
  if (slot == nullptr) return EntryOrigin::Caller;
  return slot == LibraryClassPointer() ? EntryOrigin::Library : EntryOrigin::Other;
}

tPhoneBookItem* PhoneItemOf(cl::TObject* object) noexcept {
  return OriginOf(object) == EntryOrigin::Library ? static_cast<tPhoneBookItem*>(object) : nullptr;
}

const tPhoneBookItem* PhoneItemOf(const cl::TObject* object) noexcept {
  return OriginOf(object) == EntryOrigin::Library ? static_cast<const tPhoneBookItem*>(object) : nullptr;
}

std::optional<tPhoneBookItem> ReadCallerEntry(const void* entry) {
  switch (OriginOf(entry)) {
    case EntryOrigin::Library:
      return *static_cast<const tPhoneBookItem*>(static_cast<const cl::TObject*>(entry));
    case EntryOrigin::Caller: {
      tPhoneBookItem item;
      CopyFields(item, *static_cast<const ::tPhoneBookItem*>(entry));
      return item;
    }
    case EntryOrigin::Other:
      break;
  }
  return std::nullopt;
}

void WriteCallerEntry(void* entry, const tPhoneBookItem& item) {
  switch (OriginOf(entry)) {
    case EntryOrigin::Library:
      static_cast<tPhoneBookItem*>(static_cast<cl::TObject*>(entry))->Assign(item);
      break;
    case EntryOrigin::Caller: {
      CopyFields(*static_cast<::tPhoneBookItem*>(entry), item);
      break;
    }
    case EntryOrigin::Other:
      break;
  }
}

}  // namespace dlg
