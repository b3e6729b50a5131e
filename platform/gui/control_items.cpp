#include "platform/gui/control_items.h"

#include <algorithm>
#include <numeric>

#include "platform/core/ansi_case.h"

namespace cl {

size_t TControlItems::Checked(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  return static_cast<size_t>(index);
}

std::string TControlItems::Get(int index) const { return texts_[Checked(index)]; }

void TControlItems::Put(int index, std::string_view text) {
  const size_t i = Checked(index);
  texts_[i] = std::string(text);
  host_.HostPut(index, texts_[i]);
}

TObject* TControlItems::GetObject(int index) const { return objects_[Checked(index)]; }

void TControlItems::PutObject(int index, TObject* object) { objects_[Checked(index)] = object; }

void TControlItems::InsertObject(int index, std::string_view text, TObject* object) {
  if (index < 0 || index > Count()) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  texts_.insert(texts_.begin() + index, std::string(text));
  objects_.insert(objects_.begin() + index, object);
  host_.HostInsert(index, texts_[static_cast<size_t>(index)]);
}

int TControlItems::AddObject(std::string_view text, TObject* object) {
  int index = Count();
  if (sorted_) {
    const auto at = std::upper_bound(texts_.begin(), texts_.end(), text, [](std::string_view a, const std::string& b) {
      return AnsiCompareText(a, b) < 0;
    });
    index = static_cast<int>(at - texts_.begin());
  }
  InsertObject(index, text, object);
  return index;
}

void TControlItems::Delete(int index) {
  const size_t i = Checked(index);
  texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(i));
  objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(i));
  host_.HostDelete(index);
}

void TControlItems::Clear() {
  texts_.clear();
  objects_.clear();
  host_.HostClear();
}

void TControlItems::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (!sorted) return;
  std::vector<size_t> order(texts_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [this](size_t a, size_t b) { return AnsiCompareText(texts_[a], texts_[b]) < 0; });
  std::vector<std::string> texts;
  std::vector<TObject*> objects;
  for (const size_t i : order) {
    texts.push_back(texts_[i]);
    objects.push_back(objects_[i]);
  }
  Clear();
  for (size_t i = 0; i < texts.size(); ++i) InsertObject(static_cast<int>(i), texts[i], objects[i]);
}

}  // namespace cl
