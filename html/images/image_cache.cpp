#include "html/images/image_cache.h"

#include <algorithm>

#include "html/images/gif/gif_image.h"

namespace html {

std::int64_t DecodedBytes(const cl::TGraphic* picture) {
  if (picture == nullptr) return 0;
  if (const auto* gif = dynamic_cast<const TGIFImage*>(picture)) return gif->HeldBytes();
  const std::int64_t width = std::max(0, picture->Width()), height = std::max(0, picture->Height());
  const auto* bitmap = dynamic_cast<const cl::TBitmap*>(picture);
  if (bitmap != nullptr && bitmap->Monochrome()) return (width + 31) / 32 * 4 * height;
  return width * height * 4;
}

TBitmapItem::TBitmapItem(std::unique_ptr<cl::TGraphic> image, std::unique_ptr<cl::TBitmap> mask,
                         TTransparency transparencyKind)
    : TransparencyKind(transparencyKind),
      Image(std::move(image)),
      MaskImage(std::move(mask)),
      HeldBytes(DecodedBytes(Image.get()) + DecodedBytes(MaskImage.get())) {}

const TScaledPicture* TBitmapItem::FindScaled(std::int32_t width, std::int32_t height) const {
  for (const TScaledPicture& s : scaled_)
    if (s.Width == width && s.Height == height) return &s;
  return nullptr;
}

const TScaledPicture* TBitmapItem::ScaledTo(std::int32_t width, std::int32_t height) {
  auto* bitmap = dynamic_cast<cl::TBitmap*>(Image.get());
  if (bitmap == nullptr || bitmap->Empty() || width <= 0 || height <= 0) return nullptr;
  // Only a smaller copy pays, and it never holds more than the picture itself.
  if (std::int64_t{width} * height >= std::int64_t{bitmap->Width()} * bitmap->Height()) return nullptr;
  auto found = std::find_if(scaled_.begin(), scaled_.end(),
                            [&](const TScaledPicture& s) { return s.Width == width && s.Height == height; });
  if (found == scaled_.end()) {
    if (scaled_.size() >= MaxScaledSizes) scaled_.erase(scaled_.begin());
    TScaledPicture made{width, height, ScaledImage(*bitmap, width, height), nullptr};
    if (made.Image == nullptr) return nullptr;
    scaled_.push_back(std::move(made));
    found = scaled_.end() - 1;
  }
  // A mask may come to the entry after the copy was made.
  if (MaskImage && !found->Mask) found->Mask = ScaledMask(*MaskImage, width, height);
  if (MaskImage && !found->Mask) return nullptr;
  return &*found;
}

TStringBitmapList::TStringBitmapList() : cl::TStringList(true) { SetSorted(true); }

TStringBitmapList::~TStringBitmapList() { Clear(); }

std::int64_t TStringBitmapList::BytesAt(int index) const {
  const TBitmapItem* item = Item(index);
  return item != nullptr ? item->HeldBytes : 0;
}

void TStringBitmapList::Delete(int index) {
  const std::int64_t bytes = BytesAt(index);
  cl::TStringList::Delete(index);
  heldBytes_ -= bytes;
}

void TStringBitmapList::Clear() {
  cl::TStringList::Clear();
  heldBytes_ = 0;
}

void TStringBitmapList::PutObject(int index, cl::TObject* object) {
  const std::int64_t old = BytesAt(index);
  cl::TStringList::PutObject(index, object);
  heldBytes_ += BytesAt(index) - old;
}

void TStringBitmapList::DropUnused() {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBitmapItem* item = Item(i);
    if (item != nullptr && !item->Failed() && item->UserCount <= 0) Delete(i);
  }
}

TBitmapItem& TStringBitmapList::AddItem(std::string_view key, std::unique_ptr<TBitmapItem> item) {
  int index = 0;
  if (Find(key, index)) {
    TBitmapItem* existing = Item(index);
    if (existing != nullptr && !existing->Failed()) {
      ++existing->UserCount;
      return *existing;
    }
  }
  if (!overBudget_ && heldBytes_ + item->HeldBytes > pictureBudget_) DropUnused();
  if (overBudget_ || heldBytes_ + item->HeldBytes > pictureBudget_) {
    overBudget_ = true;
    item = std::make_unique<TBitmapItem>(nullptr, nullptr, trOpaque);
  }
  const bool failed = item->Failed();
  const std::int64_t bytes = item->HeldBytes;
  if (Find(key, index)) {
    PutObject(index, item.release());  // the entry had no picture: this one takes its place
  } else {
    index = cl::TStringList::AddObject(key, item.release());
    heldBytes_ += bytes;
  }
  TBitmapItem& added = *Item(index);
  if (!failed) ++added.UserCount;
  return added;
}

void TStringBitmapList::AddFailure(std::string_view key) {
  int index = 0;
  if (Find(key, index)) return;
  cl::TStringList::AddObject(key, new TBitmapItem(nullptr, nullptr, trOpaque));
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
  overBudget_ = false;
  for (int i = Count() - 1; i >= 0; --i) {
    TBitmapItem* item = Item(i);
    if (item == nullptr) continue;
    ++item->IdleDocuments;
    if (item->Failed() || (item->IdleDocuments > cacheLimit_ && item->UserCount <= 0)) Delete(i);
  }
}

void TStringBitmapList::PurgeIdle() {
  for (int i = Count() - 1; i >= 0; --i) {
    const TBitmapItem* item = Item(i);
    if (item != nullptr && item->UserCount <= 0) Delete(i);
  }
}

}  // namespace html
