#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "suite/brancfg/brancfg.h"
#include "suite/brantxt/brantxt.h"
#include "platform/gui/button.h"
#include "platform/gui/label.h"
#include "platform/gui/notebook.h"
#include "platform/gui/paint_box.h"
#include "platform/gui/spin_edit.h"
#include "platform/gui/tab_set.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/editors.h"
#include "file_bytes.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

std::string Text(std::uint16_t number) {
  ShortString text{};
  STBITEM(number, &text);
  return text.Str();
}

// Layouts as the configuration keeps them: left, right, top, bottom, width,
// height.
constexpr const char* kThreeLayouts =
    "[Config]\r\n"
    "PageLayout51=10,11,12,13,210,297\r\n"
    "PageLayout53=21,22,23,24,200,300\r\n"
    "PageLayout52=31,32,33,34,100,150\r\n";

cl::TSpinEdit& Spin(cl::TForm& form, const std::string& page, const char* side) {
  return Child<cl::TSpinEdit>(form, "SpnEdt" + page + side);
}

void SetMargins(cl::TForm& form, const std::string& page, int top, int left, int right, int bottom) {
  Spin(form, page, "Top").SetValue(top);
  Spin(form, page, "Left").SetValue(left);
  Spin(form, page, "Right").SetValue(right);
  Spin(form, page, "Bottom").SetValue(bottom);
}

std::vector<int> Margins(cl::TForm& form, const std::string& page) {
  return {Spin(form, page, "Top").Value(), Spin(form, page, "Left").Value(), Spin(form, page, "Right").Value(),
          Spin(form, page, "Bottom").Value()};
}

std::vector<int> Stored(std::uint8_t id) {
  tPageLayout layout{};
  CFGGETPAGELAYOUT(id, &layout);
  return {layout.left, layout.right, layout.top, layout.bottom, layout.width, layout.height};
}

std::string Contents(const std::string& file) {
  const std::vector<char> bytes = ReadBytes(file);
  return {bytes.begin(), bytes.end()};
}

// A configuration of its own in a scratch Windows directory.
class PageLayoutFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    setenv("BRANNIK_WINDIR", (dir_ / "").c_str(), 1);
  }
  void TearDown() override { unsetenv("BRANNIK_WINDIR"); }

  std::string Config() const { return dir_ / "brancfg.ini"; }
  void WriteConfig(const std::string& text) const { std::ofstream(Config(), std::ios::binary) << text; }
  void Edit(std::int32_t startTab, std::function<void(cl::TForm&)> action) const {
    const ModalDriver driver("PageLayoutForm", std::move(action));
    EDITPAGELAYOUTS(startTab);
  }

 private:
  cl::testing::TempDirectory dir_;
};

