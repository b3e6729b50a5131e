#pragma once

#include <string>

#include "html/document/image_source.h"

namespace cl {
class TStream;
}  // namespace cl

namespace html {

// The image side as documents see it: the process-wide image unit and its
// cache, the host's picture requests, then the decoder.
class TDocumentImages final : public TImageSource {
 public:
  TFetchedImage FetchImage(TSectionList& document, const std::string& name, TTransparency transparency) override;
  void AddUse(const std::string& name) override;
  void ReleaseUse(const std::string& name) override;
  cl::TBitmap* DefaultBitmap() override;
  cl::TBitmap* ErrorBitmap() override;
  cl::TBitmap* ErrorMask() override;
  void UseScaledCopy(const std::string& name, cl::TBitmap*& bitmap, cl::TBitmap*& mask, int32_t width,
                     int32_t height) override;
  void DrawMasked(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap& mask, int32_t x, int32_t y,
                  int32_t width, int32_t height) override;
  void PrintPicture(cl::TCanvas& canvas, cl::TBitmap& image, cl::TBitmap* mask, int32_t x, int32_t y,
                    int32_t width, int32_t height) override;
  win::HPALETTE Palette() override;

  // The picture the host promised for name has come in stream (a memory
  // stream; anything else cannot be decoded and counts as failed): it is
  // cached, and every image of the document waiting for it takes it; a
  // waiting background is fetched again. The document then needs a new
  // layout. False when nothing waited for name.
  bool InsertDelayedImage(TSectionList& document, const std::string& name, cl::TStream* stream);
};

// The one every viewer hands its documents (it holds no state of its own).
TDocumentImages& DocumentImages();

}  // namespace html
