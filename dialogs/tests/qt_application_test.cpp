#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/chooser.h"
#include "brandlg/confirmations.h"
#include "brandlg/editors.h"
#include "brandlg/message_boxes.h"

namespace {

// A host without Qt's application object: the export makes it and its box
// runs. A fresh process of this program, so no other test made one first.
TEST(DialogExportsInAHostWithoutQt, MakeTheApplicationObjectAndShowTheirBox) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (cl::testing::QtApplicationExists()) _exit(3);
        cl::testing::WhenQtApplicationRuns([] {
          // Lives until the process ends.
          static cl::testing::ModalDriver driver(
              "MessageForm", [](cl::TForm& form) { cl::testing::TypeKey(form, cl::VK_ESCAPE); });
        });
        const ShortString msg = ShortString::From("Bez aplikace");
        _exit(SHOWMESSAGE(&msg) == 1 ? 0 : 4);
      },
      ::testing::ExitedWithCode(0), "");
}

// A console program whose Qt application object shows no windows: each
// dialog answers its failure, and the program goes on.
bool EachDialogAnswersItsFailure() {
  const ShortString msg = ShortString::From("Konzole");
  ShortString value = ShortString::From("p\xF9vodn\xED");
  std::uint8_t original[32] = {};
  std::uint8_t current[32] = {1};
  std::vector<tAddressRecord> records(1);
  return SHOWMESSAGE(&msg) == 0 && CONFIRM(20561) == 0 && INPUTQUERY(&msg, &msg, &value) == 0 &&
         value.Str() == "p\xF9vodn\xED" && EDITBITSET(1, &msg, original, current, "a") == 3 && current[0] == 1 &&
         _CHOOSESTATIONS(records.data(), 0, 1, 0x03, 0x0F) == -1;
}

TEST(DialogExportsInAConsoleQtProgram, AnswerTheirFailureWithoutAForm) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (cl::testing::QtApplicationExists()) _exit(3);
        cl::testing::MakeConsoleQtApplication();
        _exit(EachDialogAnswersItsFailure() ? 0 : 4);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
