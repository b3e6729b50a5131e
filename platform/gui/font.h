#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/colors.h"

namespace cl {

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// Text facts of a font in pixels: tmHeight = ascent + descent, external
// leading never negative, overhang always 0.
struct TTextMetric {
  int32_t tmHeight = 0;
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0;
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmOverhang = 0;
};

class FontFace;

// The class library's font: a Windows face name, a size, colour, style and
// character set, with a change notification. Text extents are additive: each
// character of the 8-bit text advances by its entry in the 256-entry table.
class TFont {
 public:
  TFont();
  virtual ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  // Copies name, height, colour, style and charset; notifies once.
  virtual void Assign(const TFont& source);

  const std::string& Name() const { return name_; }
  void SetName(std::string name);
  // Points at 96 dpi; setting it sets Height to -MulDiv(points, 96, 72).
  int32_t Size() const;
  void SetSize(int32_t points);
  // Pixels: negative is the character (em) height, positive the cell height.
  int32_t Height() const { return height_; }
  void SetHeight(int32_t height);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t charset);

  // Called after every change of the font.
  std::function<void()> OnChange;

  TTextMetric Metrics() const;
  const std::array<int32_t, 256>& Advances() const;
  int32_t TextWidth(std::string_view text) const;
  // The face that measures and draws (platform/gui's own use).
  const FontFace& Face() const;

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int32_t height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  uint8_t charset_ = 1;
  mutable std::shared_ptr<const FontFace> face_;
  mutable uint32_t faceGeneration_ = 0;
};

}  // namespace cl
