#include <algorithm>

#include "branutl/date_texts.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/base62.h"
#include "utility/date_texts.h"
#include "utility/heuristic_search.h"
#include "utility/tilde_codes.h"

namespace {

utl::tDateTimeRec Record(const tDateTimeRec* rec) {
  if (!rec) return {};
  return {rec->year, rec->month, rec->day, rec->hour, rec->minute, rec->second};
}

// Writes a text result; a failure on the way leaves the empty text.
template <typename Text>
void TextResult(ShortString* out, Text&& text) {
  ExportGuardVoid([&] {
    std::string result;
    try {
      result = text();
    } catch (...) {
      result.clear();
    }
    ShortResult(out, result);
  });
}

std::uint8_t ByteLength(std::size_t n) { return static_cast<std::uint8_t>(std::min<std::size_t>(n, ShortString::MaxLength)); }

}  // namespace

BRANNIK_EXPORT void STRDTTM(const tDateTimeRec* rec, std::uint16_t style, bool dateFirst,
                            ShortString* out) {
  TextResult(out, [&] { return utl::STRDTTM(Record(rec), style, dateFirst); });
}

BRANNIK_EXPORT void STRPCKDTTM(std::uint32_t packed, std::uint16_t style, bool dateFirst,
                               ShortString* out) {
  TextResult(out, [&] { return utl::STRPCKDTTM(packed, style, dateFirst); });
}

BRANNIK_EXPORT void STRMINUTES(std::int32_t minutes, std::uint16_t style, bool dateFirst,
                               bool withWeekday, ShortString* out) {
  TextResult(out, [&] { return utl::STRMINUTES(minutes, style, dateFirst, withWeekday); });
}

BRANNIK_EXPORT void STRDT2NAME(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                               ShortString* out) {
  TextResult(out, [&] { return utl::STRDT2NAME(year, month, day); });
}

BRANNIK_EXPORT void STRTM2NAME(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                               ShortString* out) {
  TextResult(out, [&] { return utl::STRTM2NAME(hour, minute, second); });
}

BRANNIK_EXPORT void STRPCKDT2NAME(std::uint32_t packed, ShortString* out) {
  TextResult(out, [&] { return utl::STRPCKDT2NAME(packed); });
}

BRANNIK_EXPORT void STRPCKTM2NAME(std::uint32_t packed, ShortString* out) {
  TextResult(out, [&] { return utl::STRPCKTM2NAME(packed); });
}

BRANNIK_EXPORT void STRMINUTE(std::uint16_t seconds, ShortString* out) {
  TextResult(out, [&] { return utl::STRMINUTE(seconds); });
}

BRANNIK_EXPORT void STRWEEKLONG(std::uint8_t mask, ShortString* out) {
  TextResult(out, [&] { return utl::STRWEEKLONG(mask); });
}

BRANNIK_EXPORT void STRWEEKSHORT(std::uint8_t mask, ShortString* out) {
  TextResult(out, [&] { return utl::STRWEEKSHORT(mask); });
}

BRANNIK_EXPORT void STRWEEKMARKS(std::uint8_t mask, ShortString* out) {
  TextResult(out, [&] { return utl::STRWEEKMARKS(mask); });
}

BRANNIK_EXPORT void TILDACODETEXT(const ShortString* s, ShortString* out) {
  TextResult(out, [&] { return utl::TILDACODETEXT(ShortArg(s)); });
}

BRANNIK_EXPORT void TILDATOGGLETEXT(const ShortString* s, ShortString* out) {
  TextResult(out, [&] { return utl::TILDATOGGLETEXT(ShortArg(s)); });
}

BRANNIK_EXPORT void TILDAREFERENCE(const ShortString* s, ShortString* out) {
  TextResult(out, [&] { return utl::TILDAREFERENCE(ShortArg(s)); });
}

BRANNIK_EXPORT std::uint8_t TILDACODELENGTH(const ShortString* s) {
  return ExportGuard<std::uint8_t>(0, [&] { return ByteLength(utl::TILDACODELENGTH(ShortArg(s))); });
}

BRANNIK_EXPORT std::uint8_t TILDATOGGLELENGTH(const ShortString* const* s) {
  return ExportGuard<std::uint8_t>(0, [&] {
    return ByteLength(utl::TILDATOGGLELENGTH(ShortArg(s ? *s : nullptr)));
  });
}

BRANNIK_EXPORT void STR2TABLE(const ShortString* pattern, std::uint8_t* table) {
  ExportGuardVoid([&] {
    if (!table) return;
    const utl::SearchTable made = utl::STR2TABLE(ShortArg(pattern));
    std::copy(made.begin(), made.end(), table);
  });
}

BRANNIK_EXPORT std::int32_t HEURISTICSEARCH(const ShortString* pattern, const ShortString* text,
                                            const std::uint8_t* table) {
  return ExportGuard<std::int32_t>(0, [&] {
    if (!table) return 0;
    utl::SearchTable copy{};
    std::copy(table, table + copy.size(), copy.begin());
    return utl::HEURISTICSEARCH(ShortArg(pattern), ShortArg(text), copy);
  });
}

BRANNIK_EXPORT void STRB62(std::int32_t value, ShortString* out) {
  TextResult(out, [&] { return utl::STRB62(static_cast<std::uint32_t>(value)); });
}

BRANNIK_EXPORT std::int32_t VALB62(const ShortString* s) {
  return ExportGuard<std::int32_t>(-1, [&] { return utl::VALB62(ShortArg(s)); });
}
