#pragma once

#include <cstdint>

#include "html/images/image_unit.h"
#include "platform/gui/test_support/screen_depth.h"

namespace html {

// The image unit started afresh on a screen of the given depth, for a scope.
// The unit reads the depth only when it starts and keeps what it read when it
// stops; so when the guard goes, the unit is stopped with the decoder settings
// it had before, and the screen has its depth back.
class ImageUnitOnScreen {
 public:
  explicit ImageUnitOnScreen(int bitsPerPixel) : depth_(bitsPerPixel), found_(ImageUnit()) {
    // A unit an earlier test left running would keep that test's depth.
    StopImageUnit();
    StartImageUnit();
  }
  ~ImageUnitOnScreen() {
    StopImageUnit();
    TImageUnit& unit = ImageUnit();
    unit.DecoderColorDepth = found_.colorDepth;
    unit.DecoderModeFlag = found_.modeFlag;
    unit.DecoderOptionWord = found_.optionWord;
  }
  ImageUnitOnScreen(const ImageUnitOnScreen&) = delete;
  ImageUnitOnScreen& operator=(const ImageUnitOnScreen&) = delete;

 private:
  struct DecoderSettings {
    explicit DecoderSettings(const TImageUnit& unit)
        : colorDepth(unit.DecoderColorDepth), modeFlag(unit.DecoderModeFlag), optionWord(unit.DecoderOptionWord) {}
    std::uint8_t colorDepth;
    std::uint8_t modeFlag;
    std::uint16_t optionWord;
  };

  const cl::testing::ScopedScreenDepth depth_;
  const DecoderSettings found_;
};

}  // namespace html
