#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "browser/font_form.h"
#include "browser/tests/browser_form_fixture.h"
#include "browser/texts.h"
#include "platform/core/cp1250.h"
#include "platform/core/places.h"
#include "platform/core/scheduler.h"
#include "platform/gui/menu.h"
#include "platform/gui/virtual_keys.h"

namespace t = cl::testing;

namespace {

const std::vector<bool> withDocument = {true, true, true, true, true, false, true,
                                        true, false, false, true, true, true};
const std::vector<bool> withoutDocument = {true, false, false, false, false, false, false,
                                           false, false, false, true, true, true};

std::string cp(const char* utf8) { return win::Utf8ToCp1250(utf8).value(); }

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Tells when every program started during its life has ended: they inherit
// the write end of its pipe (no close-on-exec) and hold it while they run, so
// the read end sees its end of file once the last of them is gone, at once
// when none was started.
class ProgramsStartedMeanwhile {
 public:
  ProgramsStartedMeanwhile() {
    if (pipe(ends_) != 0) throw std::runtime_error("no pipe");
  }
  ~ProgramsStartedMeanwhile() {
    for (const int end : ends_)
      if (end >= 0) close(end);
  }
  // Waits, up to a deadline that only a hung program reaches.
  bool Ended() const {
    close(ends_[1]);
    ends_[1] = -1;
    pollfd end{ends_[0], POLLIN, 0};
    char byte = 0;
    while (poll(&end, 1, 20000) == 1) {
      const ssize_t got = read(ends_[0], &byte, 1);
      if (got == 0) return true;
      if (got < 0 && errno != EINTR) return false;
    }
    return false;
  }

 private:
  mutable int ends_[2] = {-1, -1};
};

}  // namespace

TEST_F(BrowserFormTest, StartShowsTheDocumentNamedOnTheCommandLine) {
  brw::TBrowserForm& form = Start({Doc("other.htm"), Doc("index.htm")});
  EXPECT_EQ(form.Caption(), "Other page");
  EXPECT_EQ(form.StartDocument(), Doc("other.htm"));
  EXPECT_EQ(form.GetCurrentFile(), Doc("other.htm"));
  EXPECT_EQ(form.WindowState(), cl::wsMaximized);
  EXPECT_EQ(EnabledButtons(), withDocument);
  EXPECT_EQ(EnabledItems(), withDocument);
  EXPECT_TRUE(form.Timer200ms().Enabled());  // no busy bracket left open
  EXPECT_EQ(form.IniFileName(), windir_.Path().string() + "\\win.ini");
}

TEST_F(BrowserFormTest, StartWithoutArgumentsOpensIndexBesideTheProgram) {
  brw::TBrowserForm& form = Start({});
  EXPECT_EQ(form.StartDocument(), Doc("index.htm"));
  EXPECT_EQ(form.Caption(), "Start page");
  EXPECT_EQ(EnabledButtons(), withDocument);
}

TEST_F(BrowserFormTest, MissingStartDocumentLeavesAnEmptyWindowWithOnlyOpenAndFonts) {
  brw::TBrowserForm& form = Start({Doc("missing.htm")});
  EXPECT_EQ(form.Caption(), "");
  EXPECT_EQ(form.StartDocument(), Doc("missing.htm"));
  EXPECT_EQ(EnabledButtons(), withoutDocument);
  EXPECT_EQ(EnabledItems(), withoutDocument);
  // A disabled action's shortcut does nothing: Ctrl+S asks for no file name.
  t::ScriptedDialogs script;
  EXPECT_FALSE(form.Menu().IsShortCut('S', cl::ssCtrl));
  EXPECT_TRUE(script.Calls.empty());
}

