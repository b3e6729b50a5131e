#include "branutl/crc.h"

#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/crc32.h"
#include "utility/file_crc.h"
#include "utility/key_record.h"

BRANNIK_EXPORT void INITCRC(uint32_t* reg) {
  if (reg) *reg = utl::CRCStart;
}

BRANNIK_EXPORT void EVALUATECRC(uint8_t kind, const void* data, uint16_t length, uint32_t* reg) {
  ExportGuardVoid([&] {
    const utl::tCRCator* crc = utl::CRCator();
    if (reg && data && crc) crc->Add(kind, data, length, *reg);
  });
}

BRANNIK_EXPORT bool FILECRC(uint8_t kind, const ShortString* name, uint32_t* reg) {
  return ExportGuard(true, [&] {
    const std::uint32_t sum = utl::FileCRC(kind, ShortArg(name));
    if (reg) *reg = sum;
    return false;
  });
}

BRANNIK_EXPORT void CHECKSUM(const void* data, uint16_t length, uint8_t* sum) {
  if (sum) *sum = data ? utl::Checksum(data, length) : 0;
}

BRANNIK_EXPORT void GENERATEPKC(uint8_t kind, tKeyRecord* record) {
  ExportGuardVoid([&] {
    if (record) utl::GeneratePKC(kind, *record);
  });
}

BRANNIK_EXPORT bool CHECKPKC(const tKeyRecord* record) {
  return ExportGuard(true, [&] { return !record || utl::CheckPKC(*record); });
}

BRANNIK_EXPORT int32_t COMPAREPKC(const tKeyRecord* a, const tKeyRecord* b) {
  return ExportGuard<int32_t>(1, [&] { return a && b ? utl::ComparePKC(*a, *b) : 1; });
}
