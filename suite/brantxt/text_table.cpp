#include "suite/brantxt/text_table.h"

#include <charconv>

#include "platform/core/short_string.h"

namespace {

constexpr unsigned char builtInData[] = {
#include "brantxt_texts.inc"
};

bool ReadNumber(std::string_view field, std::uint16_t& number) {
  int base = 10;
  if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
    field.remove_prefix(2);
    base = 16;
  }
  unsigned value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
  if (error != std::errc() || end != field.data() + field.size() || value > 0xFFFF) return false;
  number = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

TextTable ParseTextTable(std::string_view data) {
  TextTable table;
  while (!data.empty()) {
    const std::size_t end = data.find('\n');
    std::string_view line = data.substr(0, end);
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    std::uint16_t number = 0;
    if (tab == std::string_view::npos || !ReadNumber(line.substr(0, tab), number)) continue;
    std::string_view text = line.substr(tab + 1);
    if (text.size() > ShortString::MaxLength) text = text.substr(0, ShortString::MaxLength);
    table.emplace(number, std::string(text));
  }
  return table;
}

const TextTable& BuiltInTexts() {
  static const TextTable table = ParseTextTable(
      std::string_view(reinterpret_cast<const char*>(builtInData), sizeof builtInData));
  return table;
}
