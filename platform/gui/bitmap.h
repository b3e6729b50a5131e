#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <string>

#include "platform/gui/gdi_objects.h"
#include "platform/gui/graphic.h"

namespace cl {

class TCanvas;
class TStream;

// The class library's bitmap: owns a bitmap handle and a palette handle. A
// monochrome bitmap has the two-colour table black (0) and white (1).
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int32_t Width() const override;
  int32_t Height() const override;
  // Resizing keeps the pixels that still fit; new pixels are white.
  void SetSize(int32_t width, int32_t height);
  void SetWidth(int32_t width) { SetSize(width, Height()); }
  void SetHeight(int32_t height) { SetSize(Width(), height); }
  bool Empty() const override { return handle_ == nullptr; }
  bool Monochrome() const;
  // Converting to monochrome makes white pixels 1 and all others 0.
  void SetMonochrome(bool monochrome);

  // Takes ownership of the handle and frees the previous one.
  win::HBITMAP Handle() const { return handle_.get(); }
  void SetHandle(win::HBITMAP handle);
  win::HBITMAP ReleaseHandle() { return handle_.release(); }
  win::HPALETTE Palette() const { return palette_.get(); }
  void SetPalette(win::HPALETTE palette);
  win::HPALETTE ReleasePalette() { return palette_.release(); }

  // Draws on the bitmap; follows the handle when it changes.
  TCanvas& Canvas();

  // The class library's own reader of Windows bitmap files; a palette comes
  // with images of 8 bits or fewer. Raises cl::Exception on a bad image and
  // on one whose header claims more than the picture budget or the data holds.
  void LoadFromMemory(const void* data, std::size_t size);
  // From the stream's position to its end.
  void LoadFromStream(TStream& stream);
  // A file named in the system's form (cl::EFOpenError when it cannot be read).
  void LoadFromFile(const std::string& fileName);
  // A deep copy of the image and palette of source.
  void Assign(const TBitmap& source);

 private:
  win::UniqueBitmap handle_;
  win::UniquePalette palette_;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace cl
