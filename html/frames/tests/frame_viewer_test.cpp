#include "html/frames/frame_viewer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "html/parse/document_parser.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/testing/image_test_support.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/in_out_error.h"
#include "platform/core/scheduler.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/virtual_keys.h"
#include "platform/gui/test_support/screen_pixels.h"

namespace html {

namespace {

namespace t = cl::testing;

// A frame viewer of 400 x 300 whose documents go through ParseLines; frame
// sets are real FRAMESET files. Time is a manual clock.
class FrameViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t::EnsureGuiTestApplication();
    win::SetScheduler(&clock);
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 500, 400);
    fv = cl::Make<TFrameSetViewer>(*form);
    fv->SetParent(form.get());
    fv->SetBounds(0, 0, 400, 300);
    fv->DocumentParser = [this](const TParseRequest& request) {
      if (request.Source == TParseRequest::FromFile) loads.push_back(request.FileName);
      return ParseLines(request);
    };
    fv->OnProcessing = [this](cl::TObject*, bool on) { processing.push_back(on); };
    form->Show();
    t::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    t::ProcessEvents();
    win::SetScheduler(nullptr);
  }

  std::string Write(const std::string& name, const std::string& text) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  void Wait(uint64_t ms) {
    clock.Advance(ms);
    t::ProcessEvents();
  }
  TFrame& Named(const std::string& name) {
    TFrame* frame = fv->CurrentSet().FindFrame(name);
    EXPECT_NE(frame, nullptr) << name;
    return *frame;
  }
  // Clicks the link on text row `row` of a viewer's document.
  static void ClickRow(TDocViewer& viewer, int row) {
    const int x = viewer.MarginWidth() + 2;
    const int y = viewer.MarginHeight() + row * 16 + 8;
    t::ProcessEvents();  // painted, as anything the user clicks is
    t::MouseDown(viewer.PaintPanel(), x, y);
    t::MouseUp(viewer.PaintPanel(), x, y);
    t::ProcessEvents();
  }

  cl::ScopedFontEngine engine{cl::FontEngineKind::FixedPitch};
  win::ManualScheduler clock{1000};
  const cl::testing::TempDirectory temp;
  const std::filesystem::path dir = temp.Path();
  std::unique_ptr<cl::TForm> form;
  TFrameSetViewer* fv = nullptr;
  std::vector<std::string> loads;
  std::vector<bool> processing;
};

TEST_F(FrameViewerTest, APlainDocumentIsOneFrameAndAnswersForTheViewer) {
  const std::string page = Write("page.htm", "#title Plain page\nfirst words here\nsecond words here\n");
  fv->LoadFromFile(page);
  EXPECT_EQ(fv->DocumentTitle(), "Plain page");
  EXPECT_EQ(fv->CurrentFile(), page);
  ASSERT_NE(fv->ActiveViewer(), nullptr);
  EXPECT_EQ(fv->ActiveViewer()->CurrentFile(), page);
  EXPECT_EQ(processing, (std::vector<bool>{true, false}));
  EXPECT_TRUE(fv->FindText("words", false));
  EXPECT_EQ(fv->SelLength(), 5);
  EXPECT_TRUE(fv->FindText("words", false));
  EXPECT_FALSE(fv->FindText("words", false));
  EXPECT_EQ(fv->SelLength(), 5);
  EXPECT_FALSE(fv->BackButtonEnabled());
  EXPECT_FALSE(fv->FwdButtonEnabled());
}

