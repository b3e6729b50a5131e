#include "browser/bk_wini_file.h"

#include <optional>

#include "platform/core/file_handle.h"
#include "platform/core/in_out_error.h"
#include "platform/core/int_text.h"
#include "platform/core/last_error.h"
#include "platform/core/short_string.h"
#include "platform/core/unique_handle.h"
#include "utility/short_strings.h"

namespace brw {

void tBKWiniFile::WriteRect(std::string_view section, std::string_view ident, const cl::TRect& rect) {
  WriteString(section, ident,
              std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," + std::to_string(rect.Right) + "," +
                  std::to_string(rect.Bottom));
}

cl::TRect tBKWiniFile::ReadRect(std::string_view section, std::string_view ident,
                                const cl::TRect& defaultRect) const {
  std::string rest = ReadString(section, ident, "");
  std::int32_t fields[4];
  for (int i = 0; i < 4; ++i) {
    std::string field;
    if (i < 3) {
      auto cut = utl::STRCUTBTO(',', rest);
      field = std::move(cut.head);
      rest = std::move(cut.rest);
    } else {
      field = rest;
    }
    const auto value = cl::TryStrToInt(field);
    if (!value) return defaultRect;
    fields[i] = *value;
  }
  return cl::Rect(fields[0], fields[1], fields[2], fields[3]);
}

void tBKWiniFile::ReadSections(cl::TStrings& strings) const {
  // Deny-none: another program may hold the file open for writing.
  win::UniqueHandle file(
      win::CreateFile(FileName(), win::GENERIC_READ, win::FILE_SHARE_READ | win::FILE_SHARE_WRITE, win::OPEN_EXISTING));
  if (!file.IsOpen()) throw cl::EInOutError(win::GetLastError());
  std::string text;
  char buffer[4096];
  std::uint32_t done = 0;
  bool ok = true;
  while ((ok = win::ReadFile(file.Get(), buffer, sizeof buffer, &done)) && done > 0) text.append(buffer, done);
  const std::uint32_t error = win::GetLastError();
  file.Close();
  if (!ok) throw cl::EInOutError(error);

  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string trimmed = utl::STRTRIM(line.substr(0, ShortString::MaxLength));
    if (trimmed.size() > 2 && trimmed.front() == '[' && trimmed.back() == ']')
      strings.Add(std::string_view(trimmed).substr(1, trimmed.size() - 2));
  }
}

}  // namespace brw
