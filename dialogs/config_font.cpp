#include "dialogs/config_font.h"

#include <algorithm>
#include <string>

#include "suite/brancfg/brancfg.h"

namespace dlg {

void LoadFontFromConfig(std::uint8_t fontId, cl::TFont& font) {
  tCfgFontItem item{};
  CFGGETFONTITEM(fontId, &item);
  const std::size_t length = std::min<std::size_t>(item.faceLength, sizeof item.face);
  font.SetName(std::string(item.face, length));
  font.SetSize(item.size);
  font.SetStyle(static_cast<cl::TFontStyles>(item.style & (cl::fsBold | cl::fsItalic | cl::fsUnderline | cl::fsStrikeOut)));
}

}  // namespace dlg
