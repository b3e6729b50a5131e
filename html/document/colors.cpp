#include "html/document/colors.h"

#include <string_view>

namespace html {

namespace {

struct NamedColor {
  std::string_view name;
  HtmlColor value;
};

constexpr NamedColor colorNames[] = {
    {"BLACK", 0x000000}, {"MAROON", 0x000080}, {"GREEN", 0x008000},  {"OLIVE", 0x008080},
    {"NAVY", 0x800000},  {"PURPLE", 0x800080}, {"TEAL", 0x808000},   {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF},   {"LIME", 0x00FF00},   {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000},  {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},  {"WHITE", 0xFFFFFF},
};

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<HtmlColor> ColorFromString(std::string& s) {
  if (s.empty()) return std::nullopt;
  std::string upper = s.substr(0, 10);
  for (auto& ch : upper)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
  for (const auto& named : colorNames)
    if (upper == named.name) return named.value;

  const auto hash = s.find('#');
  if (hash != std::string::npos) s.erase(hash, 1);
  if (s.empty()) return std::nullopt;
  std::uint32_t rgb = 0;
  for (const char ch : s) {
    const int digit = HexDigit(ch);
    if (digit < 0) return std::nullopt;
    rgb = ((rgb << 4) | static_cast<std::uint32_t>(digit)) & 0xFFFFFF;
  }
  return static_cast<HtmlColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16));
}

}  // namespace html