TEST_F(PageLayoutFormTest, EachTabTakesItsLayoutsMargins) {
  WriteConfig(kThreeLayouts);
  Edit(0, [](cl::TForm& form) {
    EXPECT_EQ(Margins(form, "PrintText"), (std::vector<int>{12, 10, 11, 13}));
    EXPECT_EQ(Margins(form, "CreateFax"), (std::vector<int>{23, 21, 22, 24}));
    EXPECT_EQ(Margins(form, "PrintFax"), (std::vector<int>{33, 31, 32, 34}));
    EXPECT_TRUE(Child<cl::TBitBtn>(form, "BitBtnUndo").Enabled());
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

TEST_F(PageLayoutFormTest, CancelStoresNothing) {
  struct Case {
    const char* name;
    std::function<void(cl::TForm&)> close;
  } const cases[] = {
      {"Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE); }},
      {"Shift+Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE, cl::ssShift); }},
      {"Ctrl+Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE, cl::ssCtrl); }},
      {"Cancel", [](cl::TForm& f) { Child<cl::TBitBtn>(f, "BitBtnCancel").Click(); }},
      {"title bar", [](cl::TForm& f) { cl::testing::CloseByTitleBar(f); }},
  };
  for (const Case& c : cases) {
    WriteConfig(kThreeLayouts);
    int result = -1;
    Edit(0, [&](cl::TForm& form) {
      SetMargins(form, "PrintText", 1, 2, 3, 4);
      SetMargins(form, "PrintFax", 5, 6, 7, 8);
      c.close(form);
      result = form.ModalResult();
    });
    EXPECT_EQ(result, cl::mrCancel) << c.name;
    EXPECT_EQ(Contents(Config()), kThreeLayouts) << c.name;
  }
}

TEST_F(PageLayoutFormTest, OkStoresAllThreeLayoutsIn51_53_52Order) {
  // Nothing configured yet: each layout reads as its default and is written
  // anew, so the file shows the order of the stores.
  WriteConfig("[Config]\r\n");
  Edit(0, [](cl::TForm& form) {
    SetMargins(form, "PrintText", 1, 2, 3, 4);
    SetMargins(form, "CreateFax", 5, 6, 7, 8);
    SetMargins(form, "PrintFax", 9, 10, 11, 12);
    Child<cl::TBitBtn>(form, "BitBtnOK").Click();
  });
  EXPECT_EQ(Stored(51), (std::vector<int>{2, 3, 1, 4, 210, 297}));
  EXPECT_EQ(Stored(53), (std::vector<int>{6, 7, 5, 8, 210, 297}));
  EXPECT_EQ(Stored(52), (std::vector<int>{10, 11, 9, 12, 210, 297}));
  const std::string file = Contents(Config());
  const auto at51 = file.find("PageLayout51"), at53 = file.find("PageLayout53"), at52 = file.find("PageLayout52");
  ASSERT_NE(at52, std::string::npos);
  EXPECT_LT(at51, at53);
  EXPECT_LT(at53, at52);
}

TEST_F(PageLayoutFormTest, OkKeepsThePageSizesAndTheUnshownTabsMargins) {
  WriteConfig(kThreeLayouts);
  Edit(0, [](cl::TForm& form) {
    Spin(form, "PrintText", "Top").SetValue(40);
    cl::testing::TypeKey(form, cl::VK_RETURN);
  });
  EXPECT_EQ(Stored(51), (std::vector<int>{10, 11, 40, 13, 210, 297}));
  EXPECT_EQ(Stored(53), (std::vector<int>{21, 22, 23, 24, 200, 300}));
  EXPECT_EQ(Stored(52), (std::vector<int>{31, 32, 33, 34, 100, 150}));
}

// Selects the field's text and types digits over it, key by key.
void TypeInto(cl::TSpinEdit& spin, const std::string& digits) {
  spin.SetFocus();
  cl::testing::ProcessEvents();
  cl::testing::PressKey(spin, 'A', cl::ssCtrl);
  for (const char digit : digits) cl::testing::PressKey(spin, static_cast<std::uint16_t>(digit), 0, digit);
}

TEST_F(PageLayoutFormTest, ATypedMarginIsTakenAndBroughtIntoTheRangeWhenTheFieldIsLeft) {
  struct Case {
    const char* name;
    const char* typed;
    bool leaveByTab;  // else Enter closes with OK from the field
    std::string shownAfterLeaving;
    int stored;
  } const cases[] = {
      {"150, Tab", "150", true, "100", 100},
      {"150, Enter", "150", false, "", 100},
      {"1000, Tab", "1000", true, "100", 100},
      {"42, Tab", "42", true, "42", 42},
      {"0, Enter", "0", false, "", 0},
  };
  for (const Case& c : cases) {
    WriteConfig(kThreeLayouts);
    std::string typedShows, leftShows;
    int valueWhileTyped = -1;
    Edit(0, [&](cl::TForm& form) {
      cl::TSpinEdit& top = Spin(form, "PrintText", "Top");
      TypeInto(top, c.typed);
      typedShows = top.Text();
      valueWhileTyped = top.Value();
      if (c.leaveByTab) {
        cl::testing::TypeKey(form, cl::VK_TAB);
        cl::testing::ProcessEvents();
        EXPECT_NE(form.ActiveControl(), &top) << c.name;
        leftShows = top.Text();
        Child<cl::TBitBtn>(form, "BitBtnOK").Click();
      } else {
        cl::testing::TypeKey(form, cl::VK_RETURN);
      }
    });
    EXPECT_EQ(typedShows, c.typed) << c.name << ": every key is taken";
    EXPECT_EQ(valueWhileTyped, c.stored) << c.name;
    if (c.leaveByTab) {
      EXPECT_EQ(leftShows, c.shownAfterLeaving) << c.name;
    }
    EXPECT_EQ(Stored(51), (std::vector<int>{10, 11, c.stored, 13, 210, 297})) << c.name;
  }
}

TEST_F(PageLayoutFormTest, DefaultAndUndoPutALayoutIntoTheShownTab) {
  struct Case {
    const char* name;
    std::function<void(cl::TForm&)> buttons;
    std::vector<int> shownMargins;
    bool ok;
    std::vector<int> stored51;
  } const cases[] = {
      {"Default, then Cancel", [](cl::TForm& f) { Child<cl::TBitBtn>(f, "BitBtnDefault").Click(); },
       {20, 20, 20, 20}, false, {10, 11, 12, 13, 210, 297}},
      {"Default, then OK", [](cl::TForm& f) { Child<cl::TBitBtn>(f, "BitBtnDefault").Click(); },
       {20, 20, 20, 20}, true, {20, 20, 20, 20, 210, 297}},
      {"an edit undone",
       [](cl::TForm& f) {
         SetMargins(f, "PrintText", 1, 2, 3, 4);
         Child<cl::TBitBtn>(f, "BitBtnUndo").Click();
       },
       {12, 10, 11, 13}, true, {10, 11, 12, 13, 210, 297}},
      {"Default undone",
       [](cl::TForm& f) {
         Child<cl::TBitBtn>(f, "BitBtnDefault").Click();
         Child<cl::TBitBtn>(f, "BitBtnUndo").Click();
       },
       {12, 10, 11, 13}, true, {10, 11, 12, 13, 210, 297}},
  };
  for (const Case& c : cases) {
    WriteConfig(kThreeLayouts);
    std::vector<int> shown, otherTab;
    Edit(0, [&](cl::TForm& form) {
      c.buttons(form);
      shown = Margins(form, "PrintText");
      otherTab = Margins(form, "CreateFax");
      if (c.ok) {
        Child<cl::TBitBtn>(form, "BitBtnOK").Click();
      } else {
        cl::testing::TypeKey(form, cl::VK_ESCAPE);
      }
    });
    EXPECT_EQ(shown, c.shownMargins) << c.name;
    EXPECT_EQ(otherTab, (std::vector<int>{23, 21, 22, 24})) << c.name << ": only the shown tab";
    EXPECT_EQ(Stored(51), c.stored51) << c.name;
    if (!c.ok) {
      EXPECT_EQ(Contents(Config()), kThreeLayouts) << c.name;
    }
  }
}

TEST_F(PageLayoutFormTest, ThePreviewShowsThePageInsideItsMargins) {
  struct Case {
    const char* name;
    const char* layout51;
    // The white page's first and last column and row in the box; the last
    // ones counted back from the box's width and height.
    int firstWhiteX, lastWhiteX;
    int firstWhiteY, lastWhiteY;
  } const cases[] = {
      // 20 of 210 on a box 132 wide is 12.57 pixels, 13 after rounding.
      {"margins", "10,20,20,40,210,297", 1 + 6, -1 - 13 - 1, 1 + 9, -1 - 19 - 1},
      {"a page width of 0", "10,20,20,40,0,297", 1, -2, 1 + 9, -1 - 19 - 1},
      {"no margins", "0,0,0,0,210,297", 1, -2, 1, -2},
  };
  for (const Case& c : cases) {
    WriteConfig(std::string("[Config]\r\nPageLayout51=") + c.layout51 + "\r\n");
    Edit(0, [&](cl::TForm& form) {
      auto& box = Child<cl::TPaintBox>(form, "PaintBox");
      const int width = box.Width(), height = box.Height();
      ASSERT_EQ(width, 132) << c.name;
      ASSERT_EQ(height, 140) << c.name;
      const int midY = height / 2, midX = width / 2;
      const int lastX = width + c.lastWhiteX, lastY = height + c.lastWhiteY;
      auto pixel = [&](int x, int y) { return cl::testing::ScreenPixel(box, x, y); };
      EXPECT_EQ(pixel(0, midY), 0x000000u) << c.name << ": the frame";
      EXPECT_EQ(pixel(width - 1, midY), 0x000000u) << c.name;
      EXPECT_EQ(pixel(midX, 0), 0x000000u) << c.name;
      EXPECT_EQ(pixel(midX, height - 1), 0x000000u) << c.name;
      EXPECT_EQ(pixel(c.firstWhiteX, midY), 0xFFFFFFu) << c.name;
      EXPECT_EQ(pixel(lastX, midY), 0xFFFFFFu) << c.name;
      EXPECT_EQ(pixel(midX, c.firstWhiteY), 0xFFFFFFu) << c.name;
      EXPECT_EQ(pixel(midX, lastY), 0xFFFFFFu) << c.name;
      if (c.firstWhiteX > 1) {
        EXPECT_EQ(pixel(c.firstWhiteX - 1, midY), 0x808080u) << c.name << ": grey around";
      }
      if (lastX < width - 2) {
        EXPECT_EQ(pixel(lastX + 1, midY), 0x808080u) << c.name;
      }
      if (c.firstWhiteY > 1) {
        EXPECT_EQ(pixel(midX, c.firstWhiteY - 1), 0x808080u) << c.name;
      }
      if (lastY < height - 2) {
        EXPECT_EQ(pixel(midX, lastY + 1), 0x808080u) << c.name;
      }
      // A margin edited shows at once.
      Spin(form, "PrintText", "Left").SetValue(0);
      EXPECT_EQ(pixel(1, midY), 0xFFFFFFu) << c.name;
      cl::testing::TypeKey(form, cl::VK_ESCAPE);
    });
  }
}

TEST_F(PageLayoutFormTest, AStartTabTheTabSetDoesNotHoldShowsTabZero) {
  WriteConfig(kThreeLayouts);
  for (const std::int32_t startTab : {0, 1, 2, -1, 7}) {
    const cl::testing::ExceptionRecorder recorder;
    bool ran = false;
    Edit(startTab, [&](cl::TForm& form) {
      ran = true;
      const auto& tabSet = Child<cl::TTabSet>(form, "TabSet");
      const auto& notebook = Child<cl::TNotebook>(form, "Notebook");
      EXPECT_EQ(tabSet.TabIndex(), 0) << startTab;
      EXPECT_EQ(notebook.PageIndex(), 0) << startTab;
      EXPECT_EQ(form.Caption(), Text(20614)) << startTab;
      EXPECT_TRUE(Spin(form, "PrintText", "Top").Showing()) << startTab;
      EXPECT_FALSE(Spin(form, "PrintFax", "Top").Showing()) << startTab;
      cl::testing::TypeKey(form, cl::VK_ESCAPE);
    });
    EXPECT_TRUE(ran) << startTab;
    EXPECT_TRUE(recorder.Messages().empty()) << startTab;
  }
}

TEST_F(PageLayoutFormTest, TheTabSetOffersThePrintedTextOnlyAndTheTextsComeFromTheTextLibrary) {
  WriteConfig(kThreeLayouts);
  Edit(0, [](cl::TForm& form) {
    auto& tabSet = Child<cl::TTabSet>(form, "TabSet");
    ASSERT_EQ(tabSet.Tabs().Count(), 1);
    EXPECT_EQ(tabSet.Tabs().Get(0), Text(20617));
    const auto& notebook = Child<cl::TNotebook>(form, "Notebook");
    EXPECT_EQ(notebook.PageCaptions(), (std::vector<std::string>{Text(20617), Text(20622), Text(20627)}));
    const char* pages[] = {"PrintText", "CreateFax", "PrintFax"};
    const char* sides[] = {"Top", "Left", "Right", "Bottom"};
    for (int p = 0; p < 3; ++p) {
      for (int s = 0; s < 4; ++s) {
        const auto& label = Child<cl::TLabel>(form, std::string("Label") + pages[p] + sides[s]);
        EXPECT_EQ(label.Caption(), Text(static_cast<std::uint16_t>(20618 + 5 * p + s))) << label.Name();
        EXPECT_EQ(label.FocusControl(), &Spin(form, pages[p], sides[s])) << label.Name();
        EXPECT_EQ(Spin(form, pages[p], sides[s]).MaxValue(), 100);
      }
    }
    EXPECT_EQ(Child<cl::TBitBtn>(form, "BitBtnDefault").Caption(), Text(20633));
    EXPECT_EQ(Child<cl::TBitBtn>(form, "BitBtnUndo").Caption(), Text(20634));
    EXPECT_EQ(Child<cl::TBitBtn>(form, "BitBtnOK").Caption(), Text(4));
    EXPECT_EQ(Child<cl::TBitBtn>(form, "BitBtnCancel").Caption(), Text(5));
    EXPECT_EQ(Child<cl::TControl>(form, "GroupBox").Caption(), Text(20632));
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

}  // namespace
