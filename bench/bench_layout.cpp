// Parses generated documents, lays them out at 800 pixels and draws the first
// screen; the same source goes through Qt's rich-text engine (setHtml, its
// layout at the same width, drawing the same screen) for comparison. Each document is also timed
// at twice its size: the time should grow with the input, not its square.
// The manual-like cases also compare the peak memory of that work, each side
// in a fresh process of its own ("--peak <case> ours|qt" runs one).

#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "html/parse/html_parser.h"
#include "html/document/section_list.h"
#include "bench/bench_child.h"
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

// Picks among a few choices, the same sequence on every run.
class Chooser {
 public:
  int Next(int n) {
    seed_ = seed_ * 1103515245 + 12345;
    return static_cast<int>((seed_ >> 16) % static_cast<unsigned>(n));
  }

 private:
  unsigned seed_ = 777;
};

// The density of a single-page manual: a tag every few words.
void ManualWords(std::string& html, bench::WordStream& words, Chooser& choose, int count) {
  for (int w = 0; w < count; ++w) {
    switch (choose.Next(12)) {
      case 0:
        html += "<CODE>";
        html += words.Next();
        html += "</CODE>";
        break;
      case 1:
        html += "<A HREF=\"#s";
        html += std::to_string(choose.Next(1000));
        html += "\">";
        html += words.Next();
        html += "</A>";
        break;
      case 2:
        html += "<B>";
        html += words.Next();
        html += "</B>";
        break;
      case 3:
        html += "<I>";
        html += words.Next();
        html += ' ';
        html += words.Next();
        html += "</I>";
        break;
      default:
        html += words.Next();
    }
    html += w + 1 < count ? " " : "";
  }
}

void ManualList(std::string& html, bench::WordStream& words, Chooser& choose, int depth) {
  const bool ordered = choose.Next(2) == 0;
  html += ordered ? "<OL>\n" : "<UL>\n";
  const int items = 2 + choose.Next(4);
  for (int i = 0; i < items; ++i) {
    html += "<LI>";
    ManualWords(html, words, choose, 4 + choose.Next(12));
    if (depth < 2 && choose.Next(3) == 0) {
      html += '\n';
      ManualList(html, words, choose, depth + 1);
    }
    html += "</LI>\n";
  }
  html += ordered ? "</OL>\n" : "</UL>\n";
}

// Sections of headings, DIVs, short paragraphs with code, links and
// emphasis every few words, PRE blocks, nested lists, 3-column tables and
// definition lists.
std::string Manual(std::size_t bytes) {
  std::string html = "<HTML><HEAD><TITLE>Manual</TITLE></HEAD><BODY>\n";
  bench::WordStream words;
  Chooser choose;
  for (int section = 0; html.size() < bytes; ++section) {
    html += "<H2><A NAME=\"s" + std::to_string(section) + "\">" + std::to_string(section) + " ";
    ManualWords(html, words, choose, 3);
    html += "</A></H2>\n<DIV CLASS=\"section\">\n";
    for (int part = 0; part < 4; ++part) {
      if (part > 0) {
        html += "<H3>";
        ManualWords(html, words, choose, 2 + choose.Next(3));
        html += "</H3>\n";
      }
      const int paragraphs = 1 + choose.Next(3);
      for (int p = 0; p < paragraphs; ++p) {
        html += "<P>";
        ManualWords(html, words, choose, 12 + choose.Next(45));  // 1 to 3 lines
        html += "</P>\n";
      }
      switch (choose.Next(4)) {
        case 0: {
          html += "<PRE>";
          const int lines = 3 + choose.Next(8);
          for (int l = 0; l < lines; ++l) {
            html += std::string(2 * static_cast<std::size_t>(choose.Next(3)), ' ');
            for (int w = 0; w < 2 + choose.Next(5); ++w) {
              html += words.Next();
              html += w % 2 ? "(x, y); " : " = ";
            }
            html += '\n';
          }
          html += "</PRE>\n";
          break;
        }
        case 1:
          ManualList(html, words, choose, 0);
          break;
        case 2: {
          html += "<TABLE BORDER=1>\n<TR><TH>Name</TH><TH>Type</TH><TH>Meaning</TH></TR>\n";
          const int rows = 3 + choose.Next(6);
          for (int r = 0; r < rows; ++r) {
            html += "<TR><TD><CODE>";
            html += words.Next();
            html += "</CODE></TD><TD>";
            html += words.Next();
            html += "</TD><TD>";
            ManualWords(html, words, choose, 2 + choose.Next(5));
            html += "</TD></TR>\n";
          }
          html += "</TABLE>\n";
          break;
        }
        default: {
          html += "<DL>\n";
          const int terms = 2 + choose.Next(4);
          for (int t = 0; t < terms; ++t) {
            html += "<DT><CODE>";
            html += words.Next();
            html += "</CODE>\n<DD>";
            ManualWords(html, words, choose, 6 + choose.Next(20));
            html += '\n';
          }
          html += "</DL>\n";
        }
      }
    }
    html += "</DIV>\n";
  }
  return html + "</BODY></HTML>";
}

