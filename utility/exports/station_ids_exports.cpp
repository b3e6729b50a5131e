#include "branutl/station_ids.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/station_id.h"

using utl::tSID;

BRANNIK_EXPORT bool ISSIDVALID(tSID sid) {
  return ExportGuard(false, [&] { return utl::ISSIDVALID(sid); });
}

BRANNIK_EXPORT tSID COMPLETESID(tSID sid, std::uint16_t subIndex) {
  return ExportGuard(sid, [&] { return utl::COMPLETESID(sid, subIndex); });
}

BRANNIK_EXPORT void SPLITSID(tSID* sid, std::uint8_t* subIndex) {
  ExportGuardVoid([&] {
    if (!sid || !subIndex) return;
    utl::SPLITSID(*sid, *subIndex);
  });
}

BRANNIK_EXPORT std::uint16_t UTOASEXTINSID(tSID sid) {
  return ExportGuard<std::uint16_t>(0, [&] { return utl::UTOASEXTINSID(sid); });
}

BRANNIK_EXPORT void STRSID(tSID sid, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRSID(sid)); });
}

BRANNIK_EXPORT void STRSIDSHORT(tSID sid, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRSIDSHORT(sid)); });
}

BRANNIK_EXPORT bool VALSID(const ShortString* text, tSID* sid) {
  return ExportGuard(true, [&] {
    const auto parsed = utl::VALSID(ShortArg(text));
    if (!parsed || !sid) return true;
    *sid = *parsed;
    return false;
  });
}

BRANNIK_EXPORT tSID ASMSID(std::uint16_t extCode, std::uint16_t numberField,
                           std::uint16_t subIndex) {
  return ExportGuard(utl::NullSid, [&] { return utl::ASMSID(extCode, numberField, subIndex); });
}

BRANNIK_EXPORT std::int32_t CMPSID(tSID a, tSID b) {
  return ExportGuard(0, [&] { return utl::CMPSID(a, b); });
}

BRANNIK_EXPORT std::uint16_t UTOCODETOEXTCODE(std::uint16_t utoCode) {
  return ExportGuard<std::uint16_t>(0, [&] { return utl::UTOCODETOEXTCODE(utoCode); });
}

BRANNIK_EXPORT std::uint16_t EXTCODETOUTOCODE(std::uint16_t extCode) {
  return ExportGuard<std::uint16_t>(0, [&] { return utl::EXTCODETOUTOCODE(extCode); });
}

BRANNIK_EXPORT void STRUTOCODE(std::uint16_t extCode, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRUTOCODE(extCode)); });
}

BRANNIK_EXPORT std::uint16_t VALUTOCODE(const ShortString* text) {
  return ExportGuard<std::uint16_t>(0, [&] { return utl::VALUTOCODE(ShortArg(text)); });
}
