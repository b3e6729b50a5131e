#include "platform/gui/color_names.h"

#include <algorithm>
#include <cstdio>

#include "platform/core/ansi_case.h"
#include "platform/core/int_text.h"

namespace cl {

const std::vector<TColorName>& ColorNames() {
  static const std::vector<TColorName> names = {
      {clBlack, "clBlack"},
      {clMaroon, "clMaroon"},
      {clGreen, "clGreen"},
      {clOlive, "clOlive"},
      {clNavy, "clNavy"},
      {clPurple, "clPurple"},
      {clTeal, "clTeal"},
      {clGray, "clGray"},
      {clSilver, "clSilver"},
      {clRed, "clRed"},
      {clLime, "clLime"},
      {clYellow, "clYellow"},
      {clBlue, "clBlue"},
      {clFuchsia, "clFuchsia"},
      {clAqua, "clAqua"},
      {clWhite, "clWhite"},
      {clScrollBar, "clScrollBar"},
      {clBackground, "clBackground"},
      {clActiveCaption, "clActiveCaption"},
      {clInactiveCaption, "clInactiveCaption"},
      {clMenu, "clMenu"},
      {clWindow, "clWindow"},
      {clWindowFrame, "clWindowFrame"},
      {clMenuText, "clMenuText"},
      {clWindowText, "clWindowText"},
      {clCaptionText, "clCaptionText"},
      {clActiveBorder, "clActiveBorder"},
      {clInactiveBorder, "clInactiveBorder"},
      {clAppWorkSpace, "clAppWorkSpace"},
      {clHighlight, "clHighlight"},
      {clHighlightText, "clHighlightText"},
      {clBtnFace, "clBtnFace"},
      {clBtnShadow, "clBtnShadow"},
      {clGrayText, "clGrayText"},
      {clBtnText, "clBtnText"},
      {clInactiveCaptionText, "clInactiveCaptionText"},
      {clBtnHighlight, "clBtnHighlight"},
      {cl3DDkShadow, "cl3DDkShadow"},
      {cl3DLight, "cl3DLight"},
      {clInfoText, "clInfoText"},
      {clInfoBk, "clInfoBk"},
  };
  return names;
}

std::string ColorToString(TColor color) {
  const auto& names = ColorNames();
  const auto found =
      std::find_if(names.begin(), names.end(), [color](const TColorName& n) { return n.Value == color; });
  if (found != names.end()) return std::string(found->Name);
  char text[16];
  std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(color));
  return text;
}

std::optional<TColor> StringToColor(std::string_view text) {
  const auto& names = ColorNames();
  const auto found = std::find_if(names.begin(), names.end(),
                                  [text](const TColorName& n) { return AnsiCompareText(n.Name, text) == 0; });
  if (found != names.end()) return found->Value;
  return TryStrToInt(text);
}

}  // namespace cl
