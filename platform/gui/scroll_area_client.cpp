#include "platform/gui/scroll_area_client.h"

#include <algorithm>

#include <QAbstractScrollArea>
#include <QStyle>

namespace cl {

// Computed as the scroll area lays out its children, so that the answer holds
// before the control is first shown (when Qt has not placed its viewport yet).
TRect ScrollAreaClientRect(const QAbstractScrollArea& area, int width, int height, bool vertical,
                           bool horizontal) {
  const QStyle* style = area.style();
  const int frame = area.frameWidth();
  const int bar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area);
  const int spacing = style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, &area)
                          ? style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, &area)
                          : 0;
  const int w = width - 2 * frame - (vertical ? bar + spacing : 0);
  const int h = height - 2 * frame - (horizontal ? bar + spacing : 0);
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

}  // namespace cl
