// LOADPHONEBOOK and SAVEPHONEBOOK of generated books of 100,000 and 200,000
// entries through the library's exports: the time should grow with the book,
// not its square, and loading should cost a small multiple of reading the
// same file's lines.

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/bench_clock.h"
#include "platform/core/short_string.h"
#include "platform/core/string_list.h"

extern "C" {
std::uint8_t SAVEPHONEBOOK(const ShortString* fileName, const cl::TStrings* list);
std::uint8_t LOADPHONEBOOK(const ShortString* fileName, cl::TStrings* list, std::uint8_t kind);
}

namespace {

// Names, companies and numbers from a fixed seed, so every run reads the same book.
std::string Book(std::size_t entries) {
  static const char* const surnames[] = {"Nov\xE1k", "Svoboda", "Dvo\xF8\xE1k", "\x8Atastn\xFD", "Proch\xE1zka",
                                         ("Ku\xE8" "era"), "Vesel\xFD", "Hor\xE1k", "Nemec", "Marek"};
  static const char* const names[] = {"Jan", "Petr", "Marie", "Eva", "Josef", "Anna", "Pavel", "Jana"};
  static const char* const schemes[] = {"BKS", "FAX", "SMS"};
  std::uint32_t seed = 20261210;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  std::string text;
  text.reserve(entries * 70);
  for (std::size_t i = 0; i < entries; ++i) {
    text += '"';
    text += surnames[next() % 10];
    text += ' ';
    text += names[next() % 8];
    text += "\", \"";
    if (next() % 3) text += "Firma " + std::to_string(next() % 5000) + " s.r.o.";
    text += "\", \"+420-" + std::to_string(2 + next() % 700) + "-" + std::to_string(100000 + next() % 900000);
    text += "\", \"";
    text += schemes[next() % 3];
    text += "\"\r\n";
  }
  return text;
}

struct Times {
  double load = 0, save = 0;
};

Times Measure(const std::string& file, std::size_t entries) {
  const ShortString name = ShortString::From(file);
  std::unique_ptr<cl::TStringList> list;
  Times times;
  times.load = bench::BestOf(
      bench::kRuns, [&] { list = std::make_unique<cl::TStringList>(true); },
      [&] {
        if (LOADPHONEBOOK(&name, list.get(), 0)) std::fprintf(stderr, "LOADPHONEBOOK failed\n");
      });
  if (static_cast<std::size_t>(list->Count()) != entries) std::fprintf(stderr, "%d entries read\n", list->Count());
  const ShortString saved = ShortString::From(file + ".saved");
  times.save = bench::BestOf(bench::kRuns, [&] {
    if (SAVEPHONEBOOK(&saved, list.get())) std::fprintf(stderr, "SAVEPHONEBOOK failed\n");
  });
  return times;
}

double ReadLines(const std::string& file) {
  return bench::BestOf(bench::kRuns, [&] {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::size_t count = 0;
    while (std::getline(in, line)) ++count;
    if (count == 0) std::fprintf(stderr, "no lines\n");
  });
}

}  // namespace

int main() {
  // The heap keeps what a run frees, so that every run after the first finds
  // its pages mapped: the best run measures the library, not the kernel's
  // first touch of fresh memory (which std::getline's one buffer never pays).
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  std::string dir = (std::filesystem::temp_directory_path() / "bench-phonebook-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  bench::PrintClock();
  Times times[2];
  double read200k = 0;
  const std::size_t sizes[2] = {100000, 200000};
  for (int i = 0; i < 2; ++i) {
    const std::string file = dir + "/book" + std::to_string(sizes[i]) + ".phn";
    std::ofstream(file, std::ios::binary) << Book(sizes[i]);
    times[i] = Measure(file, sizes[i]);
    if (i == 1) read200k = ReadLines(file);
    std::printf("%7zu entries: load %.3f s (%.0f entries/s), save %.3f s (%.0f entries/s)\n", sizes[i],
                times[i].load, static_cast<double>(sizes[i]) / times[i].load, times[i].save,
                static_cast<double>(sizes[i]) / times[i].save);
  }
  std::printf("200000 lines read with std::getline: %.3f s\n", read200k);
  std::filesystem::remove_all(dir);
  std::printf("RATIO phonebook_200k_vs_100k %.2f\n",
              (times[1].load + times[1].save) / (times[0].load + times[0].save));
  std::printf("RATIO phonebook_load_vs_read %.2f\n", times[1].load / read200k);
  return 0;
}
