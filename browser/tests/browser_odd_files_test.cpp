#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <thread>

#include "browser/tests/browser_form_fixture.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "platform/core/test_support/untouched_file.h"
#include "platform/core/test_support/watchdog.h"
#include "platform/gui/clipboard.h"
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

// A device never ends: read as a document it would hold the browser for
// ever. A name that leads to one is refused like a missing file.
TEST_F(BrowserFormTest, ADeviceAsTheStartDocumentLeavesAnEmptyWindow) {
  std::filesystem::create_symlink("/dev/zero", Doc("zero.htm"));
  for (const std::string& name : {Doc("zero.htm"), std::string("/dev/zero")}) {
    SCOPED_TRACE(name);
    const t::Watchdog watchdog("the browser on " + name, 60, 2048);
    brw::TBrowserForm& form = Start({name});
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Caption(), "");
    EXPECT_EQ(form.GetCurrentFile(), "");
    EXPECT_EQ(form.StartDocument(), name);
    EXPECT_FALSE(form.Button(brw::tbReload).Enabled());
    Stop();
  }
}

TEST_F(BrowserFormTest, AFrameThatIsADeviceShowsTheFrameErrorAndTheOtherFrameLoads) {
  std::filesystem::create_symlink("/dev/zero", Doc("zero.htm"));
  docs_.Write("a.htm", "#title A\nText of a\n");
  docs_.Write("pair.htm",
              "<TITLE>Pair</TITLE><FRAMESET COLS=\"50%,50%\"><FRAME SRC=\"a.htm\" NAME=\"a\">"
              "<FRAME SRC=\"zero.htm\" NAME=\"zero\"></FRAMESET>");
  const t::Watchdog watchdog("the browser on a frame set with a device", 60, 2048);
  brw::TBrowserForm& form = Start({Doc("pair.htm")});
  EXPECT_EQ(form.Caption(), "Pair");
  html::TFrameSet& set = form.Viewer().CurrentSet();
  html::TFrame* const a = set.FindFrame("a");
  html::TFrame* const zero = set.FindFrame("zero");
  ASSERT_TRUE(a != nullptr && a->Viewer() != nullptr);
  ASSERT_TRUE(zero != nullptr && zero->Viewer() != nullptr);
  EXPECT_EQ(a->Viewer()->CurrentFile(), Doc("a.htm"));
  TDocViewer& shown = *zero->Viewer();
  shown.SelectAll();
  cl::Clipboard().Clear();
  shown.CopyToClipboard();
  const std::string text = cl::Clipboard().AsText();
  // The narrow frame wraps the line before the name.
  EXPECT_NE(text.find("Can't load"), std::string::npos) << text;
  EXPECT_NE(text.find(Doc("zero.htm")), std::string::npos) << text;
}

// A document that never stops growing (here a FIFO whose writer never
// stops) ends after a bound far above any real document.
TEST_F(BrowserFormTest, ADocumentThatNeverStopsGrowingEndsAtTheBound) {
  const std::string fifo = Doc("endless.htm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  std::atomic<bool> stop{false};
  // Blanks for every reader that opens the FIFO, each from where it joins;
  // the parser makes nothing of them, so only the reading takes time.
  std::thread writer([&] {
    const std::string blanks(4096, ' ');
    while (!stop) {
      const int fd = open(fifo.c_str(), O_WRONLY);
      if (fd < 0) return;
      // A reader that closes its end ends the write (EPIPE; SIGPIPE is ignored below).
      while (!stop && write(fd, blanks.data(), blanks.size()) > 0) {
      }
      close(fd);
    }
  });
  const auto oldPipe = signal(SIGPIPE, SIG_IGN);
  {
    const t::Watchdog watchdog("the browser on an endless document", 120, 2048);
    // The program's own parser.
    form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::vector<std::string>{Doc("browser"), fifo});
    form_->Show();
    t::ProcessEvents();
  }
  stop = true;
  // Frees a writer waiting for a reader.
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  writer.join();
  if (reader >= 0) close(reader);
  signal(SIGPIPE, oldPipe);
  EXPECT_TRUE(form_->Visible());
  EXPECT_EQ(form_->GetCurrentFile(), fifo);
}

// A settings file that never ends, or one far too large to be one, reads as
// no settings, and the browser's write at its end leaves it as it was.
TEST_F(BrowserFormTest, AWinIniThatNeverEndsOrIsTooLargeGivesTheDefaultsAndStaysAsItWas) {
  const std::string held = "[Brannik]\nBRWSFormWS=0\nBRWSFormPos=10,20,300,400\nBRWSFontSize=14\n";
  struct Case {
    const char* what;
    std::function<void(const std::string& file)> make;
  } const cases[] = {
      {"a link to /dev/zero", [](const std::string& file) { std::filesystem::create_symlink("/dev/zero", file); }},
      {"a sparse file of 4 GB",
       [&](const std::string& file) {
         std::ofstream(file, std::ios::binary) << held;
         std::filesystem::resize_file(file, std::uintmax_t{4} << 30);
       }},
  };
  const std::string file = windir_ / "win.ini";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(file);
    c.make(file);
    const cl::testing::UntouchedFile untouched(file, held);
    {
      const t::Watchdog watchdog(std::string("the browser with win.ini ") + c.what, 60, 2048);
      brw::TBrowserForm& form = Start({Doc("index.htm")});
      EXPECT_EQ(form.WindowState(), cl::wsMaximized);
      EXPECT_EQ(form.Viewer().DefFontSize(), 10);
      EXPECT_EQ(form.Caption(), "Start page");
      Stop();
    }
    untouched.ExpectUnchanged();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(windir_.Path()))
      names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"win.ini"});
  }
}
