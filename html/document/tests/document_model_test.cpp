#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/document/cell_obj.h"
#include "html/document/process_error.h"
#include "platform/core/scheduler.h"
#include "html/testing/document_dump.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/stub_host.h"

namespace html {

namespace {

// A block of fixed height that can register a float, carry a link over its
// paint height, or fail its layout.
class TestBlock : public TSectionBase {
 public:
  explicit TestBlock(int32_t height, int32_t floatHeight = 0, bool fails = false)
      : floatHeight_(floatHeight), fails_(fails) {
    FlowHeight = height;
  }
  TestBlock(TSectionList* master, const TestBlock& source)
      : TSectionBase(master, source), floatHeight_(source.floatHeight_), fails_(source.fails_) {}
  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override {
    return std::make_unique<TestBlock>(master, *this);
  }
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override {
    ++layouts;
    if (fails_) throw EProcessError("Table has too many Columns");
    if (floatHeight_ > 0) indents.AddFloat(y, 50, 1, floatHeight_);
    const TLayoutResult result = TSectionBase::Layout(canvas, y, indents, curs);
    PaintHeight = std::max(FlowHeight, floatHeight_);
    return result;
  }
  std::optional<TLinkHit> LinkAt(cl::TCanvas&, int32_t, int32_t y) override {
    hitY = y;
    return TLinkHit{nullptr, std::make_unique<TUrlTarget>("block.htm", "")};
  }
  int layouts = 0;
  int32_t hitY = -1;

 private:
  int32_t floatHeight_;
  bool fails_;
};

class FakeAnimation : public TAnimatedImage {
 public:
  void SetFirstFrame() override { log += "first "; }
  void StopAnimation() override { log += "stop "; }
  void StartAnimation() override { log += "start "; }
  std::optional<cl::TRect> AnimationStep() override {
    log += "step ";
    return std::nullopt;
  }
  std::unique_ptr<TAnimatedImage> CreateCopy() const override { return nullptr; }
  void Draw(cl::TCanvas&, int32_t, int32_t, int32_t, int32_t) override {}
  cl::TBitmap* CurrentFrameBitmap() override { return nullptr; }
  cl::TBitmap* CurrentFrameMask() override { return nullptr; }
  int32_t Width() const override { return 1; }
  int32_t Height() const override { return 1; }
  bool Empty() const override { return false; }
  std::string log;
};

class FakeControl : public TFormControlObj {
 public:
  FakeControl(TSectionList* document, bool focused) : TFormControlObj(document, 0), focused_(focused) {}
  bool HasWindow() const override { return true; }
  int32_t Width() const override { return 20; }
  int32_t Height() const override { return 10; }
  void ShowAt(int32_t x, int32_t y) override { log += "show " + std::to_string(x) + "," + std::to_string(y) + " "; }
  void Hide() override { log += "hide "; }
  void MoveAway() override { log += "away "; }
  bool Focused() const override { return focused_; }
  void FitToFont(cl::TCanvas&) override { log += "fit "; }
  std::string log;

