#include "html/images/masks.h"

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

void DrawMasked(cl::TCanvas& dc, cl::TBitmap& image, cl::TBitmap& mask, std::int32_t x, std::int32_t y,
                std::int32_t destWidth, std::int32_t destHeight) {
  if (dc.Planes() == 1 && dc.BitsPerPixel() == 1) return;
  if (image.Empty() || mask.Empty() || destWidth <= 0 || destHeight <= 0) return;
  const cl::TColor oldBk = dc.SetBkColor(cl::clWhite);
  const cl::TColor oldText = dc.SetTextColor(cl::clBlack);
  // The image where the mask is 0, black where it is 1.
  cl::TBitmap picture;
  picture.SetSize(destWidth, destHeight);
  cl::TCanvas& pc = picture.Canvas();
  pc.SetBkColor(cl::clWhite);
  pc.SetTextColor(cl::clBlack);
  pc.SetStretchBltMode(win::COLORONCOLOR);
  pc.StretchBlt(0, 0, destWidth, destHeight, image.Canvas(), 0, 0, image.Width(), image.Height(), win::SRCCOPY);
  pc.SetStretchBltMode(win::BLACKONWHITE);
  pc.StretchBlt(0, 0, destWidth, destHeight, mask.Canvas(), 0, 0, mask.Width(), mask.Height(), win::DSna);
  // The destination kept where the mask is 1, then the picture laid over it.
  const int oldMode = dc.SetStretchBltMode(win::BLACKONWHITE);
  dc.StretchBlt(x, y, destWidth, destHeight, mask.Canvas(), 0, 0, mask.Width(), mask.Height(), win::SRCAND);
  dc.BitBlt(x, y, destWidth, destHeight, pc, 0, 0, win::SRCPAINT);
  dc.SetStretchBltMode(oldMode);
  dc.SetTextColor(oldText);
  dc.SetBkColor(oldBk);
}

}  // namespace html
