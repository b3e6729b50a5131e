#pragma once

#include <cstdint>

namespace win {

// The calling thread's last error, in Windows numbering. Only failing layer
// calls set it; successful calls leave it as it was.
std::uint32_t GetLastError();
void SetLastError(std::uint32_t code);

// Sets the last error from an errno value, by the layer's mapping table.
void SetLastErrorFromErrno(int errnoValue);

}  // namespace win
