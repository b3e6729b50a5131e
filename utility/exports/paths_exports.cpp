#include <algorithm>
#include <cstring>

#include "branutl/paths.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/path_names.h"

namespace {

// Writes a short string into a caller's buffer of limit characters.
void LimitedResult(std::uint8_t* out, std::string_view text, std::size_t limit) noexcept {
  if (!out) return;
  const std::size_t n = std::min(text.size(), limit);
  out[0] = static_cast<std::uint8_t>(n);
  std::memmove(out + 1, text.data(), n);
}

template <typename Routine>
void PathResult(const ShortString* path, ShortString* out, Routine routine) {
  ExportGuardVoid([&] { ShortResult(out, routine(ShortArg(path))); });
}

}  // namespace

BRANNIK_EXPORT void FSPLIT(const ShortString* path, uint8_t* directory, uint8_t* name, uint8_t* extension) {
  ExportGuardVoid([&] {
    const utl::PathParts parts = utl::FSPLIT(ShortArg(path));
    LimitedResult(directory, parts.directory, 67);
    LimitedResult(name, parts.name, 12);
    LimitedResult(extension, parts.extension, 4);
  });
}

BRANNIK_EXPORT void DIRNAME(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::DIRNAME(p); });
}

BRANNIK_EXPORT void FILENAME(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::FILENAME(p); });
}

BRANNIK_EXPORT void FILEEXT(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::FILEEXT(p); });
}

BRANNIK_EXPORT void DIRNAMEOFF(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::DIRNAMEOFF(p); });
}

BRANNIK_EXPORT void FILEEXTOFF(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::FILEEXTOFF(p); });
}

BRANNIK_EXPORT char DRIVENAME(const ShortString* path) {
  return ExportGuard('?', [&] { return utl::DRIVENAME(ShortArg(path)); });
}

BRANNIK_EXPORT void DRIVEOFF(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::DRIVEOFF(p); });
}

BRANNIK_EXPORT void DRIVEANDROOTOFF(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::DRIVEANDROOTOFF(p); });
}

BRANNIK_EXPORT bool ISPATHABSOLUTE(const ShortString* path) {
  return ExportGuard(false, [&] { return utl::ISPATHABSOLUTE(ShortArg(path)); });
}

BRANNIK_EXPORT bool ISWILDCARD(const ShortString* name) {
  return ExportGuard(false, [&] { return utl::ISWILDCARD(ShortArg(name)); });
}

BRANNIK_EXPORT void STREXT(int32_t n, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STREXT(n)); });
}

BRANNIK_EXPORT void UnifyDirName(const ShortString* directory, ShortString* out) {
  PathResult(directory, out, [](const std::string& d) { return utl::UnifyDirName(d); });
}

BRANNIK_EXPORT void FEXPAND(const ShortString* path, ShortString* out) {
  PathResult(path, out, [](const std::string& p) { return utl::FEXPAND(p); });
}

BRANNIK_EXPORT void GETENV(const ShortString* name, ShortString* out) {
  PathResult(name, out, [](const std::string& n) { return utl::GETENV(n); });
}

BRANNIK_EXPORT int32_t PARSEFILESIZE(ShortString* line) {
  return ExportGuard(int32_t(-1), [&] {
    if (!line) return int32_t(-1);
    std::string text = line->Str();
    const int32_t size = utl::PARSEFILESIZE(text);
    line->Assign(text);
    return size;
  });
}

BRANNIK_EXPORT void MAKEPATHABSOLUTE(const ShortString* base, const ShortString* path, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::MAKEPATHABSOLUTE(ShortArg(base), ShortArg(path))); });
}

BRANNIK_EXPORT void MAKEPATHRELATIVE(const ShortString* base, const ShortString* directory,
                                     const ShortString* path, ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::MAKEPATHRELATIVE(ShortArg(base), ShortArg(directory), ShortArg(path)));
  });
}
