#include <gtest/gtest.h>

#include <string>

#include "platform/core/exception.h"
#include "platform/gui/notebook.h"
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
  tabs->Tabs().Delete(1);
  EXPECT_EQ(tabs->Tabs().Count(), 1);
  tabs->SetTabIndex(0);
  EXPECT_EQ(changes, 2);
  for (const int index : {1, 2, -2}) {
    try {
      tabs->SetTabIndex(index);
      ADD_FAILURE() << index << " was taken";
    } catch (const cl::Exception& e) {
      EXPECT_EQ(e.Message(), "Tab index out of bounds");
    }
    EXPECT_EQ(tabs->TabIndex(), 0);
  }
  EXPECT_EQ(changes, 2);
}

TEST_F(TabSetTest, ANotebookShowsOnePageAndIgnoresAnIndexOutsideItsPages) {
  auto* notebook = Make<cl::TNotebook>(*form);
  notebook->SetParent(form.get());
  notebook->SetBounds(0, 0, 200, 100);
  cl::TPage& first = notebook->AddPage("one");
  cl::TPage& second = notebook->AddPage("two");
  EXPECT_EQ(notebook->PageIndex(), 0);
  EXPECT_TRUE(first.Showing());
  EXPECT_FALSE(second.Showing());
  EXPECT_EQ(second.Width(), 200);
  notebook->SetPageIndex(1);
  EXPECT_FALSE(first.Showing());
  EXPECT_TRUE(second.Showing());
  notebook->SetPageIndex(5);
  notebook->SetPageIndex(-1);
  EXPECT_EQ(notebook->PageIndex(), 1);
  notebook->SetBounds(0, 0, 300, 150);
  EXPECT_EQ(first.Width(), 300);
  EXPECT_EQ(second.Height(), 150);
}

}  // namespace
