#pragma once

#include <cstdint>
#include <string>

#include "platform/core/stream.h"
#include "platform/core/unique_handle.h"

namespace html {

// A file opened for reading with others denied writing, as the image code
// opens pictures. Failing to open raises cl::EFOpenError.
class TReadOnlyFileStream : public cl::TStream {
 public:
  explicit TReadOnlyFileStream(const std::string& fileName);
  TReadOnlyFileStream(const TReadOnlyFileStream&) = delete;
  TReadOnlyFileStream& operator=(const TReadOnlyFileStream&) = delete;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, cl::TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

 private:
  win::UniqueHandle handle_;
};

}  // namespace html
