// Where a PDF job's bytes go: the file behind a link, a device or FIFO
// named as the file, and nothing beside the file while the job runs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/core/test_support/killed_writes.h"
#include "platform/core/test_support/pdf_reader.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/printer.h"
#include "platform/gui/test_support/gui_test.h"

namespace {

namespace fs = std::filesystem;
namespace t = cl::testing;
using Contents = std::map<std::string, std::string>;

class PrinterOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { t::EnsureGuiTestApplication(); }
  // One page of text into the file named; the printer's error, empty when none.
  std::string Print(const std::string& file) {
    printer.SetOutputFileName(file);
    try {
      printer.BeginDoc();
      printer.Canvas().TextOut(100, 100, "tiskov\xe1 strana");
      printer.NewPage();
      during = t::DirectoryContents(dir.Path().string());
      printer.EndDoc();
    } catch (const cl::EPrinter& error) {
      return error.Message();
    }
    return "";
  }
  const t::TempDirectory dir;
  cl::TPrinter printer;
  Contents during;
};

TEST_F(PrinterOutputTest, APrintIntoALinkWritesTheFileItLeadsToAndNothingShowsBeforeTheEnd) {
  fs::create_directories(dir.Path() / "out");
  dir.Write("out/real.pdf", "old contents");
  fs::create_symlink("out/real.pdf", dir.Path() / "print.pdf");
  EXPECT_EQ(Print(dir / "print.pdf"), "");
  EXPECT_EQ(during, (Contents{{"out", "<not a file>"}, {"print.pdf", "-> out/real.pdf"}}));
  EXPECT_EQ(t::DirectoryContents(dir / "out").size(), 1u);
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "print.pdf"));
  EXPECT_EQ(t::PdfPageCount(dir / "out/real.pdf"), 2);
}

TEST_F(PrinterOutputTest, AFullDeviceFailsTheJobWithThePrintersErrorAndTheNodeStays) {
  std::string full = dir / "full";
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) full = "/dev/full";
  EXPECT_EQ(Print(full), "Printer selected is not valid");
  struct stat st;
  ASSERT_EQ(lstat(full.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_FALSE(printer.Printing());
}

TEST_F(PrinterOutputTest, AFifoGetsTheWholePdf) {
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  t::FifoReader reader(fifo, [](const std::string& got) {
    return got.size() >= 6 && got.find("%%EOF", got.size() - 7) != std::string::npos;
  });
  ASSERT_TRUE(reader.Ready());
  EXPECT_EQ(Print(fifo), "");
  const std::string pdf = reader.Received();
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u) << pdf.substr(0, 20);
  EXPECT_EQ(t::DirectoryContents(dir.Path().string()), (Contents{{"pipe", "<not a file>"}}));
}

}  // namespace