TEST_F(FrameViewerTest, AWordFoundAtALineStartCountsAndCopiesAsFound) {
  fv->DocumentParser = ParseDocument;
  std::string words;
  for (int i = 10; i < 60; ++i) words += "w" + std::to_string(i) + " ";
  fv->LoadFromFile(Write("page.htm", "<P>first paragraph</P><P>" + words + "</P>"));
  ASSERT_NE(fv->ActiveViewer(), nullptr);
  const TSectionList& doc = fv->ActiveViewer()->SectionList();
  const TSection* paragraph = nullptr;
  for (int i = 0; i < doc.Count() && !paragraph; ++i) {
    const auto* section = dynamic_cast<const TSection*>(doc[i]);
    if (section && section->Buff.rfind("w10", 0) == 0) paragraph = section;
  }
  ASSERT_NE(paragraph, nullptr);
  ASSERT_GT(paragraph->Lines.size(), 1u);
  struct Case {
    const char* name;
    size_t line;
  } const cases[] = {{"paragraph start", 0}, {"wrapped line start", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string word = paragraph->Buff.substr(static_cast<size_t>(paragraph->Lines[c.line].Start), 3);
    ASSERT_TRUE(fv->FindText(word, true));
    EXPECT_EQ(fv->ActiveViewer()->SelStart(), paragraph->FirstPos + paragraph->Lines[c.line].Start);
    EXPECT_EQ(fv->SelLength(), 3);
    cl::Clipboard().SetAsText("");
    fv->CopyToClipboard();
    EXPECT_EQ(cl::Clipboard().AsText(), word);
  }
}

TEST_F(FrameViewerTest, AMissingFileRaisesAndKeepsTheShownSet) {
  const std::string page = Write("page.htm", "#title Kept\ntext\n");
  fv->LoadFromFile(page + "#nowhere");
  TFrameSet* const shown = &fv->CurrentSet();
  try {
    fv->LoadFromFile(Path("missing.htm") + "#part");
    FAIL() << "no exception";
  } catch (const cl::EInOutError& error) {
    EXPECT_EQ(error.Message(), "Can't locate file: " + Path("missing.htm"));
  }
  EXPECT_EQ(&fv->CurrentSet(), shown);
  EXPECT_EQ(fv->DocumentTitle(), "Kept");
  EXPECT_FALSE(fv->IsProcessing());
}

TEST_F(FrameViewerTest, ReloadingTheShownFileKeepsTheSetAndAnotherFileReplacesIt) {
  const std::string a = Write("a.htm", "#title A\ntext\n");
  const std::string b = Write("b.htm", "#title B\ntext\n");
  fv->LoadFromFile(a);
  TFrameSet* const first = &fv->CurrentSet();
  fv->LoadFromFile(a);
  EXPECT_EQ(&fv->CurrentSet(), first);
  fv->LoadFromFile(b);
  EXPECT_NE(&fv->CurrentSet(), first);
  EXPECT_EQ(fv->DocumentTitle(), "B");
  // Linux names that differ in case are two files.
  const std::string upper = Write("A.htm", "#title Upper A\ntext\n");
  fv->LoadFromFile(a);
  TFrameSet* const lower = &fv->CurrentSet();
  fv->LoadFromFile(upper);
  EXPECT_NE(&fv->CurrentSet(), lower);
  EXPECT_EQ(fv->DocumentTitle(), "Upper A");
}

TEST_F(FrameViewerTest, LinkTargetsReachTheirFrames) {
  Write("b.htm", "#title B\nshown b\n");
  Write("inner.htm", "#link b.htm|up|_parent\n");
  Write("nested.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=inner.htm NAME=Inner><FRAME SRC=c.htm></FRAMESET>");
  Write("c.htm", "c\n");
  Write("main.htm", "main\n");
  Write("menu.htm",
        "#link b.htm|one|main\n#link b.htm|two|MAIN\n#link b.htm|three|inner\n#link b.htm|four|_self\n"
        "#link b.htm|five|_top\n#link b.htm|six|_blank\n#link b.htm|seven\n");
  const std::string top = Write(
      "top.htm",
      "<FRAMESET COLS=\"100,*,*\"><FRAME SRC=menu.htm NAME=Menu><FRAME SRC=main.htm NAME=Main>"
      "<FRAME SRC=nested.htm NAME=Outer></FRAMESET>");
  struct Case {
    int row;
    const char* loadsInto;  // the frame that shows b.htm afterwards; "" for the whole set
  };
  const Case cases[] = {
      {0, "Main"}, {1, "Main"}, {2, "Inner"}, {3, "Menu"}, {4, ""}, {6, "Menu"},
  };
  for (const Case& c : cases) {
    fv->LoadFromFile(top);
    TDocViewer* const menu = Named("Menu").Viewer();
    ASSERT_NE(menu, nullptr);
    ClickRow(*menu, c.row);
    if (std::string(c.loadsInto).empty()) {
      EXPECT_EQ(fv->CurrentFile(), Path("b.htm")) << c.row;
      EXPECT_EQ(fv->DocumentTitle(), "B") << c.row;
    } else {
      EXPECT_EQ(fv->CurrentFile(), top) << c.row;
      EXPECT_EQ(Named(c.loadsInto).SourceFile, Path("b.htm")) << c.row;
      ASSERT_NE(Named(c.loadsInto).Viewer(), nullptr);
      EXPECT_EQ(Named(c.loadsInto).Viewer()->CurrentFile(), Path("b.htm")) << c.row;
    }
    EXPECT_EQ(fv->ClickedURL(), "b.htm");
    EXPECT_FALSE(fv->IsProcessing());
  }

  // _parent from the inner frame loads the frame that holds its set.
  fv->LoadFromFile(top);
  ClickRow(*Named("Inner").Viewer(), 0);
  EXPECT_EQ(Named("Outer").SourceFile, Path("b.htm"));
  EXPECT_EQ(Named("Outer").NestedSet(), nullptr);
  EXPECT_EQ(fv->CurrentSet().FindFrame("Inner"), nullptr);

  // A target that names no frame asks the application, or else does nothing.
  fv->LoadFromFile(top);
  ClickRow(*Named("Menu").Viewer(), 5);
  EXPECT_EQ(Named("Main").SourceFile, Path("main.htm"));
  EXPECT_EQ(Named("Menu").SourceFile, Path("menu.htm"));
  std::vector<std::string> requests;
  fv->OnBlankWindowRequest = [&](cl::TObject*, const std::string& target, const std::string& url) {
    requests.push_back(target + " " + url);
  };
  ClickRow(*Named("Menu").Viewer(), 5);
  EXPECT_EQ(requests, (std::vector<std::string>{"_blank b.htm"}));
}

TEST_F(FrameViewerTest, ParentLinksPassOverFrameSetsNestedInOneDocument) {
  Write("b.htm", "#title B\nshown b\n");
  Write("inner.htm", "#link b.htm|up|_parent\n");
  Write("c.htm", "c\n");
  const std::string top =
      Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=c.htm NAME=Left><FRAME SRC=deep.htm NAME=Outer></FRAMESET>");
  // levels: how deep the clicked frame's set lies inside deep.htm.
  for (const int levels : {1, 2, 3}) {
    std::string deep;
    for (int i = 1; i < levels; ++i) deep += "<FRAMESET ROWS=\"*,*\"><FRAME SRC=c.htm>";
    deep += "<FRAMESET ROWS=\"*,*\"><FRAME SRC=inner.htm NAME=Inner><FRAME SRC=c.htm></FRAMESET>";
    for (int i = 1; i < levels; ++i) deep += "</FRAMESET>";
    Write("deep.htm", deep);
    fv->LoadFromFile(top);
    ASSERT_NE(Named("Inner").Viewer(), nullptr) << levels;
    ClickRow(*Named("Inner").Viewer(), 0);
    EXPECT_EQ(fv->CurrentFile(), top) << levels;
    EXPECT_EQ(Named("Outer").SourceFile, Path("b.htm")) << levels;
    EXPECT_EQ(Named("Outer").NestedSet(), nullptr) << levels;
    EXPECT_EQ(Named("Left").SourceFile, Path("c.htm")) << levels;
    EXPECT_EQ(fv->CurrentSet().FindFrame("Inner"), nullptr) << levels;
  }
}

TEST_F(FrameViewerTest, AFrameSetThatComesThroughAnIncludeIsShownAsOne) {
  fv->OnInclude = [](cl::TObject*, const std::string& command, cl::TStrings*, std::string& buffer) {
    if (command == "frames")
      buffer = "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm NAME=Left><FRAME SRC=b.htm NAME=Right></FRAMESET>";
  };
  Write("a.htm", "a\n");
  Write("b.htm", "b\n");
  const std::string included = Write("included.htm", "<!--#frames-->\n");
  // As the whole document and as a frame's document.
  fv->LoadFromFile(included);
  ASSERT_EQ(fv->CurrentSet().Children().size(), 2u);
  EXPECT_EQ(Named("Left").SourceFile, Path("a.htm"));
  EXPECT_EQ(Named("Right").SourceFile, Path("b.htm"));
  fv->LoadFromFile(
      Write("outer.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=included.htm NAME=Inner><FRAME SRC=a.htm></FRAMESET>"));
  ASSERT_NE(Named("Inner").NestedSet(), nullptr);
  EXPECT_EQ(Named("Inner").NestedSet()->Children().size(), 2u);
  EXPECT_EQ(Named("Right").SourceFile, Path("b.htm"));
}

TEST_F(FrameViewerTest, AnEmptyViewerShowsItsBackgroundAlsoAfterAFailedLoad) {
  constexpr cl::TColor background = 0xC08020;
  fv->SetDefBackground(background);
  const cl::TPoint points[] = {{200, 150}, {10, 10}, {390, 290}};
  for (const cl::TPoint& at : points)
    EXPECT_EQ(t::ScreenPixel(*fv, at.X, at.Y), background) << "before any load, at " << at.X << "," << at.Y;
  EXPECT_THROW(fv->LoadFromFileInternal(Path("missing.htm")), std::exception);
  for (const cl::TPoint& at : points)
    EXPECT_EQ(t::ScreenPixel(*fv, at.X, at.Y), background) << "after a failed load, at " << at.X << "," << at.Y;
}

TEST_F(FrameViewerTest, TheApplicationMayHandleAClickFirst) {
  Write("b.htm", "b\n");
  const std::string page = Write("page.htm", "#link b.htm|go|there\n");
  fv->LoadFromFile(page);
  std::vector<std::string> seen;
  fv->OnHotSpotTargetClick = [&](cl::TObject* sender, const std::string& target, const std::string& url,
                                 bool& handled) {
    EXPECT_EQ(sender, fv);
    seen.push_back(target + " " + url);
    handled = true;
  };
  ClickRow(*fv->ActiveViewer(), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"there b.htm"}));
  EXPECT_EQ(fv->CurrentFile(), page);
}

