#pragma once

#include <cstdint>
#include <string>

#include "platform/core/stream.h"
#include "platform/core/unique_handle.h"

namespace cl {

// Open modes: an access value or-ed with a sharing value, or fmCreate.
inline constexpr std::uint16_t fmCreate = 0xFFFF;
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmShareCompat = 0x0000;
inline constexpr std::uint16_t fmShareExclusive = 0x0010;
inline constexpr std::uint16_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint16_t fmShareDenyRead = 0x0030;
inline constexpr std::uint16_t fmShareDenyNone = 0x0040;

// A stream over a file handle that it owns. The name is the system's own
// (code page 1250) form. Failing to open raises EFOpenError "Cannot open file
// <name>", failing to create EFCreateError "Cannot create file <name>".
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, std::uint16_t mode);
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  std::int32_t Handle() const { return handle_.Get(); }

 private:
  win::UniqueHandle handle_;
};

}  // namespace cl
