#include <gtest/gtest.h>

#include <set>
#include <string>

#include "browser/font_form.h"
#include "browser/texts.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"

using namespace html;

namespace t = cl::testing;

namespace {

class FontFormTest : public ::testing::Test {
 protected:
  FontFormTest() {
    t::EnsureGuiTestApplication();
    form_ = std::make_unique<brw::TFontForm>(nullptr);
  }
  std::unique_ptr<brw::TFontForm> form_;
};

}  // namespace

TEST_F(FontFormTest, TakesItsTextsAndListsFacesAndFixedColours) {
  EXPECT_EQ(form_->Caption(), brw::TextByNumber(brw::txtFontCaption));
  EXPECT_EQ(t::Child<cl::TBitBtn>(*form_, "BitBtnOK").Caption(), "&OK");
  EXPECT_EQ(t::Child<cl::TBitBtn>(*form_, "BitBtnCancel").Caption(), "Storno");
  EXPECT_EQ(t::Child<cl::TButton>(*form_, "ResetButton").Caption(), brw::TextByNumber(brw::txtFontReset));
  EXPECT_GT(form_->FontListBox().Count(), 0);
  EXPECT_EQ(form_->BackListBox().Count(), 16);
  EXPECT_GE(form_->BackListBox().Items().IndexOf("clRed"), 0);
  EXPECT_LT(form_->BackListBox().Items().IndexOf("clWindow"), 0);
}

TEST_F(FontFormTest, FacesAndColoursWithoutAnEntryAreAddedAndSelected) {
  struct Case {
    cl::TColor color;
    const char* name;
  } const cases[] = {{cl::clRed, "clRed"}, {0x00C0FFEE, "$00C0FFEE"}, {cl::clWindow, "clWindow"}};
  for (const Case& c : cases) {
    form_->SetBackground(c.color);
    EXPECT_EQ(form_->BackListBox().Items().Strings(form_->BackListBox().ItemIndex()), c.name);
    EXPECT_EQ(form_->GetSelectedBackground(), c.color);
    EXPECT_EQ(form_->FontViewer().DefBackground(), c.color);
  }
  const int before = form_->BackListBox().Count();
  form_->SetBackground(0x00C0FFEE);
  EXPECT_EQ(form_->BackListBox().Count(), before);

  for (const char* face : {"MS Sans Serif", "No Such Face Anywhere"}) {
    form_->SetFontName(face);
    EXPECT_EQ(form_->GetSelectedFontName(), face);
    EXPECT_EQ(form_->FontViewer().DefFontName(), face);
  }
}

TEST_F(FontFormTest, GridsAndSizeEditSetTheChoicesAndTheSample) {
  form_->SetFontColor(cl::clBlack);
  EXPECT_FALSE(form_->FontColorGrid().ForegroundEnabled());
  form_->Show();
  t::ProcessEvents();
  cl::TColorGrid& ink = form_->FontColorGrid();
  // Cells are 18 pixels square, row by row: red is the second of row 3.
  t::Click(ink, 18 + 3, 2 * 18 + 3);
  EXPECT_EQ(form_->FontColor(), cl::clRed);
  EXPECT_EQ(form_->FontViewer().DefFontColor(), cl::clRed);
  // The marker goes off again when the colour is set from outside.
  EXPECT_FALSE(ink.ForegroundEnabled());

  cl::TColorGrid& link = form_->HotSpotColorGrid();
  t::Click(link, 2 * 18 + 3, 3);
  EXPECT_EQ(form_->HotSpotColor(), cl::clGreen);
  EXPECT_EQ(form_->FontViewer().DefHotSpotColor(), cl::clGreen);

  form_->FontSizeEdit().SetValue(18);
  EXPECT_EQ(form_->FontSize(), 18);
  EXPECT_EQ(form_->FontViewer().DefFontSize(), 18);
  form_->FontSizeEdit().SetValue(99);
  EXPECT_EQ(form_->FontSize(), 24);  // the edit's range is 6 to 24
}

TEST_F(FontFormTest, ASizeBeyondTheEditsRangeIsKeptUntilTheUserChangesIt) {
  // "Larger" steps past 24; opening the dialog for a colour must not cut it.
  struct Case {
    int32_t size;
    int32_t shown;
  } const cases[] = {{36, 24}, {72, 24}, {12, 12}};
  for (const Case& c : cases) {
    form_->SetFontSize(c.size);
    EXPECT_EQ(form_->FontSize(), c.size);
    EXPECT_EQ(form_->FontViewer().DefFontSize(), c.size);
    EXPECT_EQ(form_->FontSizeEdit().Value(), c.shown);
  }
  form_->SetFontSize(36);
  form_->FontSizeEdit().SetValue(20);
  EXPECT_EQ(form_->FontSize(), 20);
}

