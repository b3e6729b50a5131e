#include "platform/gui/group_box.h"

#include <QGroupBox>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner, new Bridged<QGroupBox>(this)) {
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::CaptionChanged() { static_cast<QGroupBox*>(Widget())->setTitle(ToQString(Caption())); }

}  // namespace cl
