#include "html/print/document_print.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "html/document/section_list.h"
#include "html/print/tests/print_fixture.h"
#include "html/print/view_printer.h"
#include "platform/core/mul_div.h"
#include "platform/gui/test_support/recording_printer.h"

namespace html {
namespace {

using Recorder = cl::testing::RecordingPrinter;

// The recording printer's printable band in device pixels with the default
// margins of 2 cm: trunc(2 / 2.54 * 192) = 151 less the unprintable edges.
constexpr int kLeft = 151 - 20, kTop = 151 - 30;
constexpr int kPrintableWidth = 940 - kLeft - (151 - 40), kPrintableHeight = 1320 - kTop - (151 - 50);

class DocumentPrintTest : public PrintFixture {
 protected:
  DocumentPrintTest() : PrintFixture(cl::FontEngineKind::FixedPitch) {}

  const Recorder::Job& OnlyJob() const {
    EXPECT_EQ(recorder.Jobs.size(), 1u);
    return recorder.Jobs.back();
  }
  // The words of every text drawn on the pages of the job, page by page.
  static std::vector<std::vector<std::string>> Words(const Recorder::Job& job) {
    std::vector<std::vector<std::string>> pages;
    for (const Recorder::Page& page : job.Pages) {
      pages.emplace_back();
      for (const Recorder::Text& text : page.Texts) pages.back().push_back(text.Value);
    }
    return pages;
  }

  Recorder recorder;
};

TEST_F(DocumentPrintTest, TheRangePrintsItsPagesAndARangeBeyondTheDocumentNothing) {
  Load(Lines(100));
  PrintDocument(*viewer, 1, 9999);
  ASSERT_EQ(recorder.Jobs.size(), 1u);
  const auto all = Words(recorder.Jobs[0]);
  const int pages = static_cast<int>(all.size());
  ASSERT_GE(pages, 3);
  EXPECT_EQ(viewer->PrintedPage, pages) << "stops after the last page";
  EXPECT_TRUE(recorder.Jobs[0].Ended);

  struct Case {
    int from, to;
    std::vector<int> printed;  // pages of the whole print, from 1
    int printedPage;
  } const cases[] = {
      {2, 3, {2, 3}, 3},
      {2, 2, {2}, 2},
      {pages, 9999, {pages}, pages},
      {pages + 1, pages + 3, {}, pages},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
    recorder.Jobs.clear();
    PrintDocument(*viewer, c.from, c.to);
    ASSERT_EQ(recorder.Jobs.size(), 1u);
    const auto words = Words(recorder.Jobs[0]);
    std::vector<std::vector<std::string>> expected;
    for (const int page : c.printed) expected.push_back(all[static_cast<size_t>(page - 1)]);
    EXPECT_EQ(words, expected);
    EXPECT_EQ(viewer->PrintedPage, c.printedPage);
    EXPECT_EQ(recorder.Jobs[0].Aborted, c.printed.empty()) << "a range without a page drawn is dropped";
    EXPECT_EQ(recorder.Jobs[0].Ended, !c.printed.empty());
  }
}

TEST_F(DocumentPrintTest, ThePagesOfAOnePageDocument) {
  Load("<p>jedin\xe1 strana</p>");
  struct Case {
    int from, to;
    size_t pages;
    bool aborted;
  } const cases[] = {{1, 9999, 1, false}, {1, 1, 1, false}, {2, 3, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to));
    recorder.Jobs.clear();
    PrintDocument(*viewer, c.from, c.to);
    ASSERT_EQ(recorder.Jobs.size(), 1u);
    EXPECT_EQ(recorder.Jobs[0].Pages.size(), c.pages);
    EXPECT_EQ(recorder.Jobs[0].Aborted, c.aborted);
    EXPECT_EQ(viewer->PrintedPage, 1);
  }
}

TEST_F(DocumentPrintTest, EveryLineStandsWholeOnOnePageWithinTheMargins) {
  std::string html = Lines(60, "prose");
  html += "<table border=1>";
  for (int i = 0; i < 40; ++i) html += "<tr><td>cell" + std::to_string(i) + "</td><td>x</td></tr>";
  html += "</table><pre>";
  for (int i = 0; i < 50; ++i) html += "pre" + std::to_string(i) + "\n";
  html += "</pre>";
  Load(html);
  PrintDocument(*viewer, 1, 9999);
  const Recorder::Job& job = OnlyJob();
  ASSERT_GE(job.Pages.size(), 4u);
  std::map<std::string, int> seen;
  for (size_t p = 0; p < job.Pages.size(); ++p) {
    for (const Recorder::Text& text : job.Pages[p].Texts) {
      SCOPED_TRACE("page " + std::to_string(p + 1) + ": " + text.Value);
      ++seen[text.Value];
      EXPECT_GE(text.Box.Top, kTop);
      EXPECT_LE(text.Box.Bottom, kTop + kPrintableHeight);
      EXPECT_GE(text.Box.Left, kLeft);
      EXPECT_LE(text.Box.Right, kLeft + kPrintableWidth);
    }
  }
  // Each line once: none lost at a page end, none printed twice.
  const std::pair<std::string, int> kinds[] = {{"prose", 60}, {"cell", 40}, {"pre", 50}};
  for (const auto& [prefix, count] : kinds)
    for (int i = 0; i < count; ++i) EXPECT_EQ(seen[prefix + std::to_string(i)], 1) << prefix << i;
}

TEST_F(DocumentPrintTest, ATextFilePrintsEveryLineOnceInOrderWithinTheMargins) {
  std::string text;
  std::vector<std::string> lines;
  for (int i = 0; i < 300; ++i) {
    lines.push_back("text" + std::to_string(i));
    text += lines.back() + "\r\n";
  }
  viewer->LoadTextFile(dir.Write("notes.txt", text));
  cl::testing::ProcessEvents();
  PrintDocument(*viewer, 1, 9999);
  const Recorder::Job& job = OnlyJob();
  ASSERT_GE(job.Pages.size(), 3u);
  std::vector<std::string> printed;
  for (size_t p = 0; p < job.Pages.size(); ++p)
    for (const Recorder::Text& drawn : job.Pages[p].Texts) {
      SCOPED_TRACE("page " + std::to_string(p + 1) + ": " + drawn.Value);
      if (drawn.Value.find_first_not_of(' ') == std::string::npos) continue;
      printed.push_back(drawn.Value);
      EXPECT_GE(drawn.Box.Top, kTop);
      EXPECT_LE(drawn.Box.Bottom, kTop + kPrintableHeight);
      EXPECT_GE(drawn.Box.Left, kLeft);
    }
  EXPECT_EQ(printed, lines);
}

TEST_F(DocumentPrintTest, AColouredRuleSpansTheMarginsScaledToThePrinter) {
  Load("<p>nad</p><hr color=\"#ff0000\" size=6 width=\"100%\"><p>pod</p>");
  struct Case {
    bool noEscapes;
    int left, right;  // the margins in printer pixels, less what the printer cannot reach
  } const cases[] = {
      {false, 151 - 20, 151 - 40},
      {true, 151, 151},  // a driver that cannot say where its paper is
  };
  const cl::TColor red = cl::RGB(255, 0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.noEscapes ? "no escapes" : "escapes");
    recorder.Jobs.clear();
    recorder.NoEscapes = c.noEscapes;
    PrintDocument(*viewer, 1, 1);
    const Recorder::Page& page = OnlyJob().Pages.at(0);
    int row = -1;
    for (int y = 0; y < page.Height && row < 0; ++y)
      if (page.Pixel(page.Width / 2, y) == red) row = y;
    ASSERT_GE(row, 0) << "no rule";
    int first = -1, last = -1;
    for (int x = 0; x < page.Width; ++x) {
      if (page.Pixel(x, row) != red) continue;
      if (first < 0) first = x;
      last = x;
    }
    // The document is drawn in screen pixels, twice as large on this printer.
    const int xOrigin = win::MulDiv(c.left, 96, 192);
    const int width = win::MulDiv(940 - c.left - c.right, 96, 192);
    EXPECT_EQ(first, 2 * xOrigin);
    EXPECT_EQ(last, 2 * (xOrigin + width) - 1);
    EXPECT_EQ(page.Pixel(first - 1, row), cl::clWhite);
  }
}

