#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/exception.h"

namespace cl {

class EListError : public Exception {
 public:
  using Exception::Exception;
};

[[noreturn]] inline void ListIndexError(int index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// The class library's list of pointers; it observes, it never frees its items.
// Indexes outside 0..Count-1 raise EListError.
template <typename T>
class TList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  T* Items(int index) const { return items_[Checked(index)]; }
  T* operator[](int index) const { return Items(index); }
  void Put(int index, T* item) { items_[Checked(index)] = item; }

  int Add(T* item) {
    items_.push_back(item);
    return Count() - 1;
  }
  void Insert(int index, T* item) {
    if (index < 0 || index > Count()) ListIndexError(index);
    items_.insert(items_.begin() + index, item);
  }
  void Delete(int index) { items_.erase(items_.begin() + Checked(index)); }
  // Removes the first occurrence; its former index, or -1.
  int Remove(const T* item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
  }
  int IndexOf(const T* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  }
  void Clear() { items_.clear(); }
  void Exchange(int a, int b) { std::swap(items_[Checked(a)], items_[Checked(b)]); }
  void Move(int from, int to) {
    T* item = Items(from);
    Checked(to);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
  }
  T* First() const { return Items(0); }
  T* Last() const { return Items(Count() - 1); }
  // Drops the null entries.
  void Pack() { std::erase(items_, nullptr); }
  // Stable sort by a "less" predicate on the items.
  template <typename Less>
  void Sort(Less less) { std::stable_sort(items_.begin(), items_.end(), less); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::size_t Checked(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return static_cast<std::size_t>(index);
  }

  std::vector<T*> items_;
};

}  // namespace cl
