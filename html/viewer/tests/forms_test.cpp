#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "html/forms/button_controls.h"
#include "html/forms/edit_control_obj.h"
#include "html/forms/list_controls.h"
#include "html/forms/windowless_controls.h"
#include "html/testing/viewer_fixture.h"
#include "platform/gui/canvas.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/virtual_keys.h"

namespace html {
namespace {

// The HTML parser behind a shown viewer, with every submission recorded as
// "method target action: pair|pair".
class FormsTest : public ViewerTest {
 public:
  using ViewerTest::viewer;
  void SetUp() override {
    ViewerTest::SetUp();
    viewer->Parser = ParseDocument;
    viewer->SetOnFormSubmit([this](cl::TObject* sender, const std::string& action, const std::string& target,
                                   const std::string&, const std::string& method, cl::TStringList& results) {
      EXPECT_EQ(sender, viewer);
      std::string line = method + " " + target + " " + action + ": ";
      for (int i = 0; i < results.Count(); ++i) line += (i ? "|" : "") + results[i];
      submissions.push_back(line);
      if (onSubmit) onSubmit();
    });
  }
  void TearDown() override {
    ViewerTest::TearDown();
    cl::FreeReleased();
  }
  void LoadHtml(const std::string& html) {
    viewer->LoadFromBuffer(html.data(), static_cast<int32_t>(html.size()));
    cl::testing::ProcessEvents();
  }
  TFormControlObj& Control(int index, int form = 0) {
    return *viewer->SectionList().Forms.at(static_cast<size_t>(form))->Controls.at(static_cast<size_t>(index));
  }
  cl::TWinControl& Window(int index, int form = 0) { return *Control(index, form).WinControl(); }
  template <class T>
  T& As(int index, int form = 0) {
    return dynamic_cast<T&>(Control(index, form));
  }
  void Type(cl::TWinControl& control, const std::string& text) {
    for (char c : text) cl::testing::PressKey(control, static_cast<uint16_t>(std::toupper(c)), 0, c);
  }
  void ClickWindow(int index) {
    cl::TWinControl& window = Window(index);
    cl::testing::Click(window, window.Width() / 2, window.Height() / 2);
  }

