#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/button.h"
#include "platform/gui/edit.h"
#include "platform/gui/memo.h"
#include "platform/gui/menu.h"
#include "platform/gui/timer.h"
#include "platform/gui/virtual_keys.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

// A dialog with OK (default, result 1), Cancel (cancel, result 2), an edit
// and a memo.
class Dialog {
 public:
  Dialog() : form(std::make_unique<cl::TForm>(nullptr)) {
    form->SetName("TestDialog");
    form->SetBounds(50, 50, 300, 200);
    ok = Make<cl::TButton>(*form);
    ok->SetName("OkButton");
    ok->SetParent(form.get());
    ok->SetBounds(10, 150, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(cl::mrOk);
    cancel = Make<cl::TButton>(*form);
    cancel->SetName("CancelButton");
    cancel->SetParent(form.get());
    cancel->SetBounds(100, 150, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(cl::mrCancel);
    edit = Make<cl::TEdit>(*form);
    edit->SetName("NameEdit");
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 150, 21);
    memo = Make<cl::TMemo>(*form);
    memo->SetName("NotesMemo");
    memo->SetParent(form.get());
    memo->SetBounds(10, 40, 150, 80);
    form->SetActiveControl(edit);
  }
  std::unique_ptr<cl::TForm> form;
  cl::TButton* ok;
  cl::TButton* cancel;
  cl::TEdit* edit;
  cl::TMemo* memo;
};

TEST(ModalForm, EscEnterAndTheTitleBarGiveTheirResults) {
  t::EnsureGuiTestApplication();
  struct Case {
    const char* name;
    std::function<void(cl::TForm&)> act;
    cl::TModalResult expected;
  } const cases[] = {
      {"Esc", [](cl::TForm& f) { t::PressKey(t::Child<cl::TEdit>(f, "NameEdit"), cl::VK_ESCAPE); }, cl::mrCancel},
      {"Enter", [](cl::TForm& f) { t::PressKey(t::Child<cl::TEdit>(f, "NameEdit"), cl::VK_RETURN); }, cl::mrOk},
      {"close", [](cl::TForm& f) { t::CloseByTitleBar(f); }, cl::mrCancel},
      {"click", [](cl::TForm& f) { t::Click(t::Child<cl::TButton>(f, "OkButton"), 5, 5); }, cl::mrOk},
      {"code", [](cl::TForm& f) { f.SetModalResult(cl::mrYes); }, cl::mrYes},
  };
  for (const Case& c : cases) {
    Dialog dialog;
    t::ModalDriver driver("testdialog", c.act);
    EXPECT_EQ(dialog.form->ShowModal(), c.expected) << c.name;
    EXPECT_TRUE(driver.Ran());
    EXPECT_FALSE(dialog.form->Visible());
    EXPECT_EQ(cl::TForm::ActiveModalForm(), nullptr);
  }
}

TEST(ModalForm, EnterInAMemoIsTheMemosAndShiftEscIsNotTheCancel) {
  t::EnsureGuiTestApplication();
  Dialog dialog;
  t::ModalDriver driver("TestDialog", [](cl::TForm& f) {
    auto& memo = t::Child<cl::TMemo>(f, "NotesMemo");
    memo.SetFocus();
    t::PressKey(memo, cl::VK_RETURN);
    t::PressKey(memo, cl::VK_ESCAPE, cl::ssShift);
    EXPECT_EQ(f.ModalResult(), cl::mrNone);
    f.SetModalResult(cl::mrAbort);
  });
  EXPECT_EQ(dialog.form->ShowModal(), cl::mrAbort);
}

TEST(ModalForm, OnCloseQueryCanRefuseAndTheFormStaysUp) {
  t::EnsureGuiTestApplication();
  Dialog dialog;
  int asked = 0;
  dialog.form->OnCloseQuery = [&](cl::TObject*, bool& canClose) { canClose = ++asked > 1; };
  // Once the first close was refused, the form is still up and Cancel closes it.
  auto* later = Make<cl::TTimer>(*dialog.form);
  later->SetInterval(20);
  bool upAfterRefusal = false;
  later->OnTimer = [&] {
    if (asked != 1) return;
    later->SetEnabled(false);
    upAfterRefusal = dialog.form->Visible() && dialog.form->ModalResult() == cl::mrNone;
    t::Click(*dialog.cancel, 5, 5);
  };
  t::ModalDriver driver("TestDialog", [&](cl::TForm& f) { f.SetModalResult(cl::mrOk); });
  EXPECT_EQ(dialog.form->ShowModal(), cl::mrCancel);
  EXPECT_TRUE(upAfterRefusal);
  EXPECT_EQ(asked, 2);
}

// A modal run whose action leaves the form up.
void RunHungDialog() {
  Dialog dialog;
  t::ModalDriver driver("TestDialog", [](cl::TForm&) {}, std::chrono::milliseconds(100));
  EXPECT_EQ(dialog.form->ShowModal(), cl::mrCancel);
}

TEST(ModalForm, TheWatchdogClosesAHungForm) {
  t::EnsureGuiTestApplication();
  // The driver is expected to fail the run: check that it does.
  EXPECT_NONFATAL_FAILURE(RunHungDialog(), "hung");
}

TEST(ModalForm, KeyPreviewShowsKeysToTheFormFirstAndMayEatThem) {
  t::EnsureGuiTestApplication();
  Dialog dialog;
  dialog.form->SetKeyPreview(true);
  std::vector<uint16_t> seen;
  dialog.form->OnKeyDown = [&](cl::TObject*, uint16_t& key, cl::TShiftState) {
    seen.push_back(key);
    if (key == cl::VK_ESCAPE) key = 0;
  };
  std::vector<uint16_t> editSaw;
  dialog.edit->OnKeyDown = [&](cl::TObject*, uint16_t& key, cl::TShiftState) { editSaw.push_back(key); };
  dialog.form->Show();
  t::ProcessEvents();
  t::PressKey(*dialog.edit, cl::VK_ESCAPE);
  t::PressKey(*dialog.edit, 'X');
  EXPECT_EQ(seen, (std::vector<uint16_t>{cl::VK_ESCAPE, 'X'}));
  EXPECT_EQ(editSaw, (std::vector<uint16_t>{'X'}));
  EXPECT_EQ(dialog.edit->Text(), "x");
}

TEST(PopupMenu, ShortcutsRunEnabledItemsOnlyAndTheRightButtonPopsItUp) {
  t::EnsureGuiTestApplication();
  Dialog dialog;
  auto* menu = Make<cl::TPopupMenu>(*dialog.form);
  int opened = 0;
  auto open = std::make_unique<cl::TMenuItem>();
  open->SetName("OpenItem");
  open->SetCaption("&Open");
  open->SetShortCut(cl::ShortCut('O', cl::ssCtrl));
  open->OnClick = [&](cl::TObject*) { ++opened; };
  cl::TMenuItem* item = menu->Items().Add(std::move(open));
  dialog.form->SetPopupMenu(menu);
  dialog.form->Show();
  t::ProcessEvents();
  t::PressKey(*dialog.edit, 'O', cl::ssCtrl);
  EXPECT_EQ(opened, 1);
  item->SetEnabled(false);
  t::PressKey(*dialog.edit, 'O', cl::ssCtrl);
  EXPECT_EQ(opened, 1);

  std::vector<cl::TPoint> shownAt;
  int popups = 0;
  menu->OnPopup = [&](cl::TObject*) { ++popups; };
  cl::TPopupMenu::SetPopupHandler([&](cl::TPopupMenu& m, cl::TPoint p) {
    EXPECT_EQ(&m, menu);
    shownAt.push_back(p);
  });
  menu->Popup(30, 40);
  cl::TPopupMenu::SetPopupHandler(nullptr);
  EXPECT_EQ(popups, 1);
  ASSERT_EQ(shownAt.size(), 1u);
  EXPECT_EQ(shownAt[0], (cl::TPoint{30, 40}));
  EXPECT_EQ(menu->Items().Find("openitem"), item);
}

TEST(PopupMenu, EachItemShowsItsShortcutKey) {
  t::EnsureGuiTestApplication();
  struct Case {
    uint16_t key;
    cl::TShiftState shift;
    const char* shown;
  } const cases[] = {
      {'O', cl::ssCtrl, "Ctrl+O"},          {'7', cl::ssAlt, "Alt+7"},
      {cl::VK_F1 + 9, 0, "F10"},           {cl::VK_RIGHT, cl::ssAlt, "Alt+Right"},
      {cl::VK_LEFT, cl::ssAlt, "Alt+Left"}, {cl::VK_UP, cl::ssAlt, "Alt+Up"},
      {cl::VK_DOWN, cl::ssAlt, "Alt+Down"}, {cl::VK_PRIOR, cl::ssAlt, "Alt+PgUp"},
      {cl::VK_NEXT, cl::ssAlt, "Alt+PgDown"}, {cl::VK_HOME, cl::ssShift, "Shift+Home"},
      {cl::VK_END, 0, "End"},              {cl::VK_INSERT, 0, "Ins"},
      {cl::VK_DELETE, cl::ssCtrl, "Ctrl+Del"}, {cl::VK_RETURN, cl::ssAlt, "Alt+Return"},
      {cl::VK_ESCAPE, 0, "Esc"},           {cl::VK_TAB, cl::ssCtrl, "Ctrl+Tab"},
      {cl::VK_SPACE, cl::ssCtrl, "Ctrl+Space"}, {cl::VK_BACK, cl::ssAlt, "Alt+Backspace"},
  };
  cl::TPopupMenu menu(nullptr);
  for (const Case& c : cases) {
    auto item = std::make_unique<cl::TMenuItem>();
    item->SetCaption(c.shown);
    item->SetShortCut(cl::ShortCut(c.key, c.shift));
    menu.Items().Add(std::move(item));
  }
  // A sub-menu's items show theirs too.
  auto sub = std::make_unique<cl::TMenuItem>();
  sub->SetCaption("Sub");
  auto inner = std::make_unique<cl::TMenuItem>();
  inner->SetCaption("Inner");
  inner->SetShortCut(cl::ShortCut(cl::VK_DOWN, cl::ssCtrl));
  sub->Add(std::move(inner));
  menu.Items().Add(std::move(sub));
  const std::vector<t::ShownMenuItem> shown = t::ShownMenu(menu);
  ASSERT_EQ(shown.size(), std::size(cases) + 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(shown[i].shortCut, cases[i].shown);
  ASSERT_EQ(shown.back().items.size(), 1u);
  EXPECT_EQ(shown.back().items[0].shortCut, "Ctrl+Down");
}

TEST(FormPlacement, StateAndNormalRectangleSurviveMaximising) {
  t::EnsureGuiTestApplication();
  cl::TForm form(nullptr);
  form.SetBounds(20, 30, 300, 200);
  form.SetWindowState(cl::wsMaximized);
  form.Show();
  t::ProcessEvents();
  EXPECT_EQ(form.WindowState(), cl::wsMaximized);
  const cl::TWindowPlacement placement = form.Placement();
  EXPECT_EQ(placement.State, cl::wsMaximized);
  EXPECT_EQ(placement.Normal, cl::Bounds(20, 30, 300, 200));
  form.SetWindowState(cl::wsNormal);
  t::ProcessEvents();
  EXPECT_EQ(form.WindowState(), cl::wsNormal);
  EXPECT_EQ(form.Width(), 300);
  EXPECT_EQ(form.Height(), 200);
}

TEST(FormBorder, OnlyASizeableBorderLetsTheUserResizeAndCodeAlwaysCan) {
  t::EnsureGuiTestApplication();
  struct Case {
    cl::TFormBorderStyle style;
    bool userCanResize;
  } const cases[] = {
      {cl::bsSizeable, true}, {cl::bsDialog, false}, {cl::bsSingle, false}, {cl::bsToolWindow, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    cl::TForm form(nullptr);
    form.SetBounds(20, 30, 300, 200);
    form.SetBorderStyle(c.style);
    form.Show();
    t::ProcessEvents();
    EXPECT_EQ(t::UserCanResize(form), c.userCanResize);
    // Code resizes every border; the window follows.
    form.SetBounds(20, 30, 340, 220);
    form.SetClientSize(360, 230);
    t::ProcessEvents();
    EXPECT_EQ(form.ClientWidth(), 360);
    EXPECT_EQ(form.ClientHeight(), 230);
    EXPECT_EQ(t::UserCanResize(form), c.userCanResize);
  }
  // A dialog border given up for a sizeable one can be dragged again.
  cl::TForm form(nullptr);
  form.SetBorderStyle(cl::bsDialog);
  form.SetBorderStyle(cl::bsSizeable);
  EXPECT_TRUE(t::UserCanResize(form));
}

TEST(FormBorder, AnEmptyCaptionShowsAnEmptyTitle) {
  t::EnsureGuiTestApplication();
  cl::TForm form(nullptr);
  form.Show();
  t::ProcessEvents();
  EXPECT_EQ(t::ShownWindowTitle(form), " ");
  form.SetCaption("Okno");
  EXPECT_EQ(t::ShownWindowTitle(form), "Okno");
  form.SetCaption("");
  EXPECT_EQ(t::ShownWindowTitle(form), " ");
}

}  // namespace
