#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTest>
#include <string>
#include <vector>

#include "platform/gui/control_widget.h"
#include "platform/gui/edit.h"
#include "platform/gui/list_box.h"
#include "platform/gui/memo.h"
#include "platform/gui/virtual_keys.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

using TextControlsTest = WindowTest;

// The Qt widget that has the focus once the control took it.
template <class W>
W* Focused(cl::TWinControl& control) {
  control.SetFocus();
  t::ProcessEvents();
  return qobject_cast<W*>(QApplication::focusWidget());
}

// Each character as one key press with its text, as a keyboard layout sends
// letters that have no key code.
void TypeText(QWidget* widget, const QString& text) {
  ASSERT_NE(widget, nullptr);
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
  }
}

TEST_F(TextControlsTest, TypedTextComesBackInCodePage1250) {
  struct Case {
    const char* typed;      // UTF-8, as the keyboard sends it
    std::string expected;   // code page 1250
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"\xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd", "\x9elu\x9dou\xe8k\xfd"},  // žluťoučký
      {"\xe2\x82\xac 5", "\x80 5"},                                         // the euro sign is in it
      {"a\xe2\x86\x92" "b\xe4\xb8\xad", "a?b?"},                             // an arrow and a CJK sign are not
  };
  auto* edit = Make<cl::TEdit>(*form);
  edit->SetParent(form.get());
  auto* memo = Make<cl::TMemo>(*form);
  memo->SetParent(form.get());
  memo->SetTop(40);
  for (const Case& c : cases) {
    edit->SetText("");
    memo->SetText("");
    TypeText(Focused<QLineEdit>(*edit), QString::fromUtf8(c.typed));
    EXPECT_EQ(edit->Text(), c.expected) << c.typed;
    TypeText(Focused<QPlainTextEdit>(*memo), QString::fromUtf8(c.typed));
    EXPECT_EQ(memo->Lines(), std::vector<std::string>{c.expected}) << c.typed;
  }
  // And what the program sets shows as the same characters.
  edit->SetText("\x8a\xe8");
  EXPECT_EQ(Focused<QLineEdit>(*edit)->text(), QString::fromUtf8("\xc5\xa0\xc4\x8d"));
}

TEST_F(TextControlsTest, AnEditLimitsItsLengthAndHidesAPassword) {
  auto* edit = Make<cl::TEdit>(*form);
  edit->SetParent(form.get());
  edit->SetMaxLength(3);
  QLineEdit* line = Focused<QLineEdit>(*edit);
  ASSERT_NE(line, nullptr);
  QTest::keyClicks(line, "abcdef");
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetPasswordChar('*');
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(line->displayText(), QString("***")) << "the edit's own character, no bullets";
  edit->SetPasswordChar('#');
  EXPECT_EQ(line->displayText(), QString("###"));
  edit->SetPasswordChar(0);
  EXPECT_EQ(line->displayText(), QString("abc"));
}

// The client area of a memo and a list is what shows text: SetClientSize puts
// the frame and the scroll bars around it, and a size made for n lines or
// rows shows n of them whole.
TEST_F(TextControlsTest, MemosAndListsShowTheLinesTheirClientSizeIsMadeFor) {
  struct Case {
    const char* name;
    cl::TScrollStyle bars;
  } const memoCases[] = {{"no bars", cl::ssNone}, {"vertical", cl::ssVertical}, {"both", cl::ssBoth}};
  for (const Case& c : memoCases) {
    SCOPED_TRACE(c.name);
    auto* memo = Make<cl::TMemo>(*form);
    memo->SetParent(form.get());
    memo->SetScrollBars(c.bars);
    memo->SetWordWrap(false);
    memo->Font().SetName("Courier New");
    memo->Font().SetSize(10);
    memo->SetLines({"one", "two", "three"});
    const int32_t line = memo->Canvas().TextHeight("A");
    memo->SetClientSize(100, 3 * line + 5);
    EXPECT_EQ(memo->ClientWidth(), 100);
    EXPECT_EQ(memo->ClientHeight(), 3 * line + 5);
    t::ProcessEvents();
    auto* text = static_cast<QPlainTextEdit*>(cl::TControl::Access::Widget(*memo));
    EXPECT_EQ(text->viewport()->width(), 100);
    EXPECT_EQ(text->viewport()->height(), 3 * line + 5);
    EXPECT_GT(memo->Height(), memo->ClientHeight() + (c.bars == cl::ssBoth ? 10 : 1)) << "frame and bar outside";
    // The third line ends inside the text's area: nothing of it is cut.
    QTextCursor third(text->document()->findBlockByNumber(2));
    const QRect box = text->cursorRect(third);
    EXPECT_GE(box.top(), 0);
    EXPECT_LE(box.bottom(), text->viewport()->height());
  }

  auto* list = Make<cl::TListBox>(*form);
  list->SetParent(form.get());
  list->Font().SetName("Courier New");
  list->Font().SetSize(10);
  for (const char* item : {"prvni", "druhy", "treti"}) list->Items().Add(item);
  list->SetClientSize(80, 3 * list->ItemHeight());
  t::ProcessEvents();
  auto* rows = static_cast<QListWidget*>(cl::TControl::Access::Widget(*list));
  EXPECT_EQ(rows->viewport()->height(), 3 * list->ItemHeight());
  EXPECT_EQ(list->ClientHeight(), 3 * list->ItemHeight());
  EXPECT_FALSE(rows->verticalScrollBar()->isVisibleTo(rows)) << "three rows fit";
  EXPECT_EQ(rows->visualItemRect(rows->item(2)).bottom() + 1, 3 * list->ItemHeight());
  // A fourth row needs the bar, which takes its width from the client area.
  list->Items().Add("ctvrty");
  t::ProcessEvents();
  EXPECT_TRUE(rows->verticalScrollBar()->isVisibleTo(rows));
  EXPECT_EQ(list->ClientWidth(), rows->viewport()->width());
}

TEST_F(TextControlsTest, AMemoWrapsOrScrollsAsSet) {
  auto* memo = Make<cl::TMemo>(*form);
  memo->SetParent(form.get());
  memo->SetBounds(0, 0, 120, 80);
  QPlainTextEdit* text = Focused<QPlainTextEdit>(*memo);
  ASSERT_NE(text, nullptr);
  memo->SetWordWrap(true);
  memo->SetScrollBars(cl::ssVertical);
  EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  memo->SetWordWrap(false);
  memo->SetScrollBars(cl::ssBoth);
  EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  // Enter makes lines; the memo keeps it from the form.
  t::PressKey(*memo, 'A', 0, 'a');
  t::PressKey(*memo, cl::VK_RETURN);
  t::PressKey(*memo, 'B', 0, 'b');
  EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(memo->WantsKey(cl::VK_RETURN));
}

}  // namespace