TEST_F(BrowserFormTest, ButtonsAndMenuItemsAreOffWhileBusyAndBackAfterTheOuterEnd) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  form.BeginBusy();
  form.BeginBusy();
  EXPECT_EQ(EnabledButtons(), std::vector<bool>(brw::toolButtonCount, false));
  EXPECT_EQ(EnabledItems(), std::vector<bool>(brw::toolButtonCount, false));
  EXPECT_FALSE(form.Timer200ms().Enabled());
  EXPECT_FALSE(form.Menu().IsShortCut('R', cl::ssCtrl));
  form.EndBusy();
  EXPECT_FALSE(form.Button(brw::tbReload).Enabled());
  form.EndBusy();
  EXPECT_EQ(EnabledButtons(), withDocument);
  EXPECT_EQ(EnabledItems(), withDocument);
  EXPECT_TRUE(form.Timer200ms().Enabled());
}

TEST_F(BrowserFormTest, EscClosesButShiftEscDoesNot) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  t::PressKey(form.Viewer(), cl::VK_ESCAPE, cl::ssShift);
  t::ProcessEvents();
  EXPECT_TRUE(form.Visible());
  t::PressKey(form.Viewer(), cl::VK_ESCAPE);
  t::ProcessEvents();
  EXPECT_FALSE(form.Visible());
}

TEST_F(BrowserFormTest, AltF10PopsTheMenuUpAtAThirdAndAQuarterOfTheViewer) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  std::optional<cl::TPoint> shownAt;
  cl::TPopupMenu::SetPopupHandler([&](cl::TPopupMenu&, cl::TPoint at) { shownAt = at; });
  t::PressKey(form.Viewer(), cl::VK_F10, cl::ssAlt);
  cl::TPopupMenu::SetPopupHandler({});
  ASSERT_TRUE(shownAt.has_value());
  const brw::tDocFileViewer& viewer = form.Viewer();
  EXPECT_EQ(*shownAt, viewer.ClientToScreen(cl::TPoint{viewer.Width() / 3, viewer.Height() / 4}));
}

TEST_F(BrowserFormTest, HomeOnTheStartDocumentOnlyScrollsAndElsewhereLoadsIt) {
  // Two names of one document, as on a file system that ignores case.
  docs_.Write("long.htm", "#title Long\n#spacer 3000\nEnd\n");
  docs_.Write("LONG.HTM", "#title Long\n#spacer 3000\nEnd\n");
  brw::TBrowserForm& form = Start({Doc("long.htm")});
  Active().SetVScrollBarPosition(1000);
  ASSERT_NE(Active().VScrollBarPosition(), 0);
  form.OpenDocument(Doc("LONG.HTM"));
  form.Viewer().LoadFromFile(Doc("long.htm"));
  const size_t afterOpen = parses_.size();
  Active().SetVScrollBarPosition(1000);
  ASSERT_NE(Active().VScrollBarPosition(), 0);
  form.Button(brw::tbHome).Click();
  EXPECT_EQ(parses_.size(), afterOpen);
  EXPECT_EQ(Active().VScrollBarPosition(), 0);

  form.Viewer().LoadFromFile(Doc("other.htm"));
  form.Button(brw::tbHome).Click();
  EXPECT_EQ(form.GetCurrentFile(), Doc("LONG.HTM"));
  EXPECT_EQ(form.Caption(), "Long");  // Home leaves the caption alone
}

TEST_F(BrowserFormTest, HomeOnARelativeStartDocumentOnlyScrolls) {
  docs_.Write("long.htm", "#title Long\n#spacer 3000\nEnd\n");
  struct Case {
    const char* argument;
  } const cases[] = {{"long.htm"}, {"./long.htm"}, {"pages/../long.htm"}};
  std::filesystem::create_directory(docs_.Path() / "pages");
  // The command line names the document against the current directory.
  struct InFolder {
    const std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }
    ~InFolder() { std::filesystem::current_path(before); }
  } const inDocs(docs_.Path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    brw::TBrowserForm& form = Start({c.argument});
    ASSERT_EQ(form.Caption(), "Long");
    const size_t loaded = parses_.size();
    Active().SetVScrollBarPosition(1000);
    ASSERT_NE(Active().VScrollBarPosition(), 0);
    form.Button(brw::tbHome).Click();
    EXPECT_EQ(parses_.size(), loaded);
    EXPECT_EQ(Active().VScrollBarPosition(), 0);
    Stop();
  }
}

