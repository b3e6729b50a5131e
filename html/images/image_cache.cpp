#include "html/images/image_cache.h"

namespace html {

TStringBitmapList::TStringBitmapList() : cl::TStringList(true) { SetSorted(true); }

TStringBitmapList::~TStringBitmapList() { Clear(); }

TBitmapItem& TStringBitmapList::AddItem(std::string_view key, std::unique_ptr<TBitmapItem> item) {
  int index = 0;
  if (Find(key, index)) {
    TBitmapItem* existing = Item(index);
    if (existing != nullptr) {
      ++existing->UserCount;
      return *existing;
    }
    PutObject(index, item.release());  // the entry had no picture: this one fills it
  } else {
    index = cl::TStringList::AddObject(key, item.release());
  }
  TBitmapItem& added = *Item(index);
  ++added.UserCount;
  return added;
}

int TStringBitmapList::AddObject(std::string_view key, cl::TObject* object) {
  if (auto* item = dynamic_cast<TBitmapItem*>(object)) {
    std::unique_ptr<TBitmapItem> owned(item);
    TBitmapItem& kept = AddItem(key, std::move(owned));
    return IndexOfObject(&kept);
  }
  int index = 0;
  if (Find(key, index)) {
    std::unique_ptr<cl::TObject> duplicate(object);
    return index;
  }
  return cl::TStringList::AddObject(key, object);
}

TBitmapItem* TStringBitmapList::Item(int index) const { return dynamic_cast<TBitmapItem*>(GetObject(index)); }

cl::TGraphic* TStringBitmapList::GetImage(int index) {
  TBitmapItem* item = Item(index);
  if (item == nullptr) return nullptr;
  item->IdleDocuments = 0;
  ++item->UserCount;
  return item->Image.get();
}

void TStringBitmapList::IncUsage(std::string_view key) {
  int index = 0;
  if (!Find(key, index)) return;
  if (TBitmapItem* item = Item(index)) ++item->UserCount;
}

void TStringBitmapList::DecUsage(std::string_view key) {
  int index = 0;
  if (!Find(key, index)) return;
  if (TBitmapItem* item = Item(index)) --item->UserCount;
}

void TStringBitmapList::SetCacheLimit(std::int32_t limit) {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBitmapItem* item = Item(i);
    if (item != nullptr && item->IdleDocuments > limit && item->UserCount <= 0) Delete(i);
  }
  cacheLimit_ = limit;
}

void TStringBitmapList::NewDocumentPass() {
  for (int i = Count() - 1; i >= 0; --i) {
    TBitmapItem* item = Item(i);
    if (item == nullptr) continue;
    ++item->IdleDocuments;
    if (item->IdleDocuments > cacheLimit_ && item->UserCount <= 0) Delete(i);
  }
}

void TStringBitmapList::PurgeIdle() {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBitmapItem* item = Item(i);
    if (item != nullptr && item->UserCount <= 0) Delete(i);
  }
}

}  // namespace html
