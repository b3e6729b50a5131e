#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "html/parse/document_parser.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/in_out_error.h"
#include "platform/gui/application.h"
#include "html/document/process_error.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/virtual_keys.h"

namespace html {

namespace {

namespace t = cl::testing;

TEST_F(ViewerTest, FileLoadsGiveTitleExpandedNameAndKind) {
  const std::string page = Write("page.htm", "#title The page\nhello\n");
  viewer->LoadFromFile(page);
  EXPECT_EQ(viewer->DocumentTitle(), "The page");
  EXPECT_EQ(viewer->CurrentFile(), page);
  EXPECT_EQ(viewer->FileType(), ftHTML);
  EXPECT_EQ(viewer->SectionList().Count(), 1);
  const std::string notes = Write("notes.txt", "plain\n");
  viewer->LoadTextFile(notes);
  EXPECT_EQ(viewer->FileType(), ftText);
  EXPECT_EQ(parses.back(), "text:0");
  const std::string picture = Write("a.gif", "GIF89a");
  viewer->LoadImageFile(picture);
  EXPECT_EQ(viewer->FileType(), ftImage);
  EXPECT_EQ(parses.back(), "html:1");  // an IMG element in a buffer
  EXPECT_EQ(viewer->SectionList().Count(), 1);
  EXPECT_EQ(static_cast<TSection*>(viewer->SectionList()[0])->Buff.substr(0, 10), "<IMG SRC=\"");
}

TEST_F(ViewerTest, AMissingFileRaisesAndKeepsTheDocumentShown) {
  viewer->LoadFromFile(Write("page.htm", "#title Kept\nhello\n"));
  const std::string missing = (dir / "none.htm").string();
  bool processingOff = false;
  viewer->OnProcessing = [&](cl::TObject*, bool on) { processingOff = !on; };
  try {
    viewer->LoadFromFile(missing);
    FAIL() << "no exception";
  } catch (const cl::EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't locate file: " + missing);
  }
  EXPECT_TRUE(processingOff);
  EXPECT_FALSE(viewer->Processing());
  EXPECT_EQ(viewer->DocumentTitle(), "Kept");
  EXPECT_EQ(viewer->SectionList().Count(), 1);
  EXPECT_EQ(cl::Screen().Cursor(), cl::crDefault);
}

TEST_F(ViewerTest, AParseFailureStillShowsWhatWasParsedAndPropagates) {
  const std::string page = Write("bad.htm", "#title Half\nfirst\n#fail\nnever\n");
  EXPECT_THROW(viewer->LoadFromFile(page), cl::Exception);
  EXPECT_EQ(viewer->CurrentFile(), page);
  EXPECT_EQ(viewer->SectionList().Count(), 1);
  EXPECT_FALSE(viewer->Processing());
}

TEST_F(ViewerTest, AnchorsInTheNameScrollInAnyCaseAndMissingOnesKeepThePlace) {
  const std::string page = Write("page.htm", Lines(30) + "#anchor Sec\nsection\n" + Lines(30, "more"));
  viewer->LoadFromFile(page + "#sEC");
  const int32_t anchorY = viewer->SectionList()[30]->PlacedY;
  EXPECT_EQ(viewer->VScrollBarPosition(), anchorY);
  viewer->LoadFromFile(page + "#nowhere");  // same file: the place stays
  EXPECT_EQ(viewer->VScrollBarPosition(), anchorY);
  viewer->SetVScrollBarPosition(100);
  viewer->LoadFromFile(page);  // same file again, no anchor
  EXPECT_EQ(viewer->VScrollBarPosition(), 100);
  viewer->LoadFromFile(Write("other.htm", Lines(40)));
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  viewer->SetVScrollBarPosition(200);
  viewer->LoadFromFile(Write("short.htm", "one\n"));  // new file: at the top
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
}

TEST_F(ViewerTest, ParsedAnchorsScrollToTheirSectionsAndOutliveReloads) {
  viewer->Parser = ParseDocument;
  std::string html = "<HTML><BODY>";
  for (int i = 0; i < 40; ++i) html += "<P>paragraph " + std::to_string(i) + "</P>";
  html += "<H2><A NAME=\"dolu\">Dole</A></H2>";
  for (int i = 0; i < 40; ++i) html += "<P>more " + std::to_string(i) + "</P>";
  html += "</BODY></HTML>";
  const std::string page = Write("real.htm", html);
  viewer->LoadFromFile(page);
  ASSERT_EQ(viewer->NameList().Count(), 1);
  const auto* section = dynamic_cast<const TSectionBase*>(viewer->NameList().Objects(0));
  ASSERT_NE(section, nullptr);
  EXPECT_GT(section->PlacedY, 40 * 16);
  ASSERT_TRUE(viewer->PositionTo("#DOLU"));
  EXPECT_EQ(viewer->VScrollBarPosition(), section->PlacedY);
  // The sections belong to the document alone: loads and the end free them once.
  viewer->LoadFromFile(page + "#dolu");
  viewer->LoadFromFile(Write("other.htm", "<P>other</P>"));
  EXPECT_FALSE(viewer->PositionTo("dolu"));
}

TEST_F(ViewerTest, MemoryLoadsLeaveNoCurrentFile) {
  viewer->LoadFromFile(Write("page.htm", "#title T\nx\n"));
  const std::string text = "#title Buffer\nabc\n";
  viewer->LoadFromBuffer(text.data(), static_cast<int32_t>(text.size()));
  EXPECT_EQ(viewer->DocumentTitle(), "Buffer");
  EXPECT_EQ(viewer->CurrentFile(), "");
  cl::TMemoryStream stream;
  const std::string streamed = "#title Stream\nabc\ndef\n";
  stream.WriteBuffer(streamed.data(), static_cast<int32_t>(streamed.size()));
  viewer->LoadFromStream(stream);
  EXPECT_EQ(viewer->DocumentTitle(), "Stream");
  EXPECT_EQ(viewer->SectionList().Count(), 2);
  cl::TStringList lines;
  lines.SetText("just text\n");
  viewer->LoadStringsAs(lines, ftText);
  EXPECT_EQ(parses.back(), "text:3");
  viewer->LoadStringsAs(lines, ftImage);
  EXPECT_EQ(viewer->SectionList().Count(), 0);
}

TEST_F(ViewerTest, BaseFromTheDocumentOrTheApplication) {
  viewer->SetBase("C:\\apps\\");
  LoadText("#base D:\\docs\\\nx\n");
  EXPECT_EQ(viewer->Base(), "D:\\docs\\");
  LoadText("x\n");
  EXPECT_EQ(viewer->Base(), "C:\\apps\\");
}

TEST_F(ViewerTest, MetaRefreshFiresOnceOnlyForAPositiveDelayWithAUrl) {
  struct Case {
    const char* httpEq;
    const char* content;
    int delay;  // 0: no report
    const char* url;
  };
  const Case cases[] = {
      {"refresh", "5; URL=next.htm", 5, "next.htm"},
      {"REFRESH", "3;url=a.htm", 3, "a.htm"},
      {"refresh", "0; URL=next.htm", 0, ""},
      {"refresh", "5 URL=next.htm", 0, ""},
      {"refresh", "x; URL=next.htm", 0, ""},
      {"refresh", "5; next.htm", 0, ""},
      {"expires", "5; URL=next.htm", 0, ""},
  };
  std::vector<std::pair<int, std::string>> fired;
  int metas = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    fired.clear();
    metas = 0;
    viewer->OnMetaRefresh = [&](cl::TObject*, int delay, const std::string& url) { fired.emplace_back(delay, url); };
    viewer->OnMeta = [&](cl::TObject*, const std::string&, const std::string&, const std::string&) { ++metas; };
    viewer->LoadFromFile(Write("m.htm", std::string("#meta ") + c.httpEq + "|" + c.content + "\nx\n"));
    EXPECT_EQ(metas, 1);
    if (c.delay == 0) {
      EXPECT_TRUE(fired.empty());
    } else {
      ASSERT_EQ(fired.size(), 1u);
      EXPECT_EQ(fired[0].first, c.delay);
      EXPECT_EQ(fired[0].second, c.url);
    }
  }
  // Without a refresh handler the refresh is not even parsed.
  viewer->OnMetaRefresh = nullptr;
  viewer->LoadFromFile(Write("m.htm", "#meta refresh|5; URL=x.htm\nx\n"));
  EXPECT_EQ(viewer->MetaRefreshDelay, 0);
}

TEST_F(ViewerTest, SettersClampOrIgnoreValuesOutOfRange) {
  viewer->SetMarginWidth(51);
  viewer->SetMarginWidth(-1);
  EXPECT_EQ(viewer->MarginWidth(), 10);
  viewer->SetMarginWidth(50);
  EXPECT_EQ(viewer->MarginWidth(), 50);
  viewer->SetMarginHeight(60);
  EXPECT_EQ(viewer->MarginHeight(), 5);
  viewer->SetImageCacheCount(50);
  EXPECT_EQ(viewer->ImageCacheCount(), 20);
  viewer->SetImageCacheCount(-3);
  EXPECT_EQ(viewer->ImageCacheCount(), 0);
  viewer->SetDefFontSize(3);
  EXPECT_EQ(viewer->DefFontSize(), 6);
  viewer->SetServerRoot("  /srv/root\\ ");
  EXPECT_EQ(viewer->ServerRoot(), "/srv/root");
  viewer->SetDefFontName(std::string(40, 'F'));
  EXPECT_EQ(viewer->SectionList().DefaultFontName.size(), 33u);
}

TEST_F(ViewerTest, MarginChangesLayOutAgainKeepingThePlace) {
  LoadText(Lines(60));
  viewer->SetPosition(20 << 16);
  const int32_t before = viewer->Position();
  viewer->SetMarginWidth(20);
  EXPECT_EQ(viewer->Position(), before);
}

TEST_F(ViewerTest, TheScrollBarDecisionFollowsTheStyleAndTheDocument) {
  struct Case {
    cl::TScrollStyle style;
    int lines;
    int width;  // of the widest line
    bool vertical;
    bool horizontal;
  };
  const Case cases[] = {
      {cl::ssBoth, 2, 100, false, false},       {cl::ssBoth, 40, 100, true, false},
      {cl::ssBoth, 2, 480, false, true},        {cl::ssBoth, 40, 480, true, true},
      {cl::ssBoth, 2, 270, false, false},       {cl::ssBoth, 11, 270, true, true},
      {cl::ssBoth, 10, 270, false, false},      {cl::ssVertical, 40, 480, true, false},
      {cl::ssVertical, 2, 480, false, false},   {cl::ssHorizontal, 40, 480, false, true},
      {cl::ssHorizontal, 40, 100, false, false}, {cl::ssNone, 40, 480, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.style) << " " << c.lines << " " << c.width);
    viewer->SetScrollBars(c.style);
    std::string text = "#wide " + std::to_string(c.width) + "\n";
    for (int i = 1; i < c.lines; ++i) text += "#spacer 16\n";
    LoadText(text);
    EXPECT_EQ(viewer->VScrollBar().Visible(), c.vertical);
    EXPECT_EQ(viewer->HScrollBar().Visible(), c.horizontal);
    const int32_t panelWidth = 300 - 2 - (c.vertical ? viewer->ScrollWidth() : 0);
    EXPECT_EQ(viewer->PaintPanel().Width(), panelWidth);
    EXPECT_EQ(viewer->PaintPanel().Height(), 200 - 2 - (c.horizontal ? viewer->ScrollWidth() : 0));
  }
}

