#pragma once

#include <exception>
#include <functional>
#include <string>

namespace cl {

class TForm;

// The class library's application object over Qt's.
class TApplication {
 public:
  // True once Terminate was called: long work (decoding) should stop.
  bool Terminated() const { return terminated_; }
  void Terminate();
  // Runs the pending events (paint, input, posted messages, timers due by
  // the scheduler's clock, deferred releases), then returns.
  void ProcessMessages();
  // The same, leaving the user's input queued: for work that must not be
  // clicked into while it runs (printing).
  void ProcessMessagesExceptInput();
  // The main form: closing it ends the application.
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  // The program's title, the caption of its error boxes: the name of the
  // program's file without its folder and extension.
  std::string Title() const;
  // Reports an exception raised inside an event handler in an error box over
  // the active window; the loop goes on.
  void HandleException(const std::exception& error);
  // Replaces the error box (tests record instead).
  void SetExceptionHandler(std::function<void(const std::exception&)> handler);
  // The message loop; returns when the application quits.
  int Run();

 private:
  bool terminated_ = false;
  TForm* mainForm_ = nullptr;
  std::function<void(const std::exception&)> exceptionHandler_;
};

TApplication& Application();

// Creates Qt's application object (Fusion style) when the host has none; a
// library that draws or shows a form calls this first. Throws Exception when
// there is no window system to start on, or when the host's application
// object shows no windows (a console program's).
void EnsureQtApplication();

}  // namespace cl
