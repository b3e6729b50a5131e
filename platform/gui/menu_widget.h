#pragma once

// platform/gui's own: the Qt menu a pop-up menu shows.

#include <QMenu>

#include "platform/gui/menu.h"

namespace cl {

// Qt's menu of parent's visible items: captions, enabled states, sub-menus
// and each item's shortcut text; choosing an action clicks its item.
void FillQtMenu(QMenu& menu, TMenuItem& parent);

}  // namespace cl