TEST_F(FrameViewerTest, NothingLoadsWhileAnInnerViewerIsBusy) {
  const std::string a = Write("a.htm", "#link b.htm|go\n");
  const std::string b = Write("b.htm", "#title B\n");
  fv->LoadFromFile(a);
  TDocViewer& inner = *fv->ActiveViewer();
  processing.clear();
  fv->ViewerBusy(inner, true);
  EXPECT_TRUE(fv->IsProcessing());
  fv->LoadFromFile(b);
  fv->SetViewImages(false);
  fv->SetImageCacheCount(9);
  fv->Clear();
  bool handled = false;
  fv->ViewerHotSpotClick(inner, "b.htm", handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(fv->CurrentFile(), a);
  EXPECT_TRUE(fv->ViewImages());
  EXPECT_EQ(fv->ImageCacheCount(), 5);
  fv->ViewerBusy(inner, true);  // reported once only
  fv->ViewerBusy(inner, false);
  EXPECT_EQ(processing, (std::vector<bool>{true, false}));
  fv->LoadFromFile(b);
  EXPECT_EQ(fv->CurrentFile(), b);
}

TEST_F(FrameViewerTest, AFailedFrameLoadKeepsWhatTheFrameShowed) {
  Write("a.htm", "#title A\ntext a\n");
  Write("broken.htm", "half\n#fail\n");
  Write("set.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=a.htm NAME=Deep><FRAME SRC=a.htm></FRAMESET>");
  const std::string top = Write(
      "top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm NAME=Left><FRAME SRC=set.htm NAME=Right></FRAMESET>");
  fv->LoadFromFile(top);
  TFrame& left = Named("Left");
  TDocViewer* const viewer = left.Viewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_THROW(left.LoadFrameFile(Path("missing.htm"), "", true), cl::EInOutError);
  EXPECT_EQ(left.SourceFile, Path("a.htm"));
  EXPECT_EQ(left.Viewer(), viewer);
  EXPECT_EQ(viewer->CurrentFile(), Path("a.htm"));

  // A nested set stays when the plain document meant to replace it fails.
  TFrame& right = Named("Right");
  TSubFrameSet* const nested = right.NestedSet();
  ASSERT_NE(nested, nullptr);
  EXPECT_THROW(right.LoadFrameFile(Path("broken.htm"), "", true), cl::Exception);
  t::ProcessEvents();
  EXPECT_EQ(right.NestedSet(), nested);
  EXPECT_EQ(right.Viewer(), nullptr);
  EXPECT_EQ(right.SourceFile, Path("set.htm"));
  EXPECT_NE(fv->CurrentSet().FindFrame("deep"), nullptr);
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 3u);

  // A viewer whose new document fails half-way shows the error document.
  EXPECT_THROW(left.LoadFrameFile(Path("broken.htm"), "", true), cl::Exception);
  EXPECT_EQ(left.SourceFile, Path("a.htm"));
  EXPECT_EQ(left.Viewer()->CurrentFile(), "");
  EXPECT_EQ(loads.back(), Path("broken.htm"));
}

