#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/brantxt/brantxt.h"
#include "platform/core/message_hooks.h"
#include "platform/gui/label.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/confirmations.h"
#include "brandlg/message_boxes.h"
#include "branutl/sound_slots.h"
#include "dialogs/tests/sound_recorder.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

std::string Text(std::uint16_t number) {
  ShortString text{};
  STBITEM(number, &text);
  return text.Str();
}

// The pattern's text with its "%d" replaced by the count.
std::string Expected(std::uint16_t pattern, std::int32_t count) {
  std::string text = Text(pattern);
  if (const std::size_t at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(count));
  return text;
}

// What the confirmation showed, and that it was an information with OK.
std::string Shown(const std::function<void()>& call) {
  std::string message, caption;
  std::vector<std::string> buttons;
  {
    const ModalDriver driver("MessageForm", [&](cl::TForm& form) {
      message = Child<cl::TLabel>(form, "Message").Caption();
      caption = form.Caption();
      cl::testing::TypeKey(form, cl::VK_ESCAPE);
    });
    call();
  }
  EXPECT_EQ(caption, Text(43));
  return message;
}

class ConfirmationTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }
};

const std::int32_t Counts[] = {-1, 0, 1, 2, 4, 5};

// The index of a count's pattern in its three: one, few, other.
std::uint16_t PluralOffset(std::int32_t count) { return count == 1 ? 0 : count >= 2 && count <= 4 ? 1 : 2; }

TEST_F(ConfirmationTest, LettersPickTheirPatternByFlagsAndCount) {
  struct Case {
    std::uint8_t flag1, flag2;
    std::uint16_t first;
  } const cases[] = {{1, 0, 20486}, {1, 1, 20486}, {0, 7, 20489}, {0, 0, 20492}};
  for (const Case& c : cases) {
    for (const std::int32_t count : Counts) {
      EXPECT_EQ(Shown([&] { LETTERSENDOK(count, c.flag1, c.flag2); }),
                Expected(static_cast<std::uint16_t>(c.first + PluralOffset(count)), count))
          << int(c.flag1) << int(c.flag2) << " count " << count;
    }
  }
}

TEST_F(ConfirmationTest, QueriesPickTheirPatternByBothFlags) {
  struct Case {
    std::uint8_t flag1, flag2;
    std::uint16_t first;
  } const cases[] = {{1, 1, 20519}, {2, 0, 20522}, {0, 1, 20525}, {0, 0, 20528}};
  for (const Case& c : cases) {
    for (const std::int32_t count : Counts) {
      EXPECT_EQ(Shown([&] { QUERYSENDOK(count, c.flag1, c.flag2); }),
                Expected(static_cast<std::uint16_t>(c.first + PluralOffset(count)), count))
          << int(c.flag1) << int(c.flag2) << " count " << count;
    }
  }
}

TEST_F(ConfirmationTest, PollsPickTheirPatternByKindAndFlag) {
  struct Case {
    std::uint8_t kind, flag;
    std::uint16_t first;
  } const cases[] = {{0, 1, 20495}, {0, 0, 20498}, {1, 1, 20501}, {1, 0, 20504},
                     {3, 1, 20507}, {3, 0, 20510}, {2, 1, 20513}, {2, 0, 20516}};
  for (const Case& c : cases) {
    for (const std::int32_t count : Counts) {
      EXPECT_EQ(Shown([&] { POLLSENDOK(count, c.kind, c.flag); }),
                Expected(static_cast<std::uint16_t>(c.first + PluralOffset(count)), count))
          << int(c.kind) << int(c.flag) << " count " << count;
    }
  }
}

TEST_F(ConfirmationTest, APollOfAnotherKindAlwaysShowsTheSameText) {
  for (const std::uint8_t flag : {0, 1}) {
    for (const std::int32_t count : Counts) {
      EXPECT_EQ(Shown([&] { POLLSENDOK(count, 7, flag); }), Text(20537)) << count;
    }
  }
}

TEST_F(ConfirmationTest, GetfAndSmsPickTheirPatternByFlag) {
  for (const std::uint8_t flag : {0, 1}) {
    for (const std::int32_t count : Counts) {
      const std::uint16_t offset = PluralOffset(count);
      EXPECT_EQ(Shown([&] { GETFSENDOK(count, flag); }),
                Expected(static_cast<std::uint16_t>((flag ? 20531 : 20534) + offset), count))
          << count;
      EXPECT_EQ(Shown([&] { SMSSENDOK(count, flag); }),
                Expected(static_cast<std::uint16_t>((flag ? 20538 : 20541) + offset), count))
          << count;
    }
  }
}

// Records the sounds and the boxes in the order they happen. The error sound
// is libbranutl.so's sound slot, played by its table, and its speaker flag
// (set through its export) turns it into the plain beep.
class SoundOrderTest : public ConfirmationTest {
 protected:
  void SetUp() override {
    ConfirmationTest::SetUp();
    dlg::testing::OnSoundRequest([this](const std::string&) { events_.push_back("sound"); });
  }
  void TearDown() override {
    dlg::testing::OnSoundRequest({});
    SPEAKER(false);
  }

  std::vector<std::string> Run(const std::function<void()>& call) {
    events_.clear();
    {
      const ModalDriver driver("MessageForm", [&](cl::TForm& form) {
        events_.push_back("box");
        cl::testing::TypeKey(form, cl::VK_RETURN);
      });
      call();
    }
    return events_;
  }

  std::vector<std::string> events_;
};

TEST_F(SoundOrderTest, ErrorsSoundBeforeTheirBoxAndOtherMessagesDoNot) {
  using Events = std::vector<std::string>;
  const auto msg = ShortString::From("Chyba!");
  EXPECT_EQ(Run([] { ERROR(20485); }), (Events{"sound", "box"}));
  EXPECT_EQ(Run([&] { SHOWERROR(&msg); }), (Events{"sound", "box"}));
  EXPECT_EQ(Run([] { WARNING(20485); }), (Events{"box"}));
  EXPECT_EQ(Run([&] { MESSAGEDLG(&msg, 1, 4, 0); }), (Events{"box"}));
  EXPECT_EQ(Run([] { SMSSENDOK(1, 0); }), (Events{"box"}));
  SPEAKER(true);
  EXPECT_EQ(Run([] { ERROR(20485); }), (Events{"box"})) << "the speaker beeps instead";
}

}  // namespace
