#include "html/parse/entities.h"

#include <array>

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

char FromUnicode(char32_t ch) {
  const auto byte = win::UnicodeToCp1250(ch);
  return byte ? static_cast<char>(*byte) : '?';
}

}  // namespace

std::optional<char> EntityCharacter(std::string_view name) {
  for (std::size_t i = 0; i < entityNames.size(); ++i) {
    if (entityNames[i] != name) continue;
    switch (i) {
      case 0: return '&';
      case 1: return '<';
      case 2: return '>';
      case 3: return '"';
      default: return FromUnicode(static_cast<char32_t>(156 + i));
    }
  }
  return std::nullopt;
}

std::optional<char> NumericCharacter(std::int32_t value) {
  if (value == 9) return ' ';
  if (value == 10) return '\n';
  if (value < 32 || value > 255) return std::nullopt;
  if (value >= 160) return FromUnicode(static_cast<char32_t>(value));
  return static_cast<char>(value);
}

}  // namespace html
