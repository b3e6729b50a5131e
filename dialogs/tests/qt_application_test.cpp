#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/virtual_keys.h"
#include "brandlg/confirmations.h"
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

}  // namespace
