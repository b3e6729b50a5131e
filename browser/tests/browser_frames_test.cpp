#include <gtest/gtest.h>

#include "browser/tests/browser_form_fixture.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/parse/document_parser.h"
#include "platform/core/scheduler.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/font_engine.h"

using namespace html;

namespace t = cl::testing;

namespace {

// The main window on a frame set: a contents frame whose links load into
// the frame named Main or replace the whole document.
class BrowserFramesTest : public BrowserFormTest {
 protected:
  BrowserFramesTest() {
    win::SetScheduler(&clock_);
    docs_.Write("guide.htm",
                "<HTML><HEAD><TITLE>Frame guide</TITLE></HEAD>"
                "<FRAMESET COLS=\"160,*\"><FRAME SRC=\"toc.htm\" NAME=\"toc\">"
                "<FRAME SRC=\"intro.htm\" NAME=\"Main\">"
                "<NOFRAMES>No frames here</NOFRAMES></FRAMESET></HTML>");
    docs_.Write("toc.htm",
                "#title Contents\n#link part.htm|Part one|main\n#link other.htm|Whole page|_top\n"
                "Words enough to fill a narrow contents frame several times over, so that they wrap.\n");
    docs_.Write("intro.htm", "#title Intro\nIntro text\nmore intro\n");
    docs_.Write("part.htm", "#title Part\nPart text\n");
  }
  ~BrowserFramesTest() override {
    Stop();
    win::SetScheduler(nullptr);
  }

  TDocViewer& FrameViewer(const std::string& name) {
    TFrame* const frame = form_->Viewer().CurrentSet().FindFrame(name);
    if (frame == nullptr || frame->Viewer() == nullptr) throw std::runtime_error("no viewer in frame " + name);
    return *frame->Viewer();
  }
  // A click on text row `row` of a frame's document, as the user makes it.
  void ClickRow(const std::string& frame, int row) {
    TDocViewer& viewer = FrameViewer(frame);
    const int x = viewer.MarginWidth() + 2;
    const int y = viewer.MarginHeight() + row * 16 + 8;
    t::ProcessEvents();
    t::MouseDown(viewer.PaintPanel(), x, y);
    t::MouseUp(viewer.PaintPanel(), x, y);
    t::ProcessEvents();
  }
  void Wait(uint64_t ms) {
    clock_.Advance(ms);
    t::ProcessEvents();
  }

