#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace cl::testing {

// Answers the next file dialog of Qt's own (an open or save dialog shown
// without a script) as the user does at the keyboard: once it is up, the name
// field's text is replaced by name (code page 1250) and Return pressed. A
// message box the dialog answers with (a name it does not find) is written
// down and confirmed, and the dialog then cancelled. A dialog that has not
// come, or not gone, within the timeout after it fails the test and is
// cancelled.
class FileDialogTyping {
 public:
  explicit FileDialogTyping(std::string name, std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
  ~FileDialogTyping();
  FileDialogTyping(const FileDialogTyping&) = delete;
  FileDialogTyping& operator=(const FileDialogTyping&) = delete;

  bool Typed() const { return typed_; }
  // The texts of the message boxes, code page 1250.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  void Tick();

  std::string name_;
  std::chrono::milliseconds timeout_;
  std::chrono::steady_clock::time_point start_;
  bool typed_ = false;
  bool failed_ = false;
  std::vector<std::string> messages_;
  struct Poll;
  std::unique_ptr<Poll> poll_;
};

}  // namespace cl::testing
