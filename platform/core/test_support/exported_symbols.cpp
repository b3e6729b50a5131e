#include "platform/core/test_support/exported_symbols.h"

#include <cstdio>
#include <sstream>

namespace cl::testing {

std::set<std::string> ExportedSymbols(const std::string& library) {
  std::set<std::string> names;
  const std::string command = "nm -D --defined-only --format=posix '" + library + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string name, kind;
    fields >> name >> kind;
    // Version nodes are absolute symbols of the map, not routines.
    if (kind != "A") names.insert(name);
  }
  pclose(pipe);
  return names;
}

}  // namespace cl::testing
