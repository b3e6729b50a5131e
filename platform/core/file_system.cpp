#include "platform/core/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/core/cp1250.h"
#include "platform/core/file_names.h"
#include "platform/core/file_sharing.h"
#include "platform/core/last_error.h"
#include "platform/core/posix_retry.h"

namespace win {

namespace {

std::string LastComponent(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const auto slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

bool FailFor(int errnoValue, const std::string& path, NameKind kind = NameKind::File) {
  SetLastErrorForName(errnoValue, path, kind);
  return false;
}

bool Refuse(std::uint32_t code) {
  SetLastError(code);
  return false;
}

}  // namespace

std::uint32_t GetFileAttributes(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (stat(path->c_str(), &st) != 0) {
    FailFor(errno, *path);
    return INVALID_FILE_ATTRIBUTES;
  }
  std::uint32_t attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  const std::string last = LastComponent(*path);
  if (last.starts_with('.') && last != "." && last != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

bool SetFileAttributes(std::string_view name, std::uint32_t attributes) {
  const auto path = NativeName(name);
  if (!path) return false;
  struct stat st;
  if (stat(path->c_str(), &st) != 0) return FailFor(errno, *path);
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & FILE_ATTRIBUTE_READONLY) ? mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)
                                                : mode | S_IWUSR;
  if (mode == (st.st_mode & 07777)) return true;
  return chmod(path->c_str(), mode) == 0 || FailFor(errno, *path);
}

bool CopyAccessRights(std::string_view from, std::string_view to) {
  const auto source = NativeName(from);
  if (!source) return false;
  const auto target = NativeName(to);
  if (!target) return false;
  struct stat st;
  if (stat(source->c_str(), &st) != 0) return FailFor(errno, *source);
  return chmod(target->c_str(), (st.st_mode & 0777) | S_IWUSR) == 0 || FailFor(errno, *target);
}

bool DeleteFile(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  struct stat st;
  if (lstat(path->c_str(), &st) != 0) return FailFor(errno, *path);
  if (S_ISDIR(st.st_mode)) return Refuse(ERROR_ACCESS_DENIED);
  if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) return Refuse(ERROR_ACCESS_DENIED);
  const RemovalClaim claim(*path);
  if (claim.Held()) return Refuse(ERROR_SHARING_VIOLATION);
  return unlink(path->c_str()) == 0 || FailFor(errno, *path);
}

bool DeleteEmptyFile(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  struct stat st;
  if (lstat(path->c_str(), &st) != 0) return FailFor(errno, *path);
  if (!S_ISREG(st.st_mode)) return Refuse(ERROR_ACCESS_DENIED);
  const RemovalClaim claim(*path);
  if (claim.Held()) return Refuse(ERROR_SHARING_VIOLATION);
  if (lstat(path->c_str(), &st) != 0) return FailFor(errno, *path);
  if (!S_ISREG(st.st_mode) || st.st_size != 0) return Refuse(ERROR_ACCESS_DENIED);
  return unlink(path->c_str()) == 0 || FailFor(errno, *path);
}

namespace {

bool Move(std::string_view from, std::string_view to, bool replace) {
  const auto source = NativeName(from);
  if (!source) return false;
  const auto target = NativeName(to);
  if (!target) return false;
  struct stat st, tt;
  if (lstat(source->c_str(), &st) != 0) return FailFor(errno, *source);
  const RemovalClaim sourceClaim(*source);
  if (sourceClaim.Held()) return Refuse(ERROR_SHARING_VIOLATION);
  const bool targetExists = lstat(target->c_str(), &tt) == 0;
  const bool sameEntry = targetExists && st.st_dev == tt.st_dev && st.st_ino == tt.st_ino;
  std::optional<RemovalClaim> targetClaim;
  if (targetExists && !sameEntry) {
    if (!replace || S_ISDIR(tt.st_mode)) return Refuse(ERROR_ALREADY_EXISTS);
    if (S_ISREG(tt.st_mode) && !(tt.st_mode & S_IWUSR)) return Refuse(ERROR_ACCESS_DENIED);
    targetClaim.emplace(*target);
    if (targetClaim->Held()) return Refuse(ERROR_SHARING_VIOLATION);
  }
  if (sameEntry) {
    // A change of case only: the last component as given.
    const auto slash = target->find_last_of('/');
    std::string given = Cp1250ToUtf8(to.substr(to.find_last_of("\\/:") + 1));
    const std::string renamed = slash == std::string::npos ? given : target->substr(0, slash + 1) + given;
    return rename(source->c_str(), renamed.c_str()) == 0 || FailFor(errno, renamed);
  }
  // Without replacing, a target that appears meanwhile must survive.
  const int result = replace
                         ? rename(source->c_str(), target->c_str())
                         : renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target->c_str(), RENAME_NOREPLACE);
  if (result == 0) return true;
  if (errno == EINVAL && !replace) {
    // File systems without RENAME_NOREPLACE: the check above has to do.
    if (rename(source->c_str(), target->c_str()) == 0) return true;
  }
  return FailFor(errno, *target, NameKind::DirectoryOrRename);
}

}  // namespace

bool MoveFile(std::string_view from, std::string_view to) { return Move(from, to, false); }

bool MoveFileReplacing(std::string_view from, std::string_view to) { return Move(from, to, true); }

bool CreateDirectory(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  return mkdir(path->c_str(), 0777) == 0 || FailFor(errno, *path, NameKind::DirectoryOrRename);
}

bool RemoveDirectory(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  return rmdir(path->c_str()) == 0 || FailFor(errno, *path);
}

std::optional<std::string> GetCurrentDirectory() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) {
      SetLastErrorFromErrno(errno);
      return std::nullopt;
    }
    buffer.resize(buffer.size() * 2);
  }
  return SystemName(buffer.data());
}

bool SetCurrentDirectory(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  return chdir(path->c_str()) == 0 || FailFor(errno, *path);
}

bool IsOnRemovableDrive(std::string_view name) {
  const auto path = NativeName(name);
  if (!path) return false;
  std::string probe = path->empty() ? "." : *path;
  struct stat st;
  while (stat(probe.c_str(), &st) != 0) {
    const auto slash = probe.find_last_of('/');
    if (slash == std::string::npos) {
      probe = ".";
    } else {
      probe = slash == 0 ? "/" : probe.substr(0, slash);
    }
    if (probe == "." || probe == "/") {
      if (stat(probe.c_str(), &st) != 0) return false;
      break;
    }
  }
  // A partition's removable flag sits on its whole disk, one level up.
  const std::string device = "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" +
                             std::to_string(minor(st.st_dev));
  for (const char* flag : {"/removable", "/../removable"}) {
    std::ifstream in(device + flag);
    int removable = 0;
    if (in >> removable) return removable == 1;
  }
  return false;
}

}  // namespace win
