#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/address_item.h"
#include "dialogs/address_record.h"
#include "dialogs/phone_book_item.h"
#include "platform/core/object.h"
#include "platform/core/string_list.h"
#include "suite/branlst/branlst.h"

namespace dlg {

// One station as a station list delivers it.
class tADRitem : public tAddressItem {
 public:
  tStationRecord Point{};
  tLocationRecord Location{};
  FixedString<6> Country{};
};

// One recipient address (URL) with its description.
class tBKAddressItem : public tAddressItem {
 public:
  enum : std::uint8_t { KindStation = 1, KindPhone = 2, KindStationUrl = 3 };

  tBKAddressItem() = default;
  static std::unique_ptr<tBKAddressItem> FromStation(const tADRitem& row);
  static std::unique_ptr<tBKAddressItem> FromPhoneItem(const tPhoneBookItem& entry);
  static std::unique_ptr<tBKAddressItem> FromURL(std::string_view url);
  static std::unique_ptr<tBKAddressItem> FromRecord(const tAddressRecord& record);
  std::unique_ptr<tBKAddressItem> Copy() const;

  // Writes only the characters of each text: the rest of the record stays.
  void ToRecord(tAddressRecord& record) const;
  void LoadFromRecord(const tAddressRecord& record);
  // nullopt when the address gives no entry.
  std::optional<tPhoneBookItem> ToPhoneItem() const;

  // Trimmed and upper case; an empty result is absent.
  void SetExtra(int index, std::string_view text);
  std::string Extra(int index) const;  // index 1..4; absent reads empty

  std::uint8_t Kind = KindPhone;
  std::string Url;          // at most 255 characters
  std::string Description;  // at most 255 characters
  std::uint8_t UseFor = 0;
  std::uint16_t Tag = 0;

 private:
  std::optional<std::string> extras_[4];
};

// A string list that owns the objects of its rows.
class tObjectList : public cl::TStringList {
 public:
  tObjectList() : cl::TStringList(true) {}
  // Clear, then one row for each part up to a TAB and one for the rest.
  void SetTabbedText(std::string_view text);
};

// The addresses, sorted by URL, each URL once.
class tBKAddressList : public tObjectList {
 public:
  tBKAddressList();
  // The addresses of a phone book's entries, each line an entry as the
  // phone-book page reads it; a read error throws.
  static std::unique_ptr<tBKAddressList> FromPhoneBook(std::string_view fileName);
  // Kept unless its URL is here already; true when kept.
  bool Add(std::unique_ptr<tBKAddressItem> item);
  using tObjectList::Add;
  tBKAddressItem* Item(int index) const;
  // Copies of this list's items into target (cleared first), each URL once.
  void CopyTo(cl::TStringList& target) const;
  // This list from copies of source's items.
  void CopyFrom(const cl::TStrings& source);
  // Writes the list as a phone book; throws when it cannot, and the old
  // file stays whole then.
  void SaveAsPhoneBook(std::string_view fileName) const;
};

}  // namespace dlg
