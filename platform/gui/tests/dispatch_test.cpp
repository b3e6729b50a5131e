#include <gtest/gtest.h>

#include <QPushButton>

#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/gui/button.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/messages.h"
#include "platform/gui/panel.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/scripted_dialogs.h"
#include "window_fixture.h"

namespace {

using cl::Make;
namespace t = cl::testing;

class MessagePanel : public cl::TPanel {
 public:
  using cl::TPanel::TPanel;
  std::vector<std::string> received;
  void WndProc(cl::TMessage& message) override {
    if (message.Msg >= cl::WM_USER) {
      received.push_back(std::to_string(message.Msg) + ":" + std::to_string(message.WParam) + ":" +
                         std::to_string(message.LParam));
      message.Result = 7;
      return;
    }
    TPanel::WndProc(message);
  }
};

// Set when the watched object is destroyed.
class Watched : public cl::TPanel {
 public:
  Watched(cl::TComponent* owner, bool* destroyed) : TPanel(owner), destroyed_(destroyed) {}
  ~Watched() override { *destroyed_ = true; }

 private:
  bool* destroyed_;
};

using DispatchTest = WindowTest;

TEST_F(DispatchTest, PostedMessagesReachWndProcAfterTheCurrentWorkInOrder) {
  auto* panel = Make<MessagePanel>(*form);
  panel->SetParent(form.get());
  cl::PostMessage(*panel, 0x466, 0, 0);
  cl::PostMessage(*panel, 0x464, 1, 2);
  EXPECT_TRUE(panel->received.empty());
  t::ProcessEvents();
  EXPECT_EQ(panel->received, (std::vector<std::string>{"1126:0:0", "1124:1:2"}));
  EXPECT_EQ(cl::SendMessage(*panel, 0x500, 3, 4), 7);
  EXPECT_EQ(panel->received.back(), "1280:3:4");
}

TEST_F(DispatchTest, MessagesPostedToAFreedControlAreDropped) {
  auto* panel = Make<MessagePanel>(*form);
  panel->SetParent(form.get());
  cl::PostMessage(*panel, 0x466, 0, 0);
  cl::FreeComponent(panel);
  t::ProcessEvents();  // nothing to deliver to; must not touch the freed panel
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(DispatchTest, AnExceptionInAHandlerReachesHandleExceptionAndTheLoopGoesOn) {
  t::ExceptionRecorder recorder;
  auto* button = Make<cl::TButton>(*form);
  button->SetParent(form.get());
  button->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](cl::TObject*) {
    ++clicks;
    throw cl::Exception("Boom " + std::to_string(clicks));
  };
  t::Click(*button, 5, 5);
  t::Click(*button, 5, 5);
  auto* panel = Make<MessagePanel>(*form);
  panel->SetParent(form.get());
  panel->OnResize = [](cl::TObject*) { throw std::runtime_error("plain"); };
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"Boom 1", "Boom 2"}));
  // A handler run by the program itself (not by Qt) is the program's: it raises.
  EXPECT_THROW(panel->SetBounds(0, 0, 20, 20), std::runtime_error);
  // The silent abort is caught and never shown.
  cl::RunGuarded(panel, [] { throw cl::EAbort(); });
  EXPECT_EQ(recorder.Messages().size(), 2u);
}

TEST_F(DispatchTest, AButtonClickedByQtItselfStillGuardsItsHandler) {
  // Qt emits clicked outside the layer's mouse and key dispatch (a keyboard
  // shortcut, accessibility, click()); the handler's exception must stop at
  // HandleException all the same and never unwind through Qt's signal code.
  t::ExceptionRecorder recorder;
  auto* button = Make<cl::TButton>(*form);
  button->SetParent(form.get());
  button->OnClick = [](cl::TObject*) { throw cl::Exception("Boom"); };
  auto* widget = qobject_cast<QPushButton*>(cl::TControl::Access::Widget(*button));
  ASSERT_NE(widget, nullptr);
  EXPECT_NO_THROW(widget->click());
  EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"Boom"}));
}

