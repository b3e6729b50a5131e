#include "platform/core/file_stream.h"

#include "platform/core/file_handle.h"

namespace cl {

namespace {

// The class library's open modes in the kernel's terms: fmCreate makes the
// file anew for reading and writing, shared with no one; otherwise the
// access is bits 0-1 and the sharing bits 4-7 (compatibility and exclusive
// both share nothing).
win::HANDLE OpenStreamHandle(const std::string& fileName, std::uint16_t mode) {
  if (mode == fmCreate)
    return win::CreateFile(fileName, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_ALWAYS);
  std::uint32_t access = win::GENERIC_READ;
  if ((mode & 3) == fmOpenWrite) access = win::GENERIC_WRITE;
  if ((mode & 3) == fmOpenReadWrite) access = win::GENERIC_READ | win::GENERIC_WRITE;
  std::uint32_t share = 0;
  switch (mode & 0xF0) {
    case fmShareDenyWrite: share = win::FILE_SHARE_READ; break;
    case fmShareDenyRead: share = win::FILE_SHARE_WRITE; break;
    case fmShareDenyNone: share = win::FILE_SHARE_READ | win::FILE_SHARE_WRITE; break;
    default: break;
  }
  return win::CreateFile(fileName, access, share, win::OPEN_EXISTING);
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode)
    : handle_(OpenStreamHandle(fileName, mode)) {
  if (handle_.IsOpen()) return;
  if (mode == fmCreate) throw EFCreateError("Cannot create file " + fileName);
  throw EFOpenError("Cannot open file " + fileName);
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  std::uint32_t done = 0;
  if (!win::ReadFile(handle_.Get(), buffer, static_cast<std::uint32_t>(count), &done)) return -1;
  return static_cast<std::int32_t>(done);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  std::uint32_t done = 0;
  if (!win::WriteFile(handle_.Get(), buffer, static_cast<std::uint32_t>(count), &done)) return 0;
  return static_cast<std::int32_t>(done);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int method = origin == TSeekOrigin::soBeginning ? win::FILE_BEGIN
                     : origin == TSeekOrigin::soCurrent ? win::FILE_CURRENT
                                                        : win::FILE_END;
  std::int64_t position = -1;
  if (!win::SetFilePointer(handle_.Get(), offset, method, &position)) return -1;
  return position;
}

void TFileStream::SetSize(std::int64_t size) {
  const std::int64_t position = Position();
  if (!win::SetFilePointer(handle_.Get(), size, win::FILE_BEGIN, nullptr) || !win::SetEndOfFile(handle_.Get()))
    throw EStreamError("Stream write error");
  SetPosition(position < size ? position : size);
}

}  // namespace cl