TEST_F(BrowserFormTest, FailedOpenBecomesTheHomeDocument) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  t::ScriptedDialogs script;
  std::string initialDir, initialName;
  script.Open = [&](cl::TOpenDialog& dialog) {
    initialDir = dialog.InitialDir;
    initialName = dialog.FileName;
    dialog.FileName = Doc("gone.htm");
    return true;
  };
  form.Button(brw::tbFileOpen).Click();
  EXPECT_EQ(initialDir, docs_.Path().string() + "/");
  EXPECT_EQ(initialName, "index.htm");
  EXPECT_EQ(form.StartDocument(), Doc("gone.htm"));
  EXPECT_EQ(form.Caption(), "");
  EXPECT_EQ(EnabledButtons(), withoutDocument);

  docs_.Write("gone.htm", "#title Back again\nText\n");
  form.Button(brw::tbHome).Click();
  EXPECT_EQ(form.GetCurrentFile(), Doc("gone.htm"));
}

TEST_F(BrowserFormTest, CopyIsEnabledWithin200msOfASelection) {
  win::ManualScheduler clock(1000);
  win::SetScheduler(&clock);
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  clock.Advance(250);
  t::ProcessEvents();
  EXPECT_FALSE(form.Button(brw::tbCopy).Enabled());
  form.Viewer().SelectAll();
  clock.Advance(200);
  t::ProcessEvents();
  EXPECT_TRUE(form.Button(brw::tbCopy).Enabled());
  EXPECT_TRUE(form.MenuItem(brw::tbCopy).Enabled());
  win::SetScheduler(nullptr);
}

TEST_F(BrowserFormTest, FindThatFailsSaysSoWithTheText) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  t::ScriptedDialogs script;
  script.Find = [](cl::TFindDialog& dialog) {
    dialog.FindText = "Second";
    dialog.Find();
    dialog.FindText = "nowhere";
    dialog.Find();
  };
  script.Message = [](const std::string&, const std::string&, uint32_t) { return cl::IDOK; };
  form.Button(brw::tbFind).Click();
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].text, cp("Další výskyt řetězce \"nowhere\" nebyl nalezen."));
  EXPECT_EQ(script.Messages[0].flags, cl::MB_OK | cl::MB_ICONINFORMATION);
}

TEST_F(BrowserFormTest, CzechTextTypedIntoTheFindWindowFindsEachOccurrenceThenSaysSo) {
  // A real page through the program's own parser, as the user had it.
  docs_.Write("cisla.htm", cp("<title>Čísla</title><h1>Hledání</h1><p>První čísla jsou zde."
                              "<table border=1><tr><td>Druhá Čísla také<td>x</table><p>Konec"));
  form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{Doc("browser"), Doc("cisla.htm")});
  form_->Show();
  t::ProcessEvents();
  brw::TBrowserForm& form = *form_;
  ASSERT_EQ(form.Caption(), cp("Čísla"));
  t::ScriptedDialogs script;
  script.RealFind = true;
  // Three times over, as the user tried: the window shows with what was
  // typed before selected, so typing replaces it.
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    form.Button(brw::tbFind).Click();
    ASSERT_TRUE(t::FindWindowShowing());
    const std::vector<std::string> texts = t::FindWindowTexts();
    for (const char* czech : {"Najít", "&Najít:", "Najít &další", "Storno"})
      EXPECT_NE(std::find(texts.begin(), texts.end(), cp(czech)), texts.end()) << czech;
    t::TypeIntoFindWindow(cp("čísla"));
    EXPECT_EQ(t::FindWindowText(), cp("čísla"));
    const size_t messages = script.Messages.size();
    for (const char* found : {"čísla", "Čísla"}) {
      t::PressKeyInFindWindow(cl::VK_RETURN);
      t::ProcessEvents();
      std::string selected;
      Active().SectionList().CopySelectionToClipboard([&](std::string_view text) { selected = text; });
      EXPECT_EQ(selected, cp(found));
      EXPECT_EQ(Active().SelLength(), 5);
    }
    EXPECT_EQ(script.Messages.size(), messages);
    t::PressKeyInFindWindow(cl::VK_RETURN);
    t::ProcessEvents();
    ASSERT_EQ(script.Messages.size(), messages + 1);
    EXPECT_EQ(script.Messages.back().text, cp("Další výskyt řetězce \"čísla\" nebyl nalezen."));
    t::PressKeyInFindWindow(cl::VK_ESCAPE);
    t::ProcessEvents();
    EXPECT_FALSE(t::FindWindowShowing());
    EXPECT_FALSE(form.FindDialog().Showing());
    EXPECT_TRUE(form.Visible());
    // A fresh load searches from the top again.
    form.OpenDocument(Doc("cisla.htm"));
  }
}

