#include "dialogs/address_selection.h"

#include <algorithm>

#include "dialogs/disk.h"
#include "platform/core/ansi_case.h"
#include "utility/path_names.h"

namespace dlg {

int tAddressSelection::Capacity() const {
  if (!oneRecipient_) return maxCount_;
  return maxCount_ < 0 ? 1 : std::min(maxCount_, 1);
}

bool tAddressSelection::HasRoom() const {
  const int capacity = Capacity();
  return capacity < 0 || Count() < capacity;
}

bool tAddressSelection::LoadRecords(const tAddressRecord* records, int count) {
  list_.Clear();
  for (int i = 0; i < count; ++i) {
    auto item = tBKAddressItem::FromURL(records[i].Url.View());
    item->LoadFromRecord(records[i]);
    if (!list_.Add(std::move(item))) {
      list_.Clear();
      return false;
    }
  }
  return true;
}

int tAddressSelection::StoreRecords(tAddressRecord* records, int maxCount) const {
  const int n = std::max(std::min(maxCount, Count()), 0);
  for (int i = 0; i < n; ++i) Item(i).ToRecord(records[i]);
  return n;
}

void tAddressSelection::Assign(const cl::TStrings& list) {
  const cl::TStringsUpdate update(list_);
  list_.Clear();
  for (int i = 0; i < list.Count(); ++i)
    if (const auto* item = dynamic_cast<const tBKAddressItem*>(list.GetObject(i))) list_.Add(item->Copy());
}

int tAddressSelection::Add(std::unique_ptr<tBKAddressItem> item) {
  if (!item || !HasRoom()) return -1;
  const std::string url = item->Url;
  if (!list_.Add(std::move(item))) return -1;
  return list_.IndexOf(url);
}

void tAddressSelection::Delete(int index) { list_.Delete(index); }

void tAddressSelection::Clear() { list_.Clear(); }

std::unordered_set<std::string> tAddressSelection::UpperCaseUrls() const {
  std::unordered_set<std::string> urls;
  urls.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) urls.insert(cl::AnsiUpperCase(list_.Get(i)));
  return urls;
}

std::unique_ptr<tBKAddressList> tAddressSelection::Copy() const {
  auto copy = std::make_unique<tBKAddressList>();
  copy->CopyFrom(list_);
  return copy;
}

std::string tAddressSelection::BookPath(const tDisk& disk, std::string_view chosen) {
  return disk.ConfigFile(cl::AnsiUpperCase(utl::DIRNAMEOFF(chosen)));
}

void tAddressSelection::Export(std::string_view fileName) const { list_.SaveAsPhoneBook(fileName); }

void tAddressSelection::Import(std::string_view fileName) {
  const std::unique_ptr<tBKAddressList> book = tBKAddressList::FromPhoneBook(fileName);
  // A readable book larger than the room gives what fits, as adding by
  // hand does.
  const int capacity = Capacity();
  if (capacity >= 0)
    while (book->Count() > capacity) book->Delete(book->Count() - 1);
  Assign(*book);
}

}  // namespace dlg
