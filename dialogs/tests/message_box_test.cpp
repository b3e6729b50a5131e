#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "suite/brantxt/brantxt.h"
#include "platform/gui/button.h"
#include "platform/gui/draw_text.h"
#include "platform/gui/image.h"
#include "platform/gui/label.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/x_server.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/confirmations.h"
#include "brandlg/message_boxes.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

constexpr std::uint16_t Yes = 1, No = 2, Ok = 4, Cancel = 8, Abort = 16, Retry = 32, Ignore = 64, All = 128,
                        Append = 512, Overwrite = 1024;

std::string Text(std::uint16_t number) {
  ShortString text{};
  STBITEM(number, &text);
  return text.Str();
}

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }

  // Shows the message box through the export while action runs on it.
  std::uint16_t Show(std::string_view msg, std::uint8_t type, std::uint16_t buttons,
                     std::function<void(cl::TForm&)> action, std::int32_t x = -1, std::int32_t y = -1) {
    const ModalDriver driver("MessageForm", std::move(action));
    const ShortString text = ShortString::From(msg);
    return MESSAGEDLGPOS(&text, type, buttons, 0, x, y);
  }
};

std::vector<cl::TBitBtn*> ButtonsOf(cl::TForm& form) {
  std::vector<cl::TBitBtn*> buttons;
  for (int i = 0; i < form.ControlCount(); ++i)
    if (auto* button = dynamic_cast<cl::TBitBtn*>(form.Controls(i))) buttons.push_back(button);
  return buttons;
}

TEST_F(MessageBoxTest, EscAndEnterAnswerTheCancelAndDefaultButtons) {
  struct Case {
    std::uint16_t buttons;
    std::uint16_t key;
    std::uint16_t expected;
  } const cases[] = {
      {Yes | No | Cancel, cl::VK_ESCAPE, 2}, {Yes | No, cl::VK_ESCAPE, 7}, {Ok, cl::VK_ESCAPE, 1},
      {Ok | Cancel, cl::VK_ESCAPE, 2},       {Yes | No | Cancel, cl::VK_RETURN, 6}, {Yes | No, cl::VK_RETURN, 6},
      {Ok, cl::VK_RETURN, 1},                {Ok | Cancel, cl::VK_RETURN, 1},
  };
  for (const Case& c : cases) {
    const std::uint16_t result =
        Show("Hotovo?", 3, c.buttons, [&](cl::TForm& form) { cl::testing::TypeKey(form, c.key); });
    EXPECT_EQ(result, c.expected) << "buttons " << c.buttons << " key " << c.key;
  }
}

TEST_F(MessageBoxTest, ClickedButtonsAnswerTheirTableResults) {
  struct Case {
    std::uint16_t bit;
    const char* name;
    std::uint16_t result;
    std::uint16_t captionText;
  } const cases[] = {
      {Yes, "YES", 6, 2},       {No, "NO", 7, 3},        {Ok, "OK", 1, 4},         {Cancel, "CANCEL", 2, 5},
      {Abort, "ABORT", 3, 6},   {Retry, "RETRY", 4, 7},  {Ignore, "IGNORE", 5, 8}, {All, "ALL", 8, 9},
      {Append, "APPEND", 9, 11}, {Overwrite, "OVERWRITE", 10, 12},
  };
  for (const Case& c : cases) {
    std::string caption;
    bool glyph = false;
    const std::uint16_t result = Show("Zpr\xE1va", 2, c.bit, [&](cl::TForm& form) {
      auto& button = Child<cl::TBitBtn>(form, c.name);
      caption = button.Caption();
      glyph = button.HasGlyph();
      button.Click();
    });
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(caption, Text(c.captionText)) << c.name;
    EXPECT_TRUE(glyph) << c.name;
  }
}

