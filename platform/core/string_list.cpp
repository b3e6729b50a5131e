#include "platform/core/string_list.h"

#include <algorithm>

#include "platform/core/ansi_case.h"

namespace cl {

namespace {

[[noreturn]] void IndexError(int index) {
  throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// TStrings

void TStrings::Put(int index, std::string_view text) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, text, object);
}

int TStrings::Add(std::string_view text) { return AddObject(text, nullptr); }

int TStrings::AddObject(std::string_view text, TObject* object) {
  const int index = Count();
  InsertObject(index, text, object);
  return index;
}

int TStrings::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(Get(i), text) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

void TStrings::AddStrings(const TStrings& source) {
  const TStringsUpdate update(*this);
  for (int i = 0; i < source.Count(); ++i) AddObject(source.Get(i), source.GetObject(i));
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  const TStringsUpdate update(*this);
  Clear();
  for (int i = 0; i < source.Count(); ++i) AddObject(source.Get(i), source.GetObject(i));
}

void TStrings::Exchange(int a, int b) {
  const std::string textA = Get(a), textB = Get(b);
  TObject* objectA = GetObject(a);
  TObject* objectB = GetObject(b);
  Put(a, textB);
  PutObject(a, objectB);
  Put(b, textA);
  PutObject(b, objectA);
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  const std::string text = Get(from);
  TObject* object = GetObject(from);
  const TStringsUpdate update(*this);
  Delete(from);
  InsertObject(to, text, object);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(std::string_view text) {
  const TStringsUpdate update(*this);
  Clear();
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    Add(text.substr(start, i - start));
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

// TStringList

TStringList::~TStringList() {
  if (ownsObjects_)
    for (auto& entry : entries_) delete entry.object;
}

std::size_t TStringList::Checked(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return static_cast<std::size_t>(index);
}

void TStringList::ReleaseObject(TObject* object) const {
  if (ownsObjects_) delete object;
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

std::string TStringList::Get(int index) const { return entries_[Checked(index)].text; }

void TStringList::Put(int index, std::string_view text) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted string list");
  entries_[Checked(index)].text = std::string(text);
}

TObject* TStringList::GetObject(int index) const { return entries_[Checked(index)].object; }

void TStringList::PutObject(int index, TObject* object) {
  auto& entry = entries_[Checked(index)];
  if (entry.object != object) ReleaseObject(entry.object);
  entry.object = object;
}

TObject* TStringList::ExtractObject(int index) {
  auto& entry = entries_[Checked(index)];
  TObject* object = entry.object;
  entry.object = nullptr;
  return object;
}

void TStringList::InsertObject(int index, std::string_view text, TObject* object) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted string list");
  if (index < 0 || index > Count()) IndexError(index);
  entries_.insert(entries_.begin() + index, Entry{std::string(text), object});
}

int TStringList::AddObject(std::string_view text, TObject* object) {
  if (!sorted_) {
    entries_.push_back(Entry{std::string(text), object});
    return Count() - 1;
  }
  int index;
  if (Find(text, index)) {
    if (duplicates_ == TDuplicates::dupIgnore) return index;
    if (duplicates_ == TDuplicates::dupError)
      throw EStringListError("String list does not allow duplicates");
    // dupAccept: before the equal entries already there, as the class library does.
  }
  entries_.insert(entries_.begin() + index, Entry{std::string(text), object});
  return index;
}

void TStringList::Delete(int index) {
  const std::size_t at = Checked(index);
  TObject* object = entries_[at].object;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  ReleaseObject(object);
}

void TStringList::Clear() {
  std::vector<Entry> old;
  old.swap(entries_);
  for (auto& entry : old) ReleaseObject(entry.object);
}

int TStringList::IndexOf(std::string_view text) const {
  if (!sorted_) {
    for (int i = 0; i < Count(); ++i)
      if (Compare(entries_[i].text, text) == 0) return i;
    return -1;
  }
  int index;
  return Find(text, index) ? index : -1;
}

void TStringList::Exchange(int a, int b) {
  std::swap(entries_[Checked(a)], entries_[Checked(b)]);
}

void TStringList::Move(int from, int to) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted string list");
  const std::size_t a = Checked(from), b = Checked(to);
  Entry entry = std::move(entries_[a]);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(a));
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(b), std::move(entry));
}

bool TStringList::Find(std::string_view text, int& index) const {
  int low = 0, high = Count();
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (Compare(entries_[mid].text, text) < 0)
      low = mid + 1;
    else
      high = mid;
  }
  index = low;
  return low < Count() && Compare(entries_[low].text, text) == 0;
}

void TStringList::Sort() {
  std::stable_sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
    return Compare(a.text, b.text) < 0;
  });
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

}  // namespace cl
