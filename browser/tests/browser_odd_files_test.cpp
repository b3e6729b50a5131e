#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "browser/tests/browser_form_fixture.h"
#include "platform/gui/screen_facts.h"

namespace t = cl::testing;

namespace {

// Frees opens stuck on a FIFO by giving them a writer, but only once the
// deadline has passed without the test being done: Rescued() then tells that
// an open waited for the FIFO's other end.
class FifoRescue {
 public:
  explicit FifoRescue(std::string path) : path_(std::move(path)) {
    watcher_ = std::thread([this] {
      if (done_.get_future().wait_for(std::chrono::seconds(20)) == std::future_status::ready) return;
      rescued_ = true;
      while (!finished_) {
        const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
  }
  ~FifoRescue() {
    Done();
    watcher_.join();
  }
  void Done() {
    if (!finished_.exchange(true)) done_.set_value();
  }
  bool Rescued() const { return rescued_; }

 private:
  std::string path_;
  std::promise<void> done_;
  std::atomic<bool> finished_{false};
  std::atomic<bool> rescued_{false};
  std::thread watcher_;
};

}  // namespace

TEST_F(BrowserFormTest, AFifoOnTheCommandLineOrOpenedShowsAsAnEmptyDocument) {
  const std::string fifo = Doc("pipe.htm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  FifoRescue rescue(fifo);
  // The program's own parser, which opens the file as the program does.
  form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{Doc("browser"), fifo});
  form_->Show();
  t::ProcessEvents();
  EXPECT_EQ(form_->GetCurrentFile(), fifo);
  EXPECT_EQ(form_->Caption(), "");

  form_->OpenDocument(Doc("index.htm"));
  t::ScriptedDialogs script;
  script.Open = [&](cl::TOpenDialog& dialog) {
    dialog.FileName = fifo;
    return true;
  };
  form_->Button(brw::tbFileOpen).Click();
  EXPECT_EQ(form_->GetCurrentFile(), fifo);
  rescue.Done();
  EXPECT_FALSE(rescue.Rescued()) << "an open waited for a writer of the FIFO";
}

TEST_F(BrowserFormTest, AWindowPlaceTooLargeForTheScreensIsCutToThemAndDraws) {
  const std::vector<cl::TRect> screens = cl::MonitorRects();
  ASSERT_EQ(screens.size(), 1u);
  const cl::TRect screen = screens[0];
  struct Case {
    const char* pos;
    cl::TRect bounds;
  } const cases[] = {
      {"10,20,99999999,500", cl::Rect(10, 20, 10 + screen.Width(), 500)},
      {"0,0,2147483647,2147483647", cl::Rect(0, 0, screen.Width(), screen.Height())},
      // A size beyond 32 bits: cut, it lies far off every screen.
      {"-2147483648,-2147483648,2147483647,2147483647", cl::Bounds(0, 0, 640, 533)},
  };
  for (const auto& c : cases) {
    windir_.Write("win.ini", std::string("[Brannik]\nBRWSFormWS=0\nBRWSFormPos=") + c.pos + "\n");
    t::ExceptionRecorder errors;
    brw::TBrowserForm& form = Start({Doc("index.htm")});
    form.Viewer().Repaint();
    t::ProcessEvents();
    EXPECT_EQ(form.WindowState(), cl::wsNormal) << c.pos;
    EXPECT_EQ(form.BoundsRect(), c.bounds) << c.pos;
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{}) << c.pos;
    Stop();
  }
}
