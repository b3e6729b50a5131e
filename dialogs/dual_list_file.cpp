#include "dialogs/dual_list_file.h"

#include "dialogs/text_file_lines.h"
#include "platform/core/exception.h"
#include "utility/short_strings.h"

namespace dlg {

DualPair DualPairOfLine(std::string_view line) {
  const auto mark = line.find('#');
  if (mark == std::string_view::npos) return {};
  DualPair pair{utl::STRTRIM(line.substr(0, mark)), utl::STRTRIM(line.substr(mark + 1))};
  if (pair.key.empty() || pair.value.empty()) return {};
  return pair;
}

DualListFile ReadDualListFile(std::string_view fileName) {
  DualListFile file;
  try {
    ForEachTextLine(fileName, [&](std::string_view line) {
      DualPair pair = DualPairOfLine(line);
      if (!pair.key.empty()) file.pairs.push_back(std::move(pair));
    });
  } catch (const cl::Exception&) {
    // A file that cannot be read (or no file) is an incomplete list: the
    // pairs read so far show.
    file.complete = false;
  }
  return file;
}

}  // namespace dlg
