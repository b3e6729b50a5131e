#include "utility/file_operations.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/core/file_handle.h"
#include "platform/core/file_system.h"
#include "platform/core/find_file.h"
#include "platform/core/last_error.h"
#include "platform/core/scheduler.h"
#include "platform/core/short_string.h"
#include "utility/path_names.h"
#include "utility/owned_handle.h"
#include "utility/raw_handles.h"
#include "utility/replacement_file.h"

namespace utl {

namespace {

constexpr std::int32_t blockSize = 0x8000;

std::string StripTrailingSeparator(std::string name) {
  if (name.size() > 1 && IsSeparator(name.back())) name.pop_back();
  return name;
}

bool IsRoot(std::string_view expanded) {
  return expanded == "/" || (expanded.size() == 3 && expanded[1] == ':' && IsSeparator(expanded[2]));
}

// True when both names are the same file (another spelling of one inode).
bool SameFile(std::string_view a, std::string_view b) {
  OwnedHandle first, second;
  if (OPENHANDLE(a, modeReadDenyNone, first.Slot()) || OPENHANDLE(b, modeReadDenyNone, second.Slot()))
    return false;
  return win::SameFile(first.Get(), second.Get());
}

bool DirectoryOfTargetReady(std::string_view target) {
  const std::string dir = DIRNAME(target);
  return dir.empty() || DIREXISTS(dir) || !MAKEDIRECTORY(dir);
}

// Ends the file at its old size after a failed append, so that no part of the
// new bytes stays behind.
void CutBack(Handle handle, std::int32_t size) {
  if (!SEEKHANDLETO(handle, size)) TRUNCATEHANDLE(handle);
}

std::optional<std::string> ExpandedUncut(std::string_view name) {
  std::string expanded = FEXPAND(name);
  if (expanded.size() > ShortString::MaxLength) return std::nullopt;
  return expanded;
}

bool DeleteTree(const std::string& dir, std::uint64_t volume) {
  const std::string prefix = IsSeparator(dir.back()) ? dir : dir + (dir.find('\\') != std::string::npos ? "\\" : "/");
  for (const win::FindData& entry : win::FindFiles(prefix + "*")) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = prefix + entry.name;
    const bool link = entry.attributes & win::FILE_ATTRIBUTE_REPARSE_POINT;
    if (!link && (entry.attributes & 7) &&
        !win::SetFileAttributes(path, entry.attributes & ~std::uint32_t(7)))
      return true;
    if (!link && (entry.attributes & win::FILE_ATTRIBUTE_DIRECTORY)) {
      // A mount point belongs to another file system: left alone.
      if (entry.volumeSerial != volume) return true;
      if (DeleteTree(path, volume)) return true;
    } else if (DELETEFILE(path)) {
      return true;
    }
  }
  return !win::RemoveDirectory(StripTrailingSeparator(dir));
}

// The attributes read and set through a link are its target's, a file the
// caller did not name: removing or replacing the link leaves them alone.
bool NamesLink(std::string_view name) {
  if (win::HasWildcard(name)) return false;
  const auto found = win::FindFiles(name);
  return found.size() == 1 && (found.front().attributes & win::FILE_ATTRIBUTE_REPARSE_POINT);
}

// Whether MAKEDIRECTORY has to make the parent first: it is missing (error 2
// or 3). A status query stands in for changing into the parent, which would
// disturb the process. The browser's build takes the same answer, so that a
// save into a folder several levels deep never stops half way.
bool ParentMissing(const std::string& parent) {
  if (win::GetFileAttributes(parent) != win::INVALID_FILE_ATTRIBUTES) return false;
  const std::uint32_t code = win::GetLastError();
  return code == win::ERROR_FILE_NOT_FOUND || code == win::ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool FILENOTFOUND(std::string_view name) {
  const auto found = win::FindFiles(name);
  return found.empty() || (found.front().attributes & (win::FILE_ATTRIBUTE_DIRECTORY | 8));
}

bool FILEATTR(std::string_view name, bool set, std::uint16_t& attributes) {
  if (set) return !win::SetFileAttributes(name, attributes);
  const std::uint32_t value = win::GetFileAttributes(name);
  if (value == win::INVALID_FILE_ATTRIBUTES) return true;
  attributes = static_cast<std::uint16_t>(value);
  return false;
}

std::int32_t FILESIZE(std::string_view name) {
  OwnedHandle file;
  if (OPENHANDLE(name, modeReadDenyNone, file.Slot())) return 0;
  std::int32_t size = 0;
  if (SEEKHANDLEEND(file.Get(), size)) return 0;
  return file.Close() ? 0 : size;
}

bool FILETIME(std::string_view name, std::uint8_t set, std::int32_t& time) {
  OwnedHandle file;
  if (OPENHANDLE(name, set == 1 ? modeReadWrite : modeReadDenyNone, file.Slot())) return true;
  HANDLETIME(file.Get(), set, time);
  return false;
}

bool ISONREMOVABLEMEDIUM(std::string_view name) { return win::IsOnRemovableDrive(FEXPAND(name)); }

bool RENAMEFILE(std::string_view source, std::string_view target) {
  const auto from = ExpandedUncut(source);
  const auto to = ExpandedUncut(target);
  if (!from || !to) return true;
  if (!DirectoryOfTargetReady(*to)) return true;
  // Drive letters map onto directories, so the system tells whether the move
  // stays on one file system; only a move across them is a copy.
  if (win::MoveFile(*from, *to)) return false;
  if (win::GetLastError() != win::ERROR_NOT_SAME_DEVICE) return true;
  // Across file systems an existing target is refused too, as within one.
  if (!FILENOTFOUND(*to) || DIREXISTS(*to)) {
    win::SetLastError(win::ERROR_ALREADY_EXISTS);
    return true;
  }
  const std::uint32_t attributes = win::GetFileAttributes(*from);
  if (attributes == win::INVALID_FILE_ATTRIBUTES) return true;
  if (COPYFILE(*from, *to)) return true;
  // A moved file keeps its access rights, as it does within a file system.
  win::CopyAccessRights(*from, *to);
  if (!win::SetFileAttributes(*to, attributes)) return true;
  return DELETEANYWAY(*from);
}

bool RENAMEANYWAY(std::string_view source, std::string_view target) {
  const auto from = ExpandedUncut(source);
  const auto to = ExpandedUncut(target);
  if (!from || !to) return true;
  if (!DirectoryOfTargetReady(*to)) return true;
  const std::uint32_t targetAttributes = win::GetFileAttributes(*to);
  const bool targetExists = targetAttributes != win::INVALID_FILE_ATTRIBUTES;
  if (targetExists && (targetAttributes & win::FILE_ATTRIBUTE_DIRECTORY)) return true;
  // The old target is replaced in one step, so a failure keeps it.
  const bool clearTarget = targetExists && !NamesLink(*to);
  if (clearTarget && !win::SetFileAttributes(*to, 0)) return true;
  if (win::MoveFileReplacing(*from, *to)) return false;
  if (win::GetLastError() == win::ERROR_NOT_SAME_DEVICE) {
    // COPYFILE replaces the target only once the copy is complete.
    const std::uint32_t attributes = win::GetFileAttributes(*from);
    if (attributes != win::INVALID_FILE_ATTRIBUTES && !COPYFILE(*from, *to)) {
      win::CopyAccessRights(*from, *to);
      win::SetFileAttributes(*to, attributes);
      return DELETEANYWAY(*from);
    }
  }
  if (clearTarget) win::SetFileAttributes(*to, targetAttributes);
  return true;
}

bool COPYFILE(std::string_view source, std::string_view target) {
  if (!DirectoryOfTargetReady(target)) return true;
  if (FILENOTFOUND(source)) return true;
  // A file copied onto itself under another spelling would be lost.
  if (SameFile(source, target)) return true;
  OwnedHandle from;
  if (OPENHANDLE(source, modeReadDenyNone, from.Slot())) return true;
  // The old target stays until the copy is complete, whatever goes wrong; as
  // the copy would hold it exclusively, any other handle on it refuses.
  ReplacementFile copy(target, ReplacementFile::OldFile::Exclusive);
  if (!copy.Ready()) return true;
  std::int32_t size = 0;
  if (SEEKHANDLEEND(from.Get(), size)) return true;
  std::int32_t count = size;
  if (COPYBLOCK(from.Get(), copy.File(), 0, 0, count) || count < size) return true;
  if (from.Close()) return true;
  return copy.Commit();
}

bool APPENDFILE(std::string_view source, std::string_view target) {
  // Appending a file to itself would read what it writes.
  if (SameFile(source, target)) return true;
  OwnedHandle from, to;
  if (OPENHANDLE(source, modeReadDenyNone, from.Slot()) || OPENHANDLE(target, modeWrite, to.Slot()))
    return true;
  std::int32_t size = 0;
  if (SEEKHANDLEEND(to.Get(), size)) return true;
  const auto failed = [&] {
    CutBack(to.Get(), size);
    return true;
  };
  std::vector<char> block(blockSize);
  for (;;) {
    std::int32_t n = blockSize;
    READHANDLECOND(from.Get(), block.data(), n);
    if (n < 0) return failed();
    if (n == 0) break;
    if (WRITEHANDLE(to.Get(), block.data(), n)) return failed();
  }
  if (FLUSHHANDLE(to.Get())) return failed();
  const bool sourceCloseFailed = from.Close();
  return to.Close() || sourceCloseFailed;
}

bool APPENDLINE(std::string_view name, std::string_view line) {
  OwnedHandle file;
  bool made = false;
  if (FILENOTFOUND(name) ? OpenOrMakeNew(name, file.Slot(), made) : OPENHANDLE(name, modeReadWrite, file.Slot()))
    return true;
  std::int32_t size = 0;
  const std::string text = std::string(line) + "\r\n";
  if (!SEEKHANDLEEND(file.Get(), size) && !WRITEHANDLE(file.Get(), text.data(), std::int32_t(text.size())) &&
      !FLUSHHANDLE(file.Get()))
    return file.Close();
  // A failed line leaves the file as it was, or no file when it was new.
  CutBack(file.Get(), size);
  file.Close();
  // Once closed, the new file may have another program's line.
  if (made) win::DeleteEmptyFile(name);
  return true;
}

bool DELETEFILE(std::string_view name) { return !win::DeleteFile(name); }

bool DELETEANYWAY(std::string_view name) {
  if (!NamesLink(name) && !win::SetFileAttributes(name, 0)) return true;
  return DELETEFILE(name);
}

bool DIREXISTS(std::string_view name) {
  std::string dir(name);
  if (dir.size() == 1 && IsSeparator(dir[0])) return true;  // the root
  if (!dir.empty() && IsSeparator(dir.back())) dir.pop_back();
  if (dir.size() == 2 && dir[1] == ':') return true;
  if (dir.empty()) return false;
  const auto found = win::FindFiles(dir);
  return !found.empty() && (found.front().attributes & win::FILE_ATTRIBUTE_DIRECTORY);
}

bool MAKEDIRECTORY(std::string_view name) {
  const auto expanded = ExpandedUncut(name);
  if (!expanded) return true;
  const std::string dir = StripTrailingSeparator(*expanded);
  const PathParts parts = SplitPath(dir);
  if (parts.name.empty() && parts.extension.empty()) return true;  // a root or a bare drive
  const std::string parent = parts.directory;
  if (!parent.empty() && parent != dir && ParentMissing(parent) && MAKEDIRECTORY(parent)) return true;
  return !win::CreateDirectory(dir);
}

bool PREPAREDIRECTORY(std::string_view fileName) {
  const std::string dir = DIRNAME(fileName);
  // A bare file name lives in the current directory, which exists.
  if (dir.empty() || DIREXISTS(dir)) return false;
  return MAKEDIRECTORY(dir);
}

bool DELETEDIRECTORY(std::string_view name) {
  const auto first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return true;
  const auto trimmed = name.substr(first, name.find_last_not_of(' ') - first + 1);
  const auto expanded = ExpandedUncut(trimmed);
  if (!expanded || IsRoot(*expanded)) return true;
  const auto top = win::FindFiles(StripTrailingSeparator(*expanded));
  if (top.empty() || !(top.front().attributes & win::FILE_ATTRIBUTE_DIRECTORY) ||
      (top.front().attributes & win::FILE_ATTRIBUTE_REPARSE_POINT))
    return true;
  if ((top.front().attributes & win::FILE_ATTRIBUTE_READONLY) &&
      !win::SetFileAttributes(*expanded, top.front().attributes & ~std::uint32_t(7)))
    return true;
  return DeleteTree(*expanded, top.front().volumeSerial);
}

}  // namespace utl
