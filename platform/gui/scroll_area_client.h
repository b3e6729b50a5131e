#pragma once

// platform/gui's own: the client area of a control over a Qt scroll area, as
// Windows counts it: the window less its frame and the scroll bars shown.

#include "platform/gui/geometry.h"

class QAbstractScrollArea;

namespace cl {

// The client rectangle of a scroll area width x height pixels large, with the
// vertical and the horizontal scroll bar shown or not.
TRect ScrollAreaClientRect(const QAbstractScrollArea& area, int width, int height, bool vertical,
                           bool horizontal);

}  // namespace cl
