// Arbitrary bytes as a dual-list file (a states list, an area list): every
// pair has both sides, trimmed, the key without "#", and the pairs written
// back as "key#value" lines read as the same pairs.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/dual_list_file.h"
#include "utility/short_strings.h"
#include "scratch_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::ScratchDirectory& scratch = fuzz::Scratch();
  scratch.Write("list.lst", data, size);
  const dlg::DualListFile read = dlg::ReadDualListFile(scratch.File("list.lst"));
  if (!read.complete) std::abort();

  // Each line at most as long as the one it came from, so no line limit cuts it.
  std::string written;
  for (const dlg::DualPair& pair : read.pairs) {
    if (pair.key.empty() || pair.value.empty() || pair.key.find('#') != std::string::npos ||
        utl::STRTRIM(pair.key) != pair.key || utl::STRTRIM(pair.value) != pair.value)
      std::abort();
    written += pair.key + "#" + pair.value + "\r\n";
  }
  scratch.Write("again.lst", written);
  const dlg::DualListFile again = dlg::ReadDualListFile(scratch.File("again.lst"));
  if (!again.complete || again.pairs.size() != read.pairs.size()) std::abort();
  for (std::size_t i = 0; i < read.pairs.size(); ++i)
    if (again.pairs[i].key != read.pairs[i].key || again.pairs[i].value != read.pairs[i].value) std::abort();
  return 0;
}
