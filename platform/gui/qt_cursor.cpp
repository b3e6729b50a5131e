#include <QBitmap>
#include <vector>

#include "platform/gui/qt_bridge.h"

namespace cl {

QCursor ToQCursor(const TCursorShape& shape) {
  const int width = shape.Width, height = shape.Height;
  const int windowsRow = ((width + 15) / 16) * 2;
  const int qtRow = (width + 7) / 8;
  std::vector<uchar> bitmap(static_cast<size_t>(qtRow * height), 0);
  std::vector<uchar> mask(bitmap.size(), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = static_cast<size_t>(y * windowsRow + x / 8);
      if (at >= shape.AndPlane.size() || at >= shape.XorPlane.size()) continue;
      const int bit = 0x80 >> (x % 8);
      const bool andBit = (shape.AndPlane[at] & bit) != 0;
      const bool xorBit = (shape.XorPlane[at] & bit) != 0;
      // Qt: bitmap 1 + mask 1 black, 0 + 1 white, 0 + 0 transparent, 1 + 0 inverted.
      const size_t to = static_cast<size_t>(y * qtRow + x / 8);
      if (andBit == xorBit) bitmap[to] |= static_cast<uchar>(bit);
      if (!andBit) mask[to] |= static_cast<uchar>(bit);
    }
  const QSize size(width, height);
  return QCursor(QBitmap::fromData(size, bitmap.data(), QImage::Format_Mono),
                 QBitmap::fromData(size, mask.data(), QImage::Format_Mono), shape.HotX, shape.HotY);
}

}  // namespace cl
