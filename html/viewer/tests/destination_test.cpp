// The destination after "#" in a file name or a link: at most 255 characters
// of it name the anchor.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "html/testing/viewer_fixture.h"

namespace html {

namespace {

namespace t = cl::testing;

TEST_F(ViewerTest, ADestinationNamesItsAnchorByItsFirst255Characters) {
  std::string name;
  for (int i = 0; i < 300; ++i) name += static_cast<char>('a' + i % 26);
  // A link's destination keeps its "#" within the 255 characters; a file
  // name's does not count it.
  const std::string page = Write("page.htm", "#link page.htm#" + name + "|this page\n" + Lines(30) +
                                                 "#anchor " + name.substr(0, 255) + "\nat 255\n" + Lines(30) +
                                                 "#anchor " + name.substr(0, 254) + "\nat 254\n" + Lines(30) +
                                                 "#anchor " + name + "\nwhole name\n" + Lines(30));
  const std::string links = Write("links.htm", "#link page.htm#" + name + "|that page\n");
  const auto clickFirstRow = [&] {
    t::ProcessEvents();
    t::Click(viewer->PaintPanel(), PanelX(1), PanelY(0));
    t::ProcessEvents();
  };
  struct Case {
    const char* what;
    std::function<void()> go;
    int section;  // where the anchor named puts the window's top
  };
  const Case cases[] = {
      {"a file name", [&] { viewer->LoadFromFile(page + "#" + name); }, 31},
      {"a link to another file",
       [&] {
         viewer->LoadFromFile(links);
         clickFirstRow();
       },
       62},
      {"a link within the file",
       [&] {
         viewer->LoadFromFile(page);
         viewer->SetVScrollBarPosition(0);
         clickFirstRow();
       },
       62},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    viewer->LoadFromFile(Write("blank.htm", "x\n"));
    c.go();
    ASSERT_EQ(viewer->CurrentFile(), page);
    EXPECT_EQ(viewer->VScrollBarPosition(), viewer->SectionList()[c.section]->PlacedY);
  }
}

}  // namespace

}  // namespace html