// Many flat tables of one to three rows of two or three short cells, each
// after a line of text.
std::string SmallTables(std::size_t bytes) {
  std::string html = "<HTML><BODY>\n";
  bench::WordStream words;
  Chooser choose;
  while (html.size() < bytes) {
    html += words.Next();
    html += "\n<TABLE BORDER=1>";
    const int rows = 1 + choose.Next(3);
    const int columns = 2 + choose.Next(2);
    for (int r = 0; r < rows; ++r) {
      html += "<TR>";
      for (int c = 0; c < columns; ++c) {
        html += "<TD>";
        html += words.Next();
        html += "</TD>";
      }
      html += "</TR>";
    }
    html += "</TABLE>\n";
  }
  return html + "</BODY></HTML>";
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
        height = root->Layout(bitmap.Canvas(), 0, 0, 800).Height;
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
  bool memory = false;                         // the peak memory of each side is compared too
};

// In this process: the input made, the peak reset, then one run of the work;
// prints how far the resident size rose above where it stood before the work.
int PeakChild(const Case& c, bool ours) {
  const std::string html = c.make(1);
  const QString text = QString::fromLatin1(html.data(), static_cast<qsizetype>(html.size()));
  cl::TBitmap bitmap;
  bitmap.SetSize(800, 600);
  QImage screen(800, 600, QImage::Format_RGB32);
  if (!(std::ofstream("/proc/self/clear_refs") << "5")) {
    std::fprintf(stderr, "cannot reset the peak resident size\n");
    return 1;
  }
  const long before = bench::StatusKb("VmRSS");
  // Kept until the peak is read: the finished document is part of the work.
  std::unique_ptr<TSectionList> root;
  std::unique_ptr<QTextDocument> document;
  if (ours) {
    root = std::make_unique<TSectionList>(nullptr, nullptr);
    root->SetDefaults("Times New Roman", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
    cl::TStringList names;
    THtmlParseResult result;
    HtmlParseBuffer(*root, names, html.data(), static_cast<int32_t>(html.size()), THtmlParseOptions(), result);
    root->Layout(bitmap.Canvas(), 0, 0, 800);
    root->Draw(bitmap.Canvas(), {0, 0, 800, 600}, 0, 0, 800);
  } else {
    document = std::make_unique<QTextDocument>();
    document->setHtml(text);
    document->setTextWidth(800);
    (void)document->size();
    screen.fill(Qt::white);
    QPainter painter(&screen);
    document->drawContents(&painter, QRectF(0, 0, 800, 600));
  }
  std::printf("%ld\n", bench::StatusKb("VmHWM") - before);
  return 0;
}

// The peak in KB of one side's work on the case, from a fresh process.
long PeakKb(const char* name, bool ours) {
  const std::optional<std::string> out = bench::RunSelf({"--peak", name, ours ? "ours" : "qt"});
  return out ? std::atol(out->c_str()) : -1;
}

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
      {"manual_5mb", [](int s) { return Manual(static_cast<std::size_t>(s) * 5 * 1024 * 1024); }, true},
      {"small_tables_5mb", [](int s) { return SmallTables(static_cast<std::size_t>(s) * 5 * 1024 * 1024); },
       true},
  };
  if (argc == 4 && std::string(argv[1]) == "--peak") {
    for (const Case& c : cases)
      if (c.name == std::string(argv[2])) return PeakChild(c, std::string(argv[3]) == "ours");
    return 2;
  }
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
    if (c.memory) {
      const long oursKb = PeakKb(c.name, true);
      const long qtKb = PeakKb(c.name, false);
      std::printf("%-16s peak above the input: ours %ld KB, Qt %ld KB\n", c.name, oursKb, qtKb);
      if (oursKb <= 0 || qtKb <= 0) {
        std::fprintf(stderr, "%s: the peak memory could not be measured\n", c.name);
        return 1;
      }
      std::snprintf(line, sizeof line, "RATIO %s_memory_vs_qt %.2f", c.name,
                    static_cast<double>(oursKb) / static_cast<double>(qtKb));
      ratios.emplace_back(line);
    }
  }
  for (const std::string& r : ratios) std::printf("%s\n", r.c_str());
  return 0;
}
