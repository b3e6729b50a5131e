#include "branutl/bk_files.h"

#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/bk_file.h"

BRANNIK_EXPORT void BKFCCEVAL(uint8_t* check, const void* data, uint16_t length) {
  if (check && data) utl::BKFCCEVAL(check, data, length);
}

BRANNIK_EXPORT void BKFCCSUB(uint8_t* check, const void* data, uint16_t length) {
  if (check && data) utl::BKFCCSUB(check, data, length);
}

BRANNIK_EXPORT bool ISITBKFILE(const tBKHeader* header) {
  return header && utl::ISITBKFILE(*header);
}

BRANNIK_EXPORT bool LOADBKFILE(const ShortString* name, tBKHeader* header, void* data,
                               uint16_t length) {
  return ExportGuard(true, [&] {
    if (!header) return true;
    utl::LoadBKFile(ShortArg(name), *header, data, length);
    return false;
  });
}

BRANNIK_EXPORT bool SAVEBKFILE(const ShortString* name, uint16_t attributes,
                               const tBKHeader* header, const void* data, uint16_t length) {
  return ExportGuard(true, [&] {
    if (!header) return true;
    utl::SaveBKFile(ShortArg(name), attributes, *header, data, length);
    return false;
  });
}

BRANNIK_EXPORT bool CHECKBKFILE(const ShortString* name, tBKHeader* header) {
  return ExportGuard(true, [&] {
    if (!header) return true;
    utl::CheckBKFile(ShortArg(name), *header);
    return false;
  });
}

BRANNIK_EXPORT void FILLBKHEADER(tBKHeader* header, bool withKey, uint8_t kind, uint8_t second,
                                 uint16_t version) {
  ExportGuardVoid([&] {
    if (header) utl::FILLBKHEADER(*header, withKey, kind, second, version);
  });
}

BRANNIK_EXPORT bool APPENDTOBKFILE(const ShortString* name, const void* data, int32_t length) {
  return ExportGuard(true, [&] {
    utl::AppendToBKFile(ShortArg(name), data, length);
    return false;
  });
}

BRANNIK_EXPORT bool TRUNCATEBKFILE(const ShortString* name, int32_t dataLength) {
  return ExportGuard(true, [&] {
    utl::TruncateBKFile(ShortArg(name), dataLength);
    return false;
  });
}
