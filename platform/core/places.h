#pragma once

#include <string>

namespace win {

// The host program's file (/proc/self/exe, also inside a library) as the
// system's name; empty when it cannot be read or named in code page 1250.
std::string GetModuleFileName();

// The Windows directory, where win.ini lives: $BRANNIK_WINDIR, else
// $XDG_CONFIG_HOME/brannik, else ~/.config/brannik; made when missing.
// The system's name without a trailing separator.
std::string GetWindowsDirectory();

}  // namespace win
