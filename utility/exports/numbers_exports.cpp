#include "branutl/numbers.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/bit_sets.h"
#include "utility/long_strings.h"
#include "utility/number_texts.h"
#include "utility/numbers.h"

BRANNIK_EXPORT int32_t IMAX(int32_t a, int32_t b) { return utl::Max(a, b); }
BRANNIK_EXPORT int32_t LIMAX(int32_t a, int32_t b) { return utl::Max(a, b); }
BRANNIK_EXPORT int32_t IMIN(int32_t a, int32_t b) { return utl::Min(a, b); }
BRANNIK_EXPORT int32_t LIMIN(int32_t a, int32_t b) { return utl::Min(a, b); }
BRANNIK_EXPORT uint32_t UMAX(uint32_t a, uint32_t b) { return utl::Max(a, b); }
BRANNIK_EXPORT uint32_t UMIN(uint32_t a, uint32_t b) { return utl::Min(a, b); }

namespace {

template <typename T>
void Swap(T* a, T* b) {
  if (a && b) std::swap(*a, *b);
}

}  // namespace

BRANNIK_EXPORT void ISWAP(int32_t* a, int32_t* b) { Swap(a, b); }
BRANNIK_EXPORT void LISWAP(int32_t* a, int32_t* b) { Swap(a, b); }
BRANNIK_EXPORT void USWAP(uint16_t* a, uint16_t* b) { Swap(a, b); }

BRANNIK_EXPORT void IINCIN(int32_t* x, int32_t low, int32_t high) {
  if (x) *x = utl::IncIn(*x, low, high);
}
BRANNIK_EXPORT void LIINCIN(int32_t* x, int32_t low, int32_t high) {
  if (x) *x = utl::IncIn(*x, low, high);
}
BRANNIK_EXPORT void IDECIN(int32_t* x, int32_t low, int32_t high) {
  if (x) *x = utl::DecIn(*x, low, high);
}
BRANNIK_EXPORT void LIDECIN(int32_t* x, int32_t low, int32_t high) {
  if (x) *x = utl::DecIn(*x, low, high);
}
BRANNIK_EXPORT void UINCIN(uint16_t* x, uint16_t low, uint16_t high) {
  if (x) *x = utl::IncIn(*x, low, high);
}
BRANNIK_EXPORT void UDECIN(uint16_t* x, uint16_t low, uint16_t high) {
  if (x) *x = utl::DecIn(*x, low, high);
}

BRANNIK_EXPORT bool IISIN(int32_t x, int32_t low, int32_t high) { return utl::IsIn(x, low, high); }
BRANNIK_EXPORT bool LIISIN(int32_t x, int32_t low, int32_t high) { return utl::IsIn(x, low, high); }
BRANNIK_EXPORT bool UISIN(uint16_t x, uint16_t low, uint16_t high) { return utl::IsIn(x, low, high); }
BRANNIK_EXPORT int32_t ILIM(int32_t x, int32_t low, int32_t high) { return utl::Limit(x, low, high); }
BRANNIK_EXPORT int32_t LILIM(int32_t x, int32_t low, int32_t high) { return utl::Limit(x, low, high); }
BRANNIK_EXPORT uint16_t ULIM(uint16_t x, uint16_t low, uint16_t high) { return utl::Limit(x, low, high); }

BRANNIK_EXPORT int32_t LUCMP(uint32_t a, uint32_t b) { return utl::LUCMP(a, b); }
BRANNIK_EXPORT int32_t SIGN(int32_t x) { return utl::SIGN(x); }
BRANNIK_EXPORT int32_t MEMCMP(const void* p, const void* q, int32_t n) { return utl::MEMCMP(p, q, n); }

namespace {

const std::uint8_t* Bytes(const void* p) { return static_cast<const std::uint8_t*>(p); }

}  // namespace

BRANNIK_EXPORT uint16_t CARDINALITY(const void* set, uint16_t n) { return utl::CARDINALITY(Bytes(set), n); }

BRANNIK_EXPORT void DIFFERENCE(void* out, const void* a, const void* b, uint16_t n) {
  utl::DIFFERENCE(static_cast<std::uint8_t*>(out), Bytes(a), Bytes(b), n);
}

BRANNIK_EXPORT uint8_t PARITY(const void* set, uint16_t n) {
  return static_cast<uint8_t>(utl::CARDINALITY(Bytes(set), n) & 1);
}

BRANNIK_EXPORT int32_t ORD2MSK(int32_t k) { return utl::ORD2MSK(k); }
BRANNIK_EXPORT int32_t MSK2ORD(int32_t m) { return utl::MSK2ORD(m); }

BRANNIK_EXPORT char STRHEXDIGIT(uint8_t b) { return utl::STRHEXDIGIT(b); }

BRANNIK_EXPORT void STRHEXBYTE(uint8_t b, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRHEXBYTE(b)); });
}

BRANNIK_EXPORT void STRHEXWORD(uint16_t w, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRHEXWORD(w)); });
}

BRANNIK_EXPORT void STRHEXDWORD(uint32_t d, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRHEXDWORD(d)); });
}

BRANNIK_EXPORT void STRHEXPOINTER(const void* p, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRHEXPOINTER(p)); });
}

BRANNIK_EXPORT void STRHEXARRAY(const void* data, uint16_t n, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRHEXARRAY(Bytes(data), n)); });
}

BRANNIK_EXPORT void STRARRAY(const void* data, int32_t n, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STRARRAY(static_cast<const char*>(data), n)); });
}

BRANNIK_EXPORT char CHARBASE32(uint8_t d) { return utl::CHARBASE32(d); }

BRANNIK_EXPORT void INTTOBASE32(int32_t width, uint64_t value, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::INTTOBASE32(width, value)); });
}

namespace {

// Hands a long-string result to the caller as a malloc'ed copy; a null out is
// ignored, and out receives null when there is no memory.
void LongResult(char** out, const std::string& text) {
  if (!out) return;
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  *out = copy;
}

template <typename Routine>
void LongExport(const char* s, char** out, Routine routine) {
  ExportGuardVoid([&] { LongResult(out, routine(s ? std::string_view(s) : std::string_view())); });
}

}  // namespace

BRANNIK_EXPORT void LSFTRIM(const char* s, char** out) { LongExport(s, out, utl::LSFTRIM); }
BRANNIK_EXPORT void LSFLBO(const char* s, char** out) { LongExport(s, out, utl::LSFLBO); }
BRANNIK_EXPORT void LSFTBO(const char* s, char** out) { LongExport(s, out, utl::LSFTBO); }
BRANNIK_EXPORT void LSFUPR(const char* s, char** out) { LongExport(s, out, utl::LSFUPR); }
BRANNIK_EXPORT void LSFLWR(const char* s, char** out) { LongExport(s, out, utl::LSFLWR); }

BRANNIK_EXPORT char* SZFWHITESPACES(char* p) { return utl::SZFWHITESPACES(p); }
BRANNIK_EXPORT char* SZFTRIM(char* p) { return utl::SZFTRIM(p); }
