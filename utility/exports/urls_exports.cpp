#include <algorithm>
#include <cstring>

#include "branutl/urls.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/file_url.h"
#include "utility/phone_text.h"
#include "utility/station_url.h"

namespace {

// Writes a short string into a caller's buffer of limit characters.
void LimitedResult(std::uint8_t* out, std::string_view text, std::size_t limit) noexcept {
  if (!out) return;
  const std::size_t n = std::min(text.size(), limit);
  out[0] = static_cast<std::uint8_t>(n);
  std::memcpy(out + 1, text.data(), n);
}

void CharResult(char* out, char c) noexcept {
  if (out) *out = c;
}

}  // namespace

BRANNIK_EXPORT void URISETDEFAULTCOUNTRY(const ShortString* country) {
  ExportGuardVoid([&] { utl::URISETDEFAULTCOUNTRY(ShortArg(country)); });
}

BRANNIK_EXPORT void URIGETDEFAULTCOUNTRY(ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIGETDEFAULTCOUNTRY()); });
}

BRANNIK_EXPORT void URISETDEFAULTCITY(const ShortString* area) {
  ExportGuardVoid([&] { utl::URISETDEFAULTCITY(ShortArg(area)); });
}

BRANNIK_EXPORT void URIGETDEFAULTCITY(ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIGETDEFAULTCITY()); });
}

BRANNIK_EXPORT void URIURL2DOS(const ShortString* url, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIURL2DOS(ShortArg(url))); });
}

BRANNIK_EXPORT void URIEXPAND(const ShortString* url, const ShortString* baseFile,
                              const ShortString* basePath, ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::URIEXPAND(ShortArg(url), ShortArg(baseFile), ShortArg(basePath)));
  });
}

BRANNIK_EXPORT bool URISPLIT(const ShortString* url, ShortString* scheme, ShortString* host,
                             ShortString* path, ShortString* tail, char* delimiter) {
  return ExportGuard(false, [&] {
    const utl::tURLvars parts = utl::URISPLIT(ShortArg(url));
    ShortResult(scheme, parts.scheme);
    ShortResult(host, parts.host);
    ShortResult(path, parts.path);
    ShortResult(tail, parts.tail);
    CharResult(delimiter, parts.delimiter);
    return false;
  });
}

BRANNIK_EXPORT void URIEXPANDBKSSCHEME(const ShortString* scheme, const ShortString* user,
                                       const ShortString* phone, const ShortString* path,
                                       const ShortString* tail, utl::tSID sid, char delimiter,
                                       ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::URIEXPANDBKSSCHEME(ShortArg(scheme), ShortArg(user), ShortArg(phone),
                                             ShortArg(path), ShortArg(tail), sid, delimiter));
  });
}

BRANNIK_EXPORT bool URISPLITBKSSCHEME(const ShortString* url, ShortString* scheme,
                                      ShortString* user, ShortString* phone,
                                      ShortString* sidText, ShortString* path, ShortString* tail,
                                      char* delimiter) {
  return ExportGuard(true, [&] {
    const utl::tURLvars parts = utl::URISPLITBKSSCHEME(ShortArg(url));
    ShortResult(scheme, parts.scheme);
    ShortResult(user, parts.user);
    ShortResult(phone, parts.phone);
    ShortResult(sidText, parts.sidText);
    ShortResult(path, parts.path);
    ShortResult(tail, parts.tail);
    CharResult(delimiter, parts.delimiter);
    return false;
  });
}

BRANNIK_EXPORT std::uint8_t URISCHEME2USEFOR(const ShortString* scheme) {
  return ExportGuard<std::uint8_t>(0, [&] { return utl::URISCHEME2USEFOR(ShortArg(scheme)); });
}

BRANNIK_EXPORT void URIUSEFOR2SCHEME(std::uint8_t useFor, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIUSEFOR2SCHEME(useFor)); });
}

BRANNIK_EXPORT void URIFULLPHONE(const ShortString* phone, const ShortString* country,
                                 const ShortString* area, ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::URIFULLPHONE(ShortArg(phone), ShortArg(country), ShortArg(area)));
  });
}

BRANNIK_EXPORT void URISPLITPHONE(const ShortString* phone, std::uint8_t* country,
                                  std::uint8_t* area, std::uint8_t* number) {
  ExportGuardVoid([&] {
    const utl::PhoneParts parts = utl::URISPLITPHONE(ShortArg(phone));
    LimitedResult(country, parts.country, utl::CountryLimit);
    LimitedResult(area, parts.area, utl::AreaLimit);
    LimitedResult(number, parts.number, utl::NumberLimit);
  });
}

BRANNIK_EXPORT void URIMUNICIPALPHONE(const ShortString* phone, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIMUNICIPALPHONE(ShortArg(phone))); });
}

BRANNIK_EXPORT void URINATIONALPHONE(const ShortString* phone, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URINATIONALPHONE(ShortArg(phone))); });
}

BRANNIK_EXPORT void URINATIONALPREFIX(const ShortString* area, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URINATIONALPREFIX(ShortArg(area))); });
}

BRANNIK_EXPORT void URIINTERNATIONALSTATE(const ShortString* country, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIINTERNATIONALSTATE(ShortArg(country))); });
}

BRANNIK_EXPORT void URIINTERNATIONALPHONE(const ShortString* phone, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::URIINTERNATIONALPHONE(ShortArg(phone))); });
}

BRANNIK_EXPORT void URISID2URL(utl::tSID sid, const ShortString* country, const ShortString* area,
                               const ShortString* phone, ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::URISID2URL(sid, ShortArg(country), ShortArg(area), ShortArg(phone)));
  });
}

BRANNIK_EXPORT utl::tSID URIURL2SID(const ShortString* url) {
  return ExportGuard(utl::NullSid, [&] { return utl::URIURL2SID(ShortArg(url)); });
}

BRANNIK_EXPORT void URIURL2SIDOFF(const ShortString* url, ShortString* out) {
  ExportGuardVoid([&] {
    const std::string arg = ShortArg(url);
    ShortResult(out, "");  // what a failure leaves
    ShortResult(out, utl::URIURL2SIDOFF(arg));
  });
}

BRANNIK_EXPORT void URIURL2PHONE(const ShortString* url, ShortString* out) {
  ExportGuardVoid([&] {
    const std::string arg = ShortArg(url);
    ShortResult(out, "");  // what a failure leaves
    ShortResult(out, utl::URIURL2PHONE(arg));
  });
}

BRANNIK_EXPORT void URIPHONE2URL(const ShortString* scheme, const ShortString* country,
                                 const ShortString* area, const ShortString* phone,
                                 ShortString* out) {
  ExportGuardVoid([&] {
    ShortResult(out, utl::URIPHONE2URL(ShortArg(scheme), ShortArg(country), ShortArg(area),
                                       ShortArg(phone)));
  });
}

BRANNIK_EXPORT void URIFULLPHONE2URL(const ShortString* scheme, const ShortString* phone,
                                     ShortString* out) {
  ExportGuardVoid(
      [&] { ShortResult(out, utl::URIFULLPHONE2URL(ShortArg(scheme), ShortArg(phone))); });
}

BRANNIK_EXPORT bool URICOMPARECITY(const ShortString* phone, const ShortString* country,
                                   const ShortString* area) {
  return ExportGuard(false, [&] {
    return utl::URICOMPARECITY(ShortArg(phone), ShortArg(country), ShortArg(area));
  });
}