  std::vector<std::string> submissions;
  std::function<void()> onSubmit;
};

TEST_F(FormsTest, SubmissionsCarryThePairsOfEveryKind) {
  struct Case {
    const char* name;
    std::string html;
    std::function<void(FormsTest&)> act;
    std::vector<std::string> expected;
  };
  auto enter = [](int index) {
    return [index](FormsTest& t) { cl::testing::PressKey(t.Window(index), cl::VK_RETURN); };
  };
  auto click = [](int index) { return [index](FormsTest& t) { t.ClickWindow(index); }; };
  const std::string image = "<INPUT TYPE=image SRC=none.gif WIDTH=40 HEIGHT=30";
  auto clickImage = [](int x, int y) {
    return [x, y](FormsTest& t) {
      // The image where it was drawn (document coordinates, no scrolling here).
      const auto& section = dynamic_cast<TSection&>(*t.viewer->SectionList()[0]);
      const TImageObj& picture = *section.Images[0];
      cl::testing::Click(t.viewer->PaintPanel(), picture.Left + x, picture.Top + y);
    };
  };
  const Case cases[] = {
      {"enter with one field", "<FORM ACTION=a.cgi><INPUT NAME=q VALUE=x></FORM>",
       [](FormsTest& t) {
         t.Type(t.Window(0), "yz");
         cl::testing::PressKey(t.Window(0), cl::VK_RETURN);
       },
       {"Get  a.cgi: q=xyz"}},
      {"enter with two fields", "<FORM><INPUT NAME=q><INPUT NAME=r></FORM>", enter(0), {}},
      {"a hidden field does not count and is sent",
       "<FORM ACTION=s><INPUT TYPE=hidden NAME=h VALUE=1><INPUT NAME=q VALUE=v></FORM>", enter(1),
       {"Get  s: h=1|q=v"}},
      {"enter in a text area", "<FORM><TEXTAREA NAME=t>a</TEXTAREA></FORM>", enter(0), {}},
      {"text area lines", "<FORM><TEXTAREA NAME=t>one\ntwo\nthree</TEXTAREA><INPUT TYPE=submit></FORM>", click(1),
       {"Get  : t=one|t=two|t=three"}},
      {"a named submit button comes last",
       "<FORM><INPUT TYPE=submit NAME=go VALUE=Search><INPUT NAME=a VALUE=1></FORM>", click(0),
       {"Get  : a=1|go=Search"}},
      {"an unnamed submit button adds nothing", "<FORM><INPUT TYPE=submit VALUE=Search><INPUT NAME=a VALUE=1></FORM>",
       click(0), {"Get  : a=1"}},
      {"a named image input", "<FORM>" + image + " NAME=map><INPUT NAME=a VALUE=1></FORM>", clickImage(10, 20),
       {"Get  : map.x=10|map.y=20|a=1"}},
      {"an unnamed image input", "<FORM>" + image + "></FORM>", clickImage(10, 20), {"Get  : x=10|y=20"}},
      {"no point on a second submission", "<FORM>" + image + " NAME=map><BR><INPUT TYPE=submit></FORM>",
       [clickImage](FormsTest& t) {
         clickImage(3, 4)(t);
         cl::testing::ProcessEvents();
         t.ClickWindow(1);
       },
       {"Get  : map.x=3|map.y=4", "Get  : "}},
      {"a check box without VALUE, ticked",
       "<FORM><INPUT TYPE=checkbox NAME=agree><INPUT TYPE=checkbox NAME=no CHECKED><INPUT TYPE=submit></FORM>",
       [](FormsTest& t) {
         t.ClickWindow(0);
         t.ClickWindow(1);
         t.ClickWindow(2);
       },
       {"Get  : agree=On"}},
      {"radios c and C exclude each other",
       "<FORM><INPUT TYPE=radio NAME=c VALUE=1 CHECKED><INPUT TYPE=radio NAME=C VALUE=2>"
       "<INPUT TYPE=submit></FORM>",
       [](FormsTest& t) {
         t.ClickWindow(1);
         t.ClickWindow(2);
       },
       {"Get  : C=2"}},
      {"unnamed radios stay checked",
       "<FORM><INPUT TYPE=radio VALUE=1 CHECKED><INPUT TYPE=radio VALUE=2><INPUT TYPE=submit></FORM>",
       [](FormsTest& t) {
         t.ClickWindow(1);
         t.ClickWindow(2);
       },
       {"Get  : =1|=2"}},
      {"a password and a combo choice",
       "<FORM><INPUT TYPE=PASSWORD NAME=p><SELECT NAME=s><OPTION VALUE=v1>one<OPTION>two</SELECT>"
       "<INPUT TYPE=submit></FORM>",
       [](FormsTest& t) {
         t.Type(t.Window(0), "pw");
         cl::testing::PressKey(t.Window(1), cl::VK_DOWN);
         t.ClickWindow(2);
       },
       {"Get  : p=pw|s=two"}},
      {"a list with several chosen",
       "<FORM><SELECT NAME=l MULTIPLE><OPTION>a<OPTION VALUE=B SELECTED>b<OPTION>c</SELECT>"
       "<INPUT TYPE=submit></FORM>",
       [](FormsTest& t) {
         auto& list = dynamic_cast<cl::TListBox&>(t.Window(0));
         cl::testing::Click(list, 5, list.ItemHeight() * 2 + list.ItemHeight() / 2, cl::mbLeft);
         t.ClickWindow(1);
       },
       {"Get  : l=c"}},
      {"method cut to four, the form's target",
       "<FORM METHOD=postal TARGET=right ACTION=x><A HREF=y TARGET=left>link</A><INPUT NAME=q></FORM>", enter(0),
       {"post right x: q="}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    submissions.clear();
    LoadHtml(c.html);
    c.act(*this);
    cl::testing::ProcessEvents();
    EXPECT_EQ(submissions, c.expected);
  }
}

TEST_F(FormsTest, TheListChoosesSeveralOnlyWithControlHeld) {
  LoadHtml("<FORM><SELECT NAME=l MULTIPLE><OPTION>a<OPTION>b<OPTION>c</SELECT><INPUT TYPE=submit></FORM>");
  auto& list = dynamic_cast<cl::TListBox&>(Window(0));
  const int row = list.ItemHeight();
  cl::testing::Click(list, 5, row / 2);
  cl::testing::MouseDown(list, 5, row * 2 + row / 2, cl::mbLeft, cl::ssCtrl);
  cl::testing::MouseUp(list, 5, row * 2 + row / 2, cl::mbLeft, cl::ssCtrl);
  ClickWindow(1);
  cl::testing::ProcessEvents();
  EXPECT_EQ(submissions, (std::vector<std::string>{"Get  : l=a|l=c"}));
}

TEST_F(FormsTest, DeliveryWaitsForTheEventLoopAndTakesTheLatestOnce) {
  LoadHtml("<FORM><INPUT NAME=q VALUE=1></FORM>");
  cl::testing::PressKey(Window(0), cl::VK_RETURN);
  EXPECT_TRUE(submissions.empty());
  As<TEditFormControlObj>(0).Edit().SetText("2");
  cl::testing::PressKey(Window(0), cl::VK_RETURN);
  EXPECT_TRUE(submissions.empty());
  cl::testing::ProcessEvents();
  EXPECT_EQ(submissions, (std::vector<std::string>{"Get  : q=2"}));
  // Nothing waits now: a stray delivery message does nothing.
  viewer->DeferredSubmit();
  cl::testing::ProcessEvents();
  EXPECT_EQ(submissions.size(), 1u);
  // Without a handler nothing is kept or posted.
  viewer->SetOnFormSubmit(nullptr);
  cl::testing::PressKey(Window(0), cl::VK_RETURN);
  EXPECT_EQ(viewer->SubmitList, nullptr);
  cl::testing::ProcessEvents();
  EXPECT_EQ(submissions.size(), 1u);
}

TEST_F(FormsTest, ASubmissionGoesWithItsDocumentOrViewer) {
  LoadHtml("<FORM><INPUT NAME=q VALUE=1></FORM>");
  cl::testing::PressKey(Window(0), cl::VK_RETURN);
  LoadHtml("<P>another document");
  EXPECT_TRUE(submissions.empty());

  LoadHtml("<FORM><INPUT NAME=q VALUE=1></FORM>");
  cl::testing::PressKey(Window(0), cl::VK_RETURN);
  cl::FreeComponent(viewer);
  viewer = nullptr;
  cl::testing::ProcessEvents();
  EXPECT_TRUE(submissions.empty());
}

TEST_F(FormsTest, TheHandlerMayClearTheViewer) {
  LoadHtml("<FORM><INPUT NAME=q VALUE=1><INPUT TYPE=submit NAME=go VALUE=Go></FORM>");
  onSubmit = [this] { viewer->Clear(); };
  ClickWindow(1);
  cl::testing::ProcessEvents();
  EXPECT_EQ(submissions, (std::vector<std::string>{"Get  : q=1|go=Go"}));
  EXPECT_TRUE(viewer->SectionList().Forms.empty());
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 0);
}

TEST_F(FormsTest, AnObjectClickThatLoadsAnotherDocumentEndsTheClick) {
  LoadHtml("<FORM><INPUT NAME=q VALUE=1><INPUT TYPE=submit ONCLICK=\"go()\"></FORM>");
  std::vector<std::string> clicks;
  viewer->SetOnObjectClick([&](cl::TObject* sender, cl::TObject* obj, const std::string& onClick) {
    EXPECT_EQ(sender, viewer);
    EXPECT_NE(dynamic_cast<TButtonFormControlObj*>(obj), nullptr);
    clicks.push_back(onClick);
    LoadHtml("<P>elsewhere");
  });
  ClickWindow(1);
  cl::testing::ProcessEvents();
  EXPECT_EQ(clicks, (std::vector<std::string>{"go()"}));
  EXPECT_TRUE(submissions.empty());
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 0);
}

TEST_F(FormsTest, ALoadFromTheFirstControlsClickPassesTheFocusSafely) {
  // The next to take the focus is out of view: taking it would scroll.
  std::string html = "<FORM><INPUT TYPE=checkbox ONCLICK=load>";
  for (int i = 0; i < 40; ++i) html += "<P>line " + std::to_string(i);
  LoadHtml(html + "<INPUT NAME=e><SELECT><OPTION>a</SELECT></FORM>");
  int clicks = 0;
  viewer->SetOnObjectClick([&](cl::TObject*, cl::TObject*, const std::string&) {
    ++clicks;
    LoadHtml("<P>elsewhere");
  });
  Window(0).SetFocus();
  cl::testing::ProcessEvents();
  ClickWindow(0);
  cl::testing::ProcessEvents();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 0);
}

