// Arbitrary bytes as the shared header file of column widths: a layout
// manager reads it and writes its record back when it goes, and the next
// manager of the same texts reads the same layouts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialogs/header_manager.h"
#include "scratch_directory.h"

namespace {

using Layouts = std::vector<std::vector<dlg::tHeaderManager::Section>>;

// Captions for every header: some with a width, some without, all widths a
// header can have, so that what one manager writes the next one takes.
std::string Caption(std::uint16_t base, std::uint16_t number) {
  const int offset = static_cast<std::uint16_t>(number - base);
  const int h = offset / 16, s = offset % 16;
  if (s > h % 7 + 1) return {};
  const std::string caption = "Column " + std::to_string(h) + "." + std::to_string(s);
  return s % 2 ? caption : std::to_string(1 + (h * 131 + s * 17) % dlg::tHeaderManager::MaxWidth) + " | " + caption;
}

Layouts Read(const dlg::tHeaderManager& manager) {
  Layouts layouts;
  for (int h = 0; h < dlg::tHeaderManager::Headers; ++h) layouts.push_back(manager.HeaderSections(h));
  return layouts;
}

bool Same(const Layouts& a, const Layouts& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t h = 0; h < a.size(); ++h) {
    if (a[h].size() != b[h].size()) return false;
    for (std::size_t s = 0; s < a[h].size(); ++s)
      if (a[h][s].width != b[h][s].width || a[h][s].caption != b[h][s].caption) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes: the texts' base, the key of the manager's record.
  const auto base = static_cast<std::uint16_t>(data[0] | data[1] << 8);
  const fuzz::ScratchDirectory& scratch = fuzz::Scratch();
  scratch.Write("widths.hdr", data + 2, size - 2);
  const std::string file = scratch.File("widths.hdr");
  const dlg::TextSource texts = [base](std::uint16_t number) { return Caption(base, number); };

  Layouts first;
  {
    const dlg::tHeaderManager manager(file, base, texts);
    first = Read(manager);
    for (const auto& sections : first)
      for (const auto& section : sections)
        if (section.width < 1 || section.width > dlg::tHeaderManager::MaxWidth) std::abort();
  }
  const dlg::tHeaderManager again(file, base, texts);
  if (!Same(Read(again), first)) std::abort();
  return 0;
}
