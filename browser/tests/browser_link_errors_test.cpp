// Links the browser cannot follow, clicked as the user clicks them: the
// error box says why and names the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "browser/tests/browser_form_fixture.h"
#include "platform/core/file_handle.h"
#include "platform/gui/application.h"
#include "platform/gui/test_support/message_box_driver.h"

namespace t = cl::testing;

namespace {

cl::TPoint Centre(const cl::TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// The program's window becomes the main window, as the program makes it.
class MainWindow {
 public:
  explicit MainWindow(cl::TForm& form) { cl::Application().SetMainForm(&form); }
  ~MainWindow() { cl::Application().SetMainForm(nullptr); }
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
};

TEST_F(BrowserFormTest, ALinkThatCannotBeFollowedShowsWhyInAnErrorBoxOverTheWindow) {
  // A window away from the screen's centre, where a box of its own would stand.
  windir_.Write("win.ini", "[Brannik]\nBRWSFormWS=0\nBRWSFormPos=0,0,700,500\n");
  docs_.Write("links.htm", "#title Links\n#link nosuch.htm|Missing\n#link prog.exe?x y|Program\n#link held.htm|Held\n");
  docs_.Write("held.htm", "#title Held\nHeld text\n");
  // Another program holds the file open and lets nobody read it.
  const win::HANDLE held = win::CreateFile(Doc("held.htm"), win::GENERIC_READ, 0, win::OPEN_EXISTING);
  ASSERT_NE(held, win::INVALID_HANDLE_VALUE);
  brw::TBrowserForm& form = Start({Doc("links.htm")});
  const MainWindow main(form);
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").stem().string();
  struct Case {
    const char* name;
    int row;
    std::string text;
  } const cases[] = {
      {"a missing file", 0, "Can't locate file: " + Doc("nosuch.htm")},
      {"a program with parameters that is no program", 1, "Can't locate file: " + Doc("prog.exe?x y")},
      {"a file that cannot be read", 2, "Can't load: " + Doc("held.htm")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const t::MessageBoxDriver boxes;
    TDocViewer& viewer = Active();
    const int x = viewer.MarginWidth() + 2, y = viewer.MarginHeight() + c.row * 16 + 8;
    t::MouseDown(viewer.PaintPanel(), x, y);
    t::MouseUp(viewer.PaintPanel(), x, y);
    t::ProcessEvents();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const t::MessageBoxDriver::Shown& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, program);
    // Centred on the window, give or take the window's frame.
    EXPECT_NEAR(Centre(box.window).X, Centre(form.BoundsRect()).X, 2);
    EXPECT_NEAR(Centre(box.window).Y, Centre(form.BoundsRect()).Y, 2);
    EXPECT_EQ(form.GetCurrentFile(), Doc("links.htm")) << "the document stays";
  }
  win::CloseHandle(held);
}

}  // namespace
