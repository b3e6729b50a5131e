#include "branutl/short_strings.h"

#include <span>

#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/caret_notation.h"
#include "utility/fill_pool.h"
#include "utility/short_strings.h"
#include "utility/string_words.h"

namespace {

// Runs a routine whose result is a short string. Its inputs are copied before
// the result is written, so out may be one of them.
template <typename Body>
void Produce(ShortString* out, Body&& body) {
  ExportGuardVoid([&] { ShortResult(out, body()); });
}

}  // namespace

BRANNIK_EXPORT int32_t STRCMP(const ShortString* a, const ShortString* b) {
  return ExportGuard<int32_t>(0, [&] { return utl::STRCMP(ShortArg(a), ShortArg(b)); });
}

BRANNIK_EXPORT bool STRBEGIN(const ShortString* prefix, const ShortString* s) {
  return ExportGuard(false, [&] { return utl::STRBEGIN(ShortArg(prefix), ShortArg(s)); });
}

BRANNIK_EXPORT bool STRWLDCMP(const ShortString* s, const ShortString* pattern) {
  return ExportGuard(false, [&] { return utl::STRWLDCMP(ShortArg(s), ShortArg(pattern)); });
}

BRANNIK_EXPORT int32_t STRWEQCMP(const ShortString* a, const ShortString* b) {
  return ExportGuard<int32_t>(0, [&] { return utl::STRWEQCMP(ShortArg(a), ShortArg(b)); });
}

BRANNIK_EXPORT bool CMPID(const void* field, uint16_t n, const ShortString* s) {
  return ExportGuard(false, [&] {
    if (!field) return false;
    return utl::CMPID(std::span(static_cast<const char*>(field), n), ShortArg(s));
  });
}

BRANNIK_EXPORT void FILLID(void* field, uint16_t n, const ShortString* s) {
  ExportGuardVoid([&] {
    if (field) utl::FILLID(std::span(static_cast<char*>(field), n), ShortArg(s));
  });
}

BRANNIK_EXPORT void STRLBO(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRLBO(ShortArg(s)); });
}

BRANNIK_EXPORT void STRTBO(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRTBO(ShortArg(s)); });
}

BRANNIK_EXPORT void STRTRIM(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRTRIM(ShortArg(s)); });
}

BRANNIK_EXPORT void STRABO(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRABO(ShortArg(s)); });
}

BRANNIK_EXPORT void STRRBO(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRRBO(ShortArg(s)); });
}

BRANNIK_EXPORT void STRLZO(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRLZO(ShortArg(s)); });
}

BRANNIK_EXPORT void STRLB0(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRLB0(ShortArg(s)); });
}

BRANNIK_EXPORT void FILLINNAUGHT(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRLB0(ShortArg(s)); });
}

namespace {

void StoreCut(const utl::CutResult& cut, ShortString* s, ShortString* head) {
  // When both are one buffer, the head wins: it is written last.
  ShortResult(s, cut.rest);
  ShortResult(head, cut.head);
}

}  // namespace

BRANNIK_EXPORT void STRCUTBTO(char ch, ShortString* s, ShortString* head) {
  ExportGuardVoid([&] { StoreCut(utl::STRCUTBTO(ch, ShortArg(s)), s, head); });
}

BRANNIK_EXPORT void STRCUTBTL(int32_t n, ShortString* s, ShortString* head) {
  ExportGuardVoid([&] { StoreCut(utl::STRCUTBTL(n, ShortArg(s)), s, head); });
}

#define BRANUTL_MARKER_EXPORT(name)                                          \
  BRANNIK_EXPORT void name(char ch, const ShortString* s, ShortString* out) { \
    Produce(out, [&] { return utl::name(ch, ShortArg(s)); });            \
  }
#define BRANUTL_PAIR_EXPORT(name)                                                      \
  BRANNIK_EXPORT void name(char ch1, char ch2, const ShortString* s, ShortString* out) { \
    Produce(out, [&] { return utl::name(ch1, ch2, ShortArg(s)); });                 \
  }

BRANUTL_MARKER_EXPORT(STRDELBTO)
BRANUTL_MARKER_EXPORT(STRDELBTW)
BRANUTL_MARKER_EXPORT(STRDELETO)
BRANUTL_MARKER_EXPORT(STRDELETW)
BRANUTL_PAIR_EXPORT(STRDELFTO)
BRANUTL_PAIR_EXPORT(STRDELFTW)
BRANUTL_MARKER_EXPORT(STRCPYBTO)
BRANUTL_MARKER_EXPORT(STRCPYBTW)
BRANUTL_MARKER_EXPORT(STRCPYETO)
BRANUTL_MARKER_EXPORT(STRCPYETW)
BRANUTL_PAIR_EXPORT(STRCPYFTO)
BRANUTL_PAIR_EXPORT(STRCPYFTW)
BRANUTL_MARKER_EXPORT(STRDELCHR)