TEST_F(FormsTest, ObjectClicksCarryTheirTexts) {
  LoadHtml("<FORM><INPUT TYPE=checkbox ONCLICK=box><INPUT TYPE=radio NAME=r ONCLICK=radio>"
           "<INPUT TYPE=button VALUE=b ONCLICK=plain></FORM>");
  std::vector<std::string> clicks;
  viewer->SetOnObjectClick(
      [&](cl::TObject*, cl::TObject*, const std::string& onClick) { clicks.push_back(onClick); });
  ClickWindow(0);
  ClickWindow(1);
  ClickWindow(2);
  cl::testing::ProcessEvents();
  EXPECT_EQ(clicks, (std::vector<std::string>{"box", "radio", "plain"}));
  EXPECT_TRUE(submissions.empty());
}

TEST_F(FormsTest, ResetRestoresEveryKind) {
  LoadHtml(
      "<FORM><INPUT NAME=e VALUE=init><INPUT TYPE=checkbox NAME=c CHECKED><INPUT TYPE=radio NAME=r VALUE=1 CHECKED>"
      "<INPUT TYPE=radio NAME=r VALUE=2><SELECT NAME=s><OPTION>a<OPTION SELECTED>b<OPTION>c</SELECT>"
      "<SELECT NAME=m MULTIPLE><OPTION SELECTED>x<OPTION>y</SELECT><TEXTAREA NAME=t>l1\nl2</TEXTAREA>"
      "<INPUT TYPE=reset><INPUT TYPE=submit></FORM>");
  auto submitAll = [this] {
    submissions.clear();
    ClickWindow(8);
    cl::testing::ProcessEvents();
    return submissions;
  };
  const std::vector<std::string> initial = submitAll();
  ASSERT_EQ(initial, (std::vector<std::string>{"Get  : e=init|c=On|r=1|s=b|m=x|t=l1|t=l2"}));
  Type(Window(0), "x");
  ClickWindow(1);
  ClickWindow(3);
  cl::testing::PressKey(Window(4), cl::VK_DOWN);
  auto& multi = dynamic_cast<cl::TListBox&>(Window(5));
  cl::testing::Click(multi, 5, multi.ItemHeight() + multi.ItemHeight() / 2);
  As<TTextAreaFormControlObj>(6).Memo().SetLines({"changed"});
  ASSERT_EQ(submitAll(), (std::vector<std::string>{"Get  : e=initx|r=2|s=c|m=y|t=changed"}));
  ClickWindow(7);
  EXPECT_EQ(submitAll(), initial);
}

