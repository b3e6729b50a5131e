#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "platform/gui/edit.h"
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
  EXPECT_NE(line->displayText(), QString("abc"));
  EXPECT_EQ(line->displayText().size(), 3);
  edit->SetPasswordChar(0);
  EXPECT_EQ(line->displayText(), QString("abc"));
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
