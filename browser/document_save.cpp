#include "browser/document_save.h"

#include <string>

#include "platform/core/file_handle.h"
#include "platform/core/file_names.h"
#include "platform/core/file_system.h"
#include "platform/core/replacing_write.h"
#include "platform/core/unique_handle.h"

namespace brw {

namespace {

constexpr std::uint32_t shareAll = win::FILE_SHARE_READ | win::FILE_SHARE_WRITE;

bool CopyBytes(const win::UniqueHandle& from, win::HANDLE to) {
  char buffer[64 * 1024];
  for (;;) {
    std::uint32_t read = 0;
    if (!win::ReadFile(from.Get(), buffer, sizeof buffer, &read)) return false;
    if (read == 0) return true;
    std::uint32_t written = 0;
    if (!win::WriteFile(to, buffer, read, &written) || written != read) return false;
  }
}

}  // namespace

bool SaveDocumentCopy(std::string_view source, std::string_view target) {
  if (source.empty() || target.empty()) return false;
  const win::UniqueHandle from(win::CreateFile(source, win::GENERIC_READ, shareAll, win::OPEN_EXISTING));
  if (!from.IsOpen()) return false;
  {
    // Any name of the same file counts: a case variant, a link.
    const win::UniqueHandle existing(win::CreateFile(target, win::GENERIC_READ, shareAll, win::OPEN_EXISTING));
    if (existing.IsOpen() && win::SameFile(from.Get(), existing.Get())) return false;
  }

  const auto path = win::NativeName(target);
  if (!path) return false;
  win::ReplacingWrite to(*path);
  if (!to.Ready()) return false;
  if (!CopyBytes(from, to.Handle())) return false;
  // Saving over a read-only file replaced it before too.
  const std::uint32_t attributes = win::GetFileAttributes(target);
  if (!to.InPlace() && attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_READONLY))
    win::SetFileAttributes(target, attributes & ~win::FILE_ATTRIBUTE_READONLY);
  return to.Commit();
}

}  // namespace brw
