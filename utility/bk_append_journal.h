#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "utility/include/branutl/bk_files.h"

namespace utl {

// The note an append to a BK file keeps beside the file while it runs. The
// append takes effect with the one write of the new header; until then, and
// for good when the appending process dies first, the file counts as it was:
// readers stop at the old size, and the next writer cuts the file back. The
// file's own format is untouched, so programs that know no notes read it as
// before (and see an unfinished append as a wrong check).
struct AppendJournal {
  std::int32_t sizeBefore = 0;
  std::int32_t length = 0;
  tBKHeader before{};
  tBKHeader after{};

  // Whether a file with this header and size is still as it was before the
  // append the note tells of: not once the new header and all the appended
  // bytes are there (whose check may leave the header as it was).
  bool Unfinished(const tBKHeader& header, std::int32_t size) const;
};

// What a look for the note of a file found: none; one that tells of an append
// to this file; or a note that cannot be read now (being written, or left
// torn by a process that died before it touched the file).
enum class JournalFound { None, Valid, Unreadable };

// The note's name beside the file that NAME leads to (through links); nullopt
// when that has no name the system can use.
std::optional<std::string> AppendJournalName(std::string_view name);

JournalFound ReadAppendJournal(std::string_view journalName, AppendJournal& journal);
// Replaces any note there; raises xIOCreate or xIOWrite.
void WriteAppendJournal(std::string_view journalName, const AppendJournal& journal);
// False while the note is still there (a reader may hold it a moment).
bool RemoveAppendJournal(std::string_view journalName);

}  // namespace utl
