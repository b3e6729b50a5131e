#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// DOS-style path names: a drive prefix, directories separated by "\" (or
// "/", the native separator), a name and an extension from the first "." of
// the name on.
namespace utl {

struct PathParts {
  std::string directory;  // with its trailing "\", "/" or ":"
  std::string name;
  std::string extension;  // with its "."
};

// The parts uncut, as the file routines need them for long native paths.
PathParts SplitPath(std::string_view path);

// The exported split, cut to 67, 12 and 4 characters.
PathParts FSPLIT(std::string_view path);
std::string DIRNAME(std::string_view path);
std::string FILENAME(std::string_view path);
// The extension, cut to 4 characters like FSPLIT's.
std::string FILEEXT(std::string_view path);
// Name and extension.
std::string DIRNAMEOFF(std::string_view path);
// Directory and name.
std::string FILEEXTOFF(std::string_view path);
// Upper-case drive letter, '?' without a drive prefix.
char DRIVENAME(std::string_view path);
std::string DRIVEOFF(std::string_view path);
std::string DRIVEANDROOTOFF(std::string_view path);
bool ISPATHABSOLUTE(std::string_view path);
bool ISWILDCARD(std::string_view name);
// "." and three digits for 0 to 999, else empty.
std::string STREXT(std::int32_t n);
// Trimmed, with a trailing separator, ASCII upper case: the form in which
// directory names are compared.
std::string UnifyDirName(std::string_view directory);
// The full path, against the current directory; not cut (the export cuts at 255).
std::string FEXPAND(std::string_view path);
std::string GETENV(std::string_view name);
// The size before the first blank ("," allowed), -1 on failure; line keeps
// what follows. Leading blanks are removed from line in any case.
std::int32_t PARSEFILESIZE(std::string& line);
std::string MAKEPATHABSOLUTE(std::string_view base, std::string_view path);
std::string MAKEPATHRELATIVE(std::string_view base, std::string_view directory, std::string_view path);

bool IsSeparator(char c);

}  // namespace utl
