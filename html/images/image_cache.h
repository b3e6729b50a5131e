#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "html/document/transparency.h"
#include "platform/core/string_list.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/graphic.h"

namespace html {

// One entry of the image cache: the picture, its mask and the counts that
// decide when it goes.
class TBitmapItem : public cl::TObject {
 public:
  TBitmapItem(std::unique_ptr<cl::TGraphic> image, std::unique_ptr<cl::TBitmap> mask, std::uint8_t transparencyKind)
      : TransparencyKind(transparencyKind), Image(std::move(image)), MaskImage(std::move(mask)) {}

  std::int32_t IdleDocuments = 0;  // new documents since the last fetch
  std::int32_t UserCount = 0;      // image objects using the entry
  std::uint8_t TransparencyKind;
  std::unique_ptr<cl::TGraphic> Image;   // a bitmap or an animated GIF
  std::unique_ptr<cl::TBitmap> MaskImage;  // monochrome, 1 where transparent; or none
};

// The process-wide image cache: a sorted string list keyed by the image name
// (upper-cased and trimmed by the callers), owning its entries.
class TStringBitmapList : public cl::TStringList {
 public:
  TStringBitmapList();
  ~TStringBitmapList() override;

  // Adds the entry and raises its UserCount. When the key is already there
  // (a fetch that ran while messages were pumped during a decode), the entry
  // already cached is kept, counted and returned, and the new one is freed:
  // the caller draws with the returned entry's picture either way.
  TBitmapItem& AddItem(std::string_view key, std::unique_ptr<TBitmapItem> item);
  // The list takes the object in every case (a duplicate's is freed).
  int AddObject(std::string_view key, cl::TObject* object) override;

  // The entry's picture; the fetch resets IdleDocuments and counts a user.
  cl::TGraphic* GetImage(int index);
  TBitmapItem* Item(int index) const;
  // An image object was copied / freed.
  void IncUsage(std::string_view key);
  void DecUsage(std::string_view key);

  std::int32_t CacheLimit() const { return cacheLimit_; }
  // Frees, from the last entry to the first, every unused entry idler than
  // the new limit; then keeps the limit.
  void SetCacheLimit(std::int32_t limit);
  // A viewer starts a new document: every entry ages by one; unused entries
  // older than the limit go.
  void NewDocumentPass();
  // Frees every unused entry (memory runs short).
  void PurgeIdle();

 private:
  std::int32_t cacheLimit_ = 4;
};

}  // namespace html