TEST_F(BrowserFormTest, SaveStartsInTheDocumentsFolderWithItsName) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  t::ScriptedDialogs script;
  std::vector<std::pair<std::string, std::string>> offered;
  script.Save = [&](cl::TSaveDialog& dialog) {
    offered.emplace_back(dialog.InitialDir, dialog.FileName);
    dialog.FileName = Doc("copy.htm");
    return true;
  };
  form.Button(brw::tbSave).Click();
  // After a copy and another document, the dialog starts at that document.
  form.OpenDocument(Doc("other.htm"));
  form.Button(brw::tbSave).Click();
  const std::string folder = docs_.Path().string() + "/";
  EXPECT_EQ(offered, (std::vector<std::pair<std::string, std::string>>{{folder, "index.htm"},
                                                                       {folder, "other.htm"}}));
}

TEST_F(BrowserFormTest, SaveCopiesTheSourceAndRefusesWhatWouldDestroyAFile) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  const std::string source = ReadFile(Doc("index.htm"));
  t::ScriptedDialogs script;
  std::string target;
  script.Save = [&](cl::TSaveDialog& dialog) {
    dialog.FileName = target;
    return true;
  };
  script.Message = [](const std::string&, const std::string&, uint32_t) { return cl::IDOK; };

  target = Doc("copy.htm");
  form.Button(brw::tbSave).Click();
  EXPECT_TRUE(script.Messages.empty());
  EXPECT_EQ(ReadFile(Doc("copy.htm")), source);

  // Onto its own source: refused, the source kept whole.
  target = Doc("index.htm");
  form.Button(brw::tbSave).Click();
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].text, brw::TextByNumber(brw::txtSaveFailed));
  EXPECT_EQ(script.Messages[0].flags, cl::MB_OK | cl::MB_ICONERROR);
  EXPECT_EQ(ReadFile(Doc("index.htm")), source);

  // The source gone: refused, the old target kept.
  docs_.Write("old.htm", "old target");
  std::filesystem::remove(Doc("index.htm"));
  target = Doc("old.htm");
  form.Button(brw::tbSave).Click();
  EXPECT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(ReadFile(Doc("old.htm")), "old target");
}

TEST_F(BrowserFormTest, SettingsAreWrittenAtCloseAndReadAtTheNextStart) {
  {
    brw::TBrowserForm& form = Start({Doc("index.htm")});
    form.Viewer().SetDefFontSize(14);
    form.Viewer().SetDefFontName("Times New Roman");
    form.Viewer().SetDefBackground(cl::clYellow);
    Stop();
  }
  const std::string ini = ReadFile(windir_ / "win.ini");
  EXPECT_NE(ini.find("[Brannik]"), std::string::npos);
  EXPECT_NE(ini.find("BRWSFormWS=2"), std::string::npos);
  EXPECT_EQ(ini.find("BRWSFormPos"), std::string::npos);  // not written while maximised
  EXPECT_NE(ini.find("BRWSFontSize=14"), std::string::npos);
  EXPECT_NE(ini.find("BRWSFontName=Times New Roman"), std::string::npos);
  EXPECT_NE(ini.find("BRWSDocument=" + Doc("index.htm")), std::string::npos);

  // A normal window at a given place.
  std::string edited = ini;
  edited.replace(edited.find("BRWSFormWS=2"), 12, "BRWSFormWS=0\nBRWSFormPos=10,20,650,500");
  windir_.Write("win.ini", edited);
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  EXPECT_EQ(form.WindowState(), cl::wsNormal);
  EXPECT_EQ(form.BoundsRect(), cl::Rect(10, 20, 650, 500));
  EXPECT_EQ(form.Viewer().DefFontSize(), 14);
  EXPECT_EQ(form.Viewer().DefFontName(), "Times New Roman");
  EXPECT_EQ(form.Viewer().DefBackground(), cl::clYellow);
}

