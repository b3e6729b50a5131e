#pragma once

// What a shared library shows its callers.

#include <set>
#include <string>

namespace cl::testing {

// The names the library defines in its dynamic symbol table (the version
// script's nodes left out); empty when the library cannot be read.
std::set<std::string> ExportedSymbols(const std::string& library);
// The names the library takes from the libraries it loads (undefined in its
// dynamic symbol table); empty when the library cannot be read.
std::set<std::string> ImportedSymbols(const std::string& library);

}  // namespace cl::testing