TEST_F(FrameViewerTest, AFrameSwitchesBetweenAViewerAndANestedSet) {
  Write("a.htm", "text a\n");
  Write("set.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=a.htm NAME=Deep><FRAME SRC=a.htm></FRAMESET>");
  const std::string top =
      Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm NAME=Left><FRAME SRC=a.htm></FRAMESET>");
  fv->LoadFromFile(top);
  TFrame& left = Named("Left");
  TDocViewer* const old = left.Viewer();
  left.LoadFrameFile(Path("set.htm"), "", true);
  ASSERT_NE(left.NestedSet(), nullptr);
  EXPECT_EQ(left.Viewer(), nullptr);
  EXPECT_EQ(std::count(fv->CurrentSet().AllViewers.begin(), fv->CurrentSet().AllViewers.end(), old), 0);
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 3u);
  EXPECT_NE(fv->CurrentSet().FindFrame("DEEP"), nullptr);
  left.LoadFrameFile(Path("a.htm"), "", true);
  EXPECT_EQ(left.NestedSet(), nullptr);
  ASSERT_NE(left.Viewer(), nullptr);
  EXPECT_EQ(fv->CurrentSet().FindFrame("Deep"), nullptr);
  EXPECT_EQ(fv->CurrentSet().AllViewers.size(), 2u);
}