TEST_F(ViewerTest, WithoutAVerticalBarTheHeightCountsTheTopMarginOnly) {
  viewer->SetScrollBars(cl::ssNone);
  LoadText("a\nb\n");
  EXPECT_EQ(viewer->DocHeight(), 2 * 16 + 5);
  viewer->SetScrollBars(cl::ssBoth);
  EXPECT_EQ(viewer->DocHeight(), 2 * 16 + 10);
}

TEST_F(ViewerTest, ResizingTheHeightOnlyMakesNoLayout) {
  LoadText(Lines(40));
  int layouts = 0;
  viewer->OnProcessing = [&](cl::TObject*, bool on) { layouts += on; };
  viewer->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(layouts, 0);
  EXPECT_EQ(viewer->VScrollBar().Height(), 148);
  viewer->SetBounds(0, 0, 250, 150);
  EXPECT_EQ(layouts, 1);
}

TEST_F(ViewerTest, ClearIsRefusedWhileALoadRuns) {
  LoadText("#title Old\nold text\n");
  int cleared = 0;
  viewer->OnProcessing = [&](cl::TObject*, bool on) {
    if (on) viewer->Clear();
    cleared += viewer->SectionList().Count() == 0;
  };
  LoadText("#title New\nnew\nlines\n");
  EXPECT_EQ(cleared, 0);
  EXPECT_EQ(viewer->DocumentTitle(), "New");
  viewer->OnProcessing = nullptr;
  viewer->Clear();
  EXPECT_EQ(viewer->SectionList().Count(), 0);
  EXPECT_EQ(viewer->DocumentTitle(), "");
  EXPECT_FALSE(viewer->VScrollBar().Visible());
}

