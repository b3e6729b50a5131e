#pragma once

// platform/gui's own: what the generic event dispatch asks of forms, scroll
// bars and menus without knowing their classes.

#include "platform/gui/control.h"

namespace cl {

// The form behind a top-level control, or null.
TForm* FormOf(TControl* window);
TWinControl* FormControl(TForm& form);
bool FormKeyPreview(const TForm& form);
// Esc and Enter on a form: the cancel or default button is clicked; true
// when one was.
bool FormDialogKey(TForm& form, uint16_t key, TShiftState shift);
// The title bar's close: false keeps Qt from closing the window itself.
bool FormCloseRequested(TControl& window);
// The pop-up menu of the control or its nearest parent, shown at a screen
// point; false when there is none.
bool ShowPopupMenuOf(TControl& control, TPoint screenPos);
// A wheel turn given to a visible vertical scroll bar; false for other controls.
bool WheelScrollsBar(TControl& control, int wheelDelta);

// The pointer's last place as the window system reported it to a control
// (the cursor position where Qt's platform cannot tell one).
void NoteMousePosition(TPoint screenPos);
TPoint LastMousePosition();

}  // namespace cl
