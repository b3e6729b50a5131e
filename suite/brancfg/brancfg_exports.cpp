#include <charconv>
#include <optional>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/export_guard.h"
#include "suite/brancfg/brancfg.h"
#include "suite/brancfg/cfg_profile.h"

namespace {

std::string KeyName(std::string_view kind, std::uint8_t key) {
  return std::string(kind) + std::to_string(key);
}

// A profile line cannot hold a line break, so CR, LF and the escape character
// itself are stored as %0D, %0A and %25.
std::string Escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '%' || c == '\r' || c == '\n') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned value = 0;
    if (text[i] == '%' && i + 2 < text.size() &&
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr ==
            text.data() + i + 3) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Comma-separated integers; nullopt unless there are exactly count of them.
std::optional<std::vector<std::int32_t>> ReadIntegers(std::string_view text, std::size_t count) {
  std::vector<std::int32_t> values;
  while (true) {
    const std::size_t comma = text.find(',');
    std::string_view field = text.substr(0, comma);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size())
      return std::nullopt;
    values.push_back(value);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

constexpr tPageLayout defaultLayout{20, 20, 20, 20, 210, 297};

}  // namespace

BRANNIK_EXPORT std::int32_t CFGGETINTEGER(std::uint8_t key) {
  return ExportGuard<std::int32_t>(0, [&] {
    const auto text = CfgProfile().Read(KeyName("Integer", key));
    if (!text) return 0;
    const auto values = ReadIntegers(*text, 1);
    return values ? values->front() : 0;
  });
}

BRANNIK_EXPORT void CFGPUTINTEGER(std::uint8_t key, std::int32_t value) {
  ExportGuardVoid([&] { CfgProfile().Write(KeyName("Integer", key), std::to_string(value)); });
}

BRANNIK_EXPORT void CFGGETSTRING(std::uint8_t key, ShortString* value) {
  if (!value) return;
  value->length = 0;
  ExportGuardVoid([&] {
    if (const auto text = CfgProfile().Read(KeyName("String", key))) value->Assign(Unescape(*text));
  });
}

BRANNIK_EXPORT void CFGPUTSTRING(std::uint8_t key, const ShortString* value) {
  ExportGuardVoid([&] {
    const std::string text = value ? value->Str() : std::string();
    CfgProfile().Write(KeyName("String", key), "\"" + Escape(text) + "\"");
  });
}

// Kept as "face, size, style"; there is no call to store one.
BRANNIK_EXPORT void CFGGETFONTITEM(std::uint8_t fontId, tCfgFontItem* item) {
  if (!item) return;
  std::string face = "MS Sans Serif";
  std::int32_t size = 8, style = 0;
  ExportGuardVoid([&] {
    const auto text = CfgProfile().Read(KeyName("Font", fontId));
    if (!text) return;
    const std::size_t comma = text->find(',');
    if (comma == std::string::npos) return;
    const auto values = ReadIntegers(std::string_view(*text).substr(comma + 1), 2);
    if (!values) return;
    std::string_view name = std::string_view(*text).substr(0, comma);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    face = std::string(name.substr(0, 31));
    size = (*values)[0];
    style = (*values)[1];
  });
  *item = tCfgFontItem{};
  item->faceLength = static_cast<std::uint8_t>(face.size());
  face.copy(item->face, face.size());
  item->size = size;
  item->style = static_cast<std::uint8_t>(style & 0x0F);
}

BRANNIK_EXPORT void CFGDEFAULTPAGELAYOUT(std::uint8_t /*layoutId*/, tPageLayout* layout) {
  if (layout) *layout = defaultLayout;
}

BRANNIK_EXPORT void CFGGETPAGELAYOUT(std::uint8_t layoutId, tPageLayout* layout) {
  if (!layout) return;
  *layout = defaultLayout;
  ExportGuardVoid([&] {
    if (const auto text = CfgProfile().Read(KeyName("PageLayout", layoutId))) {
      if (const auto v = ReadIntegers(*text, 6))
        *layout = {(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]};
    }
  });
}

BRANNIK_EXPORT void CFGPUTPAGELAYOUT(std::uint8_t layoutId, const tPageLayout* layout) {
  if (!layout) return;
  ExportGuardVoid([&] {
    const tPageLayout l = *layout;
    CfgProfile().Write(KeyName("PageLayout", layoutId),
                       std::to_string(l.left) + "," + std::to_string(l.right) + "," +
                           std::to_string(l.top) + "," + std::to_string(l.bottom) + "," +
                           std::to_string(l.width) + "," + std::to_string(l.height));
  });
}
