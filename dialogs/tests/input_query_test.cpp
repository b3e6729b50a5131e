#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "suite/brantxt/brantxt.h"
#include "platform/gui/button.h"
#include "platform/gui/edit.h"
#include "platform/gui/label.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/confirmations.h"
#include "brandlg/message_boxes.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

std::string Text(std::uint16_t number) {
  ShortString text{};
  STBITEM(number, &text);
  return text.Str();
}

// Types "ab" over the selected text.
void TypeAb(cl::TForm& form) {
  auto& edit = Child<cl::TEdit>(form, "Edit");
  cl::testing::PressKey(edit, 'A', 0, 'a');
  cl::testing::PressKey(edit, 'B', 0, 'b');
}

class InputQueryTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }
};

TEST_F(InputQueryTest, OkAnswersTrueWithTheTextAndCancelKeepsTheValue) {
  struct Case {
    const char* name;
    std::function<void(cl::TForm&)> action;
    std::uint8_t confirmed;
    std::string value;
  } const cases[] = {
      {"Enter", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_RETURN); }, 1, "P\xF9vodn\xED"},
      {"Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE); }, 0, "P\xF9vodn\xED"},
      {"typed, Enter", [](cl::TForm& f) { TypeAb(f); cl::testing::TypeKey(f, cl::VK_RETURN); }, 1, "ab"},
      {"typed, Esc", [](cl::TForm& f) { TypeAb(f); cl::testing::TypeKey(f, cl::VK_ESCAPE); }, 0, "P\xF9vodn\xED"},
      {"typed, OK clicked", [](cl::TForm& f) { TypeAb(f); Child<cl::TBitBtn>(f, "OK").Click(); }, 1, "ab"},
      {"title bar", [](cl::TForm& f) { cl::testing::CloseByTitleBar(f); }, 0, "P\xF9vodn\xED"},
  };
  for (const Case& c : cases) {
    const ShortString caption = ShortString::From("Titulek"), prompt = ShortString::From("&Jm\xE9no:");
    ShortString value = ShortString::From("P\xF9vodn\xED");
    std::uint8_t confirmed = 2;
    {
      const ModalDriver driver("InputQueryForm", c.action);
      confirmed = INPUTQUERY(&caption, &prompt, &value);
    }
    EXPECT_EQ(confirmed, c.confirmed) << c.name;
    EXPECT_EQ(value.Str(), c.value) << c.name;
  }
}

TEST_F(InputQueryTest, TheFormHoldsPromptEditAndButtonsInTheirPlaces) {
  const ShortString caption = ShortString::From("Titulek"), prompt = ShortString::From("&Jm\xE9no:");
  ShortString value = ShortString::From("abc");
  const ModalDriver driver("InputQueryForm", [&](cl::TForm& form) {
    const auto& label = Child<cl::TLabel>(form, "Prompt");
    auto& edit = Child<cl::TEdit>(form, "Edit");
    const auto& ok = Child<cl::TBitBtn>(form, "OK");
    const auto& cancel = Child<cl::TBitBtn>(form, "CANCEL");
    EXPECT_EQ(form.Caption(), "Titulek");
    EXPECT_EQ(label.Left(), 10);
    EXPECT_EQ(label.Top(), 10);
    EXPECT_EQ(label.FocusControl(), &edit);
    EXPECT_EQ(edit.Left(), 10);
    EXPECT_EQ(edit.Top(), label.Top() + label.Height() + 5);
    EXPECT_EQ(edit.Width(), form.ClientWidth() - 20);
    EXPECT_EQ(edit.MaxLength(), 255);
    EXPECT_EQ(edit.SelLength(), 3) << "the value is selected";
    EXPECT_EQ(cancel.Left() + cancel.Width(), edit.Left() + edit.Width());
    EXPECT_EQ(cancel.Top(), edit.Top() + edit.Height() + 10);
    EXPECT_EQ(ok.Top(), cancel.Top());
    EXPECT_EQ(ok.Left(), cancel.Left() - 10 - 77);
    EXPECT_EQ(ok.Width(), 77);
    EXPECT_EQ(ok.Height(), 27);
    EXPECT_EQ(ok.Caption(), Text(4));
    EXPECT_EQ(cancel.Caption(), Text(5));
    EXPECT_EQ(form.ClientHeight(), ok.Top() + ok.Height() + 10);
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
  INPUTQUERY(&caption, &prompt, &value);
}

TEST_F(InputQueryTest, TheTitleIsTheCaptionAndTheBorderCannotBeDragged) {
  const ShortString empty = ShortString::From(""), given = ShortString::From("Titulek");
  struct Case {
    const char* name;
    const ShortString* caption;
    std::string title;
  } const cases[] = {
      {"empty", &empty, " "},
      {"null", nullptr, " "},
      {"given", &given, "Titulek"},
  };
  for (const Case& c : cases) {
    const ShortString prompt = ShortString::From("Text:");
    ShortString value = ShortString::From("x");
    std::string title;
    bool resizable = true;
    {
      const ModalDriver driver("InputQueryForm", [&](cl::TForm& form) {
        title = cl::testing::ShownWindowTitle(form);
        resizable = cl::testing::UserCanResize(form);
        cl::testing::TypeKey(form, cl::VK_ESCAPE);
      });
      INPUTQUERY(c.caption, &prompt, &value);
    }
    EXPECT_EQ(title, c.title) << c.name;
    EXPECT_FALSE(resizable) << c.name;
  }
}

TEST_F(InputQueryTest, InputBoxAnswersTheTextOrTheDefault) {
  struct Case {
    const char* name;
    std::function<void(cl::TForm&)> action;
    std::string result;
  } const cases[] = {
      {"Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE); }, "v\xFD" "choz\xED"},
      {"Enter", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_RETURN); }, "v\xFD" "choz\xED"},
      {"typed", [](cl::TForm& f) { TypeAb(f); cl::testing::TypeKey(f, cl::VK_RETURN); }, "ab"},
  };
  for (const Case& c : cases) {
    const ShortString caption = ShortString::From("Titulek"), prompt = ShortString::From("Text:");
    const ShortString defaultValue = ShortString::From("v\xFD" "choz\xED");
    ShortString result = ShortString::From("star\xE1 hodnota");
    {
      const ModalDriver driver("InputQueryForm", c.action);
      INPUTBOX(&caption, &prompt, &defaultValue, &result);
    }
    EXPECT_EQ(result.Str(), c.result) << c.name;
    // The default and the result may be one buffer.
    ShortString shared = ShortString::From("v\xFD" "choz\xED");
    {
      const ModalDriver driver("InputQueryForm", c.action);
      INPUTBOX(&caption, &prompt, &shared, &shared);
    }
    EXPECT_EQ(shared.Str(), c.result) << c.name << " (one buffer)";
  }
}

}  // namespace
