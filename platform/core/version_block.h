#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace win {

// A program's version block. The program embeds it as text in the ELF section
// "brannik_version" with BRANNIK_VERSION_BLOCK; the version functions read it
// from any file and hand the caller the block's in-memory form, which
// VerQueryValue walks.
//
// The text, one statement a line (blank lines and lines starting with ";" are
// skipped; keywords in any case; values in code page 1250):
//   FILEVERSION 3.0.1.0          the fixed file version (four numbers 0-65535)
//   PRODUCTVERSION 3.0.1.0       the fixed product version
//   TRANSLATION 0405 04E2        a language and code page pair (hexadecimal)
//   BLOCK 040504E2               starts a string table (eight hex digits)
//   FileVersion=3.00.001         a string of the current table
// Without FILEVERSION and PRODUCTVERSION the block has no fixed information.

// Windows' fixed file information; only the version fields are filled.
struct VS_FIXEDFILEINFO {
  std::uint32_t dwSignature;  // 0xFEEF04BD
  std::uint32_t dwStrucVersion;
  std::uint32_t dwFileVersionMS;
  std::uint32_t dwFileVersionLS;
  std::uint32_t dwProductVersionMS;
  std::uint32_t dwProductVersionLS;
  std::uint32_t dwFileFlagsMask;
  std::uint32_t dwFileFlags;
  std::uint32_t dwFileOS;
  std::uint32_t dwFileType;
  std::uint32_t dwFileSubtype;
  std::uint32_t dwFileDateMS;
  std::uint32_t dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

// One translation pair as "\VarFileInfo\Translation" lists them.
struct VersionTranslation {
  std::uint16_t Language;
  std::uint16_t CodePage;
};

// The size of the file's block in memory, or 0 with the last error set: the
// file's own error when it cannot be read, 1813 when it holds no block, 13
// when its block text is malformed. The handle is always 0, as on Windows.
std::uint32_t GetFileVersionInfoSize(std::string_view fileName, std::uint32_t* handle);

// Fills data (size bytes, as GetFileVersionInfoSize gave) with the block;
// false with the last error set when that fails (122 when size is too small).
bool GetFileVersionInfo(std::string_view fileName, std::uint32_t handle, std::uint32_t size,
                        void* data);

// Looks a value up in a block that GetFileVersionInfo filled: "\" gives the
// VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the translation pairs (length
// in bytes), "\StringFileInfo\<table>\<name>" the zero-terminated string
// (length in characters with the terminator). Names compare without case.
// False, with nothing stored, when the value is not there.
bool VerQueryValue(const void* block, std::string_view subBlock, const void** buffer,
                   std::uint32_t* length);

// The in-memory block of a block text; nullopt when the text is malformed.
std::optional<std::vector<std::byte>> CompileVersionBlock(std::string_view text);

}  // namespace win

// Embeds a program's version block text (see above) in the executable. Use it
// once, in a source file linked into the program itself: an object in a static
// library that nothing references would be left out.
#define BRANNIK_VERSION_BLOCK(text)                                              \
  __attribute__((used, section("brannik_version"))) static const char           \
      brannikVersionBlock[] = text
