#include "utility/replacement_file.h"

#include <cstdint>

#include "platform/core/file_handle.h"
#include "platform/core/file_system.h"
#include "platform/core/last_error.h"
#include "platform/core/scheduler.h"
#include "utility/file_operations.h"
#include "utility/path_names.h"

namespace utl {

namespace {

// A new empty file in the target's directory. Made with CREATE_NEW, so that no
// other program's file of that name is overwritten.
std::string MakeBeside(std::string_view target) {
  const std::string dir = DIRNAME(target);
  for (std::uint32_t attempt = 0; attempt < 1000; ++attempt) {
    const std::string candidate =
        dir + "~brn" + std::to_string((win::GetTickCount() + attempt * 7919u) % 100000u) + ".tmp";
    Handle made = win::CreateFile(candidate, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_NEW);
    if (made != noHandle) {
      CLOSEHANDLE(made);
      return candidate;
    }
    if (win::GetLastError() != win::ERROR_FILE_EXISTS && win::GetLastError() != win::ERROR_ALREADY_EXISTS)
      return {};
  }
  return {};
}

}  // namespace

ReplacementFile::ReplacementFile(std::string_view target) : target_(target), name_(MakeBeside(target)) {
  if (name_.empty()) return;
  // Whoever could not read the old file must not read the new one either.
  if (win::GetFileAttributes(target_) != win::INVALID_FILE_ATTRIBUTES) win::CopyAccessRights(target_, name_);
  if (OPENHANDLE(name_, modeReadWrite, handle_)) {
    DELETEANYWAY(name_);
    name_.clear();
  }
}

ReplacementFile::~ReplacementFile() {
  CLOSEHANDLE(handle_);
  if (!committed_ && !name_.empty()) DELETEANYWAY(name_);
}

bool ReplacementFile::Finish() {
  if (finished_) return false;
  if (handle_ == noHandle) return true;
  const bool flushFailed = FLUSHHANDLE(handle_);
  const bool closeFailed = !win::CloseHandle(handle_);
  handle_ = noHandle;
  finished_ = !flushFailed && !closeFailed;
  return !finished_;
}

bool ReplacementFile::Commit() {
  if (committed_ || Finish()) return true;
  committed_ = win::MoveFileReplacing(name_, target_);
  return !committed_;
}

}  // namespace utl
