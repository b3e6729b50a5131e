#include "platform/core/profile_file.h"

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The whole file; nullopt with errno set when it cannot be read.
std::optional<std::string> ReadWhole(const std::string& path) {
  const int fd = OpenWithoutWaiting(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buffer[8192];
  for (;;) {
    const auto n = RetryOnInterrupt([&] { return read(fd, buffer, sizeof buffer); });
    if (n < 0) {
      const int error = errno;
      close(fd);
      errno = error;
      return std::nullopt;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
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
    // A read-only file stays unwritten, as on Windows, whoever we are.
    if (!(st.st_mode & S_IWUSR)) return Fail(EACCES, *path);
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
