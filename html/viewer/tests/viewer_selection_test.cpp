#include <gtest/gtest.h>

#include <optional>

#include "html/parse/document_parser.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/scheduler.h"
#include "platform/gui/clipboard.h"

namespace html {

namespace {

namespace t = cl::testing;

// Records what follows links and which history entries are made.
class SelectionTest : public ViewerTest {
 protected:
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->OnHotSpotClick = [this](cl::TObject*, const std::string& src, bool& handled) {
      clicked.push_back(src);
      handled = handleClicks;
    };
  }
  // A press the test leaves down comes up before the form goes.
  void TearDown() override {
    pressed.reset();
    ViewerTest::TearDown();
  }
  TPaintPanel& Panel() { return viewer->PaintPanel(); }
  void Press(int x, int y) { pressed.emplace(Panel(), x, y); }
  void Release(int x, int y) {
    if (!pressed) return t::MouseUp(Panel(), x, y);
    pressed->Release(Panel(), x, y);
    pressed.reset();
  }
  void Drag(int x, int y) { t::MouseMove(Panel(), x, y, cl::ssLeft); }
  std::string Selected() {
    const TSectionList& doc = viewer->SectionList();
    std::string text;
    for (int i = 0; i < doc.Count(); ++i) {
      const auto* section = dynamic_cast<const TSection*>(doc[i]);
      if (!section) continue;
      for (int32_t p = std::max(doc.SelFrom, section->FirstPos);
           p < std::min(doc.SelTo, section->FirstPos + section->PosCount); ++p)
        text += section->Buff[static_cast<size_t>(p - section->FirstPos)];
    }
    return text;
  }

  std::vector<std::string> clicked;
  bool handleClicks = true;
  std::optional<t::PressedMouseButton> pressed;
};

TEST_F(SelectionTest, AClickOnALinkFollowsIt) {
  LoadText("plain words here\n#link next.htm|go there\n");
  Press(PanelX(1), PanelY(1));
  Release(PanelX(1), PanelY(1));
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], "next.htm");
  EXPECT_EQ(viewer->URL(), "next.htm");
}

TEST_F(SelectionTest, HitTestsNeedNoPaintFirst) {
  viewer->SetMarginWidth(40);
  cl::testing::ProcessEvents();
  // A viewer that lays its document out but is never painted.
  TPaintPanel& panel = Panel();
  const auto paint = panel.OnPaintDocument;
  panel.OnPaintDocument = [](cl::TCanvas&) {};
  LoadText("plain words here\n#link next.htm|go\n");
  auto carets = [&] {
    std::vector<std::pair<int32_t, int32_t>> answers;
    for (int row = 0; row < 2; ++row)
      for (int x = 0; x < 200; x += 3) {
        const auto place = viewer->SectionList().CaretAtXY(panel.Canvas(), x, row * 16 + 8);
        answers.emplace_back(place ? place->Position : -1, place ? place->CaretX : 0);
      }
    return answers;
  };
  const auto before = carets();
  // A click on the link's last character follows it.
  Press(PanelX(1), PanelY(1));
  Release(PanelX(1), PanelY(1));
  ASSERT_EQ(clicked, std::vector<std::string>{"next.htm"});
  EXPECT_EQ(viewer->SelLength(), 0);
  panel.OnPaintDocument = paint;
  panel.Repaint();
  cl::testing::ProcessEvents();
  EXPECT_TRUE(carets() == before);
}

TEST_F(SelectionTest, ADragEndingOnALinkOnlySelects) {
  LoadText("plain words here\n#link next.htm|go there\n");
  Press(PanelX(0), PanelY(0));
  Drag(PanelX(5), PanelY(0));
  Drag(PanelX(2), PanelY(1));
  Release(PanelX(2), PanelY(1));
  EXPECT_TRUE(clicked.empty());
  EXPECT_GT(viewer->SelLength(), 0);
  EXPECT_EQ(Selected().substr(0, 5), "plain");
}

