#pragma once

#include <cstdint>
#include <string>

namespace brw {

// The program's string table, in code page 1250.
// The text with that number, at most 255 characters; empty for an unknown one.
std::string TextByNumber(std::uint16_t id);

// The numbers the program uses. The 13 tool-bar buttons have their hints at
// txtFirstHint + i and their menu captions at txtFirstMenuCaption + i, i in
// the tool-bar order: open, reload, save, print, select all, copy, find,
// home, back, forward, font, larger font, smaller font.
enum TextNumber : std::uint16_t {
  txtOK = 0,
  txtCancel = 1,
  txtCaption = 16,
  txtFirstHint = 17,
  txtFirstMenuCaption = 30,
  txtVersionItem = 43,  // "%s": the file version
  txtOpenFilter = 44,
  txtSaveFilter = 45,
  txtFindFailed = 46,   // "%s": the text searched for
  txtSaveFailed = 47,
  txtFontCaption = 48,
  txtFontInkLabel = 49,
  txtFontLinkLabel = 50,
  txtFontSizeLabel = 51,
  txtFontFaceLabel = 52,
  txtFontBackgroundLabel = 53,
  txtFontReset = 54,
  txtFontSample = 55,
};

inline constexpr int toolButtonCount = 13;

}  // namespace brw