TEST_F(MessageBoxTest, AnEmptySetHasNoButtonsAndTheTitleBarCloseAnswersCancel) {
  int width = 0;
  std::size_t buttons = 99;
  const std::uint16_t result = Show("Bez tla\xE8\xEDtek", 2, 0, [&](cl::TForm& form) {
    width = form.ClientWidth();
    buttons = ButtonsOf(form).size();
    cl::testing::CloseByTitleBar(form);
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(buttons, 0u);
  EXPECT_GE(width, 150);
}

TEST_F(MessageBoxTest, BitsAboveTheTableAreIgnored) {
  std::size_t buttons = 0;
  Show("x", 2, 0xF800 | Ok, [&](cl::TForm& form) {
    buttons = ButtonsOf(form).size();
    form.SetModalResult(1);
  });
  EXPECT_EQ(buttons, 1u);
}

TEST_F(MessageBoxTest, TypesGiveTheirIconAndCaptionAndUnknownTypesAreCustom) {
  struct Case {
    std::uint8_t type;
    bool icon;
    std::string caption;
  } const cases[] = {
      {0, true, Text(41)}, {1, true, Text(42)},          {2, true, Text(43)},
      {3, true, Text(44)}, {4, false, "dialogs_tests"}, {7, false, "dialogs_tests"},
      {255, false, "dialogs_tests"},
  };
  for (const Case& c : cases) {
    bool icon = false;
    std::string caption;
    int labelLeft = 0;
    const std::uint16_t result = Show("Typ zpr\xE1vy", c.type, Ok, [&](cl::TForm& form) {
      icon = cl::testing::FindNamedControl(form, "Image") != nullptr;
      caption = form.Caption();
      labelLeft = Child<cl::TLabel>(form, "Message").Left();
      cl::testing::TypeKey(form, cl::VK_RETURN);
    });
    EXPECT_EQ(result, 1) << int(c.type);
    EXPECT_EQ(icon, c.icon) << int(c.type);
    EXPECT_EQ(caption, c.caption) << int(c.type);
    EXPECT_EQ(labelLeft, c.icon ? 10 + 32 + 10 : 10) << int(c.type);
  }
}

TEST_F(MessageBoxTest, ButtonsAreARowOfEqualButtonsCentredBelowTheContent) {
  for (const std::uint16_t set : {std::uint16_t(Ok), std::uint16_t(Yes | No | Cancel),
                                  std::uint16_t(Yes | No | Ok | Cancel | Abort | Retry | Ignore)}) {
    Show("\xD8\xE1" "dek tla\xE8\xEDtek", 1, set, [&](cl::TForm& form) {
      const std::vector<cl::TBitBtn*> buttons = ButtonsOf(form);
      ASSERT_FALSE(buttons.empty());
      const auto& label = Child<cl::TLabel>(form, "Message");
      const auto& image = Child<cl::TImage>(form, "Image");
      const int contentBottom = std::max(label.Top() + label.Height(), image.Top() + image.Height());
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->Width(), 77);
        EXPECT_EQ(buttons[i]->Height(), 27);
        EXPECT_EQ(buttons[i]->Top(), contentBottom + 10);
        if (i > 0) {
          EXPECT_EQ(buttons[i]->Left(), buttons[i - 1]->Left() + 77 + 8);
        }
      }
      const int rowLeft = buttons.front()->Left(), rowRight = buttons.back()->Left() + 77;
      EXPECT_LE(std::abs(rowLeft + rowRight - form.ClientWidth()), 1) << "the row is centred";
      EXPECT_GE(rowLeft, 15);
      EXPECT_EQ(form.ClientHeight(), std::max(55, std::max(image.Height() + 10, label.Height() + 10) + 45));
      form.SetModalResult(2);
    });
  }
}

TEST_F(MessageBoxTest, AShortLineCentresTheLabelOnTheIcon) {
  Show("Kr\xE1tce", 0, Ok, [&](cl::TForm& form) {
    const auto& label = Child<cl::TLabel>(form, "Message");
    const auto& image = Child<cl::TImage>(form, "Image");
    EXPECT_EQ(image.Top(), 10);
    EXPECT_EQ(label.Top(), 10 + 32 / 2 - label.Height() / 2);
    form.SetModalResult(1);
  });
}

