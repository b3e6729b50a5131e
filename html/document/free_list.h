#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/core/list.h"

namespace html {

// A list that owns its items. Destroying it frees every item in index order.
// Indexes outside 0..Count-1 raise cl::EListError.
template <typename T>
class TFreeList {
 public:
  TFreeList() = default;
  TFreeList(const TFreeList&) = delete;
  TFreeList& operator=(const TFreeList&) = delete;
  TFreeList(TFreeList&&) noexcept = default;
  TFreeList& operator=(TFreeList&&) noexcept = default;
  ~TFreeList() { ClearAndFree(); }

  int Count() const { return static_cast<int>(items_.size()); }
  T* Items(int index) const { return items_[Checked(index)].get(); }
  T* operator[](int index) const { return Items(index); }

  int Add(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return Count() - 1;
  }
  void Insert(int index, std::unique_ptr<T> item) {
    if (index < 0 || index > Count()) cl::ListIndexError(index);
    items_.insert(items_.begin() + index, std::move(item));
  }
  // Frees the item.
  void Delete(int index) { items_.erase(items_.begin() + Checked(index)); }
  // Hands the item to the caller and removes its entry.
  std::unique_ptr<T> Extract(int index) {
    auto item = std::move(items_[Checked(index)]);
    items_.erase(items_.begin() + index);
    return item;
  }
  int IndexOf(const T* item) const {
    for (int i = 0; i < Count(); ++i)
      if (items_[i].get() == item) return i;
    return -1;
  }
  // Frees every item in index order; the list stays usable.
  void ClearAndFree() {
    for (auto& item : items_) item.reset();
    items_.clear();
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::size_t Checked(int index) const {
    if (index < 0 || index >= Count()) cl::ListIndexError(index);
    return static_cast<std::size_t>(index);
  }

  std::vector<std::unique_ptr<T>> items_;
};

template <typename T>
void ClearAndFree(TFreeList<T>& list) {
  list.ClearAndFree();
}

}  // namespace html
