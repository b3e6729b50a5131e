#pragma once

#include <string_view>

namespace win {

// Starts a program as Windows' WinExec would, but without a shell: the file
// (the system's name) must be a regular executable file; the parameters are
// split at blanks into its arguments. The program is not waited for (its exit
// is collected in the background). False with the last error set when it
// cannot start: 2 or 3 when the file is missing, 5 for a directory or other
// non-regular file, 193 for a file without execute permission.
bool StartProgram(std::string_view fileName, std::string_view parameters);

}  // namespace win
