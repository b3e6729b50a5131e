#include "dialogs/dual_list_file.h"

#include "dialogs/text_file_lines.h"

namespace dlg {
namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

DualPair DualPairOfLine(std::string_view line) {
  const auto mark = line.find('#');
  if (mark == std::string_view::npos) return {};
  DualPair pair{Trimmed(line.substr(0, mark)), Trimmed(line.substr(mark + 1))};
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
  } catch (...) {
    file.complete = false;
  }
  return file;
}

}  // namespace dlg
