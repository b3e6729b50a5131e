#include "html/images/masks.h"

#include <algorithm>

#include "html/images/dib.h"
#include "platform/gui/gdi_constants.h"

namespace html {

std::unique_ptr<cl::TBitmap> MakeMask(cl::TBitmap& bitmap, bool useColour, cl::TColor colour) {
  if (bitmap.Empty()) return nullptr;
  const int32_t width = bitmap.Width(), height = bitmap.Height();
  if (!useColour) colour = bitmap.Canvas().GetPixel(0, height - 1);
  auto source = cl::TCanvas::CreateCompatible();
  source->SelectBitmap(bitmap.Handle());
  const win::HPALETTE oldPalette = source->SelectPalette(bitmap.Palette(), false);
  source->RealizePalette();
  win::UniqueBitmap monochrome(win::CreateBitmap(width, height, 1));
  if (!monochrome) return nullptr;
  auto target = cl::TCanvas::CreateCompatible();
  target->SelectBitmap(monochrome.get());
  // Copying colour to monochrome sets 1 where the source's background colour is.
  source->SetBkColor(colour | cl::PaletteRelative);
  target->BitBlt(0, 0, width, height, *source, 0, 0, win::SRCCOPY);
  source->SelectPalette(oldPalette, false);
  target.reset();
  auto mask = std::make_unique<cl::TBitmap>();
  mask->SetHandle(monochrome.release());
  return mask;
}

namespace {

// The part of the destination rectangle that lands on the device, in logical
// coordinates: an image drawn far larger than the window is composed only
// where it shows. Printers and scaling mappings get the whole rectangle.
cl::TRect ShownPart(const cl::TCanvas& dc, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) {
  const cl::TRect whole{x, y, x + width, y + height};
  const cl::TSize size = dc.Size();
  if (dc.IsPrinter() || size.cx <= 0 || size.cy <= 0) return whole;
  const cl::TPoint from = dc.LPtoDP({x, y}), to = dc.LPtoDP({x + width, y + height});
  if (to.X - from.X != width || to.Y - from.Y != height) return whole;
  const std::int32_t dx = from.X - x, dy = from.Y - y;
  return {std::max(x, -dx), std::max(y, -dy), std::min(x + width, size.cx - dx), std::min(y + height, size.cy - dy)};
}

}  // namespace

void DrawMasked(cl::TCanvas& dc, cl::TBitmap& image, cl::TBitmap& mask, std::int32_t x, std::int32_t y,
                std::int32_t destWidth, std::int32_t destHeight) {
  if (dc.Planes() == 1 && dc.BitsPerPixel() == 1) return;
  if (image.Empty() || mask.Empty() || destWidth <= 0 || destHeight <= 0) return;
  const cl::TRect shown = ShownPart(dc, x, y, destWidth, destHeight);
  if (shown.Right <= shown.Left || shown.Bottom <= shown.Top) return;
  const cl::TColor oldBk = dc.SetBkColor(cl::clWhite);
  const cl::TColor oldText = dc.SetTextColor(cl::clBlack);
  // The image where the mask is 0, black where it is 1; the shown part only,
  // placed so that it holds the pixels the whole stretch would.
  const std::int32_t ox = x - shown.Left, oy = y - shown.Top;
  cl::TBitmap picture;
  picture.SetSize(shown.Right - shown.Left, shown.Bottom - shown.Top);
  cl::TCanvas& pc = picture.Canvas();
  pc.SetBkColor(cl::clWhite);
  pc.SetTextColor(cl::clBlack);
  pc.SetStretchBltMode(win::COLORONCOLOR);
  pc.StretchBlt(ox, oy, destWidth, destHeight, image.Canvas(), 0, 0, image.Width(), image.Height(), win::SRCCOPY);
  pc.SetStretchBltMode(win::BLACKONWHITE);
  pc.StretchBlt(ox, oy, destWidth, destHeight, mask.Canvas(), 0, 0, mask.Width(), mask.Height(), win::DSna);
  // The destination kept where the mask is 1, then the picture laid over it.
  const int oldMode = dc.SetStretchBltMode(win::BLACKONWHITE);
  dc.StretchBlt(x, y, destWidth, destHeight, mask.Canvas(), 0, 0, mask.Width(), mask.Height(), win::SRCAND);
  dc.BitBlt(shown.Left, shown.Top, shown.Right - shown.Left, shown.Bottom - shown.Top, pc, 0, 0, win::SRCPAINT);
  dc.SetStretchBltMode(oldMode);
  dc.SetTextColor(oldText);
  dc.SetBkColor(oldBk);
}

std::unique_ptr<cl::TBitmap> CombineImageAndMask(cl::TBitmap& image, cl::TBitmap& mask, win::HPALETTE palette) {
  if (image.Empty()) return nullptr;
  const int32_t width = image.Width(), height = image.Height();
  auto combined = std::make_unique<cl::TBitmap>();
  combined->SetSize(width, height);
  cl::TCanvas& target = combined->Canvas();
  const win::HPALETTE oldPalette = palette ? target.SelectPalette(palette, false) : nullptr;
  if (palette) target.RealizePalette();
  target.BitBlt(0, 0, width, height, image.Canvas(), 0, 0, win::SRCCOPY);
  if (!mask.Empty()) {
    // A monochrome source gives the background colour for 1 and the text
    // colour for 0: white over the transparent parts, nothing elsewhere.
    const cl::TColor oldBk = target.SetBkColor(cl::clWhite);
    const cl::TColor oldText = target.SetTextColor(cl::clBlack);
    target.SetStretchBltMode(win::BLACKONWHITE);
    target.StretchBlt(0, 0, width, height, mask.Canvas(), 0, 0, mask.Width(), mask.Height(), win::SRCPAINT);
    target.SetTextColor(oldText);
    target.SetBkColor(oldBk);
  }
  if (palette) target.SelectPalette(oldPalette, false);
  return combined;
}

void PrintPicture(cl::TCanvas& dc, cl::TBitmap& image, cl::TBitmap* mask, win::HPALETTE palette, std::int32_t x,
                  std::int32_t y, std::int32_t destWidth, std::int32_t destHeight) {
  if (image.Empty() || destWidth <= 0 || destHeight <= 0) return;
  std::unique_ptr<cl::TBitmap> combined = mask ? CombineImageAndMask(image, *mask, palette) : nullptr;
  const cl::TBitmap& picture = combined ? *combined : image;
  const TDib rows(nullptr, picture);
  const win::HPALETTE oldPalette = palette ? dc.SelectPalette(palette, false) : nullptr;
  if (palette) dc.RealizePalette();
  try {
    rows.StretchDraw(dc, x, y, destWidth, destHeight, win::SRCCOPY);
  } catch (...) {
    if (palette) dc.SelectPalette(oldPalette, false);
    throw;
  }
  if (palette) dc.SelectPalette(oldPalette, false);
}

}  // namespace html