TEST_F(FormsTest, ControlsTakeTheirSizesFromTheFont) {
  std::string twelve, html = "<FORM><SELECT NAME=a SIZE=2 MULTIPLE></SELECT><SELECT MULTIPLE NAME=b>";
  for (int i = 0; i < 12; ++i) html += "<OPTION>o" + std::to_string(i);
  html += "</SELECT><SELECT MULTIPLE NAME=c></SELECT><INPUT SIZE=4><INPUT TYPE=submit VALUE=Go>"
          "<TEXTAREA ROWS=3 COLS=7></TEXTAREA><INPUT TYPE=checkbox><INPUT TYPE=radio></FORM>";
  LoadHtml(html);
  EXPECT_EQ(As<TListBoxFormControlObj>(0).VisibleRows, 2);
  EXPECT_EQ(As<TListBoxFormControlObj>(1).VisibleRows, 8);
  EXPECT_EQ(As<TListBoxFormControlObj>(2).VisibleRows, 1);
  const int32_t a = Window(1).Canvas().TextWidth("A"), h = Window(1).Canvas().TextHeight("A");
  EXPECT_EQ(Window(1).ClientHeight(), h * 8);
  EXPECT_EQ(Window(1).ClientWidth(), a * 3 + 15);
  EXPECT_EQ(Window(3).Width(), Window(3).Canvas().TextWidth("A") * 4 + 5);
  EXPECT_EQ(Window(3).Height(), 20);
  EXPECT_EQ(Window(4).Width(), Window(4).Canvas().TextWidth("Go") + 20);
  EXPECT_EQ(Window(4).Height(), Window(4).Canvas().TextHeight("A") + 8);
  EXPECT_EQ(Window(5).ClientHeight(), Window(5).Canvas().TextHeight("A") * 3 + 5);
  EXPECT_EQ(Window(5).ClientWidth(), Window(5).Canvas().TextWidth("A") * 7 + 5);
  EXPECT_EQ(Control(6).Width(), 13);
  EXPECT_EQ(Control(6).Height(), 13);
  EXPECT_EQ(Control(7).Width(), 13);
  EXPECT_EQ(Control(7).Height(), 14);
  EXPECT_EQ(Window(3).Font().Name(), viewer->DefPreFontName());
}

