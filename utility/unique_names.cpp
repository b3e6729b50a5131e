#include "utility/unique_names.h"

#include <unordered_set>

#include "platform/core/ansi_case.h"
#include "platform/core/file_handle.h"
#include "platform/core/find_file.h"
#include "platform/core/last_error.h"
#include "platform/core/string_list.h"
#include "utility/bk_exception.h"
#include "utility/calendar.h"
#include "utility/file_operations.h"
#include "utility/number_texts.h"
#include "utility/path_names.h"
#include "utility/raw_handles.h"
#include "utility/shared_locks.h"

namespace utl {

namespace {

constexpr std::uint16_t TextFileLockTimeout = 10000;

enum class Kind { file, directory };

// The directory's lock, held from construction to destruction. The lock file
// is deleted on release; when someone else already holds it again the deletion
// fails, which is no failure of the operation.
class DirectoryLock {
 public:
  DirectoryLock(const std::string& directory, std::uint16_t timeout)
      : path_(directory + DIRNAMEOFF(SHRsrv().LockFileName())) {
    if (!FlagFile(path_, handle_, timeout))
      throw xInternal::CreateFmt("Unable to lock directory using FlagFile=%s in %d ms",
                                 path_.c_str(), static_cast<int>(timeout));
  }
  ~DirectoryLock() {
    CLOSEHANDLE(handle_);
    DELETEANYWAY(path_);
  }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  std::string path_;
  Handle handle_ = noHandle;
};

void EnsureDirectory(const std::string& directory, bool makeDirectory) {
  if (DIREXISTS(directory)) return;
  if (!makeDirectory) throw xInternal::CreateFmt("Directory \"%s\" must exist", directory.c_str());
  if (MAKEDIRECTORY(directory))
    throw xInternal::CreateFmt("Unable to MakeDirectory(%s)", directory.c_str());
}

// The eight digits of every entry, whatever its extension, upper-cased: read
// once a call, so each candidate costs one lookup here and one exclusive create.
std::unordered_set<std::string> TakenDigits(const std::string& directory) {
  std::unordered_set<std::string> taken;
  for (const std::string& entry : win::DirectoryNames(directory))
    taken.insert(cl::AnsiUpperCase(std::string_view(entry).substr(0, entry.find('.'))));
  return taken;
}

// True when made; false when the name is taken.
bool Make(Kind kind, const std::string& candidate) {
  if (kind == Kind::file) {
    // Made only when new: even a lock that failed to exclude cannot give
    // two callers one name.
    win::HANDLE handle =
        win::CreateFile(candidate, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_NEW);
    if (handle != win::INVALID_HANDLE_VALUE) {
      win::CloseHandle(handle);
      return true;
    }
    if (win::GetLastError() == win::ERROR_FILE_EXISTS) return false;
    throw xInternal::CreateFmt("Attempt to exclusive open a new unique file \"%s\" failed",
                               candidate.c_str());
  }
  // Only directories block a directory name, but nothing can be made over
  // an entry of exactly that name either.
  if (!MAKEDIRECTORY(candidate)) return true;
  if (DIREXISTS(candidate) || !win::FindFiles(candidate).empty()) return false;
  throw xInternal::CreateFmt("Attempt to make new unique directory \"%s\" failed", candidate.c_str());
}

std::string Unique(Kind kind, std::string_view name, std::uint16_t timeout, bool makeDirectory) {
  const std::string ext = FILEEXT(name);
  const std::string directory = DIRNAME(FEXPAND(name));
  EnsureDirectory(directory, makeDirectory);
  const DirectoryLock lock(directory, timeout);
  const std::unordered_set<std::string> taken =
      kind == Kind::file ? TakenDigits(directory) : std::unordered_set<std::string>();
  std::uint64_t seed = static_cast<std::uint64_t>(NOWASNAMESEED());
  for (;; --seed) {
    const std::string digits = INTTOBASE32(8, seed);
    if (taken.contains(digits)) continue;
    const std::string candidate = directory + digits + ext;
    if (Make(kind, candidate)) return candidate;
  }
}

}  // namespace

std::string UniqueFile(std::string_view name, std::uint16_t timeout, bool makeDirectory) {
  return Unique(Kind::file, name, timeout, makeDirectory);
}

std::string UniqueDir(std::string_view name, std::uint16_t timeout, bool makeDirectory) {
  return Unique(Kind::directory, name, timeout, makeDirectory);
}

std::string UniqueTextFile(std::string_view name, const std::vector<std::string>& lines,
                           const cl::TStrings* list) {
  const std::string made = UniqueFile(name, TextFileLockTimeout, false);
  try {
    std::string text;
    auto add = [&text](const std::string& line) {
      if (!line.empty()) text += cl::AnsiUpperCase(line) + "\r\n";
    };
    for (const std::string& line : lines) add(line);
    if (list)
      for (int i = 0; i < list->Count(); ++i) add(list->Get(i));
    Handle handle = noHandle;
    if (OPENHANDLE(made, modeReadWrite, handle)) throw xIOOpen(made);
    const bool written = !WRITEHANDLE(handle, text.data(), static_cast<std::int32_t>(text.size()));
    if (CLOSEHANDLE(handle) || !written) throw xIOWrite(made);
  } catch (...) {
    DELETEANYWAY(made);
    throw;
  }
  return made;
}

}  // namespace utl
