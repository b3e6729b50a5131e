#include "branutl/locks.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/shared_locks.h"
#include "utility/unique_names.h"

namespace {

// A zero-terminated name, cut to 255 characters.
std::string PCharArg(const char* s) { return s ? std::string(s, strnlen(s, 255)) : std::string(); }

}  // namespace

BRANNIK_EXPORT bool FLAGFILE(const ShortString* name, int32_t* handle, uint16_t timeout) {
  return ExportGuard(true, [&] {
    int32_t held = -1;
    if (!utl::FlagFile(ShortArg(name), held, timeout)) return true;
    if (handle) *handle = held;
    return false;
  });
}

BRANNIK_EXPORT void YIELDONDISKBUSY(int32_t) {}

BRANNIK_EXPORT bool EXCLUSIVEOPEN(const ShortString* name, uint16_t mode, uint16_t timeout,
                                  int32_t* handle) {
  return ExportGuard(true, [&] {
    int32_t opened = -1;
    if (handle) *handle = -1;
    if (!utl::ExclusiveOpen(ShortArg(name), mode, timeout, opened)) return true;
    if (handle) *handle = opened;
    return false;
  });
}

BRANNIK_EXPORT bool EXCLUSIVEREWRITETEXT(const ShortString* name, uint16_t /*mode*/,
                                         uint16_t timeout, tTextFile* textFile) {
  return ExportGuard(true, [&] {
    if (!textFile) return true;
    textFile->handle = -1;
    return !utl::ExclusiveRewrite(ShortArg(name), timeout, textFile->handle);
  });
}

BRANNIK_EXPORT bool ISFILELOCKED(const ShortString* name) {
  return ExportGuard(false, [&] { return utl::IsFileLocked(ShortArg(name)); });
}

BRANNIK_EXPORT bool UNIQUEFILE(ShortString* name, uint16_t timeout, bool makeDirectory) {
  return ExportGuard(true, [&] {
    if (!name) return true;
    name->Assign(utl::UniqueFile(name->View(), timeout, makeDirectory));
    return false;
  });
}

BRANNIK_EXPORT bool UNIQUEDIR(ShortString* name, uint16_t timeout, bool makeDirectory) {
  return ExportGuard(true, [&] {
    if (!name) return true;
    name->Assign(utl::UniqueDir(name->View(), timeout, makeDirectory));
    return false;
  });
}

BRANNIK_EXPORT bool UNIQUETEXTFILE(ShortString* name, const ShortString* lines, int32_t last,
                                   const TStrings* list) {
  return ExportGuard(true, [&] {
    if (!name) return true;
    std::vector<std::string> texts;
    for (int32_t i = 0; lines && i <= last; ++i) texts.push_back(lines[i].Str());
    name->Assign(utl::UniqueTextFile(name->View(), texts, list));
    return false;
  });
}

BRANNIK_EXPORT void RENAMESHAREDFILE(const char* source, const char* target, int32_t timeout) {
  ExportGuardVoid([&] { utl::RenameSharedFile(PCharArg(source), PCharArg(target), timeout); });
}

BRANNIK_EXPORT void DELETESHAREDFILE(const char* name, int32_t timeout) {
  ExportGuardVoid([&] { utl::DeleteSharedFile(PCharArg(name), timeout); });
}
