#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/core/test_support/pdf_reader.h"
#include "browser/tests/browser_form_fixture.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/parse/document_parser.h"
#include "platform/gui/menu.h"
#include "platform/gui/test_support/image_fixtures.h"
#include "platform/gui/printer.h"

namespace t = cl::testing;

namespace {

namespace fs = std::filesystem;

// The print dialog answers "all pages into this PDF file".
t::ScriptedDialogs PrintAllInto(const std::string& pdf) {
  t::ScriptedDialogs script;
  script.Print = [pdf](cl::TPrintDialog& dialog) {
    dialog.PrintRange = cl::prAllPages;
    cl::Printer().SetOutputFileName(pdf);
    return true;
  };
  return script;
}

TEST_F(BrowserFormTest, APageWithPicturesPrintsFromThePrintButtonIntoThePdfFile) {
  brw::TBrowserForm& form = Start({});
  form.Viewer().DocumentParser = ParseDocument;
  docs_.Write("red.bmp", fixtures::Bmp24(40, 20, std::vector<fixtures::Rgb>(800, {255, 0, 0})));
  const std::string page = Doc("pictures.htm");
  docs_.Write("pictures.htm",
              "<title>Obr\xe1zky</title><p>P\xf8" "ed obr\xe1zkem <img src=\"red.bmp\"> za obr\xe1zkem</p>"
              "<p><img src=\"missing.gif\" alt=\"chyb\xed\"> konec</p>");
  form.Viewer().LoadFromFile(page);
  t::ProcessEvents();
  const std::string pdf = Doc("pictures.pdf");
  t::ScriptedDialogs script = PrintAllInto(pdf);
  form.Button(brw::tbPrint).Click();
  cl::Printer().SetOutputFileName("");
  EXPECT_EQ(script.Calls, std::vector<std::string>{"print"});
  ASSERT_TRUE(fs::exists(pdf)) << "the window survived the print";
  EXPECT_EQ(t::PdfPageCount(pdf), 1) << t::PdfInfo(pdf);
  const std::string text = t::PdfText(pdf);
  EXPECT_NE(text.find("za obr\xc3\xa1zkem"), std::string::npos) << text;
  EXPECT_NE(text.find("konec"), std::string::npos) << text;
  EXPECT_TRUE(form.Button(brw::tbPrint).Enabled());
}

// What a new user prints first: every shipped document, the frame set with
// its main frame focused, each into a PDF file of at least one page.
TEST_F(BrowserFormTest, EveryShippedSampleDocumentPrints) {
  brw::TBrowserForm& form = Start({});
  form.Viewer().DocumentParser = ParseDocument;
  const fs::path samples = BRANNIK_SAMPLES;
  std::vector<fs::path> documents;
  for (const fs::path& folder : {samples, samples / "obrazky"})
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_regular_file()) documents.push_back(entry.path());
  std::sort(documents.begin(), documents.end());
  ASSERT_GE(documents.size(), 10u);
  for (const fs::path& document : documents) {
    SCOPED_TRACE(document.filename().string());
    form.Viewer().LoadFromFile(document.string());
    t::ProcessEvents();
    if (document.filename() == "index.htm") {
      TFrame* const main = form.Viewer().CurrentSet().FindFrame("hlavni");
      ASSERT_NE(main, nullptr);
      ASSERT_NE(main->Viewer(), nullptr);
      main->Viewer()->SetFocus();
      t::ProcessEvents();
      ASSERT_EQ(form.Viewer().ActiveViewer(), main->Viewer());
    }
    const std::string pdf = Doc(document.stem().string() + document.extension().string().substr(1) + ".pdf");
    t::ScriptedDialogs script = PrintAllInto(pdf);
    form.Button(brw::tbPrint).Click();
    cl::Printer().SetOutputFileName("");
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GE(t::PdfPageCount(pdf), 1) << t::PdfInfo(pdf);
  }
}

TEST_F(BrowserFormTest, PrintWritesTheChosenPagesIntoThePdfFileTheDialogNamed) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  ASSERT_TRUE(form.Button(brw::tbPrint).Enabled());
  ASSERT_TRUE(form.MenuItem(brw::tbPrint).Enabled());
  struct Case {
    const char* name;
    std::function<void()> press;
    cl::TPrintRange range;
    int from, to;
    bool written;
  } const cases[] = {
      {"button, all pages", [&] { form.Button(brw::tbPrint).Click(); }, cl::prAllPages, 0, 0, true},
      {"menu item, page 1", [&] { form.MenuItem(brw::tbPrint).Click(); }, cl::prPageNums, 1, 1, true},
      // The document has one page: nothing to print, no file.
      {"pages 2 to 3", [&] { form.Button(brw::tbPrint).Click(); }, cl::prPageNums, 2, 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string pdf = Doc(std::string(c.name).substr(0, 4) + std::to_string(c.from) + ".pdf");
    t::ScriptedDialogs script;
    std::string title;
    script.Print = [&](cl::TPrintDialog& dialog) {
      title = cl::Printer().Title;
      dialog.PrintRange = c.range;
      dialog.FromPage = c.from;
      dialog.ToPage = c.to;
      cl::Printer().SetOutputFileName(pdf);
      return true;
    };
    c.press();
    EXPECT_EQ(script.Calls, std::vector<std::string>{"print"});
    EXPECT_EQ(title, "Start page") << "the dialog names its file after the document";
    ASSERT_EQ(std::filesystem::exists(pdf), c.written);
    if (!c.written) continue;
    const std::string info = cl::testing::PdfInfo(pdf);
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(cl::testing::PdfText(pdf).find("Second line"), std::string::npos);
  }
  // The buttons are back after each print.
  EXPECT_TRUE(form.Button(brw::tbPrint).Enabled());
  EXPECT_TRUE(form.Timer200ms().Enabled());
  cl::Printer().SetOutputFileName("");
}

TEST_F(BrowserFormTest, ACancelledPrintDialogPrintsNothing) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  t::ScriptedDialogs script;
  script.Print = [&](cl::TPrintDialog&) {
    cl::Printer().SetOutputFileName(Doc("never.pdf"));
    return false;
  };
  form.Button(brw::tbPrint).Click();
  EXPECT_FALSE(std::filesystem::exists(Doc("never.pdf")));
  cl::Printer().SetOutputFileName("");
}

// Printing into the full device: the error box names the file and the
// system's reason (not the printer), and the device node is still the device.
TEST_F(BrowserFormTest, PrintingIntoAFullDeviceShowsTheFailedWriteAndLeavesTheNode) {
  brw::TBrowserForm& form = Start({Doc("index.htm")});
  std::string full = Doc("full");
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) full = "/dev/full";
  t::ScriptedDialogs script;
  script.Print = [&](cl::TPrintDialog&) {
    cl::Printer().SetOutputFileName(full);
    return true;
  };
  // Clicked as the user does, so the error reaches the application's box.
  t::Click(form.Button(brw::tbPrint), 5, 5);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].text, "I/O Write \"" + full + "\" failed, GetLastError=0x00000070 (112): ERROR_DISK_FULL");
  struct stat st;
  ASSERT_EQ(lstat(full.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_TRUE(form.Button(brw::tbPrint).Enabled());
  cl::Printer().SetOutputFileName("");
}

}  // namespace
