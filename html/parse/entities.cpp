#include "html/parse/entities.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/core/cp1250.h"

namespace html {

namespace {

// amp, lt, gt, quot, then the names of the Unicode characters 160 to 255 in order.
constexpr std::array<std::string_view, 100> entityNames = {
    "amp",    "lt",     "gt",     "quot",   "nbsp",   "iexcl",  "cent",   "pound",  "curren",
    "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",   "laquo",  "not",    "shy",
    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",  "para",
    "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave",
    "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
    "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute",
    "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde",
    "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde",
    "ouml",   "divide", "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",
    "yuml",
};

static_assert(std::all_of(entityNames.begin(), entityNames.end(), [](std::string_view n) { return n.size() <= 8; }));

char FromUnicode(char32_t ch) {
  const auto byte = win::UnicodeToCp1250(ch);
  return byte ? static_cast<char>(*byte) : '?';
}

}  // namespace

std::optional<char> EntityCharacter(std::string_view name) {
  // Every name fits in eight bytes: packed into a number each, the names
  // are found by comparing numbers.
  constexpr auto pack = [](std::string_view n) {
    uint64_t key = 0;
    for (const char c : n) key = key << 8 | static_cast<unsigned char>(c);
    return key;
  };
  struct Entry {
    uint64_t Key;
    char Character;
  };
  static const std::array<Entry, entityNames.size()> sorted = [&pack] {
    std::array<Entry, entityNames.size()> entries{};
    for (std::size_t i = 0; i < entityNames.size(); ++i) {
      const char plain[] = {'&', '<', '>', '"'};
      entries[i] = {pack(entityNames[i]), i < 4 ? plain[i] : FromUnicode(static_cast<char32_t>(156 + i))};
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.Key < b.Key; });
    return entries;
  }();
  // Names never hold a zero byte, so distinct names of up to eight bytes pack apart.
  if (name.empty() || name.size() > 8 || name.find('\0') != std::string_view::npos) return std::nullopt;
  const uint64_t key = pack(name);
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), key,
                                   [](const Entry& entry, uint64_t k) { return entry.Key < k; });
  if (it == sorted.end() || it->Key != key) return std::nullopt;
  return it->Character;
}

std::optional<char> NumericCharacter(std::int32_t value) {
  if (value == 9) return ' ';
  if (value == 10) return '\n';
  if (value < 32 || value > 255) return std::nullopt;
  if (value >= 160) return FromUnicode(static_cast<char32_t>(value));
  return static_cast<char>(value);
}

}  // namespace html