TEST_F(MessageBoxTest, ALongMessageWrapsAtHalfTheScreenWidth) {
  std::string msg;
  for (int i = 0; i < 120; ++i) msg += "slovo" + std::to_string(i) + " ";
  msg.resize(255);
  const int half = cl::Screen().Width() / 2;
  Show(msg, 4, Ok, [&](cl::TForm& form) {
    auto& label = Child<cl::TLabel>(form, "Message");
    const int lineHeight = label.Canvas().TextHeight("Ag");
    EXPECT_LE(label.Width(), half);
    EXPECT_GT(label.Width(), half * 3 / 4);
    EXPECT_GE(label.Height(), 3 * lineHeight);
    EXPECT_EQ(label.Top(), 10);
    EXPECT_EQ(label.Font().Style(), cl::fsBold) << "the label shows the form's font it was measured in";
    const cl::TRect lines = cl::DrawText(label.Canvas(), label.Caption(), cl::TRect{0, 0, label.Width(), 0},
                                         cl::DT_WORDBREAK | cl::DT_CALCRECT);
    EXPECT_EQ(lines.Height(), label.Height());
    EXPECT_EQ(form.ClientHeight(), label.Height() + 10 + 45);
    EXPECT_EQ(form.ClientWidth(), label.Width() + 20);
    form.SetModalResult(1);
  });
}

TEST_F(MessageBoxTest, PositionsMoveTheEdgesAndNegativeOnesKeepTheCentre) {
  struct Case {
    std::int32_t x, y;
  } const cases[] = {{0, 0}, {-1, -1}, {40, -1}, {-1, 25}};
  for (const Case& c : cases) {
    cl::TRect bounds;
    Show("M\xEDsto", 2, Ok, [&](cl::TForm& form) {
      bounds = form.BoundsRect();
      form.SetModalResult(1);
    }, c.x, c.y);
    const int centredLeft = cl::Screen().Width() / 2 - bounds.Width() / 2;
    const int centredTop = cl::Screen().Height() / 2 - bounds.Height() / 2;
    EXPECT_EQ(bounds.Left, c.x >= 0 ? c.x : centredLeft) << c.x;
    EXPECT_EQ(bounds.Top, c.y >= 0 ? c.y : centredTop) << c.y;
  }
}

TEST_F(MessageBoxTest, OnADenserScreenTheFormIsScaledFrom96PixelsPerInch) {
  struct Density {
    Density() { cl::Screen().SetPixelsPerInch(144); }
    ~Density() { cl::Screen().SetPixelsPerInch(96); }
  } const density;
  Show("Hustota", 2, Yes | No, [&](cl::TForm& form) {
    const std::vector<cl::TBitBtn*> buttons = ButtonsOf(form);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->Width(), 116);  // 77 x 1.5, rounded half away from zero
    EXPECT_EQ(buttons[0]->Height(), 41);
    EXPECT_EQ(Child<cl::TLabel>(form, "Message").Left(), 78);  // (10 + 32 + 10) x 1.5
    EXPECT_EQ(Child<cl::TImage>(form, "Image").Left(), 15);
    form.SetModalResult(6);
  });
  // The caller's position is a screen position: it is not scaled with the
  // form, and a kept centre is that of the scaled form.
  struct Case {
    std::int32_t x, y;
  } const cases[] = {{100, 200}, {0, 0}, {-1, -1}, {100, -1}};
  for (const Case& c : cases) {
    cl::TRect bounds;
    Show("M\xEDsto", 2, Ok, [&](cl::TForm& form) {
      bounds = form.BoundsRect();
      form.SetModalResult(1);
    }, c.x, c.y);
    EXPECT_EQ(bounds.Left, c.x >= 0 ? c.x : cl::Screen().Width() / 2 - bounds.Width() / 2) << c.x;
    EXPECT_EQ(bounds.Top, c.y >= 0 ? c.y : cl::Screen().Height() / 2 - bounds.Height() / 2) << c.y;
    EXPECT_GE(bounds.Width(), 225) << "the size follows the density";
  }
}

// Where Qt scales the screen (144 dpi on X: 1.5 of the screen's pixels to
// one of Qt's), the caller's position is still in the screen's pixels, to
// within ratio / 2 (Qt places windows at whole coordinates of its own); an
// axis given as -1 keeps the centred position.
class MessageBoxOnAnXServer : public MessageBoxTest {};

