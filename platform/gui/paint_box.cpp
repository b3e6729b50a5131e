#include "platform/gui/paint_box.h"

#include <QWidget>

namespace cl {

TPaintBox::TPaintBox(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 105, 105);
  // What OnPaint leaves undrawn shows the parent, as a window-less control does.
  Widget()->setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}

}  // namespace cl
