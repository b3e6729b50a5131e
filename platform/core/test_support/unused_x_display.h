#pragma once

// Test support: an X display name that no server serves.

#include <string>

namespace cl::testing {

// ":n" for the lowest n from 100 whose socket and lock file no X server
// holds on this machine.
std::string UnusedXDisplay();

}  // namespace cl::testing