TEST_F(SelectionTest, CoveringALinkFiresOnceAndLeavingItFiresAnEmptySource) {
  LoadText("plain words here\n#link next.htm|go there\n");
  std::vector<std::string> covered;
  viewer->OnHotSpotCovered = [&](cl::TObject*, const std::string& src) { covered.push_back(src); };
  t::MouseMove(Panel(), PanelX(1), PanelY(0));
  t::MouseMove(Panel(), PanelX(1), PanelY(1));
  EXPECT_EQ(Panel().Cursor(), TDocViewer::LinkCursor);
  t::MouseMove(Panel(), PanelX(3), PanelY(1));
  t::MouseMove(Panel(), PanelX(2), PanelY(0));
  EXPECT_EQ(Panel().Cursor(), TDocViewer::TextCursor);
  t::MouseMove(Panel(), PanelX(1), PanelY(5));
  EXPECT_EQ(Panel().Cursor(), cl::crArrow);
  EXPECT_EQ(covered, (std::vector<std::string>{"next.htm", ""}));
}

TEST_F(SelectionTest, DoubleClickSelectsWholeWordsOfEveryCodePage1250Letter) {
  // "žluťoučký kůň śląskie łąka ŻŹ" in code page 1250.
  const std::string czech = "\x9El\x75\x9Dou\xE8k\xFD k\xF9\xF2 \x9Cl\xB9skie\n\xB3\xB9ka \xAF\x8F\xBC\xBE\xAA\xBA end \xB5m";
  LoadText(czech + "\n");
  struct Case {
    int row;
    int column;
    const char* word;
  };
  const Case cases[] = {{0, 0, "\x9El\x75\x9Dou\xE8k\xFD"}, {0, 3, "\x9El\x75\x9Dou\xE8k\xFD"},
                        {0, 11, "k\xF9\xF2"},                {0, 14, "\x9Cl\xB9skie"},
                        {1, 1, "\xB3\xB9ka"},                {1, 7, "\xAF\x8F\xBC\xBE\xAA\xBA"},
                        {1, 17, "\xB5m"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    viewer->SetSelLength(0);
    t::DoubleClick(Panel(), PanelX(c.column) - 1, PanelY(c.row));
    EXPECT_EQ(Selected(), c.word);
  }
  viewer->SetSelLength(0);
  t::DoubleClick(Panel(), PanelX(9) - 1, PanelY(0));  // the blank
  EXPECT_EQ(Selected(), "");
  t::DoubleClick(Panel(), PanelX(60), PanelY(0));  // beyond the line
  EXPECT_EQ(Selected(), "");
}

TEST_F(SelectionTest, ADoubleClickThatFollowedALinkSelectsNothing) {
  LoadText("#link next.htm|linked words\n");
  t::DoubleClick(Panel(), PanelX(1), PanelY(0));
  EXPECT_EQ(clicked.size(), 1u);
  EXPECT_EQ(Selected(), "");
}

TEST_F(SelectionTest, FindGoesOnFromTheLastMatchAndKeepsTheSelectionAtTheEnd) {
  LoadText("one cat x\ntwo Cat y\nthree\n");
  ASSERT_TRUE(viewer->FindText("cat", false));
  EXPECT_EQ(viewer->SelStart(), 4);
  ASSERT_TRUE(viewer->FindText("cat", false));
  const int32_t second = viewer->SelStart();
  EXPECT_GT(second, 4);
  EXPECT_EQ(Selected(), "Cat");
  EXPECT_FALSE(viewer->FindText("cat", false));
  EXPECT_EQ(viewer->SelStart(), second);
  EXPECT_EQ(viewer->SelLength(), 3);
  EXPECT_FALSE(viewer->FindText("", false));
}

TEST_F(SelectionTest, FindSelectsExactlyWhatItSearchedForLongPatterns) {
  const std::string longWord(300, 'q');
  LoadText("start " + longWord + "x end\n");
  ASSERT_TRUE(viewer->FindText(longWord + "x", true));
  EXPECT_EQ(viewer->SelStart(), 6);
  EXPECT_EQ(viewer->SectionList().SelTo, 6 + 301);
  EXPECT_FALSE(viewer->FindText(std::string(300, 'q') + "y", true));
}

TEST_F(SelectionTest, FindScrollsAMatchBelowTheWindowIntoView) {
  LoadText(Lines(60) + "needle\n");
  ASSERT_TRUE(viewer->FindText("needle", true));
  const int32_t y = viewer->MarginHeight() + 60 * 16;
  EXPECT_LE(viewer->VScrollBarPosition(), y);
  EXPECT_GT(viewer->VScrollBarPosition() + Panel().Height(), y);
}

TEST_F(SelectionTest, AFoundWordCountsAndCopiesWithoutTheBreakBeforeIt) {
  // The viewer's lines hold 32 characters; each word to find starts a line.
  struct Case {
    const char* name;
    const char* html;
    const char* copied;
  } const cases[] = {
      {"second paragraph", "<P>first paragraph</P><P>Tenletters and more</P>", "Tenletters"},
      {"wrapped line", "<P>aaa bbb ccc ddd eee fff ggg hhh Tenletters kkk</P>", "Tenletters"},
      {"after a line break", "first line<BR>Tenletters and more", "Tenletters"},
      {"preformatted line", "<PRE>pre line\nTenletters and more\n</PRE>", "Tenletters"},
      {"next table cell", "<TABLE><TR><TD>left</TD></TR><TR><TD>Tenletters and more</TD></TR></TABLE>",
       "Tenletters"},
      // A match that fills its line is a fully selected line: its break is copied.
      {"whole line", "<P>first</P><P>Tenletters</P>", "Tenletters\r\n"},
  };
  viewer->Parser = ParseDocument;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadText(c.html);
    ASSERT_TRUE(viewer->FindText("Tenletters", true));
    EXPECT_EQ(viewer->SectionList().SelTo - viewer->SelStart(), 10);
    cl::Clipboard().SetAsText("");
    viewer->CopyToClipboard();
    EXPECT_EQ(cl::Clipboard().AsText(), c.copied);
    EXPECT_EQ(viewer->SelLength(), static_cast<int32_t>(std::string(c.copied).size()));
  }
}

