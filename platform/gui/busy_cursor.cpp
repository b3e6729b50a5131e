#include "platform/gui/busy_cursor.h"

#include "platform/gui/screen.h"

namespace cl {

TBusyCursor::TBusyCursor() : saved_(Screen().Cursor()) { Screen().SetCursor(crHourGlass); }

TBusyCursor::~TBusyCursor() { End(); }

void TBusyCursor::End() {
  if (ended_) return;
  ended_ = true;
  Screen().SetCursor(saved_);
}

}  // namespace cl