TEST_F(FrameViewerTest, MetaRefreshLoadsTheDocumentsFolderTargetOnceWhenDue) {
  fv->fvOptions.insert(fvMetaRefresh);
  const std::string next = Write("next.htm", "#title Next\n");
  const std::string page = Write("page.htm", "#title First\n#meta refresh|5; URL=next.htm\n");
  ASSERT_NE(std::filesystem::current_path(), dir);
  fv->LoadFromFile(page);
  Wait(4999);
  EXPECT_EQ(fv->CurrentFile(), page);
  Wait(1);
  EXPECT_EQ(fv->CurrentFile(), next);
  EXPECT_EQ(fv->DocumentTitle(), "Next");
  // A target that does not exist starts nothing; nor does a refresh with the option off.
  const std::string lost = Write("lost.htm", "#meta refresh|1; URL=nowhere.htm\n");
  fv->LoadFromFile(lost);
  Wait(5000);
  EXPECT_EQ(fv->CurrentFile(), lost);
  fv->fvOptions.clear();
  fv->LoadFromFile(page);
  Wait(10000);
  EXPECT_EQ(fv->CurrentFile(), page);
}

TEST_F(FrameViewerTest, ARefreshTickWhileBusyWaitsAnotherInterval) {
  fv->fvOptions.insert(fvMetaRefresh);
  const std::string next = Write("next.htm", "#title Next\n");
  const std::string page = Write("page.htm", "#meta refresh|2; URL=next.htm\n");
  fv->LoadFromFile(page);
  TDocViewer& inner = *fv->ActiveViewer();
  fv->ViewerBusy(inner, true);
  Wait(2000);
  EXPECT_EQ(fv->CurrentFile(), page);
  fv->ViewerBusy(inner, false);
  Wait(1999);
  EXPECT_EQ(fv->CurrentFile(), page);
  Wait(1);
  EXPECT_EQ(fv->CurrentFile(), next);
}

TEST_F(FrameViewerTest, RefreshOfOneFrameAndOfTheWholeSet) {
  fv->fvOptions.insert(fvMetaRefresh);
  Write("a.htm", "text a\n");
  Write("b.htm", "#title B\ntext b\n");
  Write("ticking.htm", "#meta refresh|3; URL=b.htm\n");
  const std::string top =
      Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=ticking.htm NAME=Left><FRAME SRC=a.htm></FRAMESET>");
  fv->LoadFromFile(top);
  Wait(3000);
  EXPECT_EQ(fv->CurrentFile(), top);
  EXPECT_EQ(Named("Left").SourceFile, Path("b.htm"));
  EXPECT_EQ(Named("Left").Viewer()->CurrentFile(), Path("b.htm"));

  std::vector<std::string> metas;
  fv->SetOnMeta([&](cl::TObject*, const std::string& httpEq, const std::string&, const std::string& content) {
    metas.push_back(httpEq + " " + content);
  });
  const std::string set = Write("set.htm",
                                "<META HTTP-EQUIV=refresh CONTENT=\"2; URL=b.htm\">"
                                "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm><FRAME SRC=a.htm></FRAMESET>");
  fv->LoadFromFile(set);
  EXPECT_EQ(metas, (std::vector<std::string>{"refresh 2; URL=b.htm"}));
  Wait(2000);
  EXPECT_EQ(fv->CurrentFile(), Path("b.htm"));
  EXPECT_EQ(fv->DocumentTitle(), "B");
}

