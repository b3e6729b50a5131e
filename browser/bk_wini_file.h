#pragma once

#include <string>
#include <string_view>

#include "platform/core/ini_file.h"
#include "platform/core/string_list.h"
#include "platform/gui/geometry.h"

namespace brw {

// The class library's profile file with rectangles, as the browser keeps its
// window in "win.ini".
class tBKWiniFile : public cl::TIniFile {
 public:
  using cl::TIniFile::TIniFile;

  // "Left,Top,Right,Bottom" in decimal.
  void WriteRect(std::string_view section, std::string_view ident, const cl::TRect& rect);
  // The rectangle written by WriteRect; the default whole when the key is
  // absent or a field is missing or no number.
  cl::TRect ReadRect(std::string_view section, std::string_view ident, const cl::TRect& defaultRect) const;
  // Adds the name of every "[section]" line of the file, in file order and
  // without duplicate checks. Raises cl::EInOutError when the file cannot be
  // read.
  void ReadSections(cl::TStrings& strings) const;
};

}  // namespace brw