bool Dark(cl::TColor p) { return cl::GetRValue(p) < 0x60 && cl::GetGValue(p) < 0x60 && cl::GetBValue(p) < 0x60; }

// What the user sees of the sized controls, in the real fonts: a TEXTAREA of
// three rows shows its three lines, a SELECT of three rows its three options
// without a scroll bar, and a password one "*" for each character.
TEST_F(FormsTest, SizedControlsShowTheirRowsWholeAndPasswordsAsStars) {
  const cl::ScopedFontEngine real(cl::FontEngineKind::Real);
  LoadHtml("<FORM><TEXTAREA ROWS=3 COLS=8>WWW\nWWW\nWWW\nWWW</TEXTAREA><BR>"
           "<SELECT NAME=s SIZE=3><OPTION>WWW<OPTION>WWW<OPTION>WWW</SELECT><BR>"
           "<INPUT TYPE=password NAME=p VALUE=abc> <INPUT NAME=e VALUE=\"***\"></FORM>");
  cl::TMemo& memo = As<TTextAreaFormControlObj>(0).Memo();
  auto& list = dynamic_cast<cl::TListBox&>(Window(1));
  const int32_t line = memo.Canvas().TextHeight("A");
  ASSERT_EQ(memo.ClientHeight(), 3 * line + 5);
  ASSERT_EQ(list.ClientHeight(), 3 * list.ItemHeight());
  // The frame is as wide on every side: no scroll bar took a part of the list.
  EXPECT_EQ(list.Width() - list.ClientWidth(), list.Height() - list.ClientHeight());
  // The bands of rows with ink in the left part of a control, top down.
  struct Band {
    int top, bottom;
  };
  const auto bands = [](cl::TWinControl& control) {
    const cl::testing::ScreenArea area = cl::testing::ScreenPixels(control, cl::Rect(0, 0, 30, control.Height()));
    std::vector<Band> found;
    bool inBand = false;
    for (int y = 0; y < control.Height(); ++y) {
      bool ink = false;
      for (int x = 3; x < 30; ++x) ink = ink || Dark(area.At(x, y));
      if (ink && !inBand) found.push_back({y, y + 1});
      if (ink) found.back().bottom = y + 1;
      inBand = ink;
    }
    return found;
  };
  // The memo's first three lines of "WWW" are whole: as tall as one another.
  const std::vector<Band> lines = bands(memo);
  ASSERT_GE(lines.size(), 3u);
  const int height = lines[0].bottom - lines[0].top;
  EXPECT_GT(height, 4);
  EXPECT_EQ(lines[1].bottom - lines[1].top, height);
  EXPECT_EQ(lines[2].bottom - lines[2].top, height);
  // The list's first row is the current one, light on the highlight; the
  // second and the third show whole, dark on white, and nothing follows.
  const std::vector<Band> rows = bands(list);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].bottom - rows[0].top, height);
  EXPECT_EQ(rows[1].bottom - rows[1].top, height);
  EXPECT_EQ(rows[1].top - rows[0].top, list.ItemHeight());
  // The password field and the field holding "***" look alike.
  cl::TWinControl& password = Window(2);
  cl::TWinControl& stars = Window(3);
  ASSERT_EQ(password.Width(), stars.Width());
  const cl::TRect box = cl::Rect(2, 2, 40, password.Height() - 2);
  const cl::testing::ScreenArea hidden = cl::testing::ScreenPixels(password, box);
  const cl::testing::ScreenArea shown = cl::testing::ScreenPixels(stars, box);
  EXPECT_TRUE(std::any_of(hidden.Pixels.begin(), hidden.Pixels.end(), Dark));
  EXPECT_EQ(hidden.Pixels, shown.Pixels);
}

