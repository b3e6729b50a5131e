#pragma once

#include <cstdint>
#include <string>

#include "html/document/transparency.h"
#include "platform/gui/gdi_objects.h"

namespace cl {
class TBitmap;
class TCanvas;
class TGraphic;
}  // namespace cl

namespace html {

class TSectionList;

// What a fetch gives back. Picture and mask belong to the cache.
struct TFetchedImage {
  cl::TGraphic* Image = nullptr;
  // The transparency asked for, or the kind the picture brought with it.
  TTransparency Transparency = trOpaque;
  bool FromCache = false;
  // The application sends the picture later.
  bool Delayed = false;
  cl::TBitmap* Mask = nullptr;
};

// What the document asks of the image side: pictures by name and their use,
// the stand-in pictures, masked drawing and the shared palette. The viewer
// gives its document the image code's; a document without one shows no pictures.
class TImageSource {
 public:
  virtual ~TImageSource() = default;

  // A picture by name: from the cache, else through the host's requests,
  // else from the file; stored in the cache. No image when it cannot be had.
  virtual TFetchedImage FetchImage(TSectionList& document, const std::string& name, TTransparency transparency) = 0;
  // One more (or one fewer) user of a cached picture.
  virtual void AddUse(const std::string& name) = 0;
  virtual void ReleaseUse(const std::string& name) = 0;
  // Shown while a picture is pending and with images off; and for a picture
  // that could not be had, with its mask.
  virtual cl::TBitmap* DefaultBitmap() = 0;
  virtual cl::TBitmap* ErrorBitmap() = 0;
  virtual cl::TBitmap* ErrorMask() = 0;
  // Puts the cache's copy of the named picture (and its mask) at width x
  // height in place of bitmap and mask, when the cache keeps one: shrinking a
  // large picture on every draw would read all of its pixels each time.
  virtual void UseScaledCopy(const std::string& name, cl::TBitmap*& bitmap, cl::TBitmap*& mask, int32_t width,
                             int32_t height) = 0;
  virtual void DrawMasked(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap& mask, int32_t x, int32_t y,
                          int32_t width, int32_t height) = 0;
  // Draws a picture on a printer: the parts mask marks print white.
  virtual void PrintPicture(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap* mask, int32_t x, int32_t y,
                            int32_t width, int32_t height) = 0;
  // The palette pictures are drawn with; null on deep screens.
  virtual win::HPALETTE Palette() = 0;
};

}  // namespace html
