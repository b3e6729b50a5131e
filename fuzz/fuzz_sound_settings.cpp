// Arbitrary bytes as "brannik.ini": two sound slots load from it, are saved
// back, and load again as they were, for every name the file can hold as it
// is (no blanks or quotes around it, a directory of its own, not cut at the
// slot's length); an empty slot stays empty. One beeper serves the process,
// as in a program, so that a run reads the file only for its own slots.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/core/ini_file.h"
#include "scratch_directory.h"
#include "utility/beeper.h"
#include "utility/path_names.h"
#include "utility/same_text.h"

namespace {

// A slot holds at most this many characters; a longer name was cut.
constexpr std::size_t nameLimit = 256;

bool SavedAsItIs(const std::string& name) {
  return name.size() < nameLimit && name.find_first_of(" \t\"'") == std::string::npos && name.back() != '\\' &&
         name.back() != '/' && !utl::DIRNAME(name).empty();
}

const std::string& IniFile() {
  static const std::string file = fuzz::Scratch().File("brannik.ini");
  return file;
}

utl::tBeeper& Beeper() {
  static utl::tBeeper beeper(IniFile());
  return beeper;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the slots; the rest is the file.
  const int slots[2] = {data[0] % utl::tBeeper::SlotCount, data[1] % utl::tBeeper::SlotCount};
  utl::tBeeper& beeper = Beeper();
  fuzz::Scratch().Write("brannik.ini", data + 2, size - 2);
  cl::TIniFile ini(IniFile());

  std::optional<std::string> first[2];
  for (int i = 0; i < 2; ++i) {
    beeper.LoadSound(ini, slots[i]);
    first[i] = beeper.SoundName(slots[i]);
    if (first[i] && (first[i]->empty() || first[i]->size() > nameLimit)) std::abort();
  }
  for (const int slot : slots) beeper.SaveSound(ini, slot);
  for (int i = 0; i < 2; ++i) {
    beeper.LoadSound(ini, slots[i]);
    const std::optional<std::string>& again = beeper.SoundName(slots[i]);
    if (!first[i]) {
      if (again) std::abort();
    } else if (SavedAsItIs(*first[i]) && !(again && utl::SameText(*again, *first[i]))) {
      std::abort();
    }
  }
  return 0;
}
