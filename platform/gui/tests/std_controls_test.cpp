#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/check_box.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/label.h"
#include "platform/gui/list_box.h"
#include "platform/gui/screen.h"
#include "platform/gui/speed_button.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

using StdControlsTest = WindowTest;

TEST_F(StdControlsTest, SettingCheckedFromCodeFiresOnClickWhenTheStateChanges) {
  auto* box = Make<cl::TCheckBox>(*form);
  box->SetParent(form.get());
  int clicks = 0;
  box->OnClick = [&](cl::TObject*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box->SetChecked(false);
  EXPECT_EQ(clicks, 2);
  t::Click(*box, 5, 8);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 3);
}

TEST_F(StdControlsTest, RadioButtonsAreNotExclusiveAndAClickNeverUnchecks) {
  auto* a = Make<cl::TRadioButton>(*form);
  auto* b = Make<cl::TRadioButton>(*form);
  a->SetParent(form.get());
  b->SetParent(form.get());
  a->SetBounds(10, 10, 100, 17);
  b->SetBounds(10, 40, 100, 17);
  std::vector<std::string> clicked;
  a->OnClick = [&](cl::TObject*) { clicked.push_back("a"); };
  b->OnClick = [&](cl::TObject*) { clicked.push_back("b"); };
  a->SetChecked(true);
  t::Click(*b, 5, 8);
  EXPECT_TRUE(a->Checked());
  EXPECT_TRUE(b->Checked());
  t::Click(*b, 5, 8);
  EXPECT_TRUE(b->Checked());
  b->SetChecked(false);  // unchecking is no click
  EXPECT_EQ(clicked, (std::vector<std::string>{"a", "b"}));
}

TEST_F(StdControlsTest, ListAndComboItemsKeepTheirOrderObjectsAndSelection) {
  auto* list = Make<cl::TListBox>(*form);
  list->SetParent(form.get());
  list->SetSorted(true);
  cl::TObject marker;
  list->Items().Add("Times New Roman");
  list->Items().AddObject("Arial", &marker);
  list->Items().Add("courier New");
  EXPECT_EQ(list->Items().Text(), "Arial\r\ncourier New\r\nTimes New Roman\r\n");
  EXPECT_EQ(list->Items().Objects(0), &marker);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(list->Items().IndexOf("TIMES NEW ROMAN"));
  EXPECT_EQ(list->ItemIndex(), 2);
  int clicks = 0;
  list->OnClick = [&](cl::TObject*) { ++clicks; };
  list->Items().Delete(0);
  EXPECT_EQ(clicks, 0);  // the program's changes are not the user's choice
  EXPECT_EQ(list->Items()[1], "Times New Roman");

  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(1, true);
  EXPECT_EQ(list->SelCount(), 2);

  auto* combo = Make<cl::TComboBox>(*form);
  combo->SetParent(form.get());
  combo->SetStyle(cl::csDropDownList);
  combo->Items().Add("jedna");
  combo->Items().Add("dv\xec");  // "dvě" in code page 1250
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "dv\xec");
  EXPECT_THROW(combo->Items().Get(5), cl::EStringListError);
}

TEST_F(StdControlsTest, ClipboardTextCrossesQtInCodePage1250Whole) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += static_cast<char>(i % 2 == 0 ? 'a' + i % 26 : "\x9a\x9d\x9e\xe8"[i % 4]);
  cl::Clipboard().SetAsText(text);
  EXPECT_TRUE(cl::Clipboard().HasText());
  EXPECT_EQ(cl::Clipboard().AsText(), text);
}

TEST_F(StdControlsTest, SpeedButtonShowsItsSecondGlyphWhileDisabled) {
  auto* button = Make<cl::TSpeedButton>(*form);
  button->SetParent(form.get());
  EXPECT_EQ(button->Width(), 24);
  EXPECT_EQ(button->Height(), 24);
  button->Glyph().SetSize(32, 16);
  button->SetNumGlyphs(2);
  EXPECT_EQ(button->GlyphIndex(), 0);
  button->SetEnabled(false);
  EXPECT_EQ(button->GlyphIndex(), 1);
  button->SetNumGlyphs(1);
  EXPECT_EQ(button->GlyphIndex(), 0);
  int clicks = 0;
  button->OnClick = [&](cl::TObject*) { ++clicks; };
  t::Click(*button, 5, 5);  // disabled: no click
  EXPECT_EQ(clicks, 0);
  button->SetEnabled(true);
  t::Click(*button, 5, 5);
  EXPECT_EQ(clicks, 1);
  button->SetHint("Hledat text");
  button->SetShowHint(true);
  EXPECT_EQ(button->Hint(), "Hledat text");
}

TEST_F(StdControlsTest, LabelShowsItsCaptionWithoutAccessMarks) {
  auto* label = Make<cl::TLabel>(*form);
  label->SetParent(form.get());
  label->SetCaption("&P\xedsmo && barva");
  EXPECT_EQ(label->ShownText(), "P\xedsmo & barva");
  EXPECT_EQ(label->Width(), label->Canvas().TextWidth(label->ShownText()));
}

TEST_F(StdControlsTest, ScreenCursorAndSlotsAreKept) {
  auto shape = std::make_unique<cl::TCursorShape>();
  shape->Width = 16;
  shape->Height = 16;
  shape->AndPlane.assign(32, 0xFF);
  shape->XorPlane.assign(32, 0x00);
  cl::Screen().SetCursor(1, std::move(shape));
  auto* label = Make<cl::TLabel>(*form);
  label->SetParent(form.get());
  label->SetCursor(1);
  EXPECT_EQ(label->Cursor(), 1);
  cl::Screen().SetCursor(cl::crHourGlass);
  EXPECT_EQ(cl::Screen().Cursor(), cl::crHourGlass);
  cl::Screen().SetCursor(cl::crDefault);
  EXPECT_EQ(cl::Screen().Cursor(), cl::crDefault);
  cl::Screen().SetCursor(1, nullptr);
}

}  // namespace
