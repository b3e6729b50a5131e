#include "platform/gui/font.h"

#include "platform/core/mul_div.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/font_face.h"

namespace cl {

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  name_ = source.name_;
  height_ = source.height_;
  color_ = source.color_;
  style_ = source.style_;
  charset_ = source.charset_;
  Changed();
}

void TFont::SetName(std::string name) {
  if (name.empty() || name == name_) return;
  name_ = std::move(name);
  Changed();
}

int32_t TFont::Size() const { return -win::MulDiv(height_, 72, 96); }

void TFont::SetSize(int32_t points) { SetHeight(-win::MulDiv(points, 96, 72)); }

void TFont::SetHeight(int32_t height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(uint8_t charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  face_.reset();
  if (OnChange) OnChange();
}

const FontFace& TFont::Face() const {
  if (face_ == nullptr || faceGeneration_ != FontEngineGeneration()) {
    FontRequest request;
    request.family = SubstituteFaceName(name_);
    // A positive height is the cell height; the em is what is asked for, and
    // fonts' ems are about 7/8 of their cells.
    request.pixelSize = height_ < 0 ? -height_ : height_ > 0 ? std::max(1, win::MulDiv(height_, 7, 8)) : 11;
    request.bold = (style_ & fsBold) != 0;
    request.italic = (style_ & fsItalic) != 0;
    request.underline = (style_ & fsUnderline) != 0;
    request.strikeOut = (style_ & fsStrikeOut) != 0;
    face_ = OpenFontFace(request);
    faceGeneration_ = FontEngineGeneration();
  }
  return *face_;
}

TTextMetric TFont::Metrics() const { return Face().Metrics(); }

const std::array<int32_t, 256>& TFont::Advances() const { return Face().Advances(); }

int32_t TFont::TextWidth(std::string_view text) const {
  const auto& advances = Advances();
  int32_t width = 0;
  for (const char c : text) width += advances[static_cast<unsigned char>(c)];
  return width;
}

}  // namespace cl
