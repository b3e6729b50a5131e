#include "html/images/read_only_file_stream.h"

namespace html {

TReadOnlyFileStream::TReadOnlyFileStream(const std::string& fileName)
    : handle_(win::CreateFile(fileName, win::GENERIC_READ, win::FILE_SHARE_READ, win::OPEN_EXISTING)) {
  if (!handle_.IsOpen()) throw cl::EFOpenError("Cannot open file " + fileName);
}

std::int32_t TReadOnlyFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  std::uint32_t done = 0;
  if (!win::ReadFile(handle_.Get(), buffer, static_cast<std::uint32_t>(count), &done)) return -1;
  return static_cast<std::int32_t>(done);
}

std::int32_t TReadOnlyFileStream::Write(const void*, std::int32_t) { return 0; }

std::int64_t TReadOnlyFileStream::Seek(std::int64_t offset, cl::TSeekOrigin origin) {
  const int method = origin == cl::TSeekOrigin::soBeginning ? 0 : origin == cl::TSeekOrigin::soCurrent ? 1 : 2;
  std::int64_t position = -1;
  if (!win::SetFilePointer(handle_.Get(), offset, method, &position)) return -1;
  return position;
}

void TReadOnlyFileStream::SetSize(std::int64_t) { throw cl::EWriteError("Stream write error"); }

}  // namespace html
