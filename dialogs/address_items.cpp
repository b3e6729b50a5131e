#include "dialogs/address_items.h"

#include <algorithm>

#include "dialogs/phone_book_file.h"
#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"
#include "platform/core/exception.h"
#include "platform/core/file_names.h"
#include "platform/core/short_string.h"
#include "utility/phone_text.h"
#include "utility/station_id.h"
#include "utility/station_url.h"

namespace dlg {
namespace {

std::string Cut(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

// Addresses lose blanks alone at their ends: a tab is part of the text.
constexpr std::string_view Blanks = " ";

constexpr std::size_t textLimit = ShortString::MaxLength;

std::string StationDescription(const tStationRecord& station, const tLocationRecord& location) {
  const std::string name(station.name, std::min<std::size_t>(station.nameLength, sizeof station.name));
  const std::string place(location.place, std::min<std::size_t>(location.placeLength, sizeof location.place));
  return Cut(Cut(name + ", ", 41) + place, 65);
}

}  // namespace

std::unique_ptr<tBKAddressItem> tBKAddressItem::FromStation(const tADRitem& row) {
  auto item = std::make_unique<tBKAddressItem>();
  item->Kind = KindStation;
  const std::string area(row.Location.area, std::min<std::size_t>(row.Location.areaLength, 6));
  const std::string phone(row.Point.phone, std::min<std::size_t>(row.Point.phoneLength, 13));
  item->Url = Cut(utl::URISID2URL(row.Point.stationId, row.Country.View(), area, phone), textLimit);
  item->Description = StationDescription(row.Point, row.Location);
  item->UseFor = 1;
  return item;
}

std::unique_ptr<tBKAddressItem> tBKAddressItem::FromPhoneItem(const tPhoneBookItem& entry) {
  auto item = std::make_unique<tBKAddressItem>();
  item->Kind = KindPhone;
  item->UseFor = entry.UseFor;
  item->Url = Cut(utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(entry.UseFor), entry.Country.View(),
                                    entry.Area.View(), entry.Number.View()),
                  textLimit);
  item->Description = entry.Name.Str();
  if (entry.Company.length) {
    if (!item->Description.empty()) item->Description += ", ";
    item->Description += entry.Company.Str();
  }
  return item;
}

std::unique_ptr<tBKAddressItem> tBKAddressItem::FromURL(std::string_view url) {
  auto item = std::make_unique<tBKAddressItem>();
  item->Url = Cut(url, textLimit);
  item->UseFor = utl::URISCHEME2USEFOR(item->Url);
  const utl::tSID sid = utl::URIURL2SID(item->Url);
  if (utl::CMPSID(sid, utl::NullSid) != 0) {
    item->Kind = KindStationUrl;
    tStationRecord station{};
    tLocationRecord location{};
    ShortString country{};
    // A station no list holds has no description: not even the ", " between
    // a name and a place it does not have.
    if (SIDCGETPOINTBYSID(sid, &station, &location, &country) == 0)
      item->Description = StationDescription(station, location);
  } else {
    item->Kind = KindPhone;
  }
  return item;
}

std::unique_ptr<tBKAddressItem> tBKAddressItem::FromRecord(const tAddressRecord& record) {
  auto item = std::make_unique<tBKAddressItem>();
  item->LoadFromRecord(record);
  return item;
}

std::unique_ptr<tBKAddressItem> tBKAddressItem::Copy() const { return std::make_unique<tBKAddressItem>(*this); }

void tBKAddressItem::ToRecord(tAddressRecord& record) const {
  record.Kind = Kind;
  record.Url.Assign(Url);
  record.Description.Assign(Description);
  record.UseFor = UseFor;
  record.Tag = Tag;
  record.Extra1.Assign(Extra(1));
  record.Extra2.Assign(Extra(2));
  record.Extra3.Assign(Extra(3));
  record.Extra4.Assign(Extra(4));
}

void tBKAddressItem::LoadFromRecord(const tAddressRecord& record) {
  Kind = record.Kind;
  Url = record.Url.Str();
  Description = record.Description.Str();
  UseFor = record.UseFor;
  Tag = record.Tag;
  SetExtra(1, record.Extra1.View());
  SetExtra(2, record.Extra2.View());
  SetExtra(3, record.Extra3.View());
  SetExtra(4, record.Extra4.View());
}

std::optional<tPhoneBookItem> tBKAddressItem::ToPhoneItem() const {
  try {
    tPhoneBookItem entry;
    const utl::PhoneParts phone = utl::URISPLITPHONE(utl::URIURL2PHONE(Url));
    entry.Country.Assign(phone.country);
    entry.Area.Assign(phone.area);
    entry.Number.Assign(phone.number);
    entry.UseFor = UseFor;
    const auto comma = Description.find(',');
    if (comma != std::string::npos && comma >= 1) {
      entry.Name.Assign(cl::TrimOf(std::string_view(Description).substr(0, comma), Blanks));
      entry.Company.Assign(cl::TrimOf(std::string_view(Description).substr(comma + 1), Blanks));
    } else {
      entry.Name.Assign(Description);
    }
    return entry;
  } catch (...) {
    // An address that gives no entry is none, whatever went wrong: the
    // export writes the entries of the others.
    return std::nullopt;
  }
}

void tBKAddressItem::SetExtra(int index, std::string_view text) {
  if (index < 1 || index > 4) return;
  std::string value = cl::AnsiUpperCase(cl::TrimOf(text, Blanks));
  extras_[index - 1] = value.empty() ? std::nullopt : std::optional<std::string>(std::move(value));
}

std::string tBKAddressItem::Extra(int index) const {
  if (index < 1 || index > 4) return {};
  return extras_[index - 1].value_or(std::string());
}

void tObjectList::SetTabbedText(std::string_view text) {
  Clear();
  std::size_t start = 0;
  for (;;) {
    const auto tab = text.find('\t', start);
    if (tab == std::string_view::npos) break;
    Add(text.substr(start, tab - start));
    start = tab + 1;
  }
  Add(text.substr(start));
}

tBKAddressList::tBKAddressList() {
  SetSorted(true);
  SetDuplicates(cl::TDuplicates::dupIgnore);
}

bool tBKAddressList::Add(std::unique_ptr<tBKAddressItem> item) {
  if (!item || IndexOf(item->Url) >= 0) return false;
  AddObject(item->Url, item.get());
  item.release();
  return true;
}

tBKAddressItem* tBKAddressList::Item(int index) const { return dynamic_cast<tBKAddressItem*>(GetObject(index)); }

std::unique_ptr<tBKAddressList> tBKAddressList::FromPhoneBook(std::string_view fileName) {
  auto list = std::make_unique<tBKAddressList>();
  ForEachPhoneBookEntry(fileName, [&](tPhoneBookItem&& entry) { list->Add(tBKAddressItem::FromPhoneItem(entry)); });
  return list;
}

void tBKAddressList::CopyTo(cl::TStringList& target) const {
  const cl::TStringsUpdate update(target);
  target.Clear();
  for (int i = 0; i < Count(); ++i) {
    const tBKAddressItem* item = Item(i);
    if (!item || target.IndexOf(item->Url) >= 0) continue;
    auto copy = item->Copy();
    target.AddObject(copy->Url, copy.get());
    copy.release();
  }
}

void tBKAddressList::CopyFrom(const cl::TStrings& source) {
  const cl::TStringsUpdate update(*this);
  Clear();
  for (int i = 0; i < source.Count(); ++i)
    if (const auto* item = dynamic_cast<const tBKAddressItem*>(source.Objects(i))) Add(item->Copy());
}

void tBKAddressList::SaveAsPhoneBook(std::string_view fileName) const {
  tPhoneBookWriter book(fileName);
  for (int i = 0; i < Count(); ++i)
    if (const tBKAddressItem* item = Item(i))
      if (const auto entry = item->ToPhoneItem()) book.Write(*entry);
  book.Commit();
}

}  // namespace dlg
