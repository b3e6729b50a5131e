#pragma once

#include <cstdint>

#include "platform/core/exception.h"
#include "platform/core/object.h"

namespace cl {

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// The class library's byte stream: a position inside a sized sequence.
class TStream : public TObject {
 public:
  // Up to count bytes; the number moved (0 at the end, -1 after a system
  // error, which the last error then names).
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  // The new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(std::int64_t size) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  std::int64_t Size();

  // Exactly count bytes, else EReadError "Stream read error" / EWriteError.
  void ReadBuffer(void* buffer, std::int32_t count);
  void WriteBuffer(const void* buffer, std::int32_t count);
  // Copies count bytes from source's position; count 0 copies the whole source
  // from its start. Returns the bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

}  // namespace cl
