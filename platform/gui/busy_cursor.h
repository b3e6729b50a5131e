#pragma once

#include "platform/gui/cursors.h"

namespace cl {

// Shows the hourglass over every window for its lifetime and gives back the
// screen cursor it found, also when the work in between throws.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

  // Gives the cursor back now, for work that must see it restored before the
  // scope ends; the destructor then does nothing.
  void End();

 private:
  TCursor saved_;
  bool ended_ = false;
};

}  // namespace cl
