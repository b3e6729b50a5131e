#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "browser/bk_wini_file.h"
#include "browser/browser_settings.h"
#include "platform/core/in_out_error.h"
#include "platform/core/test_support/temp_directory.h"

using brw::TBrowserSettings;
using brw::TViewerDefaults;
using brw::TWindowPlacement;

namespace {

// A Windows directory of the test's own, with win.ini in it.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    const char* old = std::getenv("BRANNIK_WINDIR");
    if (old) oldWindir_ = old;
    setenv("BRANNIK_WINDIR", dir_.Path().c_str(), 1);
  }
  ~SettingsTest() override {
    if (oldWindir_)
      setenv("BRANNIK_WINDIR", oldWindir_->c_str(), 1);
    else
      unsetenv("BRANNIK_WINDIR");
  }

  std::string WinIni() const { return dir_.Read("win.ini"); }
  void WriteWinIni(const std::string& text) const { dir_.Write("win.ini", text); }

  const cl::testing::TempDirectory dir_;
  const std::vector<cl::TRect> screens_ = {cl::Rect(0, 0, 1280, 1024)};
  // The form as FormCreate leaves it: maximised, its design size.
  const TWindowPlacement current_ = {brw::wsMaximizedValue, cl::Bounds(100, 80, 640, 533)};

 private:
  std::optional<std::string> oldWindir_;
};

}  // namespace

TEST_F(SettingsTest, WrittenSettingsReadBackAtTheNextStart) {
  TViewerDefaults viewer;
  viewer.Background = 0x00C0FFEE;
  viewer.HotSpotColor = 0x000080;
  viewer.FontColor = static_cast<std::int32_t>(0x80000012);
  viewer.FontName = "Times New Roman";
  viewer.FontSize = 14;
  viewer.PreFontName = "Courier New";
  TBrowserSettings(brw::BrowserIniFileName()).Save({brw::wsNormalValue, cl::Rect(10, 20, 650, 500)}, &viewer,
                                                   "C:\\dokumenty\\uvod.htm", 3 << 16 | 25);

  const TBrowserSettings settings(brw::BrowserIniFileName());
  const TWindowPlacement window = settings.LoadWindow(current_, screens_);
  EXPECT_EQ(window.State, brw::wsNormalValue);
  EXPECT_EQ(window.Bounds, cl::Bounds(10, 20, 640, 480));
  const TViewerDefaults read = settings.LoadViewer();
  EXPECT_EQ(read.Background, viewer.Background);
  EXPECT_EQ(read.HotSpotColor, viewer.HotSpotColor);
  EXPECT_EQ(read.FontColor, viewer.FontColor);
  EXPECT_EQ(read.FontName, "Times New Roman");
  EXPECT_EQ(read.FontSize, 14);
  EXPECT_EQ(read.PreFontName, "Courier New");

  const std::string ini = WinIni();
  EXPECT_NE(ini.find("BRWSFormPos=10,20,650,500"), std::string::npos) << ini;
  EXPECT_NE(ini.find("BRWSFontColor=-2147483630"), std::string::npos) << ini;
  EXPECT_NE(ini.find("BRWSDocument=C:\\dokumenty\\uvod.htm"), std::string::npos) << ini;
  EXPECT_NE(ini.find("BRWSPosition=196633"), std::string::npos) << ini;
}

TEST_F(SettingsTest, WithoutAFileEveryDefaultHolds) {
  const TBrowserSettings settings(brw::BrowserIniFileName());
  const TWindowPlacement window = settings.LoadWindow(current_, screens_);
  EXPECT_EQ(window.State, brw::wsMaximizedValue);
  EXPECT_EQ(window.Bounds, current_.Bounds);
  const TViewerDefaults viewer = settings.LoadViewer();
  EXPECT_EQ(viewer.Background, static_cast<std::int32_t>(0x80000005));
  EXPECT_EQ(viewer.HotSpotColor, 0xFF0000);
  EXPECT_EQ(viewer.FontColor, static_cast<std::int32_t>(0x80000008));
  EXPECT_EQ(viewer.FontName, "Arial CE");
  EXPECT_EQ(viewer.FontSize, 10);
  EXPECT_EQ(viewer.PreFontName, "Courier");
}

