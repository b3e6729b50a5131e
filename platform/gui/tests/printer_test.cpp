#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/core/test_support/pdf_reader.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/printer.h"
#include "platform/gui/test_support/gui_test.h"

namespace {

namespace t = cl::testing;

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t::EnsureGuiTestApplication();
    pdf = dir / "out.pdf";
    printer.SetOutputFileName(pdf);
  }
  const t::TempDirectory dir;
  std::string pdf;
  cl::TPrinter printer;
};

TEST_F(PrinterTest, PagesGoIntoThePdfFileWithTheirText) {
  printer.Title = "A title longer than thirty-one characters";
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 1);
  printer.Canvas().TextOut(100, 100, "prvn\xed strana");
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.Canvas().TextOut(100, 100, "druh\xe1 strana");
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 0);
  const std::string info = t::PdfInfo(pdf);
  EXPECT_EQ(t::PdfPageCount(pdf), 2) << info;
  EXPECT_NE(info.find("A title longer than thirty-one "), std::string::npos) << info;
  EXPECT_EQ(info.find("A title longer than thirty-one c"), std::string::npos) << info;
  const std::string text = t::PdfText(pdf);
  EXPECT_NE(text.find("prvn\xc3\xad strana"), std::string::npos) << text;
  EXPECT_NE(text.find("druh\xc3\xa1 strana"), std::string::npos) << text;
}

TEST_F(PrinterTest, PageAndPaperAnswerTheSizeAndOffsetQueries) {
  printer.SetResolution(300);
  const cl::TSize paper = printer.PhysicalPageSize();
  const cl::TPoint offset = printer.PrintingOffset();
  EXPECT_GT(paper.cx, 2000);  // A4 or Letter at 300 dpi: about 2480 or 2550
  EXPECT_GT(paper.cy, 3000);
  EXPECT_GE(offset.X, 0);
  EXPECT_GE(offset.Y, 0);
  EXPECT_LE(printer.PageWidth() + offset.X, paper.cx);
  EXPECT_LE(printer.PageHeight() + offset.Y, paper.cy);
  printer.BeginDoc();
  EXPECT_EQ(printer.Canvas().PixelsPerInch(), 300);
  EXPECT_TRUE(printer.Canvas().IsPrinter());
  printer.EndDoc();
}

TEST_F(PrinterTest, CallsOutOfOrderRaiseThePrinterErrors) {
  EXPECT_THROW(printer.NewPage(), cl::EPrinter);
  EXPECT_THROW(printer.EndDoc(), cl::EPrinter);
  EXPECT_THROW(printer.Canvas(), cl::EPrinter);
  printer.BeginDoc();
  try {
    printer.BeginDoc();
    ADD_FAILURE() << "a second BeginDoc";
  } catch (const cl::EPrinter& error) {
    EXPECT_EQ(error.Message(), "Printing in progress");
  }
  printer.Abort();
  EXPECT_TRUE(printer.Aborted());
  EXPECT_FALSE(printer.Printing());
  try {
    printer.NewPage();
  } catch (const cl::EPrinter& error) {
    EXPECT_EQ(error.Message(), "Printer is not currently printing");
  }
}

}  // namespace

namespace {

std::string ReadFile(const std::string& path) {
  std::string text;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return text;
  std::array<char, 256> buffer{};
  size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) text.append(buffer.data(), n);
  return text;
}

TEST_F(PrinterTest, AnAbortedPdfJobLeavesNoFileAndAnOldOneAsItWas) {
  printer.BeginDoc();
  printer.Canvas().TextOut(100, 100, "zru\x9a" "eno");
  printer.Abort();
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0) << "a part file stayed behind";

  {
    std::unique_ptr<FILE, int (*)(FILE*)> old(std::fopen(pdf.c_str(), "wb"), std::fclose);
    std::fputs("old contents", old.get());
  }
  printer.BeginDoc();
  printer.Canvas().TextOut(100, 100, "nov\xe9 text");
  // The job writes beside the file until it ends.
  EXPECT_EQ(ReadFile(pdf), "old contents");
  printer.Abort();
  EXPECT_EQ(ReadFile(pdf), "old contents");
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_EQ(ReadFile(pdf).rfind("%PDF", 0), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(PrinterTest, ThinLinesPrintAsRunsNotAsSinglePixels) {
  printer.BeginDoc();
  cl::TCanvas& canvas = printer.Canvas();
  for (int i = 0; i < 200; ++i) {
    canvas.MoveTo(10, 10 + 5 * i);
    canvas.LineTo(2010, 10 + 5 * i);
    canvas.MoveTo(10 + 5 * i, 1100);
    canvas.LineTo(10 + 5 * i, 3100);
  }
  printer.EndDoc();
  // 400 lines of 2000 pixels: a few bytes each as runs, megabytes as points.
  EXPECT_LT(std::filesystem::file_size(pdf), 40000u);
}

TEST_F(PrinterTest, ContextsAnswerTheDeviceQueriesOfTheSelection) {
  printer.SetResolution(300);
  const std::unique_ptr<cl::TPrinterContext> ic = printer.CreateContext(false);
  ASSERT_NE(ic, nullptr);
  EXPECT_FALSE(ic->IsDevice());
  EXPECT_EQ(ic->DeviceCaps(win::LOGPIXELSX), 300);
  EXPECT_EQ(ic->DeviceCaps(win::LOGPIXELSY), 300);
  EXPECT_EQ(ic->DeviceCaps(win::HORZRES), printer.PageWidth());
  EXPECT_EQ(ic->DeviceCaps(win::VERTRES), printer.PageHeight());
  EXPECT_TRUE(ic->EscapeSupported(win::GETPHYSPAGESIZE));
  EXPECT_TRUE(ic->EscapeSupported(win::GETPRINTINGOFFSET));
  EXPECT_EQ(ic->PhysicalPageSize().cx, printer.PhysicalPageSize().cx);
  EXPECT_EQ(ic->PrintingOffset().Y, printer.PrintingOffset().Y);
  EXPECT_TRUE(ic->Canvas().IsPrinter());
  EXPECT_FALSE(ic->StartDoc("x")) << "an information context prints nothing";
  // Text measures the same as on the screen: the fonts are 96-dpi pixels.
  EXPECT_EQ(ic->Canvas().TextWidth("abc"), cl::TCanvas::CreateCompatible()->TextWidth("abc"));

  printer.SetOutputFileName("");
  if (printer.Printers().size() == 1) {
    EXPECT_EQ(printer.CreateContext(true), nullptr) << "a PDF file without a name";
  }
}

TEST(DefaultPrintFileName, NamesTheFileAfterTheTitle) {
  struct Case {
    const char* title;
    const char* name;
  } const cases[] = {
      {"Cen\xedk 2024", "Cen\xc3\xadk 2024.pdf"},  // code page 1250 in, a native name out
      {"", "document.pdf"},
      {"  ", "document.pdf"},
      {"a/b\\c", "a_b_c.pdf"},
      {"..", "document.pdf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cl::DefaultPrintFileName("/tmp/x", c.title), std::string("/tmp/x/") + c.name) << c.title;
  }
}

}  // namespace