TEST_F(ViewerTest, LinksExpandToLinuxFileNames) {
  viewer->LoadFromFile(Write("page.htm", "x\n"));
  const std::string here = dir.string() + "/";
  EXPECT_EQ(viewer->ExpandLinkFileName(" b.htm "), here + "b.htm");
  EXPECT_EQ(viewer->ExpandLinkFileName("sub/c.htm"), here + "sub/c.htm");
  viewer->SetServerRoot("/srv/root");
  EXPECT_EQ(viewer->ExpandLinkFileName("\\dir\\a.htm"), "/srv/root/dir/a.htm");
  EXPECT_EQ(viewer->ExpandLinkFileName("/abs/a.htm"), "/srv/root/abs/a.htm");
  viewer->SetServerRoot("");
  EXPECT_EQ(viewer->ExpandLinkFileName("/abs/x/../a.htm"), "/abs/a.htm");
  viewer->SetBase("/base/dir/");
  EXPECT_EQ(viewer->ExpandLinkFileName("d.htm"), "/base/dir/d.htm");
  viewer->SetBase("DosPath");
  EXPECT_EQ(viewer->ExpandLinkFileName("d.htm"), "d.htm");
}

TEST_F(ViewerTest, ScrollPositionsStayAtZeroForADocumentShorterThanThePanel) {
  LoadText("short\n");
  viewer->SetVScrollBarPosition(50);
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  for (const uint16_t key : {cl::VK_DOWN, cl::VK_NEXT, cl::VK_END, cl::VK_UP}) {
    uint16_t k = key;
    viewer->KeyDown(k, 0);
    EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  }
  viewer->VScrollNotify(cl::scBottom, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  viewer->VScrollNotify(cl::scLineDown, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  EXPECT_GE(viewer->SectionList().ScrollY, 0);
}

TEST_F(ViewerTest, KeysAndTheBarScrollWithinTheDocument) {
  LoadText(Lines(40));  // 640 + 10 high in a 198 panel
  const int32_t last = viewer->DocHeight() - viewer->PaintPanel().Height();
  uint16_t key = cl::VK_DOWN;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), 16);
  key = cl::VK_NEXT;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), 16 + viewer->PaintPanel().Height() - 16);
  key = cl::VK_END;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), last);
  EXPECT_EQ(viewer->VScrollBar().GetScrollInfo().Pos, last);
  key = cl::VK_HOME;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  viewer->VScrollBar().TrackTo(100);
  EXPECT_EQ(viewer->VScrollBarPosition(), 100);
  viewer->VScrollBar().ScrollNotify(cl::scBottom);
  EXPECT_EQ(viewer->SectionList().ScrollY, last);
  t::Wheel(viewer->PaintPanel(), 50, 50, 120);  // a notch up: three lines
  EXPECT_EQ(viewer->VScrollBarPosition(), last - 48);
}