TEST_F(DocumentPrintTest, HeadersAndFootersAreCalledForEveryPagePrintedInTheirBands) {
  Load(Lines(100));
  struct Call {
    std::string band;
    int page, w, h;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  auto band = [&](const std::string& name) {
    return [&calls, name](cl::TObject*, cl::TCanvas& canvas, int32_t page, int32_t w, int32_t h, bool&) {
      calls.push_back({name, page, w, h});
      canvas.TextOut(0, 0, name + std::to_string(page));
    };
  };
  viewer->OnPrintHeader = band("header");
  viewer->OnPrintFooter = band("footer");
  PrintDocument(*viewer, 2, 3);
  // Screen pixels: the page 940 x 1320 at 192 dpi is 470 x 660; the top
  // margin 121 is 61 and the printable height 1098 is 549.
  const std::vector<Call> expected = {
      {"header", 2, 470, 61}, {"footer", 2, 470, 660 - 61 - 549},
      {"header", 3, 470, 61}, {"footer", 3, 470, 660 - 61 - 549},
  };
  EXPECT_EQ(calls, expected);
  const Recorder::Job& job = OnlyJob();
  ASSERT_EQ(job.Pages.size(), 2u);
  for (size_t p = 0; p < 2; ++p) {
    const std::string number = std::to_string(p + 2);
    std::map<std::string, cl::TRect> boxes;
    for (const Recorder::Text& text : job.Pages[p].Texts) boxes[text.Value] = text.Box;
    ASSERT_TRUE(boxes.contains("header" + number));
    ASSERT_TRUE(boxes.contains("footer" + number));
    // The header at the page's top-left, the footer below the printable area.
    EXPECT_EQ(boxes["header" + number].Left, 0);
    EXPECT_EQ(boxes["header" + number].Top, 0);
    EXPECT_EQ(boxes["footer" + number].Top, 2 * (61 + 549));
  }
}

TEST_F(DocumentPrintTest, AHeaderThatStopsPrintingOnPageTwoEndsTheRunAfterIt) {
  Load(Lines(150));
  viewer->OnPrintHeader = [](cl::TObject*, cl::TCanvas&, int32_t page, int32_t, int32_t, bool& stop) {
    if (page == 2) stop = true;
  };
  PrintDocument(*viewer, 1, 9999);
  EXPECT_EQ(OnlyJob().Pages.size(), 2u);
  EXPECT_TRUE(OnlyJob().Ended);
  EXPECT_EQ(viewer->PrintedPage, 2);
}

TEST_F(DocumentPrintTest, TheViewerIsBusyWhilePrintingAndRefusesLoads) {
  Load(Lines(100));
  const std::string other = dir.Write("other.htm", "<title>Jin\xfd</title><p>jin\xfd</p>");
  std::vector<bool> processing;
  viewer->OnProcessing = [&](cl::TObject*, bool on) { processing.push_back(on); };
  bool busyInHeader = false;
  viewer->OnPrintHeader = [&](cl::TObject*, cl::TCanvas&, int32_t, int32_t, int32_t, bool&) {
    busyInHeader = viewer->Processing();
    viewer->LoadFromFile(other);
  };
  // The pump between pages runs what is pending; a load there is refused too.
  recorder.OnEndPage = [&] { viewer->LoadFromFile(other); };
  PrintDocument(*viewer, 1, 2);
  EXPECT_TRUE(busyInHeader);
  EXPECT_EQ(processing, (std::vector<bool>{true, false}));
  EXPECT_NE(viewer->CurrentFile(), other);
  EXPECT_FALSE(viewer->Processing());
  ASSERT_EQ(OnlyJob().Pages.size(), 2u);
  EXPECT_NE(OnlyJob().Pages[1].AllText().find("line"), std::string::npos) << "the document printed is the first";
}

// A section that asks for a page end at the top of every page it is drawn on.
class StuckPageEnd : public TSectionBase {
 public:
  explicit StuckPageEnd(int32_t height) : height_(height) {}
  StuckPageEnd(TSectionList* master, const StuckPageEnd& source)
      : TSectionBase(master, source), height_(source.height_) {}
  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override {
    return std::make_unique<StuckPageEnd>(master, *this);
  }
  TLayoutResult Layout(cl::TCanvas&, int32_t, IndentManager&, int32_t curs) override {
    FlowHeight = PaintHeight = height_;
    return {height_, 0, curs};
  }
  int32_t Draw(cl::TCanvas&, const cl::TRect& clip, IndentManager&, int32_t, int32_t y) override {
    if (Document != nullptr && Document->IsPrintCopy) Document->PageLimitY = clip.Top;
    return y + FlowHeight;
  }

 private:
  int32_t height_;
};

TEST_F(DocumentPrintTest, APageEndThatDoesNotAdvanceMovesOnByAPage) {
  // 549 screen pixels a page: the section fills three pages and a part.
  viewer->Parser = [](const TParseRequest& request) {
    request.Document->AddSection(std::make_unique<StuckPageEnd>(3 * 549 + 100));
    return TParseResult{};
  };
  viewer->LoadFromBuffer("x", 1);
  PrintDocument(*viewer, 1, 9999);
  EXPECT_EQ(OnlyJob().Pages.size(), 4u);
  EXPECT_EQ(viewer->PrintedPage, 4);
}

TEST_F(DocumentPrintTest, NothingIsPrintedWhileTheViewerIsBusyOrEmpty) {
  PrintDocument(*viewer, 1, 9999);
  EXPECT_TRUE(recorder.Jobs.empty());
  Load(Lines(3));
  viewer->DoProcessing(true);
  PrintDocument(*viewer, 1, 9999);
  viewer->DoProcessing(false);
  EXPECT_TRUE(recorder.Jobs.empty());
}

TEST_F(DocumentPrintTest, TheJobIsNamedAfterTheDocumentAndTheCurrentPrinterPutBack) {
  Load("<title>Ceny a podm\xednky dod\xe1n\xed zbo\x9e\xed pro rok 2024</title><p>text</p>");
  TViewPrinter* const before = &CurrentPrinter();
  TViewPrinter* during = nullptr;
  viewer->OnPrintHeader = [&](cl::TObject*, cl::TCanvas&, int32_t, int32_t, int32_t, bool&) {
    during = &CurrentPrinter();
  };
  PrintDocument(*viewer, 1, 1);
  EXPECT_EQ(OnlyJob().Name, std::string("Ceny a podm\xednky dod\xe1n\xed zbo\x9e\xed pro rok 2024").substr(0, 31));
  EXPECT_NE(during, before);
  EXPECT_EQ(&CurrentPrinter(), before);
}

}  // namespace
}  // namespace html