TEST_F(BrowserFormTest, FontDialogResetAndOkApplyTheDefaultsToTheViewer) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  form.Viewer().SetDefFontName("Times New Roman");
  form.Viewer().SetDefFontSize(16);
  form.Viewer().SetDefBackground(cl::clYellow);
  bool sampleFollowed = false;
  t::ModalDriver driver("FontForm", [&](cl::TForm& dialog) {
    auto& fontForm = dynamic_cast<brw::TFontForm&>(dialog);
    EXPECT_EQ(fontForm.GetSelectedFontName(), "Times New Roman");
    EXPECT_EQ(fontForm.FontSizeEdit().Value(), 16);
    EXPECT_EQ(fontForm.GetSelectedBackground(), cl::clYellow);
    t::Child<cl::TButton>(dialog, "ResetButton").Click();
    sampleFollowed = fontForm.FontViewer().DefFontName() == "MS Sans Serif" &&
                     fontForm.FontViewer().DefFontSize() == 10 &&
                     fontForm.FontViewer().DefBackground() == cl::clWindow &&
                     fontForm.FontViewer().DefHotSpotColor() == 0xFF0000;
    t::Child<cl::TButton>(dialog, "BitBtnOK").Click();
  });
  form.Button(brw::tbFont).Click();
  EXPECT_TRUE(driver.Ran());
  EXPECT_TRUE(sampleFollowed);
  EXPECT_EQ(form.Viewer().DefFontName(), "MS Sans Serif");
  EXPECT_EQ(form.Viewer().DefFontSize(), 10);
  EXPECT_EQ(form.Viewer().DefBackground(), cl::clWindow);
  EXPECT_EQ(form.Viewer().DefFontColor(), cl::clWindowText);
  EXPECT_EQ(form.Viewer().DefHotSpotColor(), 0xFF0000);
  EXPECT_TRUE(form.Timer200ms().Enabled());  // no busy bracket left open
  EXPECT_EQ(form.GetCurrentFile(), Doc("index.htm"));  // reloaded
}

TEST_F(BrowserFormTest, FontDialogCancelChangesNothing) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  form.Viewer().SetDefFontSize(16);
  t::ModalDriver driver("FontForm", [&](cl::TForm& dialog) {
    t::Child<cl::TButton>(dialog, "ResetButton").Click();
    t::Child<cl::TButton>(dialog, "BitBtnCancel").Click();
  });
  form.Button(brw::tbFont).Click();
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(form.Viewer().DefFontSize(), 16);
}

TEST_F(BrowserFormTest, LargerAndSmallerStepThroughTheListedSizes) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  form.Viewer().SetDefFontName("Arial");
  struct Case {
    int32_t from;
    brw::TToolButton button;
    int32_t to;
  } const cases[] = {
      {12, brw::tbIncFont, 14}, {12, brw::tbDecFont, 11}, {13, brw::tbIncFont, 14},
      {13, brw::tbDecFont, 12}, {72, brw::tbIncFont, 72}, {6, brw::tbDecFont, 6},
  };
  for (const Case& c : cases) {
    form.Viewer().SetDefFontSize(c.from);
    form.Button(c.button).Click();
    EXPECT_EQ(form.Viewer().DefFontSize(), c.to) << c.from;
  }
  EXPECT_EQ(form.GetCurrentFile(), Doc("index.htm"));
}