TEST_F(ViewerTest, TallDocumentsScrollBeyondSixteenBits) {
  LoadText("#spacer 100000\nend\n");
  viewer->SetVScrollBarPosition(90000);
  EXPECT_EQ(viewer->VScrollBarPosition(), 90000);
  EXPECT_EQ(viewer->VScrollBar().GetScrollInfo().Pos, 90000);
}

TEST_F(ViewerTest, PositionClampsDeepOffsetsAndReadsTheIndexUnsigned) {
  LoadText("#spacer 100000\nend\n");
  viewer->SetVScrollBarPosition(70000);
  EXPECT_EQ(viewer->Position(), 0xFFFF);  // section 0, offset clamped
  viewer->SetPosition(1 << 16);
  EXPECT_EQ(viewer->VScrollBarPosition(), std::min(100000, viewer->DocHeight() - viewer->PaintPanel().Height()));

  std::string many;
  for (int i = 0; i < 40000; ++i) many += "#spacer 2\n";
  LoadText(many);
  const int32_t position = static_cast<int32_t>(35000u << 16 | 1u);  // negative as a signed value
  viewer->SetPosition(position);
  EXPECT_EQ(viewer->VScrollBarPosition(), 70001);
  EXPECT_EQ(viewer->Position(), position);
  viewer->SetPosition(static_cast<int32_t>(40000u << 16));  // past the last section: nothing
  EXPECT_EQ(viewer->VScrollBarPosition(), 70001);
}

