#pragma once

#include <exception>
#include <string>

namespace cl {

// The class library's exception root: a message text and a help context.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message, int helpContext = 0)
      : message_(std::move(message)), helpContext_(helpContext) {}

  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  int HelpContext() const noexcept { return helpContext_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
  int helpContext_;
};

// The silent abort: ends an operation without any message.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }

}  // namespace cl