TEST_F(FontFormTest, TheSampleShowsItsTextWhole) {
  TDocViewer& sample = form_->FontViewer();
  sample.SelectAll();
  std::string shown;
  sample.SectionList().CopySelectionToClipboard([&](std::string_view text) { shown = text; });
  const size_t first = shown.find_first_not_of(" \r\n");
  ASSERT_NE(first, std::string::npos);
  EXPECT_TRUE(shown.substr(first).starts_with("Nadpis\r\n")) << shown;
  // Czech letters arrive as their code page 1250 bytes, and nothing as "?".
  EXPECT_NE(shown.find("Tu\xE8n\xFD text"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Kurz\xEDva"), std::string::npos) << shown;
  EXPECT_EQ(shown.find('?'), std::string::npos) << shown;
}

TEST_F(FontFormTest, TheKeyboardReachesTheColourGridsAndMovesTheirChoice) {
  form_->SetFontName("Times New Roman");
  form_->SetFontColor(cl::clBlack);
  form_->SetHotSpotColor(cl::clBlue);
  form_->Show();
  t::ProcessEvents();
  cl::TColorGrid& ink = form_->FontColorGrid();
  cl::TColorGrid& link = form_->HotSpotColorGrid();
  auto focused = [&]() -> std::string {
    const cl::TWinControl* const active = form_->ActiveControl();
    return active != nullptr ? active->Name() : "";
  };
  form_->FontSizeEdit().SetFocus();
  t::ProcessEvents();

  // "&Písmo" marks the ink grid's and the face list's labels and "&Původní"
  // the reset button; "&Odkaz" and "P&ozadí" the link grid's and the
  // background list's labels and "&OK" its button. Each Alt press visits the
  // next of them, and no button is pressed.
  struct Key {
    uint16_t key;
    std::set<std::string> visited;
  } const keys[] = {
      {'P', {"FontColorGrid", "FontListBox", "ResetButton"}},
      {'O', {"HotSpotColorGrid", "BackListBox", "BitBtnOK"}},
  };
  for (const Key& key : keys) {
    std::set<std::string> visited;
    for (size_t i = 0; i < key.visited.size(); ++i) {
      t::TypeKey(*form_, key.key, cl::ssAlt);
      t::ProcessEvents();
      visited.insert(focused());
    }
    EXPECT_EQ(visited, key.visited) << char(key.key);
  }
  EXPECT_EQ(form_->ModalResult(), cl::mrNone);
  EXPECT_TRUE(form_->Visible());
  for (int i = 0; i < 3 && focused() != "HotSpotColorGrid"; ++i) t::TypeKey(*form_, 'O', cl::ssAlt);
  ASSERT_EQ(focused(), "HotSpotColorGrid");
  // Tab goes between the grids, which come first in the dialog's order.
  t::TypeKey(*form_, cl::VK_TAB, cl::ssShift);
  EXPECT_EQ(focused(), "FontColorGrid");
  t::TypeKey(*form_, cl::VK_TAB);
  EXPECT_EQ(focused(), "HotSpotColorGrid");
  EXPECT_EQ(form_->GetSelectedFontName(), "Times New Roman");  // Reset was not pressed

  // The arrows move the link colour a cell at a time from the first (black),
  // within the 4 x 4 grid; Home and End go to its ends.
  struct Move {
    uint16_t key;
    cl::TColor color;
  } const moves[] = {
      {cl::VK_RIGHT, cl::clMaroon}, {cl::VK_DOWN, cl::clPurple}, {cl::VK_LEFT, cl::clNavy},
      {cl::VK_LEFT, cl::clNavy},    {cl::VK_UP, cl::clBlack},    {cl::VK_END, cl::clWhite},
      {cl::VK_DOWN, cl::clWhite},   {cl::VK_HOME, cl::clBlack},
  };
  EXPECT_FALSE(link.ForegroundEnabled());
  for (const Move& move : moves) {
    t::TypeKey(*form_, move.key);
    EXPECT_EQ(form_->HotSpotColor(), move.color) << move.key;
    EXPECT_EQ(form_->FontViewer().DefHotSpotColor(), move.color) << move.key;
  }
  EXPECT_EQ(form_->FontColor(), cl::clBlack);  // the ink grid kept its colour
  EXPECT_EQ(ink.ForegroundIndex(), 0);
}