cl::TColor PixelAt(TDocViewer& viewer, int x, int y) {
  cl::TBitmap shot;
  shot.SetSize(viewer.PaintPanel().Width(), viewer.PaintPanel().Height());
  viewer.PaintPanel().Repaint();
  // Paint straight into a bitmap through the panel's own paint path.
  cl::TCanvas& canvas = shot.Canvas();
  canvas.Brush().SetColor(viewer.PaintPanel().Color());
  viewer.PaintPanel().DrawBackground(canvas, true);
  viewer.DrawDocument(canvas);
  return canvas.GetPixel(x, y) & 0xFFFFFF;
}

TEST_F(ViewerTest, WhatNoDocumentCoversShowsTheBackground) {
  constexpr cl::TColor background = 0xC08020;
  viewer->SetDefBackground(background);
  EXPECT_EQ(cl::testing::ScreenPixel(*viewer, 150, 100), background);
  // A load that fails half-way still shows the background round what it read.
  EXPECT_THROW(LoadText("#spacer 20\n#fail\n"), std::exception);
  EXPECT_EQ(cl::testing::ScreenPixel(*viewer, 150, 100), background);
  // The corner between the two scroll bars belongs to neither.
  LoadText("#wide 1000\n" + Lines(40));
  ASSERT_TRUE(viewer->VScrollBar().Visible());
  ASSERT_TRUE(viewer->HScrollBar().Visible());
  const int corner = viewer->ScrollWidth() / 2 + 1;
  EXPECT_EQ(cl::testing::ScreenPixel(*viewer, viewer->Width() - corner, viewer->Height() - corner), background);
}

TEST_F(ViewerTest, TheDocumentIsDrawnAtItsMarginsAndScrollPosition) {
  viewer->SetDefBackground(cl::clWhite);
  viewer->SetDefFontColor(cl::clBlack);
  LoadText(Lines(40, "M"));
  // Fixed-pitch glyphs are boxes one pixel narrower than their advance.
  EXPECT_EQ(PixelAt(*viewer, 10 + 3, 5 + 8), cl::clBlack);
  EXPECT_EQ(PixelAt(*viewer, 5, 5 + 8), cl::clWhite);
  viewer->SetVScrollBarPosition(5);
  EXPECT_EQ(PixelAt(*viewer, 10 + 3, 2), cl::clBlack);
  EXPECT_EQ(viewer->SectionList().ScrollY, 5);
}

class ThrowingSection : public SpacerSection {
 public:
  using SpacerSection::SpacerSection;
  int32_t Draw(cl::TCanvas&, const cl::TRect&, IndentManager&, int32_t, int32_t) override {
    ++draws;
    throw cl::Exception("Out of Resources");
  }
  int draws = 0;
};

TEST_F(ViewerTest, APaintThatRaisesFillsTheBackgroundAndIsReportedOnce) {
  t::ExceptionRecorder recorder;
  viewer->SetDefBackground(cl::clWhite);
  auto owned = std::make_unique<ThrowingSection>(50);
  ThrowingSection* section = owned.get();
  viewer->Clear();
  viewer->SectionList().AddSection(std::move(owned));
  viewer->FinishLoad({});
  viewer->PaintPanel().Repaint();
  viewer->PaintPanel().Repaint();
  t::ProcessEvents();
  EXPECT_GE(section->draws, 2);
  EXPECT_EQ(recorder.Messages().size(), 1u);
}

// A section whose layout cannot be done, as a table too wide for the engine.
class UnlayoutableSection : public SpacerSection {
 public:
  using SpacerSection::SpacerSection;
  TLayoutResult Layout(cl::TCanvas&, int32_t, IndentManager&, int32_t) override {
    ++layouts;
    throw EProcessError("Table has too many Columns");
  }
  int layouts = 0;
};

