// Lays out one paragraph of prose with links and bold runs at 800 pixels,
// then draws one screen of it, for 100 KB and 1 MB of text: the time should
// grow with the size, not its square.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "html/document/section_list.h"
#include "html/document/text_section.h"
#include "bench/bench_clock.h"
#include "bench/bench_words.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

using namespace html;

namespace {

std::unique_ptr<TSectionList> MakeDocument(std::size_t bytes) {
  auto root = std::make_unique<TSectionList>(nullptr, nullptr);
  root->SetDefaults("Times New Roman", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  TMyFont normal;
  normal.UpdateFont(*root, root->DefaultTextColor);
  TMyFont bold;
  bold.Assign(normal);
  bold.SetStyle(cl::fsBold);
  auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, normal);
  bench::WordStream words;
  const TUrlTarget link("page.htm", "");
  std::size_t n = 0;
  while (static_cast<std::size_t>(section->PosCount) < bytes) {
    if (n % 40 == 7) section->ChangeFontAndLink(HrefSy, *root, normal, &link);
    if (n % 40 == 10) section->ChangeFontAndLink(static_cast<HtmlSymbol>(61), *root, normal, nullptr);
    if (n % 53 == 20) section->ChangeFont(*root, bold);
    if (n % 53 == 25) section->ChangeFont(*root, normal);
    section->AppendText(words.Next());
    section->AppendText(" ");
    ++n;
  }
  root->AddSection(std::move(section));
  return root;
}

double TimeLayout(std::size_t bytes, int32_t& height, int& lines) {
  std::unique_ptr<TSectionList> root;
  cl::TBitmap bitmap;
  bitmap.SetSize(800, 600);
  const double best = bench::BestOf(
      bench::kRuns, [&] { root = MakeDocument(bytes); },
      [&] {
        height = root->Layout(bitmap.Canvas(), 0, 0, 800).Height;
        root->Draw(bitmap.Canvas(), {0, 0, 800, 600}, 0, 0, 800);
      });
  lines = static_cast<int>(static_cast<TSection*>(root->Items(0))->Lines.size());
  return best;
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  bench::PrintClock();
  std::printf("%-10s %10s %10s %10s\n", "paragraph", "lines", "height", "ms");
  double seconds[2] = {0, 0};
  const std::size_t sizes[2] = {100 * 1024, 1024 * 1024};
  for (int i = 0; i < 2; ++i) {
    int32_t height = 0;
    int lines = 0;
    seconds[i] = TimeLayout(sizes[i], height, lines);
    std::printf("%-10s %10d %10d %10.1f\n", i == 0 ? "100 KB" : "1 MB", lines, height, seconds[i] * 1000);
  }
  std::printf("RATIO layout_1mb_vs_100kb %.2f\n", seconds[1] / seconds[0]);
  return 0;
}