TEST_F(SettingsTest, UnusableWindowValuesCountAsAbsent) {
  const cl::TRect designBounds = cl::Bounds(0, 0, 640, 533);
  struct Case {
    const char* lines;
    std::int32_t state;
    cl::TRect bounds;
  } const cases[] = {
      {"BRWSFormWS=0\nBRWSFormPos=10,20,650,500\n", 0, cl::Rect(10, 20, 650, 500)},
      {"BRWSFormWS=1\nBRWSFormPos=10,20,650,500\n", 1, current_.Bounds},
      {"BRWSFormWS=2\nBRWSFormPos=10,20,650,500\n", 2, current_.Bounds},
      {"BRWSFormWS=3\nBRWSFormPos=10,20,650,500\n", 2, current_.Bounds},
      {"BRWSFormWS=-1\nBRWSFormPos=10,20,650,500\n", 2, current_.Bounds},
      {"BRWSFormWS=normal\n", 2, current_.Bounds},
      {"BRWSFormWS=0\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=10,20,650\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=10,20,x,500\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos= 10 , 20 , 650 , 500 \n", 0, cl::Rect(10, 20, 650, 500)},
      {"BRWSFormWS=0\nBRWSFormPos=650,20,10,500\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=10,20,10,500\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=10,500,650,20\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=3000,20,3640,500\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=-640,0,0,480\n", 0, designBounds},
      {"BRWSFormWS=0\nBRWSFormPos=-600,0,40,480\n", 0, cl::Rect(-600, 0, 40, 480)},
      {"BRWSFormWS=0\nBRWSFormPos=1300,0,1900,480\n", 0, cl::Rect(1300, 0, 1900, 480)},
      // No larger than both screens together; a size past 32 bits counts too.
      {"BRWSFormWS=0\nBRWSFormPos=10,20,99999,5000\n", 0, cl::Rect(10, 20, 2570, 1044)},
      {"BRWSFormWS=0\nBRWSFormPos=-2147483648,0,2147483647,480\n", 0, designBounds},
  };
  // A second screen to the right of the first.
  const std::vector<cl::TRect> screens = {cl::Rect(0, 0, 1280, 1024), cl::Rect(1280, 0, 2560, 1024)};
  for (const auto& c : cases) {
    WriteWinIni(std::string("[Brannik]\n") + c.lines);
    const TWindowPlacement window = TBrowserSettings(brw::BrowserIniFileName()).LoadWindow(current_, screens);
    EXPECT_EQ(window.State, c.state) << c.lines;
    EXPECT_EQ(window.Bounds, c.bounds) << c.lines;
  }
}

TEST_F(SettingsTest, UnusableViewerValuesCountAsAbsent) {
  WriteWinIni(
      "[Brannik]\nBRWSBackground=blue\nBRWSSpotColor=$0000FF\nBRWSFontColor=99999999999\n"
      "BRWSFontSize=0\nBRWSFontName=Arial\n");
  TViewerDefaults viewer = TBrowserSettings(brw::BrowserIniFileName()).LoadViewer();
  EXPECT_EQ(viewer.Background, static_cast<std::int32_t>(0x80000005));
  EXPECT_EQ(viewer.HotSpotColor, 0x0000FF);
  EXPECT_EQ(viewer.FontColor, static_cast<std::int32_t>(0x80000008));
  EXPECT_EQ(viewer.FontSize, 10);
  EXPECT_EQ(viewer.FontName, "Arial");
  WriteWinIni("[Brannik]\nBRWSFontSize=-4\n");
  EXPECT_EQ(TBrowserSettings(brw::BrowserIniFileName()).LoadViewer().FontSize, 10);
  WriteWinIni("[Brannik]\nBRWSFontSize=1\n");
  EXPECT_EQ(TBrowserSettings(brw::BrowserIniFileName()).LoadViewer().FontSize, 1);
}

