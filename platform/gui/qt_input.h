#pragma once

// platform/gui's own: Qt's input at the layer's edge.

#include <QFont>
#include <QKeyEvent>

#include "platform/gui/control.h"

namespace cl {

// The Windows virtual-key code of a key event (0 for keys Windows has none for).
uint16_t VirtualKeyOf(const QKeyEvent& event);
// The Qt key of a virtual-key code (the first one mapping to it), 0 for none.
int QtKeyOf(uint16_t virtualKey);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
TMouseButton MouseButtonOf(Qt::MouseButton button);
// The Qt font for a native widget showing text in a TFont.
QFont ToQFont(const TFont& font);
// The Qt cursor of a cursor number (built-in or a screen slot).
QCursor ToQCursor(TCursor cursor);

}  // namespace cl
