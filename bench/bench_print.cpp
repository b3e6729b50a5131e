// Printing a long document to a PDF file: the viewer's print run (a copy of
// the document laid out for the page, drawn page by page) against Qt's
// QTextDocument::print of the same HTML, both to a PDF file at 300 dpi.
#include <QApplication>
#include <QPrinter>
#include <QTextDocument>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "bench/bench_clock.h"
#include "bench/bench_words.h"
#include "html/parse/document_parser.h"
#include "html/print/document_print.h"
#include "html/viewer/doc_viewer.h"
#include "platform/gui/application.h"
#include "platform/gui/form.h"
#include "platform/gui/printer.h"

using namespace html;

namespace {

constexpr int kRuns = 3;

// About 200 printed pages: prose, a long table and preformatted text, a
// third each.
std::string Document() {
  bench::WordStream words;
  std::string html = "<HTML><HEAD><TITLE>Benchmark</TITLE></HEAD><BODY>";
  for (int p = 0; p < 560; ++p) {
    html += "<P>";
    for (int w = 0; w < 70; ++w) {
      if (w == 10) html += "<B>";
      if (w == 14) html += "</B>";
      html += words.Next();
      html += ' ';
    }
    html += "</P>\n";
  }
  html += "<TABLE BORDER=1>";
  for (int r = 0; r < 2800; ++r) {
    html += "<TR>";
    for (int c = 0; c < 4; ++c) {
      html += "<TD>";
      html += words.Next();
      html += ' ';
      html += words.Next();
      html += "</TD>";
    }
    html += "</TR>\n";
  }
  html += "</TABLE><PRE>";
  for (int l = 0; l < 4500; ++l) {
    html += std::to_string(l);
    for (int w = 0; w < 8; ++w) {
      html += ' ';
      html += words.Next();
    }
    html += '\n';
  }
  return html + "</PRE></BODY></HTML>";
}

int Pages(const std::string& pdf) {
  const std::string command = "pdfinfo '" + pdf + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  char line[256];
  while (pipe && fgets(line, sizeof line, pipe.get()) != nullptr)
    if (std::string(line).rfind("Pages:", 0) == 0) return std::atoi(line + 6);
  return -1;
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bench_print." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string html = Document();
  const std::string source = (dir / "long.htm").string();
  std::ofstream(source, std::ios::binary) << html;

  cl::TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  TDocViewer* const viewer = cl::Make<TDocViewer>(form);
  viewer->SetParent(&form);
  viewer->SetBounds(0, 0, 800, 600);
  form.Show();
  cl::Application().ProcessMessages();
  viewer->LoadFromFile(source);
  cl::Application().ProcessMessages();

  const std::string ourPdf = (dir / "ours.pdf").string();
  cl::Printer().SetOutputFileName(ourPdf);
  const double ours = bench::BestOf(kRuns, [&] { PrintDocument(*viewer, 1, 9999); });

  const std::string qtPdf = (dir / "qt.pdf").string();
  QTextDocument document;
  document.setHtml(QString::fromLatin1(html.data(), static_cast<qsizetype>(html.size())));
  const double qt = bench::BestOf(kRuns, [&] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setOutputFileName(QString::fromStdString(qtPdf));
    document.print(&printer);
  });

  bench::PrintClock(kRuns);
  std::printf("%-10s %8s %10s %12s\n", "printer", "pages", "ms", "PDF bytes");
  std::printf("%-10s %8d %10.1f %12ju\n", "ours", Pages(ourPdf), ours * 1000,
              static_cast<uintmax_t>(std::filesystem::file_size(ourPdf)));
  std::printf("%-10s %8d %10.1f %12ju\n", "Qt", Pages(qtPdf), qt * 1000,
              static_cast<uintmax_t>(std::filesystem::file_size(qtPdf)));
  std::printf("RATIO print_200_pages_vs_qt %.2f\n", ours / qt);
  if (std::getenv("BENCH_PRINT_KEEP") == nullptr) std::filesystem::remove_all(dir);
  return 0;
}