TEST_F(BrowserFormTest, ExeLinksStartTheProgramWithItsParameters) {
  const std::string record = Doc("args.txt");
  docs_.Write("rec.exe", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + record + "'\n");
  std::filesystem::permissions(Doc("rec.exe"), std::filesystem::perms::owner_all);
  // A recorder too, but not executable: it must not run.
  docs_.Write("plain.exe", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + record + "'\n");
  std::filesystem::permissions(Doc("plain.exe"),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  struct Case {
    const char* url;
    bool handled;
    const char* arguments;  // what the program got; null: not started
  } const cases[] = {
      {"rec.exe?/q", true, "/q|"},
      {"rec.exe -a -b", true, "-a|-b|"},
      {"rec.exe", true, "|"},
      {"plain.exe?/q", true, nullptr},  // not executable: nothing happens
      {"http://host/rec.exe", false, nullptr},
      {"other.htm", false, nullptr},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(record);
    bool handled = !c.handled;
    {
      const ProgramsStartedMeanwhile started;
      form.ViewerHotSpotTargetClick(&form.Viewer(), "", c.url, handled);
      ASSERT_TRUE(started.Ended()) << c.url;
    }
    EXPECT_EQ(handled, c.handled) << c.url;
    // Every program the click started has ended: its record is complete, and
    // no record means that nothing ran.
    if (c.arguments != nullptr) {
      EXPECT_EQ(ReadFile(record), c.arguments) << c.url;
    } else {
      EXPECT_FALSE(std::filesystem::exists(record)) << c.url;
    }
  }
}

TEST_F(BrowserFormTest, VersionItemShowsTheProgramsFileVersion) {
  // The test program carries the browser's version block.
  form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{win::GetModuleFileName()});
  EXPECT_EQ(form_->VersionItem().Caption(), "Brannik(TM) HTML Browser 3.00.001");
  EXPECT_FALSE(form_->VersionItem().Enabled());
  form_.reset();
  // A program file without a block: no version.
  EXPECT_EQ(Start({}).VersionItem().Caption(), "Brannik(TM) HTML Browser ");
}

TEST_F(BrowserFormTest, TheProgramsOwnParserShowsRealDocuments) {
  // No fixture parser: the viewers parse HTML and text as the program does.
  docs_.Write("real.htm", "<html><head><title>Real page</title></head><body><h1>Heading</h1>Text</body></html>");
  docs_.Write("notes.txt", "Plain <b>text</b>\n");
  form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{Doc("browser"), Doc("real.htm")});
  form_->Show();
  t::ProcessEvents();
  EXPECT_EQ(form_->Caption(), "Real page");
  EXPECT_EQ(EnabledButtons(), withDocument);
  form_->OpenDocument(Doc("notes.txt"));
  EXPECT_EQ(form_->GetCurrentFile(), Doc("notes.txt"));
  form_->Viewer().SelectAll();
  EXPECT_GT(form_->Viewer().SelLength(), 0);

  t::ModalDriver driver("FontForm", [&](cl::TForm& dialog) {
    auto& fontForm = dynamic_cast<brw::TFontForm&>(dialog);
    EXPECT_EQ(fontForm.FontViewer().DocumentTitle(), "");
    EXPECT_GT(fontForm.FontViewer().SectionList().Count(), 0);  // the sample document is there
    t::Child<cl::TButton>(dialog, "BitBtnCancel").Click();
  });
  form_->Button(brw::tbFont).Click();
  EXPECT_TRUE(driver.Ran());
}

TEST_F(BrowserFormTest, DocumentsWithAnchorsReloadAndCloseCleanly) {
  docs_.Write("anchors.htm",
              "<title>Anchors</title><a href=\"#end\">down</a><h2><a name=\"top\">Top</a></h2>"
              "<p>Text<p><a name=\"end\">End</a>");
  form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{Doc("browser"), Doc("anchors.htm")});
  form_->Show();
  t::ProcessEvents();
  ASSERT_EQ(form_->Caption(), "Anchors");
  EXPECT_GT(Active().NameList().Count(), 0);
  form_->Button(brw::tbReload).Click();
  form_->Button(brw::tbIncFont).Click();
  EXPECT_EQ(form_->GetCurrentFile(), Doc("anchors.htm"));
  Stop();
}
