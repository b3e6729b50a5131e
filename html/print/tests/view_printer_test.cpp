#include "html/print/view_printer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/printer.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/recording_printer.h"

namespace html {
namespace {

using State = TViewPrinter::TState;

class ViewPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { cl::testing::EnsureGuiTestApplication(); }
  cl::testing::RecordingPrinter recorder;
};

std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const cl::Exception& error) {
    return error.Message();
  }
  return "";
}

TEST_F(ViewPrinterTest, MeasuringOpensAnInformationContextThatTheJobReplaces) {
  TViewPrinter printer;
  EXPECT_EQ(printer.State(), State::NoContext);
  EXPECT_EQ(printer.PageWidth(), 940);
  EXPECT_EQ(printer.PageHeight(), 1320);
  EXPECT_EQ(printer.State(), State::Information);
  printer.BeginDoc();
  EXPECT_EQ(printer.State(), State::Device);
  EXPECT_EQ(recorder.Contexts, (std::vector<bool>{false, true}));
  // A device context measures too.
  printer.SetState(State::Information);
  EXPECT_EQ(printer.State(), State::Device);
  EXPECT_EQ(printer.PageWidth(), 940);
  EXPECT_EQ(recorder.Contexts.size(), 2u);
  EXPECT_EQ(printer.PageNumber(), 1);
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.EndDoc();
  EXPECT_EQ(printer.PageNumber(), 0);
  ASSERT_EQ(recorder.Jobs.size(), 1u);
  EXPECT_EQ(recorder.Jobs[0].Pages.size(), 2u);
  EXPECT_TRUE(recorder.Jobs[0].Ended);
}

TEST_F(ViewPrinterTest, CallsOutOfOrderRaiseThePrinterErrors) {
  const std::string notPrinting = "Printer is not currently printing";
  const std::string printing = "Printing in progress";
  struct Case {
    const char* name;
    bool inJob;
    std::function<void(TViewPrinter&)> call;
    std::string error;
  } const cases[] = {
      {"NewPage without a job", false, [](TViewPrinter& p) { p.NewPage(); }, notPrinting},
      {"EndDoc without a job", false, [](TViewPrinter& p) { p.EndDoc(); }, notPrinting},
      {"Abort without a job", false, [](TViewPrinter& p) { p.Abort(); }, notPrinting},
      {"drawing without a job", false, [](TViewPrinter& p) { p.Canvas().Changing(); }, notPrinting},
      {"BeginDoc twice", true, [](TViewPrinter& p) { p.BeginDoc(); }, printing},
      {"no context during a job", true, [](TViewPrinter& p) { p.SetState(State::NoContext); }, printing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TViewPrinter printer;
    if (c.inJob) printer.BeginDoc();
    EXPECT_EQ(ErrorOf([&] { c.call(printer); }), c.error);
  }
  // Measuring needs no job.
  TViewPrinter printer;
  EXPECT_EQ(ErrorOf([&] { printer.Canvas().Handle().TextWidth("x"); }), "");
}

TEST_F(ViewPrinterTest, TheSpoolerGetsTheFirst31CharactersOfTheTitle) {
  TViewPrinter printer;
  printer.Title = std::string(40, 'a') + "b";
  printer.BeginDoc();
  printer.EndDoc();
  ASSERT_EQ(recorder.Jobs.size(), 1u);
  EXPECT_EQ(recorder.Jobs[0].Name, std::string(31, 'a'));
}

TEST_F(ViewPrinterTest, AbortDropsTheJobAndDestroyingEndsAnOpenOne) {
  {
    TViewPrinter printer;
    printer.BeginDoc();
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
  }
  {
    TViewPrinter printer;
    printer.BeginDoc();
  }
  ASSERT_EQ(recorder.Jobs.size(), 2u);
  EXPECT_TRUE(recorder.Jobs[0].Aborted);
  EXPECT_FALSE(recorder.Jobs[0].Ended);
  EXPECT_TRUE(recorder.Jobs[1].Ended);
}

TEST_F(ViewPrinterTest, TheAbortProcedureAnswersForTheCurrentPrinter) {
  TViewPrinter printer;
  TViewPrinter* const previous = SetCurrentPrinter(&printer);
  EXPECT_EQ(&CurrentPrinter(), &printer);
  EXPECT_TRUE(PrintAbortProc());
  EXPECT_EQ(SetCurrentPrinter(previous), &printer);
}

TEST(ViewPrinter, WithoutAValidPrinterTheJobDoesNotStart) {
  cl::testing::EnsureGuiTestApplication();
  if (cl::Printer().Printers().size() > 1) GTEST_SKIP() << "this machine has print queues";
  // The PDF file, but no name for it.
  cl::Printer().SetOutputFileName("");
  TViewPrinter printer;
  EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), "Printer selected is not valid");
  EXPECT_FALSE(printer.Printing());
}

// A PDF file that cannot be made or written fails the job with the file's
// name and the system's reason, not with the printer's error.
TEST(ViewPrinter, APdfFileThatCannotBeWrittenFailsTheJobWithItsNameAndTheReason) {
  cl::testing::EnsureGuiTestApplication();
  const cl::testing::TempDirectory dir;
  std::string full = dir / "full";
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) full = "/dev/full";
  const std::string nowhere = dir / "none/tisk.pdf";
  struct Case {
    const char* name;
    std::string file;
    std::string begin, end;  // the errors of BeginDoc and EndDoc
  } const cases[] = {
      {"a full device", full, "", "I/O Write \"" + full + "\" failed, GetLastError=0x00000070 (112): ERROR_DISK_FULL"},
      {"a folder that does not exist", nowhere,
       "I/O Create \"" + nowhere + "\" failed, GetLastError=0x00000003 (3): ERROR_PATH_NOT_FOUND", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cl::Printer().SetOutputFileName(c.file);
    TViewPrinter printer;
    EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), c.begin);
    if (c.begin.empty()) {
      printer.Canvas().Changing().TextOut(100, 100, "strana");
      EXPECT_EQ(ErrorOf([&] { printer.EndDoc(); }), c.end);
    }
    EXPECT_FALSE(printer.Printing());
  }
  cl::Printer().SetOutputFileName("");
}

}  // namespace
}  // namespace html
