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

std::set<std::string> ImportedSymbols(const std::string& library) {
  std::set<std::string> names;
  const std::string command = "nm -D --undefined-only --format=posix '" + library + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    std::string name;
    fields >> name;
    // Versioned imports read "name@VERSION".
    names.insert(name.substr(0, name.find('@')));
  }
  pclose(pipe);
  return names;
}

}  // namespace cl::testing
