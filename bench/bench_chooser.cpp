// _CHOOSESTATIONS on generated station lists of 1,000 and 10,000 stations,
// opened and closed by the modal-form driver: the time should grow with the
// list, not its square, and the first paint of the long list should come
// soon. The export runs in this process, so the driver sees its forms.

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "dialogs/address_record.h"
#include "dialogs/disk.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"
#include "suite/branlst/branlst.h"

extern "C" std::int32_t _CHOOSESTATIONS(dlg::tAddressRecord* records, std::uint16_t count, std::uint16_t maxCount,
                                        std::uint8_t pages, std::uint8_t modeFlags);

namespace {

constexpr int kChooserRuns = 3;

// A station a line, every one reachable and available.
void WriteList(const std::filesystem::path& file, int stations) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "Generated list\n";
  for (int i = 0; i < stations; ++i) {
    out << "Station " << i << '|' << (i % 3 == 0 ? 127 : 31) << "|480|960|" << 200000 + i << '|'
        << 65648 + 64 * (i % 900) << '|' << (i % 2 ? 64 : 8) << "|Place " << i % 97 << "|2|420|0|1\n";
  }
}

struct Run {
  double total = 1e30;
  double firstPaint = 1e30;
};

Run Measure(const std::filesystem::path& lists, int stations) {
  WriteList(lists / "BKlst.001", stations);
  Run best;
  for (int run = 0; run < kChooserRuns; ++run) {
    SIDCCLOSEFILES();
    std::vector<dlg::tAddressRecord> records(1);
    double painted = 0;
    const double start = bench::ThreadCpuSeconds();
    {
      const cl::testing::ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
        auto& rows = cl::testing::Child<cl::TOwnerDrawListBox>(form, "sidLBox");
        if (rows.Count() != stations) std::fprintf(stderr, "%d stations shown\n", rows.Count());
        rows.Repaint();
        painted = bench::ThreadCpuSeconds();
        cl::testing::TypeKey(form, cl::VK_ESCAPE);
      }, std::chrono::minutes(2));
      _CHOOSESTATIONS(records.data(), 0, 1, 0x01, 0x01);
    }
    const double end = bench::ThreadCpuSeconds();
    best.total = std::min(best.total, end - start);
    best.firstPaint = std::min(best.firstPaint, painted - start);
  }
  return best;
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::filesystem::path windir = std::filesystem::temp_directory_path() / "bench_chooser";
  std::filesystem::remove_all(windir);
  std::filesystem::create_directories(windir / "LST");
  std::filesystem::create_directories(windir / "CFG");
  setenv("BRANNIK_WINDIR", windir.c_str(), 1);
  static_cast<void>(dlg::GlobalDisk());
  cl::testing::EnsureGuiTestApplication();

  bench::PrintClock(kChooserRuns);
  const Run small = Measure(windir / "LST", 1000);
  const Run large = Measure(windir / "LST", 10000);
  std::printf(" 1000 stations: open and close %.3f s, first paint %.3f s\n", small.total, small.firstPaint);
  std::printf("10000 stations: open and close %.3f s, first paint %.3f s\n", large.total, large.firstPaint);
  std::printf("first paint of 10000 stations: %.3f s\n", large.firstPaint);
  std::printf("RATIO chooser_10k_vs_1k %.2f\n", large.total / small.total);
  std::filesystem::remove_all(windir);
  return 0;
}
