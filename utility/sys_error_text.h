#pragma once

#include <cstdint>
#include <string>

// The text of a Windows error code: "0x%08X (%d): NAME", the symbolic name
// from the published list or "UNKNOWN ERROR CODE"; at most 255 characters.
std::string SysErrorText(std::int32_t code);
