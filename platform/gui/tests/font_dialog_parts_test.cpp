#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/ansi_case.h"
#include "platform/gui/button.h"
#include "platform/gui/color_grid.h"
#include "platform/gui/edit.h"
#include "platform/gui/label.h"
#include "platform/gui/screen.h"
#include "platform/gui/spin_edit.h"
#include "platform/gui/virtual_keys.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

TEST(ScreenFonts, TheFacesIncludeTheSubstitutesWhichScale) {
  t::EnsureGuiTestApplication();
  const std::vector<std::string> faces = cl::Screen().Fonts();
  EXPECT_NE(std::find(faces.begin(), faces.end(), "Liberation Sans"), faces.end());
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(), [](const std::string& a, const std::string& b) {
    return cl::AnsiCompareText(a, b) < 0;
  }));
  EXPECT_TRUE(cl::Screen().IsScalableFont("Times New Roman"));
  EXPECT_TRUE(cl::Screen().FontPixelHeights("Times New Roman").empty());
}

using FontDialogPartsTest = WindowTest;

TEST_F(FontDialogPartsTest, ColorGridPicksTheClickedCellAndReportsIt) {
  auto* grid = Make<cl::TColorGrid>(*form);
  grid->SetParent(form.get());
  grid->SetBounds(10, 10, 72, 72);
  grid->SetForegroundEnabled(false);
  grid->SetClickEnablesColor(true);
  std::vector<cl::TColor> changes;
  grid->OnChange = [&](cl::TObject*) { changes.push_back(grid->ForegroundColor()); };
  t::Click(*grid, 20, 40);  // column 1, row 2: index 9
  EXPECT_EQ(grid->ForegroundIndex(), 9);
  EXPECT_TRUE(grid->ForegroundEnabled());
  EXPECT_EQ(changes, (std::vector<cl::TColor>{cl::clRed}));
  t::Click(*grid, 71, 71);
  EXPECT_EQ(grid->ForegroundColor(), cl::clWhite);
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(FontDialogPartsTest, ColorGridIsATabStopWhoseArrowsMoveTheChoice) {
  auto* edit = Make<cl::TEdit>(*form);
  edit->SetParent(form.get());
  auto* grid = Make<cl::TColorGrid>(*form);
  grid->SetParent(form.get());
  grid->SetBounds(10, 40, 72, 72);
  std::vector<int> changes;
  grid->OnChange = [&](cl::TObject*) { changes.push_back(grid->ForegroundIndex()); };
  edit->SetFocus();
  t::ProcessEvents();
  t::TypeKey(*form, cl::VK_TAB);
  t::ProcessEvents();
  EXPECT_EQ(form->ActiveControl(), grid);
  for (const uint16_t key : {cl::VK_RIGHT, cl::VK_RIGHT, cl::VK_DOWN, cl::VK_UP, cl::VK_LEFT, cl::VK_END,
                             cl::VK_RIGHT, cl::VK_HOME, cl::VK_LEFT})
    t::TypeKey(*form, key);
  // Moves that would leave the grid change nothing.
  EXPECT_EQ(changes, (std::vector<int>{1, 2, 6, 2, 1, 15, 0}));
}

TEST_F(FontDialogPartsTest, ALabelsAccessKeyFocusesItsControlAndTypesNothing) {
  auto* first = Make<cl::TEdit>(*form);
  first->SetParent(form.get());
  auto* second = Make<cl::TEdit>(*form);
  second->SetParent(form.get());
  second->SetTop(40);
  auto* label = Make<cl::TLabel>(*form);
  label->SetParent(form.get());
  label->SetTop(80);
  label->SetCaption("&Jméno");
  label->SetFocusControl(second);
  first->SetFocus();
  t::ProcessEvents();
  t::TypeKey(*form, 'J', cl::ssAlt);
  t::ProcessEvents();
  EXPECT_EQ(form->ActiveControl(), second);
  EXPECT_EQ(first->Text(), "");
  EXPECT_EQ(second->Text(), "");
  // A letter no caption marks moves nothing.
  t::TypeKey(*form, 'Q', cl::ssAlt);
  EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(FontDialogPartsTest, SpinEditKeepsItsRange) {
  auto* spin = Make<cl::TSpinEdit>(*form);
  spin->SetParent(form.get());
  spin->SetRange(6, 24);
  int changes = 0;
  spin->OnChange = [&](cl::TObject*) { ++changes; };
  spin->SetValue(12);
  spin->SetValue(40);
  EXPECT_EQ(spin->Value(), 24);
  spin->SetValue(1);
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(changes, 3);
}

TEST_F(FontDialogPartsTest, SpinEditTakesANumberBeyondItsRangeAndLimitsItWhenLeft) {
  auto* spin = Make<cl::TSpinEdit>(*form);
  spin->SetParent(form.get());
  spin->SetRange(0, 100);
  spin->SetValue(15);
  auto* next = Make<cl::TEdit>(*form);
  next->SetParent(form.get());
  next->SetTop(40);
  int changes = 0;
  spin->OnChange = [&](cl::TObject*) { ++changes; };
  spin->SetFocus();
  t::ProcessEvents();
  t::PressKey(*spin, 'A', cl::ssCtrl);
  for (const char digit : std::string("150")) t::PressKey(*spin, static_cast<uint16_t>(digit), 0, digit);
  EXPECT_EQ(spin->Text(), "150");
  EXPECT_EQ(spin->Value(), 100);
  t::TypeKey(*form, cl::VK_TAB);
  t::ProcessEvents();
  EXPECT_EQ(form->ActiveControl(), next);
  EXPECT_EQ(spin->Text(), "100");
  EXPECT_EQ(spin->Value(), 100);
  EXPECT_GE(changes, 1);
  // The arrows stay within the range.
  t::PressKey(*spin, cl::VK_UP);
  EXPECT_EQ(spin->Value(), 100);
  // Letters are no number.
  spin->SetFocus();
  t::PressKey(*spin, 'A', cl::ssCtrl);
  t::PressKey(*spin, 'X', 0, 'x');
  EXPECT_EQ(spin->Text(), "100");
}

TEST(BitBtn, OkAndCancelKindsAreTheDefaultAndCancelButtons) {
  t::EnsureGuiTestApplication();
  cl::TForm dialog(nullptr);
  dialog.SetName("KindsDialog");
  auto* ok = Make<cl::TBitBtn>(dialog);
  ok->SetParent(&dialog);
  ok->SetKind(cl::bkOK);
  auto* cancel = Make<cl::TBitBtn>(dialog);
  cancel->SetParent(&dialog);
  cancel->SetKind(cl::bkCancel);
  cancel->SetLeft(100);
  auto* spin = Make<cl::TSpinEdit>(dialog);
  spin->SetParent(&dialog);
  spin->SetTop(50);
  dialog.SetActiveControl(spin);
  {
    t::ModalDriver driver("KindsDialog", [&](cl::TForm&) { t::PressKey(*spin, cl::VK_RETURN); });
    EXPECT_EQ(dialog.ShowModal(), cl::mrOk);
  }
  {
    t::ModalDriver driver("KindsDialog", [&](cl::TForm&) { t::PressKey(*spin, cl::VK_ESCAPE); });
    EXPECT_EQ(dialog.ShowModal(), cl::mrCancel);
  }
}

}  // namespace
