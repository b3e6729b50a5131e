#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "utility/station_id.h"

namespace utl {

// The parts of one URL while a routine works on it.
struct tURLvars {
  std::string scheme;
  std::string user;
  std::string host;  // user "@" phone ":" station id text, before splitting
  std::string phone;
  std::string sidText;
  std::string path;
  std::string tail;
  char delimiter = 0;  // 0: none
};

// Splits scheme "://" host path, and a tail after " ", "#" or "?".
tURLvars URISPLIT(std::string_view url);
// URISPLIT, then the host into user, phone and station id text.
tURLvars URISPLITBKSSCHEME(std::string_view url);
std::string URIEXPANDBKSSCHEME(std::string_view scheme, std::string_view user,
                               std::string_view phone, std::string_view path,
                               std::string_view tail, tSID sid, char delimiter);

std::string URISID2URL(tSID sid, std::string_view country, std::string_view area,
                       std::string_view phone);
std::string URIPHONE2URL(std::string_view scheme, std::string_view country,
                         std::string_view area, std::string_view phone);
std::string URIFULLPHONE2URL(std::string_view scheme, std::string_view phone);
// The station id of a station URL; the null id when it names none.
tSID URIURL2SID(std::string_view url);
// The URL rebuilt without its station id.
std::string URIURL2SIDOFF(std::string_view url);
std::string URIURL2PHONE(std::string_view url);

// Use-for numbers: 1 "BKS", 2 "FAX", 3 "SMS", 0 none.
std::uint8_t URISCHEME2USEFOR(std::string_view scheme);
std::string URIUSEFOR2SCHEME(std::uint8_t useFor);

}  // namespace utl
