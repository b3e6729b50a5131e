#pragma once

// platform/gui's own: how a font measures and draws.

#include <QColor>
#include <QPainter>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/font.h"

namespace cl {

struct FontRequest {
  std::string family;
  int32_t pixelSize = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  auto operator<=>(const FontRequest&) const = default;
};

class FontFace {
 public:
  virtual ~FontFace() = default;
  const TTextMetric& Metrics() const { return metrics_; }
  const std::array<int32_t, 256>& Advances() const { return advances_; }
  // Draws text with its first character's cell at x and the baseline at y,
  // each character at the position the advance table gives.
  virtual void Draw(QPainter& painter, int32_t x, int32_t baseline, std::string_view text, QColor color) const = 0;

 protected:
  TTextMetric metrics_;
  std::array<int32_t, 256> advances_{};
};

// The face of the current engine for a request; faces are shared and cached.
std::shared_ptr<const FontFace> OpenFontFace(const FontRequest& request);
// Changes whenever the engine is switched, so fonts fetch their faces again.
uint32_t FontEngineGeneration();

}  // namespace cl
