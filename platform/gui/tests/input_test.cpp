#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/panel.h"
#include "platform/gui/scroll_bar.h"
#include "platform/gui/virtual_keys.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

// A panel that writes down its mouse and key events.
class RecordingPanel : public cl::TPanel {
 public:
  using cl::TPanel::TPanel;
  std::vector<std::string> log;

  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override {
    log.push_back(Describe("down", button, shift, x, y));
    TPanel::MouseDown(button, shift, x, y);
  }
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override {
    log.push_back(Describe("up", button, shift, x, y));
    TPanel::MouseUp(button, shift, x, y);
  }
  void MouseMove(cl::TShiftState shift, int x, int y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y) + ((shift & cl::ssLeft) ? " left" : ""));
  }
  void DblClick() override { log.push_back("dblclick"); }
  void Click() override { log.push_back("click"); }
  void KeyDown(uint16_t& key, cl::TShiftState shift) override {
    log.push_back("key " + std::to_string(key) + ((shift & cl::ssShift) ? " shift" : "") +
                  ((shift & cl::ssCtrl) ? " ctrl" : ""));
  }
  void KeyPress(char& key) override { log.push_back(std::string("char ") + key); }

 private:
  static std::string Describe(const char* what, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
    std::string s = std::string(what) + (button == cl::mbLeft ? " L " : button == cl::mbRight ? " R " : " M ") +
                    std::to_string(x) + "," + std::to_string(y);
    if (shift & cl::ssDouble) s += " double";
    return s;
  }
};

class InputTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    panel = Make<RecordingPanel>(*form);
    panel->SetParent(form.get());
    panel->SetBounds(20, 20, 100, 100);
    other = Make<RecordingPanel>(*form);
    other->SetParent(form.get());
    other->SetBounds(200, 20, 100, 100);
    t::ProcessEvents();
  }
  RecordingPanel* panel = nullptr;
  RecordingPanel* other = nullptr;
};

TEST_F(InputTest, APressCapturesTheMouseUntilTheButtonComesUp) {
  t::MouseDown(*panel, 10, 10);
  EXPECT_TRUE(panel->MouseCapture());
  // Moving over another control while held still reaches the pressed one,
  // in its own coordinates (outside its rectangle).
  t::MouseMove(*other, 5, 5);
  t::MouseUp(*other, 5, 5);
  EXPECT_FALSE(panel->MouseCapture());
  // The pointer first moves to the press point, as the window system reports.
  const std::vector<std::string> expected{"move 10,10", "down L 10,10", "move 185,5 left", "up L 185,5"};
  EXPECT_EQ(panel->log, expected);
  EXPECT_TRUE(other->log.empty());
}

TEST_F(InputTest, ReleasingOutsideTheControlMakesNoClick) {
  t::MouseDown(*panel, 10, 10);
  t::MouseMove(*panel, 150, 10);
  t::MouseUp(*panel, 150, 10);
  t::Click(*panel, 30, 40);
  const std::vector<std::string> expected{"move 10,10",  "down L 10,10", "move 150,10 left", "up L 150,10",
                                          "move 30,40",  "down L 30,40", "up L 30,40",       "click"};
  EXPECT_EQ(panel->log, expected);
}

TEST_F(InputTest, DoubleClickComesAsTheClassLibrarySendsIt) {
  t::DoubleClick(*panel, 15, 25);
  const std::vector<std::string> expected{"move 15,25", "down L 15,25",        "up L 15,25", "click",
                                          "dblclick",   "down L 15,25 double", "up L 15,25"};
  EXPECT_EQ(panel->log, expected);
}

TEST_F(InputTest, KeysArriveAsVirtualKeyCodesWithShiftStateAndCharacters) {
  panel->SetFocus();
  t::PressKey(*panel, 'A', cl::ssShift);
  t::PressKey(*panel, cl::VK_NEXT);
  t::PressKey(*panel, cl::VK_F10, cl::ssCtrl);
  t::PressKey(*panel, cl::VK_RETURN);
  const std::vector<std::string> expected{"key 65 shift", "char A", "key 34", "key 121 ctrl", "key 13", "char \r"};
  EXPECT_EQ(panel->log, expected);
}

// A panel with a vertical scroll bar, as the viewer holds one.
TEST_F(InputTest, WheelOverAControlWithAVerticalBarScrollsThreeLinesANotch) {
  auto* holder = Make<cl::TPanel>(*form);
  holder->SetParent(form.get());
  holder->SetBounds(0, 150, 300, 120);
  auto* content = Make<cl::TPanel>(*form);
  content->SetParent(holder);
  content->SetBounds(0, 0, 280, 120);
  auto* bar = Make<cl::TScrollBar>(*form);
  bar->SetParent(holder);
  bar->SetKind(cl::sbVertical);
  bar->SetBounds(280, 0, 16, 120);
  bar->SetParams(100, 0, 1000);
  bar->SetSmallChange(16);
  std::vector<int> codes;
  bar->OnScroll = [&](cl::TObject*, cl::TScrollCode code, int&) { codes.push_back(code); };

  t::Wheel(*content, 10, 10, -120);  // towards the user: down
  EXPECT_EQ(bar->Position(), 148);
  EXPECT_EQ(codes, (std::vector<int>{cl::scLineDown, cl::scLineDown, cl::scLineDown, cl::scEndScroll}));
  codes.clear();
  t::Wheel(*content, 10, 10, 60);  // half a notch waits for the other half
  EXPECT_TRUE(codes.empty());
  t::Wheel(*content, 10, 10, 60);
  EXPECT_EQ(bar->Position(), 100);
  // Straight over the bar the same.
  t::Wheel(*bar, 5, 5, 240);
  EXPECT_EQ(bar->Position(), 4);
}

}  // namespace

namespace {

TEST_F(InputTest, FocusMovesBetweenControlsWithEnterAndExit) {
  std::vector<std::string> events;
  panel->OnEnter = [&](cl::TObject*) { events.push_back("enter 1"); };
  panel->OnExit = [&](cl::TObject*) { events.push_back("exit 1"); };
  other->OnEnter = [&](cl::TObject*) { events.push_back("enter 2"); };
  panel->SetFocus();
  t::ProcessEvents();
  EXPECT_TRUE(panel->Focused());
  other->SetFocus();
  t::ProcessEvents();
  EXPECT_TRUE(other->Focused());
  EXPECT_FALSE(panel->Focused());
  EXPECT_EQ(events, (std::vector<std::string>{"enter 1", "exit 1", "enter 2"}));
  EXPECT_EQ(form->ActiveControl(), other);
}

}  // namespace
