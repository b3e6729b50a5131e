#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dlg {

// One pair of a dual-list file.
struct DualPair {
  std::string key;
  std::string value;
};

// The pairs of a file of "key # value" lines, in file order: the first "#"
// separates, both sides are trimmed of blanks, and a line without "#" or with
// an empty side gives none.
struct DualListFile {
  std::vector<DualPair> pairs;
  bool complete = true;  // false when the file could not be read to its end
};

// A missing or unreadable file gives the pairs read before the failure.
DualListFile ReadDualListFile(std::string_view fileName);

// The pair of one line, or an empty key when the line holds none.
DualPair DualPairOfLine(std::string_view line);

}  // namespace dlg
