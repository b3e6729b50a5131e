#include "branutl/files.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/file_operations.h"

BRANNIK_EXPORT bool FILENOTFOUND(const ShortString* name) {
  return ExportGuard(true, [&] { return utl::FILENOTFOUND(ShortArg(name)); });
}

BRANNIK_EXPORT bool FILEATTR(const ShortString* name, bool set, uint16_t* attributes) {
  return ExportGuard(true, [&] { return !attributes || utl::FILEATTR(ShortArg(name), set, *attributes); });
}

BRANNIK_EXPORT int32_t FILESIZE(const ShortString* name) {
  return ExportGuard(int32_t(0), [&] { return utl::FILESIZE(ShortArg(name)); });
}

BRANNIK_EXPORT bool FILETIME(const ShortString* name, uint8_t set, int32_t* time) {
  return ExportGuard(true, [&] { return !time || utl::FILETIME(ShortArg(name), set, *time); });
}

BRANNIK_EXPORT bool ISONREMOVABLEMEDIUM(const ShortString* name) {
  return ExportGuard(false, [&] { return utl::ISONREMOVABLEMEDIUM(ShortArg(name)); });
}

BRANNIK_EXPORT bool RENAMEFILE(const ShortString* source, const ShortString* target) {
  return ExportGuard(true, [&] { return utl::RENAMEFILE(ShortArg(source), ShortArg(target)); });
}

BRANNIK_EXPORT bool RENAMEANYWAY(const ShortString* source, const ShortString* target) {
  return ExportGuard(true, [&] { return utl::RENAMEANYWAY(ShortArg(source), ShortArg(target)); });
}

BRANNIK_EXPORT bool COPYFILE(const ShortString* source, const ShortString* target) {
  return ExportGuard(true, [&] { return utl::COPYFILE(ShortArg(source), ShortArg(target)); });
}

BRANNIK_EXPORT bool APPENDFILE(const ShortString* source, const ShortString* target) {
  return ExportGuard(true, [&] { return utl::APPENDFILE(ShortArg(source), ShortArg(target)); });
}

BRANNIK_EXPORT bool APPENDLINE(const ShortString* name, const ShortString* line) {
  return ExportGuard(true, [&] { return utl::APPENDLINE(ShortArg(name), ShortArg(line)); });
}

BRANNIK_EXPORT bool DELETEFILE(const ShortString* name) {
  return ExportGuard(true, [&] { return utl::DELETEFILE(ShortArg(name)); });
}

BRANNIK_EXPORT bool DELETEANYWAY(const ShortString* name) {
  return ExportGuard(true, [&] { return utl::DELETEANYWAY(ShortArg(name)); });
}

BRANNIK_EXPORT bool DIREXISTS(const ShortString* name) {
  return ExportGuard(false, [&] { return utl::DIREXISTS(ShortArg(name)); });
}

BRANNIK_EXPORT bool MAKEDIRECTORY(const ShortString* name) {
  return ExportGuard(true, [&] { return utl::MAKEDIRECTORY(ShortArg(name)); });
}

BRANNIK_EXPORT bool PREPAREDIRECTORY(const ShortString* fileName) {
  return ExportGuard(true, [&] { return utl::PREPAREDIRECTORY(ShortArg(fileName)); });
}

BRANNIK_EXPORT bool DELETEDIRECTORY(const ShortString* name) {
  return ExportGuard(true, [&] { return utl::DELETEDIRECTORY(ShortArg(name)); });
}
