// Parses generated documents, lays them out at 800 pixels and draws the first
// screen; the same source goes through Qt's rich-text engine (setHtml, its
// layout at the same width, drawing the same screen) for comparison. Each document is also timed
// at twice its size: the time should grow with the input, not its square.

#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "html/parse/html_parser.h"
#include "html/document/section_list.h"
#include "bench/bench_clock.h"
#include "bench/bench_words.h"
#include "platform/core/string_list.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

using namespace html;

namespace {

std::string Paragraphs(std::size_t bytes) {
  std::string html = "<HTML><BODY>";
  bench::WordStream words;
  int n = 0;
  while (html.size() < bytes) {
    html += "<P>";
    for (int w = 0; w < 60; ++w, ++n) {
      if (n % 37 == 5) html += "<B>";
      if (n % 37 == 9) html += "</B>";
      if (n % 41 == 3) html += "<A HREF=\"page.htm\">";
      if (n % 41 == 6) html += "</A>";
      if (n % 53 == 11) html += "<I><FONT COLOR=red>";
      if (n % 53 == 14) html += "</FONT></I>";
      html += words.Next();
      html += ' ';
    }
    html += "\n";
  }
  return html + "</BODY></HTML>";
}

std::string Table(int rows) {
  std::string html = "<TABLE BORDER=1>";
  bench::WordStream words;
  for (int r = 0; r < rows; ++r) {
    html += "<TR>";
    for (int c = 0; c < 5; ++c) {
      html += "<TD>";
      html += words.Next();
      html += ' ';
      html += words.Next();
      html += "</TD>";
    }
    html += "</TR>\n";
  }
  return html + "</TABLE>";
}

std::string Pre(std::size_t bytes) {
  std::string html = "<PRE>";
  bench::WordStream words;
  while (html.size() < bytes) {
    for (int w = 0; w < 10; ++w) {
      html += words.Next();
      html += "  ";
    }
    html += "\n";
  }
  return html + "</PRE>";
}

// depth levels of tables, each cell of a level holding text and, in its
// middle column, the next level.
std::string Nested(int depth, int width) {
  if (depth == 0) return "core text";
  std::string html = "<TABLE BORDER=1><TR>";
  for (int c = 0; c < width; ++c) html += c == width / 2 ? "<TD>" + Nested(depth - 1, width) + "</TD>" : "<TD>cell</TD>";
  return html + "</TR></TABLE>";
}

std::string Lists(int count) {
  std::string html;
  bench::WordStream words;
  for (int l = 0; l < count; ++l) {
    html += l % 2 ? "<OL TYPE=i>" : "<UL>";
    for (int i = 0; i < 4; ++i) {
      html += "<LI>";
      html += words.Next();
      html += ' ';
      html += words.Next();
    }
    html += l % 2 ? "</OL>\n" : "</UL>\n";
  }
  return html;
}

// Parse, layout at 800 pixels and drawing the first screen, on each side.
double Ours(const std::string& html, int runs, int32_t& height) {
  std::unique_ptr<TSectionList> root;
  cl::TStringList names;
  THtmlParseResult result;
  cl::TBitmap bitmap;
  bitmap.SetSize(800, 600);
  return bench::BestOf(
      runs,
      [&] {
        root = std::make_unique<TSectionList>(nullptr, nullptr);
        root->SetDefaults("Times New Roman", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
        names.Clear();
        result = THtmlParseResult();
      },
      [&] {
        HtmlParseBuffer(*root, names, html.data(), static_cast<int32_t>(html.size()), THtmlParseOptions(),
                        result);
        int32_t curs = 0, maxWidth = 0;
        height = root->Layout(bitmap.Canvas(), 0, curs, maxWidth, 800);
        root->Draw(bitmap.Canvas(), {0, 0, 800, 600}, 0, 0, 800);
      });
}

double QtEngine(const std::string& html, int runs) {
  // The engine takes Unicode: converting is not its work.
  const QString text = QString::fromLatin1(html.data(), static_cast<qsizetype>(html.size()));
  std::unique_ptr<QTextDocument> document;
  QImage screen(800, 600, QImage::Format_RGB32);
  return bench::BestOf(
      runs, [&] { document = std::make_unique<QTextDocument>(); },
      [&] {
        document->setHtml(text);
        document->setTextWidth(800);
        (void)document->size();
        screen.fill(Qt::white);
        QPainter painter(&screen);
        document->drawContents(&painter, QRectF(0, 0, 800, 600));
      });
}

// Fewer than the usual runs: the large documents take seconds on each side.
constexpr int kRuns = 3;

struct Case {
  const char* name;
  std::function<std::string(int scale)> make;  // scale 1 or 2
};

}  // namespace

// An argument names the one case to run.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  const Case cases[] = {
      {"paragraphs_5mb", [](int s) { return Paragraphs(static_cast<std::size_t>(s) * 5 * 1024 * 1024); }},
      {"table_10000x5", [](int s) { return Table(10000 * s); }},
      {"pre_1mb", [](int s) { return Pre(static_cast<std::size_t>(s) * 1024 * 1024); }},
      // Twice the input: every level twice as wide.
      {"nested_tables_8", [](int s) { return Nested(8, 3 * s); }},
      {"lists_5000", [](int s) { return Lists(5000 * s); }},
  };
  bench::PrintClock(kRuns);
  std::printf("%-16s %10s %10s %10s %10s %12s\n", "document", "bytes", "height", "ours ms", "Qt ms", "ours 2x ms");
  std::vector<std::string> ratios;
  for (const Case& c : cases) {
    if (argc > 1 && std::string(argv[1]) != c.name) continue;
    const std::string once = c.make(1);
    const std::string twice = c.make(2);
    int32_t height = 0, height2 = 0;
    const double ours = Ours(once, kRuns, height);
    const double ours2 = Ours(twice, kRuns, height2);
    const double qt = QtEngine(once, kRuns);
    std::printf("%-16s %10zu %10d %10.1f %10.1f %12.1f\n", c.name, once.size(), height, ours * 1000, qt * 1000,
                ours2 * 1000);
    char line[128];
    std::snprintf(line, sizeof line, "RATIO %s %.2f", c.name, ours / qt);
    ratios.emplace_back(line);
    std::snprintf(line, sizeof line, "RATIO %s_2x %.2f", c.name, ours2 / ours);
    ratios.emplace_back(line);
  }
  for (const std::string& r : ratios) std::printf("%s\n", r.c_str());
  return 0;
}
