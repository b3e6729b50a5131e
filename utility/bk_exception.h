#pragma once

#include <string>
#include <string_view>

#include "platform/core/exception.h"

// The suite's exception tree. No class adds state: each is a message-carrying
// exception that callers tell apart by class.

// Root of the suite's exceptions.
class tBKException : public cl::Exception {
 public:
  using cl::Exception::Exception;
};

// An internal error with a plain or formatted message.
class xInternal : public tBKException {
 public:
  using tBKException::tBKException;

  // The message from a printf format and its arguments.
  [[gnu::format(printf, 1, 2)]] static xInternal CreateFmt(const char* format, ...);
};

// A failed file operation. The message names the operation, the file and the
// calling thread's last error, read before anything else can change it.
class xIOInternal : public xInternal {
 public:
  xIOInternal(std::string_view operation, std::string_view fileName);

  // "I/O <operation> "<file name>" failed, GetLastError=<system-error text>".
  static std::string CreateIO(std::string_view operation, std::string_view fileName);
};

class xIOCreate : public xIOInternal {
 public:
  explicit xIOCreate(std::string_view fileName) : xIOInternal("Create", fileName) {}
};

class xIOOpen : public xIOInternal {
 public:
  explicit xIOOpen(std::string_view fileName) : xIOInternal("Open", fileName) {}
};

class xIOSeek : public xIOInternal {
 public:
  explicit xIOSeek(std::string_view fileName) : xIOInternal("Seek", fileName) {}
};

class xIORead : public xIOInternal {
 public:
  explicit xIORead(std::string_view fileName) : xIOInternal("Read", fileName) {}
};

// Writing or truncating.
class xIOWrite : public xIOInternal {
 public:
  explicit xIOWrite(std::string_view fileName) : xIOInternal("Write", fileName) {}
};

class xIOClose : public xIOInternal {
 public:
  explicit xIOClose(std::string_view fileName) : xIOInternal("Close", fileName) {}
};

class xIOCopy : public xIOInternal {
 public:
  explicit xIOCopy(std::string_view fileName) : xIOInternal("Copy", fileName) {}
};

class xIODelete : public xIOInternal {
 public:
  explicit xIODelete(std::string_view fileName) : xIOInternal("Delete", fileName) {}
};

class xIORename : public xIOInternal {
 public:
  explicit xIORename(std::string_view fileName) : xIOInternal("Rename", fileName) {}
};

// Reading or setting attributes.
class xIOAttr : public xIOInternal {
 public:
  explicit xIOAttr(std::string_view fileName) : xIOInternal("Attributes", fileName) {}
};