TEST_F(FormsTest, HugeSizesGiveLargeButSaneControls) {
  LoadHtml("<FORM><INPUT SIZE=2000000000><TEXTAREA ROWS=2000000000 COLS=2000000000></TEXTAREA>"
           "<SELECT MULTIPLE SIZE=2000000000><OPTION>a</SELECT><INPUT SIZE=-7></FORM>");
  EXPECT_GT(Control(0).Width(), 1000);
  EXPECT_GT(Control(1).Width(), 1000);
  EXPECT_GT(Control(1).Height(), 1000);
  EXPECT_GT(Control(2).Height(), 1000);
  EXPECT_EQ(Control(3).Width(), 5);
}

TEST_F(FormsTest, TabMovesThroughTheControlsInDocumentOrder) {
  LoadHtml("<FORM><INPUT NAME=a><INPUT TYPE=checkbox><BR><INPUT TYPE=submit></FORM>");
  Window(0).SetFocus();
  cl::testing::ProcessEvents();
  ASSERT_TRUE(Window(0).Focused());
  cl::testing::TypeKey(*form, cl::VK_TAB);
  cl::testing::ProcessEvents();
  EXPECT_TRUE(Window(1).Focused());
  cl::testing::TypeKey(*form, cl::VK_TAB);
  cl::testing::ProcessEvents();
  EXPECT_TRUE(Window(2).Focused());
}

// A form whose first field shows and whose second lies forty lines below.
std::string FieldsAboveAndBelowTheView() {
  std::string html = "<FORM><INPUT NAME=top>";
  for (int i = 0; i < 40; ++i) html += "<P>line " + std::to_string(i);
  return html + "<P><INPUT NAME=bottom></FORM>";
}

TEST_F(FormsTest, ControlsMoveWithTheDocumentAndHideWhenScrolledOut) {
  LoadHtml(FieldsAboveAndBelowTheView());
  cl::TWinControl& top = Window(0);
  cl::TWinControl& bottom = Window(1);
  ASSERT_EQ(top.Parent(), &viewer->PaintPanel());
  EXPECT_TRUE(top.Visible());
  EXPECT_FALSE(bottom.Visible());
  const int32_t y0 = top.Top();
  // One line step down: the control moves up by the step.
  cl::testing::PressKey(*viewer, cl::VK_DOWN);
  cl::testing::ProcessEvents();
  EXPECT_TRUE(top.Visible());
  EXPECT_EQ(top.Top(), y0 - (viewer->VScrollBarPosition()));
  viewer->SetVScrollBarPosition(viewer->VScrollBar().Max());
  cl::testing::ProcessEvents();
  EXPECT_FALSE(top.Visible());
  EXPECT_TRUE(bottom.Visible());
  EXPECT_GT(bottom.Top(), 0);
  EXPECT_LT(bottom.Top(), viewer->PaintPanel().Height());
}

