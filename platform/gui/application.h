#pragma once

#include <exception>
#include <functional>

namespace cl {

// The class library's application object over Qt's.
class TApplication {
 public:
  // True once Terminate was called: long work (decoding) should stop.
  bool Terminated() const { return terminated_; }
  void Terminate();
  // Runs the pending events (paint, input, timers), then returns.
  void ProcessMessages();
  // Reports an exception raised inside an event handler; the loop goes on.
  void HandleException(const std::exception& error);
  // Replaces the error box (tests record instead).
  void SetExceptionHandler(std::function<void(const std::exception&)> handler);
  // The message loop; returns when the application quits.
  int Run();

 private:
  bool terminated_ = false;
  std::function<void(const std::exception&)> exceptionHandler_;
};

TApplication& Application();

// Creates Qt's application object (Fusion style) when the host has none; a
// library that draws or shows a form calls this first.
void EnsureQtApplication();

}  // namespace cl
