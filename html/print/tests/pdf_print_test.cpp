#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/test_support/pdf_reader.h"
#include "html/print/document_print.h"
#include "html/print/tests/print_fixture.h"
#include "platform/gui/printer.h"

namespace html {
namespace {

class PdfPrintTest : public PrintFixture {
 protected:
  PdfPrintTest() : PrintFixture(cl::FontEngineKind::Real) {}
  void TearDown() override {
    cl::Printer().SetOutputFileName("");
    PrintFixture::TearDown();
  }
};

// The one real print of the run: the words come out of the PDF file on the
// pages they were laid out on.
TEST_F(PdfPrintTest, TheDocumentsWordsStandOnTheirPagesOfThePdfFile) {
  std::string html = "<title>Zku\x9a" "ebn\xed tisk</title><p>P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2</p>";
  html += Lines(150, "slovo");
  html += "<p>\xfap\xecl \xef\xe1\x62\x65lsk\xe9 \xf3\x64y</p>";
  Load(html);
  const std::string pdf = (dir.Path() / "tisk.pdf").string();
  cl::Printer().SetOutputFileName(pdf);
  PrintDocument(*viewer, 1, 9999);
  const int pages = cl::testing::PdfPageCount(pdf);
  ASSERT_GE(pages, 3) << cl::testing::PdfInfo(pdf);
  EXPECT_EQ(pages, viewer->PrintedPage);
  EXPECT_NE(cl::testing::PdfInfo(pdf).find("Zku\xc5\xa1" "ebn\xc3\xad tisk"), std::string::npos);

  std::vector<std::string> texts;
  for (int page = 1; page <= pages; ++page) texts.push_back(cl::testing::PdfText(pdf, page));
  const std::string& first = texts.front();
  EXPECT_NE(first.find("P\xc5\x99\xc3\xadli\xc5\xa1 \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88"), std::string::npos)
      << first;
  EXPECT_NE(texts.back().find("\xc3\xbap\xc4\x9bl \xc4\x8f\xc3\xa1\x62\x65lsk\xc3\xa9 \xc3\xb3\x64y"),
            std::string::npos);
  // Every line on exactly one page, in order.
  size_t page = 0;
  for (int i = 0; i < 150; ++i) {
    const std::string word = "slovo" + std::to_string(i) + "\n";
    while (page < texts.size() && texts[page].find(word) == std::string::npos) ++page;
    ASSERT_LT(page, texts.size()) << word << " missing or out of order";
    for (size_t other = 0; other < texts.size(); ++other) {
      if (other == page) continue;
      EXPECT_EQ(texts[other].find(word), std::string::npos) << word << " also on " << other + 1;
    }
  }
}

}  // namespace
}  // namespace html