TEST_F(SettingsTest, AMaximisedEndKeepsTheLastNormalBounds) {
  const TBrowserSettings settings(brw::BrowserIniFileName());
  settings.Save({brw::wsNormalValue, cl::Rect(10, 20, 650, 500)}, nullptr, "", 0);
  settings.Save({brw::wsMaximizedValue, cl::Rect(0, 0, 1280, 1024)}, nullptr, "", 0);
  const std::string ini = WinIni();
  EXPECT_NE(ini.find("BRWSFormWS=2"), std::string::npos) << ini;
  EXPECT_NE(ini.find("BRWSFormPos=10,20,650,500"), std::string::npos) << ini;
  // Without a viewer only the window is written.
  EXPECT_EQ(ini.find("BRWSFontName"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("BRWSDocument"), std::string::npos) << ini;
}

TEST_F(SettingsTest, OtherSectionsAndLinesOfWinIniAreKept) {
  WriteWinIni(
      "; the desktop's own\n[windows]\nload=\nrun=clock.exe\n\n[Brannik]\nOtherKey=kept\nBRWSFontSize=12\n"
      "[intl]\nsCountry=Czech Republic\n");
  const TViewerDefaults viewer;
  TBrowserSettings(brw::BrowserIniFileName()).Save({brw::wsNormalValue, cl::Rect(1, 2, 300, 400)}, &viewer,
                                                   "a.htm", 0);
  const std::string ini = WinIni();
  for (const char* kept : {"; the desktop's own", "[windows]", "run=clock.exe", "OtherKey=kept", "[intl]",
                           "sCountry=Czech Republic", "BRWSFontSize=10"})
    EXPECT_NE(ini.find(kept), std::string::npos) << kept << " in\n" << ini;
  EXPECT_EQ(ini.find("BRWSFontSize=12"), std::string::npos) << ini;
  // The settings stay in their one section, before [intl].
  EXPECT_LT(ini.find("BRWSFormPos"), ini.find("[intl]")) << ini;
}

TEST_F(SettingsTest, AFailedSaveIsIgnored) {
  const TViewerDefaults viewer;
  EXPECT_NO_THROW(TBrowserSettings(dir_ / "missing/win.ini").Save({0, cl::Rect(1, 2, 3, 4)}, &viewer, "", 0));
}

TEST_F(SettingsTest, RectanglesAndSectionListsOfTheProfileFile) {
  brw::tBKWiniFile ini(brw::BrowserIniFileName());
  ini.WriteRect("Brannik", "R", cl::Rect(-5, 0, 70, 2147483647));
  EXPECT_EQ(ini.ReadRect("Brannik", "R", cl::Rect(1, 1, 1, 1)), cl::Rect(-5, 0, 70, 2147483647));
  EXPECT_EQ(ini.ReadRect("Brannik", "absent", cl::Rect(1, 2, 3, 4)), cl::Rect(1, 2, 3, 4));

  WriteWinIni("[windows]\r\n  [Brannik]  \r\n[]\r\nkey=[x]\r\n[windows]\n[ spaced ]");
  cl::TStringList sections;
  ini.ReadSections(sections);
  ASSERT_EQ(sections.Count(), 4);
  EXPECT_EQ(sections.Get(0), "windows");
  EXPECT_EQ(sections.Get(1), "Brannik");
  EXPECT_EQ(sections.Get(2), "windows");
  EXPECT_EQ(sections.Get(3), " spaced ");

  cl::TStringList none;
  EXPECT_THROW(brw::tBKWiniFile(dir_ / "absent.ini").ReadSections(none), cl::EInOutError);
}