TEST_F(FrameViewerTest, SettersPushChangedValuesToEveryInnerViewer) {
  Write("a.htm", "text\n");
  const std::string top = Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm><FRAME SRC=a.htm></FRAMESET>");
  fv->SetDefFontSize(14);
  fv->LoadFromFile(top);
  const auto& viewers = fv->CurrentSet().AllViewers;
  ASSERT_EQ(viewers.size(), 2u);
  for (TDocViewer* v : viewers) EXPECT_EQ(v->DefFontSize(), 14);
  fv->SetDefFontSize(10);
  fv->SetNoSelect(true);
  for (TDocViewer* v : viewers) {
    EXPECT_EQ(v->DefFontSize(), 10);
    EXPECT_TRUE(v->NoSelect());
  }
  // The same face in other letter case counts as unchanged.
  fv->SetDefFontName("times new roman");
  EXPECT_EQ(fv->DefFontName(), "Times New Roman");
  for (TDocViewer* v : viewers) EXPECT_EQ(v->DefFontName(), "Times New Roman");
  fv->SetServerRoot("  /srv/web\\ ");
  EXPECT_EQ(fv->ServerRoot(), "/srv/web");
  fv->SetHistoryMaxCount(-1);
  EXPECT_EQ(fv->HistoryMaxCount(), 0);
}

TEST_F(FrameViewerTest, FormEventsOfEveryFrameReachTheApplication) {
  fv->DocumentParser = ParseDocument;
  Write("f.htm", "<FORM TARGET=out><INPUT NAME=q VALUE=1></FORM><FORM><INPUT TYPE=checkbox ONCLICK=hello></FORM>");
  const std::string top = Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=f.htm><FRAME SRC=f.htm></FRAMESET>");
  std::vector<std::string> events, clicks;
  // Given before the frames exist: each new frame viewer takes it.
  fv->SetOnFormSubmit([&](cl::TObject* sender, const std::string&, const std::string& target, const std::string&,
                          const std::string&, cl::TStringList& results) {
    const auto& viewers = fv->CurrentSet().AllViewers;
    const bool second = !viewers.empty() && sender == viewers.back();
    events.push_back(std::string(second ? "second " : "first ") + target + " " + results.Text());
  });
  fv->LoadFromFile(top);
  t::ProcessEvents();
  // Given afterwards: pushed to the frames' viewers.
  fv->SetOnObjectClick([&](cl::TObject*, cl::TObject*, const std::string& onClick) { clicks.push_back(onClick); });
  const auto& viewers = fv->CurrentSet().AllViewers;
  ASSERT_EQ(viewers.size(), 2u);
  for (TDocViewer* viewer : viewers) {
    const auto& forms = viewer->SectionList().Forms;
    ASSERT_EQ(forms.size(), 2u);
    t::PressKey(*forms[0]->Controls.at(0)->WinControl(), cl::VK_RETURN);
    t::Click(*forms[1]->Controls.at(0)->WinControl(), 4, 4);
  }
  t::ProcessEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"first out q=1\r\n", "second out q=1\r\n"}));
  EXPECT_EQ(clicks, (std::vector<std::string>{"hello", "hello"}));
}

TEST_F(FrameViewerTest, LongSelectionsArriveWholeOnTheClipboard) {
  // Around the sizes a fixed copy buffer would cut at, and far beyond them.
  for (const int length : {31999, 32000, 32500, 40000}) {
    const std::string letters(static_cast<size_t>(length - 2), 'x');  // the paragraph's end copies as CR LF
    fv->LoadFromFile(Write("long" + std::to_string(length) + ".htm", letters + "\n"));
    fv->SelectAll();
    ASSERT_EQ(fv->SelLength(), length);
    cl::Clipboard().SetAsText("old");
    fv->CopyToClipboard();
    const std::string copied = cl::Clipboard().AsText();
    EXPECT_EQ(copied.size(), static_cast<size_t>(length));
    EXPECT_TRUE(copied == letters + "\r\n") << length;
  }
  // An empty selection leaves the clipboard alone.
  fv->SetSelLength(0);
  cl::Clipboard().SetAsText("kept");
  fv->CopyToClipboard();
  EXPECT_EQ(cl::Clipboard().AsText(), "kept");
}