 private:
  bool focused_;
};

TEST(DocumentModel, SectionTopAndSectionAtYStackFlowHeights) {
  LayoutFixture f;
  for (const int32_t h : {10, 20, 30}) f.root.AddSection(std::make_unique<TestBlock>(h));
  f.root.AddSection(nullptr);
  ASSERT_EQ(f.root.Count(), 3);
  f.Layout(300);
  struct Case {
    int n;
    int32_t top;
  };
  for (const Case c : {Case{-1, 0}, Case{0, 0}, Case{1, 10}, Case{2, 30}, Case{3, 30}, Case{99, 30}})
    EXPECT_EQ(f.root.SectionTop(c.n), c.top) << c.n;
  const auto second = f.root.SectionAtY(10);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Section, f.root[1]);
  EXPECT_EQ(second->Top, 10);
  EXPECT_EQ(second->Index, 1);
  const auto third = f.root.SectionAtY(59);
  ASSERT_TRUE(third);
  EXPECT_EQ(third->Section, f.root[2]);
  EXPECT_FALSE(f.root.SectionAtY(60));
}

TEST(DocumentModel, ACellIsAtLeastAsTallAsItsFloatsAndLinksReachThePaintHeight) {
  LayoutFixture f;
  auto* floating = new TestBlock(10, 100);
  f.root.AddSection(std::unique_ptr<TSectionBase>(floating));
  f.root.AddSection(std::make_unique<TestBlock>(10));
  EXPECT_EQ(f.Layout(300), 100);
  // Below the first block's flow but on its float: still its link, asked
  // with the Y inside the section.
  ASSERT_TRUE(f.root.LinkAt(f.Canvas(), 5, 5));
  EXPECT_EQ(floating->hitY, 5);
  const auto hit = f.root.LinkAt(f.Canvas(), 5, 15);
  ASSERT_TRUE(hit && hit->UrlTarget);
  EXPECT_EQ(floating->hitY, 15);
  EXPECT_EQ(hit->UrlTarget->Url, "block.htm");
}

TEST(DocumentModel, AFailingSectionIsKeptEmptyAndReportedOnceAfterTheLayout) {
  StubHost host;
  LayoutFixture f(nullptr, &host);
  std::vector<std::string>& reports = host.Errors;
  f.AddText("before");
  auto* failing = new TestBlock(50, 0, true);
  f.root.AddSection(std::unique_ptr<TSectionBase>(failing));
  TSection& after = f.AddText("after");
  const TLayoutResult laid = f.root.Layout(f.Canvas(), 0, 0, 300);
  EXPECT_EQ(reports, std::vector<std::string>{"Table has too many Columns"});
  // The rest lays out; the failed section stays in place with no height.
  EXPECT_EQ(f.root.Count(), 3);
  EXPECT_TRUE(failing->Dropped);
  EXPECT_EQ(failing->FlowHeight, 0);
  EXPECT_EQ(laid.Height, 32);
  EXPECT_EQ(after.FirstPos, 6);
  EXPECT_EQ(laid.NextCurs, 11);
  f.Layout(300);
  f.Layout(200);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(failing->layouts, 1);
  // The print copy leaves it out as well, and so reports nothing again.
  TSectionList copy(f.root);
  EXPECT_TRUE(copy[1]->Dropped);
  EXPECT_EQ(copy.Layout(f.Canvas(), 0, 0, 300).Height, 32);
  EXPECT_EQ(reports.size(), 1u);
}

TEST(DocumentModel, WithoutAHandlerProcessErrorsWaitForTheViewer) {
  LayoutFixture f;
  f.root.AddSection(std::make_unique<TestBlock>(50, 0, true));
  f.Layout(300);
  EXPECT_EQ(f.root.ProcessErrors, std::vector<std::string>{"Table has too many Columns"});
}

TEST(DocumentModel, CharAtAndTheEmptySelection) {
  LayoutFixture f;
  f.AddText("abc");
  f.AddText("de");
  f.Layout(300);
  const auto hit = f.root.CharAt(3);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->Character, 'd');
  EXPECT_EQ(hit->Owner, f.root[1]);
  EXPECT_FALSE(f.root.CharAt(5));  // the cell's end: the sections say no
  EXPECT_FALSE(f.root.CharAt(-1));
  f.root.SelFrom = 2;
  f.root.SelTo = 2;
  EXPECT_EQ(f.root.SelectionLength(), 0);
  bool copied = false;
  f.root.CopySelectionToClipboard([&](std::string_view) { copied = true; });
  EXPECT_FALSE(copied);
  f.root.SelFrom = 1;
  f.root.SelTo = 4;
  std::string clip;
  f.root.CopySelectionToClipboard([&](std::string_view text) { clip = text; });
  EXPECT_EQ(clip, "bc\r\nd");
  EXPECT_EQ(f.root.SelectionLength(), 5);
  EXPECT_EQ(f.root.SelectionSink, nullptr);
}

