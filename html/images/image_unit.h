#pragma once

#include <cstdint>
#include <memory>

#include "html/images/image_cache.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/gdi_objects.h"

namespace html {

// The image code's process-wide state, set at start-up (before any viewer
// exists) and released at shut-down.
struct TImageUnit {
  bool Started = false;
  std::uint8_t DecoderColorDepth = 24;  // 4, 8 or 24, from the screen
  std::uint8_t DecoderModeFlag = 1;
  std::uint16_t DecoderOptionWord = 0;
  // Passed to every decoder call: EnginePalette on 8-bit screens, none during
  // a mask pass and on deeper screens. Observes, never owns.
  win::HPALETTE DecoderPalette = nullptr;
  win::UniquePalette EnginePalette;  // only when the depth is 8
  std::unique_ptr<cl::TBitmap> DefaultBitmap;    // pending image, images off
  std::unique_ptr<cl::TBitmap> ErrorBitmap;      // image that could not be loaded
  std::unique_ptr<cl::TBitmap> ErrorBitmapMask;  // its mask
  std::unique_ptr<TStringBitmapList> BitmapList;
  // Its identity means "the image comes later" when an application answers
  // an image request with it.
  std::unique_ptr<cl::TMemoryStream> WaitStream;
};

TImageUnit& ImageUnit();

// Once per process; later calls do nothing until StopImageUnit.
void StartImageUnit();
void StopImageUnit();

// The shared cache (the unit is started on first need).
TStringBitmapList& BitmapList();

// 4 for screens of 4 bits per pixel or fewer, 8 for 5 to 15, else 24.
std::uint8_t ScreenColorDepth(int bitsPerPixel);

// Starts the unit for a scope and stops it afterwards (tests).
class TImageUnitScope {
 public:
  TImageUnitScope() { StartImageUnit(); }
  ~TImageUnitScope() { StopImageUnit(); }
  TImageUnitScope(const TImageUnitScope&) = delete;
  TImageUnitScope& operator=(const TImageUnitScope&) = delete;
};

}  // namespace html