TEST_F(ViewerTest, AProcessingErrorIsShownOnceAfterTheLayoutThatMetIt) {
  std::vector<std::string> shown;
  bool shownInsideLayout = false;
  t::ExceptionRecorder recorder;  // gives the handler back at the end
  cl::Application().SetExceptionHandler([&](const std::exception& error) {
    shownInsideLayout = shownInsideLayout || viewer->Layouting();
    shown.push_back(dynamic_cast<const cl::Exception&>(error).Message());
  });
  viewer->Clear();
  viewer->SectionList().AddSection(std::make_unique<SpacerSection>(20));
  auto owned = std::make_unique<UnlayoutableSection>(50);
  UnlayoutableSection* failing = owned.get();
  viewer->SectionList().AddSection(std::move(owned));
  viewer->SectionList().AddSection(std::make_unique<SpacerSection>(30));
  viewer->FinishLoad({});
  EXPECT_EQ(failing->layouts, 1);
  // Nothing is shown from inside the load and its layout.
  EXPECT_TRUE(shown.empty());
  t::ProcessEvents();
  EXPECT_EQ(shown, std::vector<std::string>{"Table has too many Columns"});
  EXPECT_FALSE(shownInsideLayout);
  // The section stays, empty; the rest is laid out below it; a new layout
  // neither tries it again nor reports it again.
  EXPECT_EQ(viewer->SectionList().Count(), 3);
  EXPECT_TRUE(failing->Dropped);
  EXPECT_EQ(viewer->SectionList().SectionTop(1), 20);
  EXPECT_EQ(viewer->SectionList().SectionTop(2), 20);
  viewer->SetBounds(0, 0, 250, 200);
  t::ProcessEvents();
  EXPECT_EQ(failing->layouts, 1);
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(ViewerTest, TheBackgroundPictureIsTiledFromTheScrollPosition) {
  cl::TBitmap tile;
  tile.SetSize(4, 4);
  tile.Canvas().FillRect({0, 0, 4, 4}, cl::clWhite);
  tile.Canvas().FillRect({0, 0, 1, 1}, cl::clRed);
  LoadText(Lines(40));
  viewer->SectionList().ImagesOn = true;
  viewer->SectionList().BgBitmap = &tile;
  viewer->SectionList().BgFetched = true;
  cl::TBitmap shot;
  shot.SetSize(40, 40);
  viewer->PaintPanel().DrawBackground(shot.Canvas(), true);
  EXPECT_EQ(shot.Canvas().GetPixel(8, 8) & 0xFFFFFF, cl::clRed);
  EXPECT_EQ(shot.Canvas().GetPixel(9, 8) & 0xFFFFFF, cl::clWhite);
  viewer->SetVScrollBarPosition(1);
  viewer->PaintPanel().DrawBackground(shot.Canvas(), true);
  EXPECT_EQ(shot.Canvas().GetPixel(8, 7) & 0xFFFFFF, cl::clRed);
  viewer->SectionList().BgBitmap = nullptr;
}

#ifdef SHOW_DOCUMENT
TEST_F(ViewerTest, TheShowProgramPutsADocumentFileInAWindow) {
  struct Case {
    std::string file;
    int status;
    std::string output;
  };
  const Case cases[] = {
      {Write("shown.htm", "<TITLE>Shown page</TITLE><P>Some words to lay out."), 0, "title: Shown page\n"},
      {Write("notes.txt", "plain text\n"), 0, "title: \n"},
      {(dir / "missing.htm").string(), 1 << 8, ""},
  };
  for (const Case& c : cases) {
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + SHOW_DOCUMENT + "' --quit '" + c.file +
                                "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
    EXPECT_EQ(::pclose(pipe), c.status) << c.file;
    if (c.status != 0) continue;
    EXPECT_EQ(output.substr(0, c.output.size()), c.output) << c.file;
    EXPECT_NE(output.find("file: " + c.file + "\n"), std::string::npos) << output;
    // Laid out: the document is taller than its two margins.
    const std::size_t height = output.find("height: ");
    ASSERT_NE(height, std::string::npos) << output;
    EXPECT_GT(std::atoi(output.c_str() + height + 8), 10) << output;
  }
}
#endif

}  // namespace

}  // namespace html
