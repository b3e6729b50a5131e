#include <gtest/gtest.h>

#include "platform/gui/notebook.h"
#include "window_fixture.h"

namespace {

using cl::Make;

using NotebookTest = WindowTest;

TEST_F(NotebookTest, ANotebookShowsOnePageAndIgnoresAnIndexOutsideItsPages) {
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