TEST_F(DispatchTest, WithoutAHandlerTheErrorBoxShowsTheMessage) {
  t::ScriptedDialogs script;
  auto* panel = Make<MessagePanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 50, 50);
  panel->OnClick = [](cl::TObject*) { throw cl::Exception("Chyba p\xf8i z\xe1pisu"); };
  t::Click(*panel, 5, 5);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].text, "Chyba p\xf8i z\xe1pisu");
  EXPECT_EQ(script.Messages[0].flags, cl::MB_OK | cl::MB_ICONERROR);
}

TEST_F(DispatchTest, TheCursorPositionFollowsTheMouse) {
  auto* panel = Make<MessagePanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(20, 30, 100, 100);
  t::MouseMove(*panel, 7, 9);
  EXPECT_EQ(panel->ScreenToClient(cl::Screen().CursorPos()), (cl::TPoint{7, 9}));
}

TEST_F(DispatchTest, AControlFreedInItsOwnClickGoesWhenTheClickHasReturned) {
  bool destroyed = false;
  auto* watched = Make<Watched>(*form, &destroyed);
  watched->SetParent(form.get());
  watched->SetBounds(10, 10, 50, 50);
  bool stillThere = false;
  watched->OnClick = [&](cl::TObject* sender) {
    cl::Release(watched);
    // Detached at once, alive until its event is over.
    stillThere = !destroyed && form->ControlCount() == 0 && !watched->Visible();
    t::ProcessEvents();  // a nested loop must not free it under its own handler
    stillThere = stillThere && !destroyed && sender == watched;
  };
  t::Click(*watched, 5, 5);
  EXPECT_TRUE(stillThere);
  EXPECT_EQ(form->ComponentCount(), 0);
  t::ProcessEvents();
  EXPECT_TRUE(destroyed);
}

TEST_F(DispatchTest, FreeOrReleaseFreesAtOnceUnlessAHandlerOfItRuns) {
  // Idle: freed at once, with no loop turn after it.
  bool idleDestroyed = false;
  auto idle = std::make_unique<Watched>(nullptr, &idleDestroyed);
  idle->SetParent(form.get());
  cl::FreeOrRelease(std::move(idle));
  EXPECT_TRUE(idleDestroyed);
  EXPECT_EQ(form->ControlCount(), 0);
  // From its own click: detached now, freed when the click has returned.
  bool destroyed = false;
  std::unique_ptr<Watched> owned = std::make_unique<Watched>(nullptr, &destroyed);
  Watched* watched = owned.get();
  watched->SetParent(form.get());
  watched->SetBounds(10, 10, 50, 50);
  bool aliveInside = false;
  watched->OnClick = [&](cl::TObject*) {
    cl::FreeOrRelease(std::move(owned));
    aliveInside = !destroyed && form->ControlCount() == 0;
  };
  t::Click(*watched, 5, 5);
  EXPECT_TRUE(aliveInside);
  t::ProcessEvents();
  EXPECT_TRUE(destroyed);
}

TEST_F(DispatchTest, AFormReleasedFromItsButtonGoesAfterTheButtonsEvent) {
  bool destroyed = false;
  auto owner = std::make_unique<cl::TForm>(nullptr);
  auto* dialog = Make<cl::TForm>(*owner);
  auto* flag = Make<Watched>(*dialog, &destroyed);
  (void)flag;
  auto* button = Make<cl::TButton>(*dialog);
  button->SetParent(dialog);
  button->OnClick = [&](cl::TObject*) { dialog->Release(); };
  dialog->Show();
  t::ProcessEvents();
  t::Click(*button, 5, 5);
  EXPECT_EQ(owner->ComponentCount(), 0);
  t::ProcessEvents();
  EXPECT_TRUE(destroyed);
}

TEST_F(DispatchTest, APaintThatFailsFillsTheBackgroundAndIsReportedOnce) {
  t::ExceptionRecorder recorder;
  class FailingPanel : public cl::TPanel {
   public:
    using cl::TPanel::TPanel;
    void Paint() override { throw cl::Exception("Out of Resources"); }
  };
  auto* panel = Make<FailingPanel>(*form);
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 50, 50);
  panel->Repaint();
  panel->Repaint();
  t::ProcessEvents();
  EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"Out of Resources"}));
}

}  // namespace
