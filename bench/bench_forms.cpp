// Parses, lays out and shows documents holding 1,000 and 2,000 form controls
// of mixed kinds in a viewer on Qt's offscreen platform, then times one
// full-screen scroll with the controls moving. The document of twice the
// controls should take about twice the time, not four times.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_clock.h"
#include "html/parse/document_parser.h"
#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "platform/gui/application.h"
#include "platform/gui/form.h"
#include "platform/gui/handler_guard.h"

using namespace html;

namespace {

// Six kinds in turn, a few words between them, a new paragraph now and then.
std::string FormDocument(int controls) {
  std::string html = "<HTML><BODY><FORM ACTION=go METHOD=post>";
  for (int i = 0; i < controls; ++i) {
    const std::string name = "n" + std::to_string(i);
    switch (i % 6) {
      case 0: html += "<INPUT NAME=" + name + " VALUE=text SIZE=12>"; break;
      case 1: html += "<INPUT TYPE=checkbox NAME=" + name + (i % 4 == 1 ? " CHECKED>" : ">"); break;
      case 2: html += "<INPUT TYPE=radio NAME=r" + std::to_string(i / 12) + " VALUE=" + name + ">"; break;
      case 3:
        html += "<SELECT NAME=" + name + "><OPTION>one<OPTION SELECTED>two<OPTION>three</SELECT>";
        break;
      case 4: html += "<INPUT TYPE=submit NAME=" + name + " VALUE=Send>"; break;
      case 5: html += "<TEXTAREA NAME=" + name + " ROWS=2 COLS=16>first\nsecond</TEXTAREA>"; break;
    }
    html += " label words " + std::to_string(i) + " ";
    if (i % 4 == 3) html += "<P>";
  }
  return html + "</FORM></BODY></HTML>";
}

struct Bench {
  cl::TForm window{nullptr};
  TDocViewer* viewer = nullptr;

  Bench() {
    window.SetBounds(0, 0, 820, 640);
    viewer = cl::Make<TDocViewer>(window);
    viewer->SetParent(&window);
    viewer->SetBounds(0, 0, 800, 600);
    viewer->Parser = ParseDocument;
    window.Show();
    cl::Application().ProcessMessages();
  }
  void Clear() {
    viewer->Clear();
    cl::Application().ProcessMessages();
    cl::FreeReleased();
  }
  // Parse, layout and the first paint with every visible control placed.
  double Show(const std::string& html) {
    return bench::BestOf(
        bench::kRuns, [&] { Clear(); },
        [&] {
          viewer->LoadFromBuffer(html.data(), static_cast<int32_t>(html.size()));
          viewer->PaintPanel().Repaint();
          cl::Application().ProcessMessages();
        });
  }
  // Freeing every control with its document.
  double ClearTime(const std::string& html) {
    return bench::BestOf(
        bench::kRuns,
        [&] {
          viewer->LoadFromBuffer(html.data(), static_cast<int32_t>(html.size()));
          cl::Application().ProcessMessages();
        },
        [&] { Clear(); });
  }
  // One page down from the top, painted.
  double Scroll() {
    const int32_t page = viewer->PaintPanel().Height();
    return bench::BestOf(
        bench::kRuns,
        [&] {
          viewer->SetVScrollBarPosition(0);
          cl::Application().ProcessMessages();
        },
        [&] {
          viewer->SetVScrollBarPosition(page);
          viewer->PaintPanel().Repaint();
          cl::Application().ProcessMessages();
        });
  }
};

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  bench::PrintClock();
  std::printf("%-44s %10s\n", "operation", "ms");
  Bench bench;
  const double small = bench.Show(FormDocument(1000));
  std::printf("%-44s %10.1f\n", "parse, lay out, show 1000 controls", small * 1e3);
  const double large = bench.Show(FormDocument(2000));
  std::printf("%-44s %10.1f\n", "parse, lay out, show 2000 controls", large * 1e3);
  const double scroll = bench.Scroll();
  std::printf("%-44s %10.1f\n", "one full-screen scroll, 2000 controls", scroll * 1e3);
  const double clear1000 = bench.ClearTime(FormDocument(1000));
  std::printf("%-44s %10.1f\n", "clear 1000 controls", clear1000 * 1e3);
  const double clear2000 = bench.ClearTime(FormDocument(2000));
  std::printf("%-44s %10.1f\n", "clear 2000 controls", clear2000 * 1e3);
  bench.Clear();
  std::printf("RATIO forms_2000_vs_1000 %.3f\n", large / small);
  return 0;
}
