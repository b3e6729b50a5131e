// Opens a generated 50 MB text file (936,000 lines of 56 characters) in a
// viewer as the browser shows it: parsed, laid out and the first screen
// painted, in a fresh process ("--peak FILE" runs one), and reports that
// process's peak resident size against the 250 MB a file of this size may
// take.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "bench/bench_child.h"
#include "bench/bench_clock.h"
#include "bench/bench_words.h"
#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "platform/gui/application.h"
#include "platform/gui/form.h"

namespace {

constexpr int kLines = 936000;
constexpr std::size_t kLineLength = 56;
constexpr long kLimitKb = 250 * 1024;

// Lines of prose, each cut to its length, ending in CR LF.
bool WriteText(const std::string& name) {
  std::ofstream out(name, std::ios::binary);
  bench::WordStream words;
  std::string line;
  for (int i = 0; i < kLines; ++i) {
    line.clear();
    while (line.size() < kLineLength) (line += words.Next()) += ' ';
    line.resize(kLineLength);
    out << line << "\r\n";
  }
  return static_cast<bool>(out.flush());
}

// In this process: the file shown; prints the peak in KB, the CPU seconds
// of the work and the document's height.
int PeakChild(const std::string& file) {
  cl::EnsureQtApplication();
  cl::TForm form(nullptr);
  form.SetBounds(40, 40, 640, 480);
  html::TDocViewer& viewer = *cl::Make<html::TDocViewer>(form);
  viewer.SetParent(&form);
  viewer.SetAlign(cl::alClient);
  form.Show();
  cl::Application().ProcessMessages();
  const double seconds = bench::CpuSeconds([&] {
    viewer.LoadTextFile(file);
    cl::Application().ProcessMessages();
    viewer.PaintPanel().Repaint();
  });
  std::printf("%ld %.3f %d\n", bench::StatusKb("VmHWM"), seconds, viewer.DocHeight());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 3 && std::string(argv[1]) == "--peak") return PeakChild(argv[2]);
  char name[] = "/tmp/bench_plain_text_XXXXXX.txt";
  const int fd = ::mkstemps(name, 4);
  if (fd < 0 || ::close(fd) != 0 || !WriteText(name)) {
    std::fprintf(stderr, "cannot write the text file\n");
    return 1;
  }
  const std::optional<std::string> out = bench::RunSelf({"--peak", name});
  ::unlink(name);
  long peakKb = 0;
  double seconds = 0;
  int height = 0;
  if (!out || std::sscanf(out->c_str(), "%ld %lf %d", &peakKb, &seconds, &height) != 3 || peakKb <= 0) {
    std::fprintf(stderr, "the viewer's process did not report its peak\n");
    return 1;
  }
  std::printf("clock: CPU time of the viewer's thread, one run\n");
  std::printf("%-16s %10s %10s %10s %10s\n", "document", "lines", "height", "ms", "peak KB");
  std::printf("%-16s %10d %10d %10.1f %10ld\n", "plain_text_50mb", kLines, height, seconds * 1000, peakKb);
  std::printf("RATIO plain_text_50mb_peak_vs_250mb %.2f\n", static_cast<double>(peakKb) / kLimitKb);
  return 0;
}
