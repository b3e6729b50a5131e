#pragma once

// Test support for GUI tests of every folder (link platform_gui_test_support):
// the offscreen application with a fixed look, a recorder of handled
// exceptions, synthetic input through Qt's window system path, and the modal
// form driver.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/form.h"
#include "platform/gui/menu.h"

namespace cl::testing {

// Qt's application on the offscreen platform, Fusion style, a fixed palette.
void EnsureGuiTestApplication();
// Whether Qt's application object exists yet.
bool QtApplicationExists();
// Makes the Qt application object of a console program (no windows), as a
// host may have before it calls a library; it lives to the process's end.
void MakeConsoleQtApplication();
// Runs action from the event loop of Qt's application object: soon when it
// exists, else once the code under test has made it and runs its loop.
void WhenQtApplicationRuns(std::function<void()> action);
// Runs pending events, posted messages, due timers and deferred releases.
void ProcessEvents();

// Records what reaches Application().HandleException while it lives.
class ExceptionRecorder {
 public:
  ExceptionRecorder();
  ~ExceptionRecorder();
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// Mouse input at control's coordinates, sent to its window as the window
// system would (Qt's implicit grab and double-click detection apply). The
// control's form must be shown.
void MouseDown(TControl& control, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
void MouseUp(TControl& control, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
// A move with the buttons in shift held (ssLeft ...); the point may lie
// outside the control.
void MouseMove(TControl& control, int x, int y, TShiftState shift = 0);
void Click(TControl& control, int x, int y, TMouseButton button = mbLeft);
// A press that cannot outlive its test: the button goes down at control's
// point and comes up again at that place in the window when the guard goes,
// unless Release came first. The window system's idea of the held buttons
// lasts for the process, so a press left behind would drag in later tests.
class PressedMouseButton {
 public:
  PressedMouseButton(TControl& control, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
  ~PressedMouseButton();
  PressedMouseButton(const PressedMouseButton&) = delete;
  PressedMouseButton& operator=(const PressedMouseButton&) = delete;

  // The test's own release, at control's coordinates.
  void Release(TControl& control, int x, int y);

 private:
  struct Press;
  std::unique_ptr<Press> press_;
};
void DoubleClick(TControl& control, int x, int y);
// A wheel turn over the point (120 a notch; positive away from the user).
void Wheel(TControl& control, int x, int y, int delta);
// A key press and release delivered to control (text: the character typed).
void PressKey(TControl& control, uint16_t virtualKey, TShiftState shift = 0, char text = 0);
// A key press and release through the form's window, as the keyboard sends
// them: Qt's shortcuts and mnemonics first, then the focused control.
void TypeKey(TForm& form, uint16_t virtualKey, TShiftState shift = 0);
// The title bar's close button.
void CloseByTitleBar(TForm& form);
// What the window system is told of a form's window: the title it shows
// (code page 1250; Qt puts the program's name on a window whose title is
// empty) and whether its size hints let the user drag the border.
std::string ShownWindowTitle(TForm& form);
bool UserCanResize(TForm& form);

// What a pop-up menu shows when it pops up: Qt's menu of its visible items.
struct ShownMenuItem {
  std::string caption;   // code page 1250, "&" marks included
  std::string shortCut;  // as Qt writes it portably ("Alt+Right"); empty for none
  bool enabled = true;
  std::vector<ShownMenuItem> items;  // a sub-menu's
};
std::vector<ShownMenuItem> ShownMenu(TPopupMenu& menu);

// Qt's own find window (shown by TFindDialog without a script, or with
// ScriptedDialogs::RealFind): whether it is up, and typing into it through the
// window system, as the user's keyboard does. Each character of the code
// page 1250 text is one key press with its text; keys go to the window's
// focused field or button.
bool FindWindowShowing();
void TypeIntoFindWindow(std::string_view cp1250);
void PressKeyInFindWindow(uint16_t virtualKey, TShiftState shift = 0);
// What the find window shows (code page 1250): its title, then the texts of
// its labels, check boxes and buttons, "&" marks included.
std::vector<std::string> FindWindowTexts();
// The find window's text field.
std::string FindWindowText();

// Drives the next modal form named formName (ignoring case): once it is the
// active modal form, action runs on it (test failures and exceptions inside
// are reported). A watchdog closes a form that does not close within the
// timeout after the action, or any other modal form that is up when the
// expected one has not come by then, and fails the test. A driver whose form
// never showed fails the test when it goes.
class ModalDriver {
 public:
  ModalDriver(std::string formName, std::function<void(TForm& form)> action,
              std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool Ran() const { return ran_; }

 private:
  void Tick();

  std::string formName_;
  std::function<void(TForm&)> action_;
  std::chrono::milliseconds timeout_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point ranAt_;
  bool ran_ = false;
  bool failed_ = false;
  struct Poll;
  std::unique_ptr<Poll> poll_;
};

// The named child control of a form (at any depth), cast to T; fails the
// test (and throws) when there is none or it is of another class.
template <class T>
T& Child(TForm& form, std::string_view name);

TControl* FindNamedControl(TForm& form, std::string_view name);
[[noreturn]] void FailMissingChild(std::string_view name);

template <class T>
T& Child(TForm& form, std::string_view name) {
  auto* found = dynamic_cast<T*>(FindNamedControl(form, name));
  if (found == nullptr) FailMissingChild(name);
  return *found;
}

}  // namespace cl::testing
