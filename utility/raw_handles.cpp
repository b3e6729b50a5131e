#include "utility/raw_handles.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/core/file_handle.h"
#include "platform/core/last_error.h"

namespace utl {

namespace {

constexpr std::int32_t blockSize = 0x8000;

// Access and sharing of a mode word; false for a word outside the runtime's values.
bool TranslateMode(std::uint16_t mode, std::uint32_t& access, std::uint32_t& share) {
  switch (mode & 3) {
    case 0: access = win::GENERIC_READ; break;
    case 1: access = win::GENERIC_WRITE; break;
    case 2: access = win::GENERIC_READ | win::GENERIC_WRITE; break;
    default: return false;
  }
  switch ((mode >> 4) & 15) {
    case 0:
    case 1: share = 0; break;
    case 2: share = win::FILE_SHARE_READ; break;
    case 3: share = win::FILE_SHARE_WRITE; break;
    case 4: share = win::FILE_SHARE_READ | win::FILE_SHARE_WRITE; break;
    default: return false;
  }
  return (mode & ~0xF3) == 0;
}

bool Seek(Handle handle, std::int64_t distance, int method, std::int32_t* position = nullptr) {
  std::int64_t before = 0, result = 0;
  if (!win::SetFilePointer(handle, 0, win::FILE_CURRENT, &before)) return false;
  if (!win::SetFilePointer(handle, distance, method, &result)) return false;
  if (result > std::numeric_limits<std::int32_t>::max()) {
    // Beyond 2 GB no position can be reported: a refused move must not leave
    // the next write out there.
    win::SetFilePointer(handle, before, win::FILE_BEGIN, nullptr);
    win::SetLastError(win::ERROR_NEGATIVE_SEEK);
    return false;
  }
  if (position) *position = static_cast<std::int32_t>(result);
  return true;
}

// Reads up to count bytes at position; the number read, -1 on failure.
std::int32_t ReadAt(Handle handle, std::int32_t position, char* buffer, std::int32_t count) {
  if (!Seek(handle, position, win::FILE_BEGIN)) return -1;
  std::int32_t n = count;
  READHANDLECOND(handle, buffer, n);
  return n;
}

bool WriteAt(Handle handle, std::int32_t position, const char* buffer, std::int32_t count) {
  return Seek(handle, position, win::FILE_BEGIN) && !WRITEHANDLE(handle, buffer, count);
}

}  // namespace

bool OPENHANDLE(std::string_view name, std::uint16_t mode, Handle& handle) {
  handle = noHandle;
  std::uint32_t access = 0, share = 0;
  if (!TranslateMode(mode, access, share)) {
    win::SetLastError(win::ERROR_INVALID_PARAMETER);
    return true;
  }
  handle = win::CreateFile(name, access, share, win::OPEN_EXISTING);
  return handle == noHandle;
}

bool CREATEHANDLE(std::string_view name, Handle& handle) {
  handle = noHandle;
  Handle created = win::CreateFile(name, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_ALWAYS);
  if (created == noHandle) return true;
  CLOSEHANDLE(created);
  return OPENHANDLE(name, modeReadWrite, handle);
}

bool OpenOrMakeNew(std::string_view name, Handle& handle, bool& made) {
  handle = win::CreateFile(name, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_NEW);
  made = handle != noHandle;
  if (made) return false;
  if (win::GetLastError() != win::ERROR_FILE_EXISTS) return true;
  return OPENHANDLE(name, modeReadWrite, handle);
}

bool MakeIfMissing(std::string_view name) {
  Handle created = win::CreateFile(name, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_NEW);
  if (created == noHandle) return win::GetLastError() != win::ERROR_FILE_EXISTS;
  CLOSEHANDLE(created);
  return false;
}

bool CLOSEHANDLE(Handle& handle, StandardHandles standard) {
  if (ISHANDLEVALID(handle, standard)) win::CloseHandle(handle);
  handle = noHandle;
  return false;
}

bool FLUSHHANDLE(Handle handle) { return !win::FlushFileBuffers(handle); }

bool TRUNCATEHANDLE(Handle handle) { return !win::SetEndOfFile(handle); }

bool ISHANDLEVALID(Handle handle, StandardHandles standard) {
  if (standard == StandardHandles::AreNone && handle >= 0 && handle <= 4) return false;
  return handle != noHandle;
}

bool READHANDLE(Handle handle, void* buffer, std::int32_t count) {
  if (count < 0 || (count > 0 && !buffer)) return true;
  std::uint32_t done = 0;
  return !win::ReadFile(handle, buffer, std::uint32_t(count), &done) || done != std::uint32_t(count);
}

void READHANDLECOND(Handle handle, void* buffer, std::int32_t& count) {
  std::uint32_t done = 0;
  if (count < 0 || (count > 0 && !buffer) || !win::ReadFile(handle, buffer, std::uint32_t(count), &done)) {
    count = -1;
    return;
  }
  count = std::int32_t(done);
}

bool WRITEHANDLE(Handle handle, const void* buffer, std::int32_t count) {
  if (count < 0 || (count > 0 && !buffer)) return true;
  std::uint32_t done = 0;
  return !win::WriteFile(handle, buffer, std::uint32_t(count), &done) || done != std::uint32_t(count);
}

void WRITEHANDLECOND(Handle handle, const void* buffer, std::int32_t& count) {
  std::uint32_t done = 0;
  if (count < 0 || (count > 0 && !buffer) || !win::WriteFile(handle, buffer, std::uint32_t(count), &done)) {
    count = -1;
    return;
  }
  count = std::int32_t(done);
}

bool SEEKHANDLETO(Handle handle, std::int32_t position) {
  return !Seek(handle, position, win::FILE_BEGIN);
}

bool SEEKHANDLEREL(Handle handle, std::int32_t offset) {
  return !Seek(handle, offset, win::FILE_CURRENT);
}

bool SEEKHANDLEEND(Handle handle, std::int32_t& size) {
  size = -1;
  return !Seek(handle, 0, win::FILE_END, &size);
}

bool HANDLEPOSITION(Handle handle, std::int32_t& position) {
  position = -1;
  return !Seek(handle, 0, win::FILE_CURRENT, &position);
}

void HANDLETIME(Handle handle, std::uint8_t set, std::int32_t& time) {
  if (set == 1) {
    win::SetFileTime(handle, std::uint32_t(time));
    return;
  }
  std::uint32_t dosTime = 0;
  time = win::GetFileTime(handle, &dosTime) ? std::int32_t(dosTime) : -1;
}

bool COPYBLOCK(Handle source, Handle target, std::int32_t sourcePosition,
               std::int32_t targetPosition, std::int32_t& count) {
  // One descriptor cannot be at two positions at once.
  if (source == target) return true;
  if (SEEKHANDLETO(source, sourcePosition) || SEEKHANDLETO(target, targetPosition)) return true;
  std::vector<char> block(blockSize);
  std::int32_t copied = 0;
  while (copied < count) {
    std::int32_t n = std::min(blockSize, count - copied);
    READHANDLECOND(source, block.data(), n);
    if (n <= 0) break;
    if (WRITEHANDLE(target, block.data(), n)) return true;
    copied += n;
  }
  count = copied;
  return false;
}

bool INSERTTOHANDLE(Handle handle, std::int32_t position, const void* data, std::int32_t count) {
  if (position < 0 || count < 0 || (count > 0 && !data)) return true;
  std::int32_t size = 0;
  if (SEEKHANDLEEND(handle, size)) return true;
  if (count == 0) return false;
  if (std::int64_t(std::max(size, position)) + count > std::numeric_limits<std::int32_t>::max())
    return true;
  // The file takes its new length before any byte moves, so that a full disk
  // stops the insertion with the file cut back to what it was; the moves then
  // write only where the file already has room.
  const char* bytes = static_cast<const char*>(data);
  if (!WriteAt(handle, std::max(size, position), bytes, count)) {
    if (Seek(handle, size, win::FILE_BEGIN)) TRUNCATEHANDLE(handle);
    return true;
  }
  if (position >= size) return false;
  std::vector<char> block(blockSize);
  // The tail moves from the end backwards, so no byte is overwritten unmoved.
  while (position < size) {
    const std::int32_t blockStart = std::max(position, size - blockSize);
    const std::int32_t n = size - blockStart;
    if (ReadAt(handle, blockStart, block.data(), n) != n) return true;
    if (!WriteAt(handle, blockStart + count, block.data(), n)) return true;
    size = blockStart;
  }
  return !WriteAt(handle, position, bytes, count);
}

bool DELETEFROMHANDLE(Handle handle, std::int32_t position, std::int32_t count) {
  if (position < 0 || count < 0) return true;
  std::int32_t size = 0;
  if (SEEKHANDLEEND(handle, size)) return true;
  // Never more than lies between the position and the end.
  count = std::min(count, std::max(0, size - position));
  if (count == 0) return false;
  std::vector<char> block(blockSize);
  std::int32_t from = position + count, to = position;
  for (;;) {
    const std::int32_t n = ReadAt(handle, from, block.data(), blockSize);
    if (n < 0) return true;  // a failed read must not go on to truncate
    if (n == 0) break;
    if (!WriteAt(handle, to, block.data(), n)) return true;
    from += n;
    to += n;
  }
  return SEEKHANDLETO(handle, size - count) || TRUNCATEHANDLE(handle);
}

}  // namespace utl
