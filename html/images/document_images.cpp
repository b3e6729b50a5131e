#include "html/images/document_images.h"

#include "html/document/document_host.h"
#include "html/document/html_common.h"
#include "html/document/image_obj.h"
#include "html/document/section_list.h"
#include "html/images/gif/gif_image.h"
#include "html/images/image_decode.h"
#include "html/images/image_sniff.h"
#include "html/images/image_unit.h"
#include "html/images/masks.h"
#include "platform/core/ansi_case.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"

namespace html {

namespace {

bool HasGifExtension(const std::string& name) {
  return name.size() >= 4 && cl::AnsiLowerCase(std::string_view(name).substr(name.size() - 4)) == ".gif";
}

// A picture from bytes in memory: an animated GIF by the GIF decoder, the
// rest (and single frames) by the other.
std::unique_ptr<cl::TGraphic> DecodeStream(cl::TStream* stream, TTransparency& transparency,
                                           std::unique_ptr<cl::TBitmap>& mask) {
  auto* memory = dynamic_cast<cl::TMemoryStream*>(stream);
  if (!memory || memory->Size() <= 0) return nullptr;
  const auto* bytes = reinterpret_cast<const uint8_t*>(memory->Memory());
  const auto size = static_cast<std::size_t>(memory->Size());
  bool useOtherDecoder = true;
  std::unique_ptr<cl::TGraphic> picture;
  const TImageType kind = SniffImageType(bytes, size);
  if (kind == itGif87 || kind == itGif89) picture = CreateAnimatedGifFromMemory(bytes, size, useOtherDecoder);
  if (!picture && useOtherDecoder) picture = DecodeImageStreamMasked(memory, transparency, mask);
  return picture;
}

std::string CacheKey(const std::string& name) { return cl::AnsiUpperCase(TrimBlanks(name)); }

}  // namespace

TFetchedImage TDocumentImages::FetchImage(TSectionList& document, const std::string& name, TTransparency transparency) {
  TFetchedImage fetched;
  fetched.Transparency = transparency;
  if (name.empty()) return fetched;
  const std::string key = CacheKey(name);
  TStringBitmapList& cache = BitmapList();
  int index = -1;
  if (cache.Find(key, index)) {
    fetched.FromCache = true;
    TBitmapItem* item = cache.Item(index);
    // Failed before in this document: not asked for again.
    if (item == nullptr || item->Failed()) return fetched;
    cl::TGraphic* image = cache.GetImage(index);
    if (auto* bitmap = dynamic_cast<cl::TBitmap*>(image)) {
      if (item->TransparencyKind == trGifColor || item->TransparencyKind == trPngColor) {
        fetched.Transparency = item->TransparencyKind;
      } else if (fetched.Transparency == trLowerLeft) {
        if (!item->MaskImage) item->MaskImage = MakeMask(*bitmap, false, 0);
        item->TransparencyKind = trLowerLeft;
      }
    }
    fetched.Mask = item->MaskImage.get();
    fetched.Image = image;
    return fetched;
  }

  if (cache.OverBudget()) {
    // The pictures held fill the budget: nothing more is decoded for now.
    cache.AddFailure(key);
    return fetched;
  }
  std::unique_ptr<cl::TGraphic> picture;
  std::unique_ptr<cl::TBitmap> newMask;
  TDocumentHost* const host = document.Host;
  if (std::optional<HostBitmap> given = host ? host->RequestBitmap(name) : std::nullopt) {
    if (given->Bitmap) {
      if (given->Colour != -1) {
        newMask = MakeMask(*given->Bitmap, true, given->Colour);
        fetched.Transparency = trGifColor;
      } else if (fetched.Transparency == trLowerLeft) {
        newMask = MakeMask(*given->Bitmap, false, 0);
      }
      picture = std::move(given->Bitmap);
    }
  } else if (const std::optional<cl::TStream*> stream = host ? host->RequestImage(name) : std::nullopt) {
    if (*stream && *stream == ImageUnit().WaitStream.get()) {
      fetched.Delayed = true;
      return fetched;
    }
    picture = DecodeStream(*stream, fetched.Transparency, newMask);
  } else {
    bool useOtherDecoder = true;
    if (HasGifExtension(name)) picture = CreateAnimatedGifFromFile(name, useOtherDecoder);
    if (!picture && useOtherDecoder) picture = DecodeImageFileMasked(name, fetched.Transparency, newMask);
  }
  if (!picture) {
    cache.AddFailure(key);
    return fetched;
  }
  const TTransparency kind = newMask ? fetched.Transparency : trOpaque;
  TBitmapItem& stored = cache.AddItem(key, std::make_unique<TBitmapItem>(std::move(picture), std::move(newMask), kind));
  // A fetch that ran while messages were pumped may have cached the name first.
  fetched.Mask = stored.MaskImage.get();
  fetched.Image = stored.Image.get();
  return fetched;
}

bool TDocumentImages::InsertDelayedImage(TSectionList& document, const std::string& name, cl::TStream* stream) {
  const std::string key = CacheKey(name);
  cl::TStringList& waiting = document.DelayedImages;
  if (waiting.IndexOf(key) < 0 || (stream && stream == ImageUnit().WaitStream.get())) return false;
  TStringBitmapList& cache = BitmapList();
  int index = -1;
  // Adding the entry counts a use that no image object owns: it only keeps
  // the entry while the waiting images take their own, and is given back on
  // the way out, also when taking one raises.
  struct WaitingUse {
    TStringBitmapList& cache;
    const std::string& key;
    bool held = false;
    ~WaitingUse() {
      if (held) cache.DecUsage(key);
    }
  } waitingUse{cache, key};
  if (!cache.Find(key, index)) {
    // Decoded as it stands: each waiting image asks for its own
    // transparency from the cache below.
    TTransparency transparency = trOpaque;
    std::unique_ptr<cl::TBitmap> mask;
    std::unique_ptr<cl::TGraphic> picture = DecodeStream(stream, transparency, mask);
    if (!picture) {
      cache.AddFailure(key);
    } else {
      const TTransparency kind = mask ? transparency : trOpaque;
      waitingUse.held =
          !cache.AddItem(key, std::make_unique<TBitmapItem>(std::move(picture), std::move(mask), kind)).Failed();
    }
  }
  for (int i = waiting.Count() - 1; i >= 0; --i) {
    if (waiting[i] != key) continue;
    cl::TObject* const object = waiting.Objects(i);
    waiting.Delete(i);
    if (object == &document) {
      // The background is fetched again, from the cache now, at its next paint.
      document.BgFetched = false;
      document.BgBitmap = nullptr;
    } else if (auto* image = dynamic_cast<TImageObj*>(object)) {
      image->InsertImage(document, FetchImage(document, image->Source, image->TransparencyKind));
    }
  }
  return true;
}

void TDocumentImages::AddUse(const std::string& name) {
  if (ImageUnit().Started) BitmapList().IncUsage(name);
}

void TDocumentImages::ReleaseUse(const std::string& name) {
  if (ImageUnit().Started) BitmapList().DecUsage(name);
}

cl::TBitmap* TDocumentImages::DefaultBitmap() {
  StartImageUnit();
  return ImageUnit().DefaultBitmap.get();
}

cl::TBitmap* TDocumentImages::ErrorBitmap() {
  StartImageUnit();
  return ImageUnit().ErrorBitmap.get();
}

cl::TBitmap* TDocumentImages::ErrorMask() {
  StartImageUnit();
  return ImageUnit().ErrorBitmapMask.get();
}

void TDocumentImages::UseScaledCopy(const std::string& name, cl::TBitmap*& bitmap, cl::TBitmap*& mask,
                                    int32_t width, int32_t height) {
  if (bitmap == nullptr) return;
  TStringBitmapList& cache = BitmapList();
  int index = -1;
  if (!cache.Find(name, index)) return;
  TBitmapItem* item = cache.Item(index);
  // Only the cache's own picture and mask have copies.
  if (item == nullptr || item->Image.get() != bitmap || (mask && mask != item->MaskImage.get())) return;
  if (const TScaledPicture* scaled = item->ScaledTo(width, height)) {
    bitmap = scaled->Image.get();
    mask = mask ? scaled->Mask.get() : nullptr;
  }
}

void TDocumentImages::DrawMasked(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap& mask, int32_t x, int32_t y,
                                 int32_t width, int32_t height) {
  html::DrawMasked(canvas, image, mask, x, y, width, height);
}

void TDocumentImages::PrintPicture(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap* mask, int32_t x,
                                   int32_t y, int32_t width, int32_t height) {
  html::PrintPicture(canvas, image, mask, Palette(), x, y, width, height);
}

win::HPALETTE TDocumentImages::Palette() { return ImageUnit().EnginePalette.get(); }

TDocumentImages& DocumentImages() {
  static TDocumentImages images;
  return images;
}

}  // namespace html
