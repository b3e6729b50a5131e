#pragma once

// Test support: the message boxes the user sees, the application's error box
// among them, shown by Qt as on the desktop and read back from the screen.

#include <memory>
#include <string>
#include <vector>

#include "platform/gui/geometry.h"
#include "platform/gui/test_support/scripted_dialogs.h"

namespace cl::testing {

// While it lives, message boxes are Qt's real boxes, also on the offscreen
// platform (the other common dialogs fail the test, as without a script):
// each is written down once it shows and closed by its default button.
class MessageBoxDriver {
 public:
  MessageBoxDriver();
  ~MessageBoxDriver();
  MessageBoxDriver(const MessageBoxDriver&) = delete;
  MessageBoxDriver& operator=(const MessageBoxDriver&) = delete;

  struct Shown {
    std::string text;     // code page 1250
    std::string caption;  // the title of its window
    TRect window;         // its window on the screen
  };
  const std::vector<Shown>& Boxes() const { return boxes_; }

 private:
  void Tick();

  ScriptedDialogs seam_;
  std::vector<Shown> boxes_;
  struct Poll;
  std::unique_ptr<Poll> poll_;
};

}  // namespace cl::testing
