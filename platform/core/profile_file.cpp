#include "platform/core/profile_file.h"

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/ending_file.h"
#include "platform/core/file_names.h"
#include "platform/core/last_error.h"
#include "platform/core/places.h"
#include "platform/core/open_without_waiting.h"
#include "platform/core/posix_retry.h"
#include "platform/core/profile_text.h"
#include "platform/core/replacing_write.h"

namespace win {
namespace {

std::optional<std::string> ProfilePath(std::string_view fileName) {
  if (fileName.find_first_of("\\/:") == std::string_view::npos)
    return NativeName(GetWindowsDirectory() + "\\" + std::string(fileName));
  return NativeName(fileName);
}

// Far beyond any settings file; a larger one is not read at all, so that
// a sparse file of gigabytes cannot take the memory.
constexpr std::size_t ProfileByteLimit = std::size_t{16} << 20;

// The whole file; nullopt with errno set when it cannot be read. Only a
// regular file or a FIFO is read, for a device such as /dev/zero never ends;
// it is not even opened. A file beyond the bound, also one that grows past
// it while read, counts as unreadable (EFBIG).
std::optional<std::string> ReadWhole(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  if (!IsEndingFileMode(st.st_mode)) {
    errno = EACCES;
    return std::nullopt;
  }
  const int fd = OpenWithoutWaiting(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int error = 0;
  std::string text;
  if (fstat(fd, &st) != 0) {
    error = errno;
  } else if (!IsEndingFileMode(st.st_mode)) {
    error = EACCES;
  } else if (st.st_size > static_cast<off_t>(ProfileByteLimit)) {
    error = EFBIG;
  }
  char buffer[8192];
  while (error == 0) {
    const auto n = RetryOnInterrupt([&] { return read(fd, buffer, sizeof buffer); });
    if (n < 0) {
      error = errno;
    } else if (n == 0) {
      break;
    } else if (text.size() + static_cast<std::size_t>(n) > ProfileByteLimit) {
      error = EFBIG;
    } else {
      text.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  if (error != 0) {
    errno = error;
    return std::nullopt;
  }
  return text;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const auto n = RetryOnInterrupt([&] { return write(fd, text.data(), text.size()); });
    if (n < 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool Fail(int errnoValue, const std::string& path) {
  SetLastErrorForName(errnoValue, path);
  return false;
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view fileName) {
  const auto path = ProfilePath(fileName);
  if (!path) return std::string(defaultValue);
  const auto text = ReadWhole(*path);
  if (!text) return std::string(defaultValue);
  return ProfileValue(*text, section, key).value_or(std::string(defaultValue));
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view fileName) {
  const auto path = ProfilePath(fileName);
  if (!path) return false;

  bool existed = false;
  std::string text;
  struct stat st {};
  if (stat(path->c_str(), &st) == 0) {
    existed = true;
    // A read-only file stays unwritten, as on Windows, whoever we are; so
    // does one that reads as no profile: a device, a FIFO, or (below) a file
    // past the bound, whose rewrite would lose what it holds.
    if (!(st.st_mode & S_IWUSR) || !S_ISREG(st.st_mode)) return Fail(EACCES, *path);
    const auto current = ReadWhole(*path);
    if (!current) return Fail(errno, *path);
    text = *current;
  } else if (errno != ENOENT) {
    return Fail(errno, *path);
  }
  // Every program of the suite rewrites its settings when it ends; a key that
  // already holds the value leaves the file alone.
  if (existed && ProfileValue(text, section, key) == value) return true;
  const std::string updated = WithProfileValue(text, section, key, value);

  ReplacingWrite file(*path);
  if (!file.Ready()) return false;
  if (!WriteAll(file.Handle(), updated)) return Fail(errno, *path);
  return file.Commit();
}

}  // namespace win