  cl::ScopedFontEngine engine_{cl::FontEngineKind::FixedPitch};
  win::ManualScheduler clock_{1000};
};

// Open, the document's actions but Copy, and the fonts.
const std::vector<bool> withActiveFrame = {true, true, true, true, true, false, true,
                                           true, false, false, true, true, true};
// After a link loaded into a frame: Back as well.
const std::vector<bool> afterALink = [] {
  std::vector<bool> enabled = withActiveFrame;
  enabled[brw::tbBack] = true;
  return enabled;
}();
// No frame entered yet: only Open and the fonts.
const std::vector<bool> withoutActiveFrame = {true, false, false, false, false, false, false,
                                              false, false, false, true, true, true};

TEST_F(BrowserFramesTest, AFrameSetStartDocumentShowsItsFramesUnderItsTitle) {
  brw::TBrowserForm& form = Start({Doc("guide.htm")});
  EXPECT_EQ(form.Caption(), "Frame guide");
  EXPECT_EQ(form.GetCurrentFile(), Doc("guide.htm"));
  EXPECT_EQ(FrameViewer("toc").CurrentFile(), Doc("toc.htm"));
  EXPECT_EQ(FrameViewer("main").CurrentFile(), Doc("intro.htm"));
  // Each frame is laid out at its own width, not the window's.
  for (const char* frame : {"toc", "main"}) {
    TDocViewer& viewer = FrameViewer(frame);
    EXPECT_LE(viewer.MaxHorz() + 2 * viewer.MarginWidth(), viewer.Width()) << frame;
    EXPECT_FALSE(viewer.HScrollBar().Visible()) << frame;
  }
  EXPECT_TRUE(form.Timer200ms().Enabled());  // no busy bracket left open
  EXPECT_EQ(EnabledButtons(), withoutActiveFrame);
  EXPECT_EQ(EnabledItems(), withoutActiveFrame);
}

TEST_F(BrowserFramesTest, ALinkInTheContentsFrameLoadsIntoItsTargetFrame) {
  brw::TBrowserForm& form = Start({Doc("guide.htm")});
  ClickRow("toc", 0);
  EXPECT_EQ(FrameViewer("main").CurrentFile(), Doc("part.htm"));
  EXPECT_EQ(FrameViewer("toc").CurrentFile(), Doc("toc.htm"));
  // Still the frame set: the caption and the file that Save and Home use.
  EXPECT_EQ(form.GetCurrentFile(), Doc("guide.htm"));
  EXPECT_EQ(form.Caption(), "Frame guide");
  EXPECT_TRUE(form.Timer200ms().Enabled());  // no busy bracket left open
  // The clicked frame has the focus, so the document's actions are on, and
  // Back returns the frame to its first document.
  EXPECT_EQ(EnabledButtons(), afterALink);
  EXPECT_EQ(EnabledItems(), afterALink);

  ClickRow("toc", 1);  // target _top: the whole window
  EXPECT_EQ(form.GetCurrentFile(), Doc("other.htm"));
  ASSERT_NE(form.Viewer().ActiveViewer(), nullptr);
  EXPECT_EQ(form.Viewer().ActiveViewer()->CurrentFile(), Doc("other.htm"));
  EXPECT_EQ(form.StartDocument(), Doc("guide.htm"));

  form.Button(brw::tbHome).Click();
  EXPECT_EQ(form.GetCurrentFile(), Doc("guide.htm"));
  EXPECT_EQ(FrameViewer("main").CurrentFile(), Doc("intro.htm"));
}

TEST_F(BrowserFramesTest, EnteringAFrameEnablesTheDocumentsActionsWithin200ms) {
  brw::TBrowserForm& form = Start({Doc("guide.htm")});
  Wait(250);
  ASSERT_EQ(EnabledButtons(), withoutActiveFrame);
  ClickRow("main", 0);  // plain text, no link
  ASSERT_EQ(form.Viewer().ActiveViewer(), &FrameViewer("main"));
  Wait(200);
  EXPECT_EQ(EnabledButtons(), withActiveFrame);
  EXPECT_EQ(EnabledItems(), withActiveFrame);
}

TEST_F(BrowserFramesTest, SelectAllCopyAndFindActOnTheFrameWithTheFocus) {
  brw::TBrowserForm& form = Start({Doc("guide.htm")});
  ClickRow("main", 0);
  Wait(200);
  form.Button(brw::tbSelectAll).Click();
  EXPECT_GT(FrameViewer("main").SelLength(), 0);
  EXPECT_EQ(FrameViewer("toc").SelLength(), 0);
  Wait(200);
  ASSERT_TRUE(form.Button(brw::tbCopy).Enabled());
  cl::Clipboard().Clear();
  form.Button(brw::tbCopy).Click();
  const std::string copied = cl::Clipboard().AsText();
  EXPECT_NE(copied.find("Intro text"), std::string::npos) << copied;
  EXPECT_EQ(copied.find("Part one"), std::string::npos) << copied;

  t::ScriptedDialogs script;
  script.Find = [](cl::TFindDialog& dialog) {
    dialog.FindText = "more intro";  // in the focused frame
    dialog.Find();
    dialog.FindText = "Whole page";  // only in the contents frame
    dialog.Find();
  };
  script.Message = [](const std::string&, const std::string&, uint32_t) { return cl::IDOK; };
  form.Button(brw::tbFind).Click();
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_NE(script.Messages[0].text.find("Whole page"), std::string::npos);
  // What was found is the focused frame's selection.
  cl::Clipboard().Clear();
  form.BBtn_CopyClick();
  const std::string found = cl::Clipboard().AsText();
  EXPECT_NE(found.find("more intro"), std::string::npos) << found;
  EXPECT_EQ(found.find("Intro text"), std::string::npos) << found;
}

TEST_F(BrowserFramesTest, TheButtonsAreOffWhileAFrameLoads) {
  struct Seen {
    bool timer;
    std::vector<bool> buttons;
    std::vector<bool> items;
  };
  std::vector<Seen> seen;
  const auto see = [&] {
    seen.push_back({form_->Timer200ms().Enabled(), EnabledButtons(), EnabledItems()});
  };
  onParse_ = [&](const TParseRequest& request) {
    if (request.FileName == Doc("part.htm")) see();
  };
  brw::TBrowserForm& form = Start({Doc("guide.htm")});
  // What the window shows just after the viewer says its load has ended.
  const auto processing = form.Viewer().OnProcessing;
  form.Viewer().OnProcessing = [&, processing](cl::TObject* sender, bool on) {
    processing(sender, on);
    if (!on) see();
  };
  const Seen off{false, std::vector<bool>(brw::toolButtonCount, false),
                 std::vector<bool>(brw::toolButtonCount, false)};
  const auto expectSeen = [](const Seen& s, const Seen& expected, const char* when) {
    EXPECT_EQ(s.timer, expected.timer) << when;
    EXPECT_EQ(s.buttons, expected.buttons) << when;
    EXPECT_EQ(s.items, expected.items) << when;
  };

  ClickRow("toc", 0);
  ASSERT_EQ(seen.size(), 2u);
  expectSeen(seen[0], off, "while the frame loads");
  // The viewer's bracket was the only one: its end turns the actions back on.
  expectSeen(seen[1], {true, afterALink, afterALink}, "when the load ends");
  EXPECT_TRUE(form.Timer200ms().Enabled());
  EXPECT_EQ(EnabledButtons(), afterALink);

  // Reload's own bracket and the viewer's nest: the viewer's end inside it
  // leaves everything off until Reload's ends.
  seen.clear();
  form.Button(brw::tbReload).Click();
  ASSERT_EQ(seen.size(), 2u);
  expectSeen(seen[0], off, "while Reload loads the frame");
  expectSeen(seen[1], off, "when the load inside Reload ends");
  EXPECT_TRUE(form.Timer200ms().Enabled());
  EXPECT_EQ(FrameViewer("main").CurrentFile(), Doc("part.htm"));
  EXPECT_EQ(EnabledButtons(), afterALink);
}

// The shipped frame set, parsed for real: two links of the contents frame,
// then Back and Forward through the main frame's documents.
TEST_F(BrowserFramesTest, BackAndForwardStepThroughTheLinksFollowedInTheSampleFrameSet) {
  const std::string samples = BRANNIK_SAMPLES;
  const std::string index = samples + "/index.htm";
  brw::TBrowserForm& form = Start({index});
  form.Viewer().DocumentParser = ParseDocument;
  form.Viewer().LoadFromFile(index);  // the same set again, its frames parsed as HTML
  t::ProcessEvents();
  ASSERT_EQ(FrameViewer("hlavni").CurrentFile(), samples + "/uvod.htm");
  EXPECT_FALSE(form.Button(brw::tbBack).Enabled());
  EXPECT_FALSE(form.Button(brw::tbForward).Enabled());

  // Where the contents frame shows a link to url, as the user finds it.
  const auto clickLink = [&](const std::string& url) {
    TDocViewer& contents = FrameViewer("obsah");
    t::ProcessEvents();
    for (int y = 2; y < contents.PaintPanel().Height(); y += 3) {
      for (int x = 2; x < contents.PaintPanel().Width(); x += 3) {
        const auto link = contents.GetLinkAt(x, y);
        if (!link || !link->UrlTarget || link->UrlTarget->Url != url) continue;
        t::MouseDown(contents.PaintPanel(), x, y);
        t::MouseUp(contents.PaintPanel(), x, y);
        t::ProcessEvents();
        return true;
      }
    }
    return false;
  };
  ASSERT_TRUE(clickLink("adresy.htm"));
  ASSERT_EQ(FrameViewer("hlavni").CurrentFile(), samples + "/adresy.htm");
  ASSERT_TRUE(clickLink("sluzby.htm#faxy"));
  ASSERT_EQ(FrameViewer("hlavni").CurrentFile(), samples + "/sluzby.htm");
  const int32_t atFaxes = FrameViewer("hlavni").Position();
  EXPECT_NE(atFaxes, 0);

  struct Step {
    brw::TToolButton button;
    const char* shown;
    bool back, forward;
  };
  const Step steps[] = {
      {brw::tbBack, "adresy.htm", true, true},   {brw::tbBack, "uvod.htm", false, true},
      {brw::tbForward, "adresy.htm", true, true}, {brw::tbForward, "sluzby.htm", true, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.shown);
    form.Button(step.button).Click();
    t::ProcessEvents();
    EXPECT_EQ(FrameViewer("hlavni").CurrentFile(), samples + "/" + step.shown);
    EXPECT_EQ(FrameViewer("obsah").CurrentFile(), samples + "/obsah.htm");
    EXPECT_EQ(form.Button(brw::tbBack).Enabled(), step.back);
    EXPECT_EQ(form.MenuItem(brw::tbBack).Enabled(), step.back);
    EXPECT_EQ(form.Button(brw::tbForward).Enabled(), step.forward);
    EXPECT_EQ(form.MenuItem(brw::tbForward).Enabled(), step.forward);
  }
  // The frame came back where the link had put it.
  EXPECT_EQ(FrameViewer("hlavni").Position(), atFaxes);
  EXPECT_EQ(form.GetCurrentFile(), index);
}

}  // namespace
