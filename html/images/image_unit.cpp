#include "html/images/image_unit.h"

#include "html/images/engine_palette.h"
#include "html/images/image_resources.h"
#include "platform/gui/canvas.h"
#include "platform/gui/screen.h"

namespace html {

TImageUnit& ImageUnit() {
  static TImageUnit unit;
  return unit;
}

std::uint8_t ScreenColorDepth(int bitsPerPixel) {
  if (bitsPerPixel <= 4) return 4;
  if (bitsPerPixel <= 15) return 8;
  return 24;
}

void StartImageUnit() {
  TImageUnit& unit = ImageUnit();
  if (unit.Started) return;
  {
    const auto screen = cl::TCanvas::CreateCompatible();
    unit.DecoderColorDepth = ScreenColorDepth(cl::Screen().BitsPerPixel());
    unit.DecoderModeFlag = 1;
    unit.EnginePalette.reset();
    unit.DecoderPalette = nullptr;
    if (unit.DecoderColorDepth == 8) BuildEnginePalette(*screen);
  }
  unit.DecoderOptionWord = 0;
  unit.DefaultBitmap = MakeDefaultBitmap();
  unit.ErrorBitmap = MakeErrorBitmap();
  unit.ErrorBitmapMask = MakeErrorBitmapMask();
  cl::Screen().SetCursor(1, MakeLinkCursor());
  cl::Screen().SetCursor(2, MakeTextCursor());
  unit.BitmapList = std::make_unique<TStringBitmapList>();
  unit.WaitStream = std::make_unique<cl::TMemoryStream>();
  unit.Started = true;
}

void StopImageUnit() {
  TImageUnit& unit = ImageUnit();
  if (!unit.Started) return;
  unit.DecoderPalette = nullptr;
  unit.EnginePalette.reset();
  unit.DefaultBitmap.reset();
  unit.ErrorBitmap.reset();
  unit.ErrorBitmapMask.reset();
  unit.BitmapList.reset();
  unit.WaitStream.reset();
  unit.Started = false;
}

TStringBitmapList& BitmapList() {
  StartImageUnit();
  return *ImageUnit().BitmapList;
}

}  // namespace html
