#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "dialogs/address_items.h"
#include "dialogs/address_record.h"

namespace dlg {

class tDisk;

// The recipient chooser's selection: the chosen addresses sorted by URL, each
// URL once (compared ignoring case, as the sorted list compares).
class tAddressSelection {
 public:
  // Adding and importing stop at maxCount addresses (negative: no limit),
  // and at one for a single recipient. What the caller hands in is taken
  // whole.
  void SetMaxCount(int maxCount) { maxCount_ = maxCount; }
  void SetOneRecipient(bool one) { oneRecipient_ = one; }
  // The most addresses adding and importing leave; negative: no limit.
  int Capacity() const;
  bool HasRoom() const;

  // The caller's records in order; false, and the selection empty, when two
  // records have one URL.
  bool LoadRecords(const tAddressRecord* records, int count);
  // The selection into the first records, at most maxCount; the number
  // written. Writes only the characters of each text.
  int StoreRecords(tAddressRecord* records, int maxCount) const;
  // Copies of the list's addresses, each URL once.
  void Assign(const cl::TStrings& list);
  // Kept when there is room and its URL is new: its index; -1 when refused.
  int Add(std::unique_ptr<tBKAddressItem> item);
  void Delete(int index);
  void Clear();

  int Count() const { return list_.Count(); }
  const tBKAddressItem& Item(int index) const { return *list_.Item(index); }
  tBKAddressItem& Item(int index) { return *list_.Item(index); }
  bool Contains(std::string_view url) const { return list_.IndexOf(url) >= 0; }
  // The URLs in upper case: one look-up a row when rows are marked.
  std::unordered_set<std::string> UpperCaseUrls() const;
  // The addresses as a string list (URL and item a row).
  const tBKAddressList& List() const { return list_; }
  std::unique_ptr<tBKAddressList> Copy() const;

  // Export and import keep their books in the configuration directory, under
  // the chosen name without its directory, in upper case.
  static std::string BookPath(const tDisk& disk, std::string_view chosen);
  // The selection as a phone book; throws when it cannot be written (an old
  // book of the name stays whole then).
  void Export(std::string_view fileName) const;
  // The book's addresses replace the selection: as many as there is room
  // for, the first in URL order. Throws, the selection unchanged, when the
  // book cannot be read.
  void Import(std::string_view fileName);

 private:
  tBKAddressList list_;
  int maxCount_ = -1;
  bool oneRecipient_ = false;
};

}  // namespace dlg