TEST_F(MessageBoxOnAnXServer, TheBoxShowsAtTheCallersScreenPixels) {
  if (!cl::testing::OnAnXServer()) GTEST_SKIP() << "Qt does not run on X";
  const double ratio = cl::testing::DevicePixelRatio();
  ASSERT_GT(ratio, 1.0) << "the X run scales its screen (QT_FONT_DPI=144)";
  const auto shownAt = [&](std::int32_t x, std::int32_t y) {
    std::optional<cl::TPoint> shown;
    Show("M\xEDsto", 2, Ok, [&](cl::TForm& form) {
      shown = cl::testing::XWindowPosition(form);
      form.SetModalResult(1);
    }, x, y);
    return shown;
  };
  const std::optional<cl::TPoint> centred = shownAt(-1, -1);
  ASSERT_TRUE(centred.has_value());
  struct Case {
    std::int32_t x, y;
  } const cases[] = {{100, 200}, {0, 0}, {603, 411}, {100, -1}, {-1, 200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
    const std::optional<cl::TPoint> shown = shownAt(c.x, c.y);
    ASSERT_TRUE(shown.has_value());
    EXPECT_LE(std::abs(shown->X - (c.x >= 0 ? c.x : centred->X)), std::ceil(ratio / 2)) << shown->X;
    EXPECT_LE(std::abs(shown->Y - (c.y >= 0 ? c.y : centred->Y)), std::ceil(ratio / 2)) << shown->Y;
  }
}

TEST_F(MessageBoxTest, TheFormStaysOnTop) {
  bool onTop = false;
  Show("Navrchu", 2, Ok, [&](cl::TForm& form) {
    onTop = form.StaysOnTop();
    form.SetModalResult(1);
  });
  EXPECT_TRUE(onTop);
}

TEST_F(MessageBoxTest, TheBorderCannotBeDraggedAtEitherDensity) {
  for (const int pixelsPerInch : {96, 144}) {
    struct Density {
      explicit Density(int ppi) { cl::Screen().SetPixelsPerInch(ppi); }
      ~Density() { cl::Screen().SetPixelsPerInch(96); }
    } const density(pixelsPerInch);
    bool resizable = true;
    int width = 0, height = 0;
    Show("Pevn\xE1 velikost", 2, Ok, [&](cl::TForm& form) {
      resizable = cl::testing::UserCanResize(form);
      width = form.Width();
      height = form.Height();
      form.SetModalResult(1);
    });
    EXPECT_FALSE(resizable) << pixelsPerInch;
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
  }
}

TEST_F(MessageBoxTest, TheShortcutsShowTheirTypeButtonsAndText) {
  struct Case {
    const char* name;
    std::function<std::uint16_t()> call;
    std::string caption;
    std::string message;
    std::vector<std::string> buttons;
  } const cases[] = {
      {"SHOWMESSAGE", [] { const auto m = ShortString::From("Ahoj"); return SHOWMESSAGE(&m); }, "dialogs_tests",
       "Ahoj", {"OK"}},
      {"MESSAGEDLG", [] { const auto m = ShortString::From("Ano?"); return MESSAGEDLG(&m, 3, Yes | No, 0); },
       Text(44), "Ano?", {"YES", "NO"}},
      {"TOPMESSAGE", [] { const auto m = ShortString::From("Naho\xF8" "e"); return TOPMESSAGE(&m, 0, Ok, 0); }, Text(41),
       "Naho\xF8" "e", {"OK"}},
      {"WARNING", [] { return WARNING(20485); }, Text(41), Text(20485), {"OK"}},
      {"CONFIRM", [] { return CONFIRM(20485); }, Text(44), Text(20485), {"YES", "NO"}},
      {"OK", [] { return OK(20485); }, Text(43), Text(20485), {"OK"}},
      {"ERROR", [] { return ERROR(20485); }, Text(42), Text(20485), {"OK"}},
      {"EVENTOK", [] { return EVENTOK(); }, Text(43), Text(20485), {"OK"}},
  };
  for (const Case& c : cases) {
    std::string caption, message;
    std::vector<std::string> names;
    std::uint16_t result = 0;
    {
      const ModalDriver driver("MessageForm", [&](cl::TForm& form) {
        caption = form.Caption();
        message = Child<cl::TLabel>(form, "Message").Caption();
        for (cl::TBitBtn* button : ButtonsOf(form)) names.push_back(button->Name());
        cl::testing::TypeKey(form, cl::VK_ESCAPE);
      });
      result = c.call();
    }
    EXPECT_EQ(caption, c.caption) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
    EXPECT_EQ(names, c.buttons) << c.name;
    EXPECT_EQ(result, c.buttons.size() == 2 ? 7 : 1) << c.name;
  }
}

}  // namespace
