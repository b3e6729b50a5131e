#include "html/images/scaled_picture.h"

#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

std::unique_ptr<cl::TBitmap> Stretched(cl::TBitmap& source, std::int32_t width, std::int32_t height, int depth,
                                       int mode) {
  auto out = std::make_unique<cl::TBitmap>();
  out->SetHandle(win::CreateBitmap(width, height, depth));
  if (out->Empty()) return nullptr;
  cl::TCanvas& canvas = out->Canvas();
  canvas.SetBkColor(cl::clWhite);
  canvas.SetTextColor(cl::clBlack);
  canvas.SetStretchBltMode(mode);
  canvas.StretchBlt(0, 0, width, height, source.Canvas(), 0, 0, source.Width(), source.Height(), win::SRCCOPY);
  return out;
}

}  // namespace

std::unique_ptr<cl::TBitmap> ScaledImage(cl::TBitmap& image, std::int32_t width, std::int32_t height) {
  return Stretched(image, width, height, 32, win::COLORONCOLOR);
}

std::unique_ptr<cl::TBitmap> ScaledMask(cl::TBitmap& mask, std::int32_t width, std::int32_t height) {
  return Stretched(mask, width, height, 1, win::BLACKONWHITE);
}

}  // namespace html
