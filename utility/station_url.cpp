#include "utility/station_url.h"

#include "utility/phone_text.h"
#include "utility/short_strings.h"

namespace utl {
namespace {

// Ids that a URL never names; the all-zero number plan 0x11FFF0 has a URL of
// its own.
constexpr tSID HiddenSids[] = {NullSid, 0x10FFD0, 0x12FFF0};
constexpr tSID ZeroPlanSid = 0x11FFF0;

}  // namespace

tURLvars URISPLIT(std::string_view url) {
  tURLvars parts;
  std::string rest(url);
  // Precedence by character, not by position: a blank wins over "#" and "?".
  for (const char delimiter : {' ', '#', '?'}) {
    const auto at = rest.find(delimiter);
    if (at == std::string::npos) continue;
    parts.delimiter = delimiter;
    parts.tail = rest.substr(at + 1);
    rest.erase(at);
    break;
  }
  if (const auto colon = rest.find(':'); colon != std::string::npos) {
    parts.scheme = STRLWR(std::string_view(rest).substr(0, colon));
    rest.erase(0, colon + 1);
  }
  if (rest.starts_with("//")) {
    rest.erase(0, 2);
    const auto slash = rest.find('/');
    parts.host = rest.substr(0, slash);
    if (slash != std::string::npos) parts.path = rest.substr(slash);
  } else {
    parts.path = rest;
  }
  return parts;
}

tURLvars URISPLITBKSSCHEME(std::string_view url) {
  tURLvars parts = URISPLIT(url);
  std::string_view rest = parts.host;
  if (const auto at = rest.find('@'); at != std::string_view::npos) {
    parts.user = std::string(rest.substr(0, at));
    rest.remove_prefix(at + 1);
  }
  const auto colon = rest.find(':');
  parts.phone = std::string(rest.substr(0, colon));
  if (colon != std::string_view::npos) parts.sidText = std::string(rest.substr(colon + 1));
  return parts;
}

std::string URIEXPANDBKSSCHEME(std::string_view scheme, std::string_view user,
                               std::string_view phone, std::string_view path,
                               std::string_view tail, tSID sid, char delimiter) {
  if (CMPSID(sid, ZeroPlanSid) == 0) return "BKS://+0-0-0";
  std::string url;
  if (!scheme.empty()) url.append(scheme).append("://");
  if (!STRTRIM(user).empty()) url.append(user).append("@");
  url += URIINTERNATIONALPHONE(phone);
  bool named = true;
  for (const tSID hidden : HiddenSids) named = named && CMPSID(sid, hidden) != 0;
  if (named) url.append(":").append(STRSID(sid));
  if (!path.empty()) url.append("/").append(path);
  if (delimiter != 0) url.append(1, delimiter).append(tail);
  return url;
}

std::string URISID2URL(tSID sid, std::string_view country, std::string_view area,
                       std::string_view phone) {
  return URIEXPANDBKSSCHEME("BKS", "", URIFULLPHONE(phone, country, area), "", "", sid, 0);
}

std::string URIPHONE2URL(std::string_view scheme, std::string_view country,
                         std::string_view area, std::string_view phone) {
  return URIEXPANDBKSSCHEME(scheme, "", URIFULLPHONE(phone, country, area), "", "", NullSid, 0);
}

std::string URIFULLPHONE2URL(std::string_view scheme, std::string_view phone) {
  return URIEXPANDBKSSCHEME(scheme, "", phone, "", "", NullSid, 0);
}

tSID URIURL2SID(std::string_view url) {
  return VALSID(URISPLITBKSSCHEME(url).sidText).value_or(NullSid);
}

std::string URIURL2SIDOFF(std::string_view url) {
  const tURLvars parts = URISPLITBKSSCHEME(url);
  // The split path keeps its "/", which the rebuild puts in front again.
  std::string_view path = parts.path;
  if (path.starts_with('/')) path.remove_prefix(1);
  return URIEXPANDBKSSCHEME(parts.scheme, parts.user, parts.phone, path, parts.tail, NullSid,
                            parts.delimiter);
}

std::string URIURL2PHONE(std::string_view url) { return URISPLITBKSSCHEME(url).phone; }

std::uint8_t URISCHEME2USEFOR(std::string_view scheme) {
  if (STRBEGIN("BKS", scheme)) return 1;
  if (STRBEGIN("FAX", scheme)) return 2;
  if (STRBEGIN("SMS", scheme)) return 3;
  return 0;
}

std::string URIUSEFOR2SCHEME(std::uint8_t useFor) {
  switch (useFor) {
    case 1: return "BKS";
    case 2: return "FAX";
    case 3: return "SMS";
    default: return {};
  }
}

}  // namespace utl