TEST(DocumentModel, DefaultsCutNamesAndRefreshEveryFont) {
  StubHost host;
  LayoutFixture f(nullptr, &host);
  TSection& text = f.AddText("abc");
  const size_t changes = host.Backgrounds.size();
  f.root.SetDefaults(std::string(40, 'x'), "Courier New", 24, cl::clRed, cl::clGreen, cl::clSilver);
  EXPECT_EQ(f.root.DefaultFontName, std::string(33, 'x'));
  ASSERT_EQ(host.Backgrounds.size(), changes + 1);
  EXPECT_EQ(host.Backgrounds.back(), cl::clSilver);
  EXPECT_EQ(text.Fonts[0]->RunFont->Size(), 24);
  EXPECT_EQ(text.Fonts[0]->RunFont->Color(), cl::clRed | cl::PaletteRelative);
  EXPECT_EQ(text.BaseFont->Size(), 24);
  f.Layout(300);
  EXPECT_EQ(text.FlowHeight, 32);
}

TEST(DocumentModel, LayoutRestartsAnimationsAndDrawingSwitchesTheTimer) {
  LayoutFixture f;
  FakeAnimation gif;
  f.AddText("x");
  EXPECT_FALSE(f.root.AnimationTimer->Enabled());
  EXPECT_EQ(f.root.AnimationTimer->Interval(), 50u);
  f.Layout(300);
  EXPECT_FALSE(f.root.AnimationTimer->Enabled());
  f.root.AnimatedImages.Add(&gif);
  f.Layout(300);
  EXPECT_EQ(gif.log, "first stop start ");
  EXPECT_TRUE(f.root.AnimationTimer->Enabled());
  gif.Drawn = true;
  f.root.Draw(f.Canvas(), {0, 0, 300, 300}, 0, 0, 300);
  EXPECT_FALSE(gif.Drawn);
  EXPECT_TRUE(f.root.AnimationTimer->Enabled());
  gif.log.clear();
  f.root.AnimationTick();
  EXPECT_EQ(gif.log, "");
  gif.Drawn = true;
  f.root.AnimationTick();
  EXPECT_EQ(gif.log, "step ");
  f.root.AnimatedImages.Clear();
}

TEST(DocumentModel, TheTimerStepsDrawnAnimationsEvery50Milliseconds) {
  win::ManualScheduler clock(1000);
  win::SetScheduler(&clock);
  {
    LayoutFixture f;
    FakeAnimation gif;
    f.AddText("x");
    f.root.AnimatedImages.Add(&gif);
    f.Layout(300);
    gif.Drawn = true;
    gif.log.clear();
    clock.Advance(49);
    f.root.AnimationTimer->CheckDue();
    EXPECT_EQ(gif.log, "");
    clock.Advance(1);
    f.root.AnimationTimer->CheckDue();
    EXPECT_EQ(gif.log, "step ");
    f.root.AnimatedImages.Clear();
  }
  win::SetScheduler(nullptr);
}

TEST(DocumentModel, ControlsOutOfViewHideUnlessTheFocusIsInTheDocument) {
  for (const bool focused : {false, true}) {
    LayoutFixture f;
    auto form = std::make_unique<ThtmlForm>(&f.root);
    auto a = std::make_unique<FakeControl>(&f.root, focused);
    auto b = std::make_unique<FakeControl>(&f.root, false);
    FakeControl* first = a.get();
    FakeControl* second = b.get();
    f.root.AllControls->Add(first);
    f.root.AllControls->Add(second);
    form->InsertControl(std::move(a));
    form->InsertControl(std::move(b));
    f.root.Forms.push_back(std::move(form));
    second->OnScreen = true;
    f.Layout(300);
    EXPECT_EQ(first->log, focused ? "fit away " : "fit hide ");
    EXPECT_EQ(second->log, "fit ");
    f.root.SetScrollOffset(40);
    EXPECT_FALSE(second->OnScreen);
    EXPECT_TRUE(f.root.ControlsNeedPlacing);
    f.root.Draw(f.Canvas(), {0, 0, 300, 300}, 0, 0, 300);
    EXPECT_FALSE(f.root.ControlsNeedPlacing);
    EXPECT_EQ(second->log, focused ? "fit away " : "fit hide ");
  }
}

