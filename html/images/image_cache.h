#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "html/document/transparency.h"
#include "html/images/scaled_picture.h"
#include "platform/core/string_list.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/graphic.h"

namespace html {

// One entry of the image cache: the picture, its mask and the counts that
// decide when it goes. An entry without a picture remembers that the name
// could not be loaded.
class TBitmapItem : public cl::TObject {
 public:
  TBitmapItem(std::unique_ptr<cl::TGraphic> image, std::unique_ptr<cl::TBitmap> mask, TTransparency transparencyKind);

  bool Failed() const { return Image == nullptr; }

  // The bitmap picture (and its mask, when the entry has one) shrunk to
  // width x height, made on first need and kept for later draws; null for
  // an animated picture and for a size of no fewer pixels than the picture,
  // which is drawn directly.
  const TScaledPicture* ScaledTo(std::int32_t width, std::int32_t height);
  // The copy already made for that size, or null.
  const TScaledPicture* FindScaled(std::int32_t width, std::int32_t height) const;

  std::int32_t IdleDocuments = 0;  // new documents since the last fetch
  std::int32_t UserCount = 0;      // image objects using the entry
  TTransparency TransparencyKind;
  std::unique_ptr<cl::TGraphic> Image;   // a bitmap or an animated GIF; null: failed
  std::unique_ptr<cl::TBitmap> MaskImage;  // monochrome, 1 where transparent; or none
  // The decoded pixels the picture and its mask hold, as made.
  const std::int64_t HeldBytes;

 private:
  static constexpr std::size_t MaxScaledSizes = 4;
  std::vector<TScaledPicture> scaled_;  // the sizes drawn last, oldest first
};

// The bytes a decoded picture holds: its pixels (a byte for eight of a
// monochrome bitmap's, four a pixel of a colour one), an animation's frames
// and composite as it keeps them. None for null.
std::int64_t DecodedBytes(const cl::TGraphic* picture);

// The process-wide image cache: a sorted string list keyed by the image name
// (upper-cased and trimmed by the callers), owning its entries.
//
// The pictures it holds together stay within a budget of decoded bytes: a
// picture that would pass it, when dropping the unused entries does not make
// room, is remembered as failed (it shows the error picture), and every
// further picture fails without being decoded until the next new document.
class TStringBitmapList : public cl::TStringList {
 public:
  // Ten photographs of 12 megapixels fit.
  static constexpr std::int64_t DefaultPictureBudget = std::int64_t{512} << 20;

  TStringBitmapList();
  ~TStringBitmapList() override;

  std::int64_t PictureBudget() const { return pictureBudget_; }
  void SetPictureBudget(std::int64_t bytes) { pictureBudget_ = bytes; }
  // The decoded bytes of every entry held.
  std::int64_t HeldBytes() const { return heldBytes_; }
  // A picture was refused for the budget since the last new document.
  bool OverBudget() const { return overBudget_; }

  void Delete(int index) override;
  void Clear() override;
  void PutObject(int index, cl::TObject* object) override;

  // Adds the entry and raises its UserCount; past the budget the entry is
  // freed and a failure is remembered under the key instead (and returned,
  // its Image null, its UserCount not raised). When the key is already there
  // (a fetch that ran while messages were pumped during a decode), the entry
  // already cached is kept, counted and returned, and the new one is freed:
  // the caller draws with the returned entry's picture either way.
  // A remembered failure under the key is replaced.
  TBitmapItem& AddItem(std::string_view key, std::unique_ptr<TBitmapItem> item);
  // Remembers that the key could not be loaded, so that further references
  // in the same document show the error picture without asking the decoder
  // again; the next new document forgets it. Nothing happens when the key
  // is already there.
  void AddFailure(std::string_view key);
  // The list takes the object in every case (a duplicate's is freed).
  int AddObject(std::string_view key, cl::TObject* object) override;

  // The entry's picture (null for a failure); the fetch resets IdleDocuments
  // and counts a user.
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
  // older than the limit go, and remembered failures go; the budget is open
  // again.
  void NewDocumentPass();
  // Frees every unused entry (memory runs short).
  void PurgeIdle();

 private:
  std::int64_t BytesAt(int index) const;
  // Frees the unused entries that hold pictures (failures stay remembered).
  void DropUnused();

  std::int32_t cacheLimit_ = 4;
  std::int64_t pictureBudget_ = DefaultPictureBudget;
  std::int64_t heldBytes_ = 0;
  bool overBudget_ = false;
};

}  // namespace html
