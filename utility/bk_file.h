#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The BK data file: a 32-byte header (tBKHeader, defined with the library's
// calls), then the owner's data. The header's check (XOR and sum modulo 256)
// covers header offsets 4 to 31 and every data byte.
#include "utility/include/branutl/bk_files.h"

namespace utl {

inline constexpr std::size_t BKHeaderSize = sizeof(tBKHeader);
// Header bytes from this offset on are covered by the check.
inline constexpr std::size_t BKCheckedFrom = 4;

// Adds bytes to, or removes them from, a check (A, then B).
void BKFCCEVAL(std::uint8_t check[2], const void* data, std::size_t length);
void BKFCCSUB(std::uint8_t check[2], const void* data, std::size_t length);
// The check word of a header and its data: A in the low byte, B in the high.
std::uint16_t BKCheckWord(const tBKHeader& header, const void* data, std::size_t length);
std::uint16_t StoredCheckWord(const tBKHeader& header);

bool ISITBKFILE(const tBKHeader& header);
void FILLBKHEADER(tBKHeader& header, bool withKey, std::uint8_t kind, std::uint8_t second,
                  std::uint16_t version);

// The file operations raise the suite's exceptions (xIOOpen, xIORead, ...);
// a wrong check raises xIOInternal "Bad BKfile, eval=.... head=....".

// Readers and writers take the file as it was before an append that has not
// taken effect (see bk_append_journal.h).

// Reads the header and exactly length data bytes, then verifies the check.
void LoadBKFile(std::string_view name, tBKHeader& header, void* data, std::size_t length);
// Writes a copy of the header with magic and check and the data (none when
// data is null) to a new file with the attributes, which then replaces the
// old one; a failure keeps the old file whole.
void SaveBKFile(std::string_view name, std::uint16_t attributes, const tBKHeader& header,
                const void* data, std::size_t length);
// Verifies the check over the header and everything after it.
void CheckBKFile(std::string_view name, tBKHeader& header);
// Appends 0..65535 bytes and extends the header's check by them, all at once
// or not at all however the process ends; a failure cuts the file back to
// what it was. Others may read the file meanwhile.
void AppendToBKFile(std::string_view name, const void* data, std::int32_t length);
// Keeps dataLength bytes of data (0 .. the data there are) and recomputes the
// check, through a new file that replaces the old one.
void TruncateBKFile(std::string_view name, std::int32_t dataLength);

}  // namespace utl