TEST(DocumentModel, ThePrintCopyHasNoTimerNoControlsAndNoCellBackgrounds) {
  LayoutFixture f;
  f.root.SelFrom = 1;
  f.root.SelTo = 2;
  f.root.ScrollY = 7;
  f.root.SetBackgroundName("back.gif");
  f.AddText("abc def");
  f.Layout(300);
  TAttributeList attributes;
  attributes.Add(LayoutFixture::Attr(BGColorSy, "red"));
  TCellObj cell(&f.root, attributes, 0);
  cell.Cell->AddSection(std::make_unique<TestBlock>(5));
  EXPECT_TRUE(cell.Cell->HasBackground);
  EXPECT_EQ(cell.Cell->CellColor, cl::clRed | cl::PaletteRelative);

  TSectionList copy(f.root);
  EXPECT_TRUE(copy.IsPrintCopy);
  EXPECT_EQ(copy.AnimationTimer, nullptr);
  EXPECT_EQ(copy.AllControls, nullptr);
  EXPECT_TRUE(copy.BgImageName.empty());
  EXPECT_EQ(copy.SelFrom, 1);
  EXPECT_EQ(copy.ScrollY, 7);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_NE(copy[0], f.root[0]);
  EXPECT_EQ(copy[0]->Document, &copy);
  copy.ScrollY = 0;
  copy.Layout(f.Canvas(), 0, 0, 40);  // lays out and draws without a timer
  EXPECT_EQ(DumpLines(*copy[0]), "0+4@0 4+3@0");
  copy.Draw(f.Canvas(), {0, 0, 300, 300}, 0, 0, 40);
  TCellObj cellCopy(&copy, cell);
  EXPECT_FALSE(cellCopy.Cell->HasBackground);
  EXPECT_EQ(cellCopy.Cell->Count(), 1);
}

TEST(DocumentModel, CellAttributesTakeSpansAndWidthsOnlyInRange) {
  struct Case {
    HtmlSymbol code;
    const char* text;
    int32_t value;
    int32_t colSpan, rowSpan, width;
    bool percent;
    int32_t height;
  };
  const Case cases[] = {
      {ColSpanSy, "3", 3, 3, 1, 0, false, 0},      {ColSpanSy, "1", 1, 1, 1, 0, false, 0},
      {RowSpanSy, "0", 0, 1, 1, 0, false, 0},      {RowSpanSy, "2", 2, 1, 2, 0, false, 0},
      {WidthSy, "120", 120, 1, 1, 120, false, 0},  {WidthSy, "0", 0, 1, 1, 0, false, 0},
      {WidthSy, "30%", 30, 1, 1, 300, true, 0},    {WidthSy, "150%", 150, 1, 1, 0, false, 0},
      {WidthSy, "0%", 0, 1, 1, 0, false, 0},       {HeightSy, "44", 44, 1, 1, 0, false, 44},
  };
  LayoutFixture f;
  for (const auto& c : cases) {
    TAttributeList attributes;
    attributes.Add(LayoutFixture::Attr(c.code, c.text, c.value));
    const TCellObj cell(&f.root, attributes, 2);
    EXPECT_EQ(cell.ColSpan, c.colSpan) << c.text;
    EXPECT_EQ(cell.RowSpan, c.rowSpan) << c.text;
    EXPECT_EQ(cell.WidthAttr, c.width) << c.text;
    EXPECT_EQ(cell.WidthIsPercent, c.percent) << c.text;
    EXPECT_EQ(cell.HeightAttr, c.height) << c.text;
    EXPECT_EQ(cell.VAlign, 2);
    EXPECT_FALSE(cell.Cell->HasBackground);
  }
}

}  // namespace

}  // namespace html