TEST_F(FormsTest, TabIntoAControlOutOfViewScrollsToIt) {
  LoadHtml(FieldsAboveAndBelowTheView());
  cl::TWinControl& top = Window(0);
  cl::TWinControl& bottom = Window(1);
  ASSERT_FALSE(bottom.Visible());
  top.SetFocus();
  cl::testing::ProcessEvents();
  ASSERT_TRUE(top.Focused());
  EXPECT_EQ(viewer->VScrollBarPosition(), 0);
  cl::testing::TypeKey(*form, cl::VK_TAB);
  cl::testing::ProcessEvents();
  EXPECT_TRUE(bottom.Focused());
  EXPECT_GT(viewer->VScrollBarPosition(), 0);
  EXPECT_TRUE(bottom.Visible());
  EXPECT_GE(bottom.Top(), 0);
  EXPECT_LE(bottom.Top() + bottom.Height(), viewer->PaintPanel().Height());
  // The one scrolled out keeps out of the way, off the panel.
  EXPECT_LT(top.Left() + top.Width(), 0);
  // Back on the viewer: what is out of view hides again.
  viewer->SetFocus();
  cl::testing::ProcessEvents();
  EXPECT_FALSE(top.Visible());
}

TEST_F(FormsTest, PrintedPicturesShowTheState) {
  LoadHtml("<FORM><INPUT TYPE=checkbox CHECKED><INPUT TYPE=checkbox><INPUT NAME=e VALUE=WWW></FORM>");
  cl::TBitmap picture;
  picture.SetSize(200, 40);
  cl::TCanvas& canvas = picture.Canvas();
  canvas.FillRect(cl::Rect(0, 0, 200, 40), cl::clRed);
  Control(0).DrawStatic(canvas, 0, 0);
  Control(1).DrawStatic(canvas, 20, 0);
  Control(2).DrawStatic(canvas, 40, 0);
  const int32_t mid = Control(0).Height() / 2;
  // The ticked box: white inside, a black tick through its middle; the other white.
  EXPECT_EQ(canvas.GetPixel(6, 6 + 0), cl::clWhite);
  EXPECT_EQ(canvas.GetPixel(4, mid + 1), cl::clBlack);
  EXPECT_EQ(canvas.GetPixel(7, mid), cl::clBlack);
  EXPECT_EQ(canvas.GetPixel(20 + 4, mid + 1), cl::clWhite);
  EXPECT_EQ(canvas.GetPixel(20 + 7, mid), cl::clWhite);
  // The edit: a white box with its text from x + 4, nothing past the box.
  const int32_t w = Control(2).Width(), h = Control(2).Height();
  int dark = 0;
  for (int x = 40 + 4; x < 40 + 4 + 24; ++x)
    for (int y = 2; y < h - 2; ++y) dark += canvas.GetPixel(x, y) == cl::clBlack;
  EXPECT_GT(dark, 10);
  EXPECT_EQ(canvas.GetPixel(40 + w - 3, h / 2), cl::clWhite);
  EXPECT_EQ(canvas.GetPixel(40 + w + 2, h / 2), cl::clRed);
}

TEST_F(FormsTest, ControlWindowsGoWithTheirDocument) {
  LoadHtml("<FORM><INPUT><SELECT><OPTION>a</SELECT><TEXTAREA></TEXTAREA><INPUT TYPE=radio></FORM>");
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 4);
  LoadHtml("<FORM><INPUT></FORM>");
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 1);
  viewer->Clear();
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), 0);
}

}  // namespace
}  // namespace html
