#include "branutl/code_pages.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/code_pages.h"

BRANNIK_EXPORT void STR895X437(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR895X437(ShortArg(s))); });
}

BRANNIK_EXPORT void STR895X852(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR895X852(ShortArg(s))); });
}

BRANNIK_EXPORT void STR852X437(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR852X437(ShortArg(s))); });
}

BRANNIK_EXPORT void STR852X895(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR852X895(ShortArg(s))); });
}

BRANNIK_EXPORT void STR1250X895(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR1250X895(ShortArg(s))); });
}

BRANNIK_EXPORT void STR895X1250(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR895X1250(ShortArg(s))); });
}

BRANNIK_EXPORT void STR1250X437(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR1250X437(ShortArg(s))); });
}

BRANNIK_EXPORT void STR895LWR(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR895LWR(ShortArg(s))); });
}

BRANNIK_EXPORT void STR895UPR(const ShortString* s, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::STR895UPR(ShortArg(s))); });
}

BRANNIK_EXPORT char UP895CASE(char c) {
  return ExportGuard(c, [&] { return utl::UP895CASE(c); });
}