BRANNIK_EXPORT void STRUPR(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRUPR(ShortArg(s)); });
}

BRANNIK_EXPORT void STRLWR(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRLWR(ShortArg(s)); });
}

BRANNIK_EXPORT void STRLEFT(const ShortString* s, int32_t width, ShortString* out) {
  Produce(out, [&] { return utl::STRLEFT(ShortArg(s), width); });
}

BRANNIK_EXPORT void STRRIGHT(const ShortString* s, int32_t width, ShortString* out) {
  Produce(out, [&] { return utl::STRRIGHT(ShortArg(s), width); });
}

BRANNIK_EXPORT void STRCNTR(const ShortString* s, int32_t width, ShortString* out) {
  Produce(out, [&] { return utl::STRCNTR(ShortArg(s), width); });
}

BRANNIK_EXPORT void STRSHRNK(const ShortString* s, int32_t n, ShortString* out) {
  Produce(out, [&] { return utl::STRSHRNK(ShortArg(s), n); });
}

BRANNIK_EXPORT void STRTRUNC(const ShortString* s, int32_t n, ShortString* out) {
  Produce(out, [&] { return utl::STRTRUNC(ShortArg(s), n); });
}

BRANNIK_EXPORT void STRDBLCHAR(const ShortString* s, char ch, ShortString* out) {
  Produce(out, [&] { return utl::STRDBLCHAR(ShortArg(s), ch); });
}

BRANNIK_EXPORT void STRREPL(char from, char to, const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRREPL(from, to, ShortArg(s)); });
}

BRANNIK_EXPORT void STRACC(const ShortString* s, char ch, ShortString* out) {
  Produce(out, [&] { return utl::STRACC(ShortArg(s), ch); });
}

BRANNIK_EXPORT void STRDCC(const ShortString* s, char ch, ShortString* out) {
  Produce(out, [&] { return utl::STRDCC(ShortArg(s), ch); });
}

BRANNIK_EXPORT void STRSUBPAR(const ShortString* s, const ShortString* name,
                              const ShortString* value, ShortString* out) {
  Produce(out, [&] { return utl::STRSUBPAR(ShortArg(s), ShortArg(name), ShortArg(value)); });
}

BRANNIK_EXPORT void STRSET(const void* set, int32_t count, ShortString* out) {
  Produce(out, [&] { return utl::STRSET(static_cast<const std::uint8_t*>(set), count); });
}

BRANNIK_EXPORT void STRSUB(const ShortString* a, const ShortString* b, ShortString* out) {
  Produce(out, [&] { return utl::STRSUB(ShortArg(a), ShortArg(b)); });
}

BRANNIK_EXPORT bool WORD_DELIM(char ch) { return utl::WORD_DELIM(ch); }

BRANNIK_EXPORT void GET_WORD(const ShortString* s, uint16_t pos, ShortString* out) {
  Produce(out, [&] { return utl::GET_WORD(ShortArg(s), pos); });
}

BRANNIK_EXPORT uint16_t WORD_LEFT(const ShortString* s, uint16_t pos) {
  return ExportGuard<uint16_t>(1, [&] { return utl::WORD_LEFT(ShortArg(s), pos); });
}

BRANNIK_EXPORT uint16_t WORD_RIGHT(const ShortString* s, uint16_t pos) {
  return ExportGuard<uint16_t>(pos, [&] { return utl::WORD_RIGHT(ShortArg(s), pos); });
}

BRANNIK_EXPORT void EXPANDTABS(const ShortString* s, int32_t width, ShortString* out) {
  Produce(out, [&] { return utl::EXPANDTABS(ShortArg(s), width); });
}

BRANNIK_EXPORT void STRATC(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRATC(ShortArg(s)); });
}

BRANNIK_EXPORT void STRCTA(const ShortString* s, ShortString* out) {
  Produce(out, [&] { return utl::STRCTA(ShortArg(s)); });
}

BRANNIK_EXPORT void STRRND(ShortString* s, int32_t size) {
  ExportGuardVoid([&] {
    if (s) utl::STRRND(*s, size);
  });
}
