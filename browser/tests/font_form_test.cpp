#include <gtest/gtest.h>

#include "browser/font_form.h"
#include "browser/texts.h"
#include "platform/gui/test_support/gui_test.h"

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
