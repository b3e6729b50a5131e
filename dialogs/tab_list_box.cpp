#include "dialogs/tab_list_box.h"

#include "platform/core/ansi_case.h"
#include "utility/short_strings.h"

namespace dlg {

tTabListBox::tTabListBox(cl::TComponent* owner) : cl::TListBox(owner) { Font().SetName("MS Sans Serif"); }

void tTabListBox::AddPair(std::string_view key, std::string_view value) {
  std::string row(key);
  row += '\t';
  row += value;
  Items().Add(row);
}

int tTabListBox::IndexOfValue(std::string_view value) const {
  const cl::TStrings& rows = Items();
  for (int i = 0; i < rows.Count(); ++i) {
    const std::string row = rows[i];
    const auto tab = row.find('\t');
    const std::string_view rowValue = tab == std::string::npos ? std::string_view() : std::string_view(row).substr(tab + 1);
    if (cl::AnsiCompareText(utl::STRTRIM(rowValue), value) == 0) return i;
  }
  return -1;
}

bool tTabListBox::PairAt(int index, std::string& key, std::string& value) const {
  const cl::TStrings& rows = Items();
  if (index < 0 || index >= rows.Count()) return false;
  const std::string row = rows[index];
  const auto tab = row.find('\t');
  if (tab == std::string::npos) return false;
  key = utl::STRTRIM(std::string_view(row).substr(0, tab));
  value = utl::STRTRIM(std::string_view(row).substr(tab + 1));
  return true;
}

}  // namespace dlg