TEST_F(FrameViewerTest, LinksExpandAgainstTheActiveViewerOrTheSetsFile) {
  fv->LoadFromFile(Write("page.htm", "text\n"));
  const std::string here = dir.string() + "/";
  EXPECT_EQ(fv->ExpandLinkFileName(" next.htm "), here + "next.htm");
  EXPECT_EQ(fv->ExpandLinkFileName("/abs/x/../a.htm"), "/abs/a.htm");
  fv->SetServerRoot("/srv/root\\");
  EXPECT_EQ(fv->ExpandLinkFileName("\\dir\\a.htm"), "/srv/root/dir/a.htm");
  fv->SetServerRoot("");
  fv->LoadFromFile(Write("dos.htm", "#base DosPath\ntext\n"));
  EXPECT_EQ(fv->ExpandLinkFileName("next.htm"), "next.htm");
  Write("a.htm", "x\n");
  fv->LoadFromFile(Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm><FRAME SRC=a.htm></FRAMESET>"));
  ASSERT_EQ(fv->ActiveViewer(), nullptr);
  EXPECT_EQ(fv->ExpandLinkFileName("sub/next.htm"), here + "sub/next.htm");
}

TEST_F(FrameViewerTest, ReloadLoadsEveryFrameAgainAtItsPlace) {
  std::string lines;
  for (int i = 0; i < 60; ++i) lines += "line " + std::to_string(i) + "\n";
  Write("long.htm", lines);
  Write("a.htm", "short\n");
  const std::string top =
      Write("top.htm", "<FRAMESET ROWS=\"*,*\"><FRAME SRC=long.htm NAME=Long><FRAME SRC=a.htm></FRAMESET>");
  fv->LoadFromFile(top);
  TDocViewer* const viewer = Named("Long").Viewer();
  ASSERT_NE(viewer, nullptr);
  viewer->SetVScrollBarPosition(200);
  const int32_t place = viewer->VScrollBarPosition();
  ASSERT_GT(place, 0);
  loads.clear();
  processing.clear();
  fv->Reload();
  EXPECT_EQ(loads, (std::vector<std::string>{Path("long.htm"), Path("a.htm")}));
  EXPECT_EQ(Named("Long").Viewer(), viewer);
  EXPECT_FALSE(Named("Long").IsUnloaded);
  EXPECT_EQ(viewer->VScrollBarPosition(), place);
  EXPECT_EQ(viewer->CurrentFile(), Path("long.htm"));
  EXPECT_EQ(processing, (std::vector<bool>{true, false}));
}

TEST_F(FrameViewerTest, CoveringALinkReportsTheInnerViewerAndTheTarget) {
  Write("b.htm", "b\n");
  fv->LoadFromFile(Write("page.htm", "plain\n#link b.htm|go|there\n"));
  TDocViewer& inner = *fv->ActiveViewer();
  std::vector<std::string> covered;
  fv->OnHotSpotTargetCovered = [&](cl::TObject* sender, const std::string& target, const std::string& url) {
    EXPECT_EQ(sender, &inner);
    covered.push_back(target + "|" + url);
  };
  t::ProcessEvents();
  const int x = inner.MarginWidth() + 2;
  t::MouseMove(inner.PaintPanel(), x, inner.MarginHeight() + 16 + 8);
  t::MouseMove(inner.PaintPanel(), x + 8, inner.MarginHeight() + 16 + 8);
  t::MouseMove(inner.PaintPanel(), x, inner.MarginHeight() + 8);
  EXPECT_EQ(covered, (std::vector<std::string>{"there|b.htm", "|"}));
}

TEST_F(FrameViewerTest, AnUnusedPictureSurvivesFiveFollowedLinksAndGoesOnTheSixth) {
  fv->DocumentParser = ParseDocument;
  std::map<std::string, int> asked;
  const fixtures::Bytes bmp = fixtures::Bmp24(4, 4, std::vector<fixtures::Rgb>(16, {0, 0, 255}));
  std::vector<std::unique_ptr<cl::TMemoryStream>> given;
  fv->SetOnImageRequest([&](TDocViewer*, const std::string& name, cl::TStream*& stream) {
    ++asked[name];
    given.push_back(StreamOf(bmp));
    stream = given.back().get();
  });
  struct Case {
    int between;  // documents without the picture between its two showings
    int requests;
  };
  const Case cases[] = {{3, 1}, {4, 1}, {5, 2}};
  for (const Case& c : cases) {
    // A picture name of its own, so that no other case's entry answers.
    const std::string picture = "pic" + std::to_string(c.between) + ".bmp";
    const std::string image = "<BR><IMG SRC=\"" + picture + "\">";
    auto page = [&](int n) { return "p" + std::to_string(c.between) + "_" + std::to_string(n) + ".htm"; };
    for (int n = 0; n <= c.between + 1; ++n) {
      const bool shows = n == 0 || n == c.between + 1;
      Write(page(n), "<A HREF=\"" + page(n + 1) + "\">next</A>" + (shows ? image : std::string()));
    }
    fv->LoadFromFile(Path(page(0)));
    ASSERT_EQ(asked[picture], 1) << c.between;
    for (int n = 1; n <= c.between + 1; ++n) {
      ASSERT_NE(fv->ActiveViewer(), nullptr);
      ClickRow(*fv->ActiveViewer(), 0);
      ASSERT_EQ(fv->CurrentFile(), Path(page(n))) << c.between;
    }
    EXPECT_EQ(asked[picture], c.requests) << c.between;
  }
}

TEST_F(FrameViewerTest, TheApplicationMaySupplyDocuments) {
  const std::string page = Write("page.htm", "#title From the file\n");
  const std::string other = Write("other.htm", "#title Other file\n");
  cl::TStringList supplied;
  supplied.SetText("#title Supplied\ntext\n");
  std::vector<std::string> asked;
  fv->OnStringsRequest = [&](cl::TObject* sender, const std::string& src, cl::TStrings*& strings) {
    EXPECT_NE(dynamic_cast<TFrameSet*>(sender), nullptr);
    asked.push_back("strings " + src);
    strings = &supplied;
  };
  // Asked only while the other three are unassigned.
  fv->OnFileRequest = [&](cl::TObject*, const std::string& src, std::string& newName) {
    asked.push_back("file " + src);
    newName = other;
  };
  fv->LoadFromFile(page);
  EXPECT_EQ(fv->DocumentTitle(), "Supplied");
  EXPECT_EQ(fv->CurrentFile(), page);
  EXPECT_EQ(asked, (std::vector<std::string>{"strings " + page, "strings " + page}));

  // A supplied frame set: its frames keep their names as written and are asked for in turn.
  cl::TStringList frames;
  frames.SetText("<FRAMESET COLS=\"*,*\"><FRAME SRC=left.htm NAME=Left><FRAME SRC=right.htm#part NAME=Right></FRAMESET>");
  cl::TStringList left;
  left.SetText("#title Left supplied\n");
  const std::string set = Write("set.htm", "");
  asked.clear();
  fv->OnStringsRequest = [&](cl::TObject*, const std::string& src, cl::TStrings*& strings) {
    asked.push_back(src);
    strings = src == set ? &frames : src == "left.htm" ? &left : nullptr;
  };
  fv->LoadFromFile(set);
  EXPECT_EQ(asked, (std::vector<std::string>{set, "left.htm", "right.htm"}));
  ASSERT_NE(Named("Left").Viewer(), nullptr);
  EXPECT_EQ(Named("Left").Viewer()->DocumentTitle(), "Left supplied");
  EXPECT_EQ(Named("Right").SourceFile, "right.htm");

  fv->OnStringsRequest = nullptr;
  asked.clear();
  fv->LoadFromFile(page);
  EXPECT_EQ(fv->DocumentTitle(), "Other file");
  EXPECT_EQ(asked, (std::vector<std::string>{"file " + page, "file " + page}));
  EXPECT_EQ(fv->ActiveViewer()->CurrentFile(), other);
}

TEST_F(FrameViewerTest, AFrameWithoutASourcePassesTheViewersMouseEvents) {
  Write("a.htm", "text\n");
  fv->LoadFromFile(Write("top.htm", "<FRAMESET COLS=\"*,*\"><FRAME SRC=a.htm><FRAME NAME=Empty></FRAMESET>"));
  std::vector<std::string> events;
  fv->OnMouseDown = [&](cl::TObject* sender, cl::TMouseButton, cl::TShiftState, int, int) {
    events.push_back(sender == &Named("Empty") ? "down in the empty frame" : "down elsewhere");
  };
  fv->OnMouseUp = [&](cl::TObject*, cl::TMouseButton, cl::TShiftState, int, int) { events.push_back("up"); };
  fv->LoadFromFile(Path("top.htm"));
  TFrame& empty = Named("Empty");
  EXPECT_EQ(empty.Viewer(), nullptr);
  t::ProcessEvents();
  t::MouseDown(empty, empty.Width() / 2, empty.Height() / 2);
  t::MouseUp(empty, empty.Width() / 2, empty.Height() / 2);
  EXPECT_EQ(events, (std::vector<std::string>{"down in the empty frame", "up"}));
}

}  // namespace

}  // namespace html
