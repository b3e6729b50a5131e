#include <gtest/gtest.h>


#include "platform/core/exception.h"
#include "platform/gui/tab_set.h"
#include "window_fixture.h"

namespace {

using cl::Make;

using TabSetTest = WindowTest;

TEST_F(TabSetTest, ATabIndexOutsideTheTabsRaisesAndChangesNothing) {
  auto* tabs = Make<cl::TTabSet>(*form);
  tabs->SetParent(form.get());
  tabs->Tabs().Add("A");
  tabs->Tabs().Add("B");
  tabs->Tabs().Add("C");
  int changes = 0;
  tabs->OnChange = [&](cl::TObject*) { ++changes; };
  tabs->SetTabIndex(2);
  tabs->Tabs().Delete(2);
  EXPECT_EQ(tabs->TabIndex(), 1) << "the current tab went: the last one left";
  tabs->Tabs().Delete(0);
  EXPECT_EQ(tabs->TabIndex(), 0) << "the current tab moved up";
  tabs->Tabs().Insert(0, "A");
  EXPECT_EQ(tabs->TabIndex(), 1) << "the current tab moved down";
  tabs->Tabs().Delete(1);
  EXPECT_EQ(tabs->Tabs().Count(), 1);
  tabs->SetTabIndex(0);
  tabs->SetTabIndex(0);
  EXPECT_EQ(changes, 1);
  for (const int index : {1, 2, -2}) {
    try {
      tabs->SetTabIndex(index);
      ADD_FAILURE() << index << " was taken";
    } catch (const cl::Exception& e) {
      EXPECT_EQ(e.Message(), "Tab index out of bounds");
    }
    EXPECT_EQ(tabs->TabIndex(), 0);
  }
  EXPECT_EQ(changes, 1);
}

}  // namespace