TEST_F(SelectionTest, SelectionLengthWritesOnlyCollapse) {
  LoadText("some words\n");
  viewer->SelectAll();
  const int32_t all = viewer->SelLength();
  EXPECT_EQ(all, 12);  // the paragraph's end counts as CR LF
  viewer->SetSelLength(5);
  EXPECT_EQ(viewer->SelLength(), all);
  viewer->SetSelLength(0);
  EXPECT_EQ(viewer->SelLength(), 0);
}

TEST_F(SelectionTest, NoSelectStopsSelectingButNotLinks) {
  LoadText("plain words here\n#link next.htm|go there\n");
  viewer->SelectAll();
  viewer->SetNoSelect(true);
  EXPECT_EQ(viewer->SelLength(), 0);
  viewer->SelectAll();
  EXPECT_EQ(viewer->SelLength(), 0);
  Press(PanelX(0), PanelY(0));
  Drag(PanelX(8), PanelY(0));
  Release(PanelX(8), PanelY(0));
  EXPECT_EQ(viewer->SelLength(), 0);
  Press(PanelX(1), PanelY(1));
  Release(PanelX(1), PanelY(1));
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(SelectionTest, CopyingPutsTheWholeSelectionOnTheClipboard) {
  // 400 paragraphs of 98 letters, each copied with its CR LF: 40,000 characters.
  std::string lines, expected;
  for (int i = 0; i < 400; ++i) {
    const std::string line(98, static_cast<char>('a' + i % 26));
    lines += line + "\n";
    expected += line + "\r\n";
  }
  LoadText(lines);
  viewer->SelectAll();
  viewer->CopyToClipboard();
  const std::string copied = cl::Clipboard().AsText();
  EXPECT_EQ(copied.size(), 40000u);
  EXPECT_TRUE(copied == expected);
}

class HistoryViewer : public TDocViewer {
 public:
  using TDocViewer::TDocViewer;
  void BumpHistory(const std::string& fileName, const std::string&, int32_t oldPos, THtmlFileType) override {
    entries.emplace_back(fileName, oldPos);
  }
  std::vector<std::pair<std::string, int32_t>> entries;
};

TEST_F(SelectionTest, FollowingLinksLoadsJumpsAndIgnoresOtherKinds) {
  viewer->Hide();
  auto* history = cl::Make<HistoryViewer>(*form);
  history->SetParent(form.get());
  history->SetBounds(0, 0, 300, 200);
  history->Parser = [this](const TParseRequest& request) { return ParseLines(request, &parses); };
  Write("Page.HTM", "#title upper\nx\n");
  Write("pic.gif", "GIF89a");
  struct Case {
    const char* url;
    size_t entries;       // history entries made
    const char* shown;    // the file shown after the click
    bool atAnchor;        // scrolled to the anchor "end"
  };
  const Case cases[] = {
      {"#end", 1, "page.htm", true},          {"#missing", 0, "page.htm", false},
      // A link to another file records through the load.
      {"page.htm#END", 1, "page.htm", true},  {"Page.HTM", 1, "Page.HTM", false},
      {"notes.txt", 0, "page.htm", false},    {"run.exe", 0, "page.htm", false},
      {"pic.gif", 1, "pic.gif", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const std::string page = Write("page.htm", std::string("#link ") + c.url + "|the link\n" + Lines(40) +
                                                   "#anchor end\nlast\n" + Lines(20));
    history->LoadFromFile(Write("blank.htm", "x\n"));
    history->LoadFromFile(page);
    history->entries.clear();
    t::ProcessEvents();
    t::MouseDown(history->PaintPanel(), PanelX(1), PanelY(0));
    t::MouseUp(history->PaintPanel(), PanelX(1), PanelY(0));
    EXPECT_EQ(history->entries.size(), c.entries);
    if (c.entries > 0) {
      EXPECT_EQ(history->entries[0], std::make_pair(page, 0));
    }
    EXPECT_EQ(history->CurrentFile(), (dir / c.shown).string());
    EXPECT_EQ(history->VScrollBarPosition() > 0, c.atAnchor);
  }
}

TEST_F(SelectionTest, AutoScrollStepsEvery100MillisecondsUntilTheButtonComesUp) {
  win::ManualScheduler clock(1000);
  win::SetScheduler(&clock);
  LoadText(Lines(100));
  Press(PanelX(0), PanelY(2));
  Drag(PanelX(3), viewer->Height() + 5);  // just below: small steps
  t::ProcessEvents();
  EXPECT_TRUE(viewer->AutoScrolling());
  const int32_t start = viewer->VScrollBarPosition();
  std::vector<int32_t> steps;
  for (int i = 0; i < 3; ++i) {
    clock.Advance(100);
    t::ProcessEvents();
    steps.push_back(viewer->VScrollBarPosition());
  }
  EXPECT_EQ(steps, (std::vector<int32_t>{start + 16, start + 32, start + 48}));
  Drag(PanelX(3), viewer->Height() + 40);  // far below: eight lines a step
  clock.Advance(100);
  t::ProcessEvents();
  EXPECT_EQ(viewer->VScrollBarPosition(), start + 48 + 128);
  EXPECT_GT(viewer->SelLength(), 0);
  clock.Advance(50);  // not yet due
  t::ProcessEvents();
  EXPECT_EQ(viewer->VScrollBarPosition(), start + 48 + 128);
  Release(PanelX(3), viewer->Height() + 40);
  EXPECT_FALSE(viewer->AutoScrolling());
  const int32_t stopped = viewer->VScrollBarPosition();
  clock.Advance(500);
  t::ProcessEvents();
  EXPECT_EQ(viewer->VScrollBarPosition(), stopped);
  win::SetScheduler(nullptr);
}

TEST_F(SelectionTest, AutoScrollUpStopsAtTheTopAndEndsWithTheViewer) {
  win::ManualScheduler clock(1000);
  win::SetScheduler(&clock);
  LoadText(Lines(100));
  viewer->SetVScrollBarPosition(40);
  Press(PanelX(0), PanelY(4));
  Drag(PanelX(0), -3);
  t::ProcessEvents();
  for (int i = 0; i < 5; ++i) {
    clock.Advance(100);
    t::ProcessEvents();
  }
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  EXPECT_TRUE(viewer->AutoScrolling());
  // Freed while scrolling: nothing runs on.
  cl::FreeComponent(viewer);
  viewer = nullptr;
  clock.Advance(200);
  t::ProcessEvents();
  win::SetScheduler(nullptr);
}

TEST_F(SelectionTest, AutoScrollStopsWhenTheButtonIsLostWithoutARelease) {
  win::ManualScheduler clock(1000);
  win::SetScheduler(&clock);
  LoadText(Lines(100));
  Press(PanelX(0), PanelY(2));
  Drag(PanelX(0), viewer->Height() + 5);
  t::ProcessEvents();
  Panel().SetMouseCapture(false);
  clock.Advance(100);
  t::ProcessEvents();
  EXPECT_FALSE(viewer->AutoScrolling());
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  win::SetScheduler(nullptr);
}

}  // namespace

}  // namespace html
