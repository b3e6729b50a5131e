#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/common_dialogs.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/scripted_dialogs.h"

namespace {

namespace t = cl::testing;

TEST(CommonDialogs, OpenAndSaveRunTheirScriptsAndSaveAddsTheDefaultExtension) {
  t::EnsureGuiTestApplication();
  t::ScriptedDialogs script;
  cl::TOpenDialog open;
  open.Filter = "HTML soubory|*.htm;*.html|v\x9a" "echny|*.*";
  open.InitialDir = "c:\\docs";
  script.Open = [](cl::TOpenDialog& d) {
    EXPECT_EQ(d.InitialDir, "c:\\docs");
    d.FileName = "c:\\docs\\a.htm";
    return true;
  };
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, "c:\\docs\\a.htm");

  cl::TSaveDialog save;
  save.DefaultExt = "htm";
  script.Save = [](cl::TSaveDialog& d) {
    d.FileName = "c:\\out\\copy";
    return true;
  };
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "c:\\out\\copy.htm");
  script.Save = [](cl::TSaveDialog& d) {
    d.FileName = "c:\\out.d\\copy.txt";
    return true;
  };
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "c:\\out.d\\copy.txt");
  script.Save = [](cl::TSaveDialog&) { return false; };
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(script.Calls, (std::vector<std::string>{"open", "save", "save", "save"}));
  EXPECT_EQ(cl::QtFilterOf(open.Filter), "HTML soubory (*.htm *.html);;v\x9a" "echny (*.*)");
}

TEST(CommonDialogs, AFilterNameShowingItsPatternsShowsThemOnce) {
  struct Case {
    const char* filter;
    const char* qt;
  } const cases[] = {
      {"Seznamy (*.phn)|*.phn", "Seznamy (*.phn)"},
      {"Seznamy|*.phn", "Seznamy (*.phn)"},
      {"Str\xE1nky (*.htm;*.html)|*.htm;*.html", "Str\xE1nky (*.htm *.html)"},
      // Parentheses that are not the patterns are part of the name.
      {"Text (txt)|*.txt", "Text (txt) (*.txt)"},
      {"Seznamy (*.phn)|*.PHN", "Seznamy (*.phn) (*.PHN)"},
      {"A (*.a)|*.a|B|*.b", "A (*.a);;B (*.b)"},
  };
  for (const Case& c : cases) EXPECT_EQ(cl::QtFilterOf(c.filter), c.qt) << c.filter;
}

TEST(CommonDialogs, PrintDialogGivesTheRangeTheUserChose) {
  t::EnsureGuiTestApplication();
  t::ScriptedDialogs script;
  cl::TPrintDialog print;
  print.FromPage = 1;
  print.ToPage = 1;
  print.MinPage = 1;
  print.MaxPage = 9999;
  print.Options = cl::poPageNums;
  script.Print = [](cl::TPrintDialog& d) {
    EXPECT_EQ(d.MaxPage, 9999);
    d.PrintRange = cl::prPageNums;
    d.FromPage = 2;
    d.ToPage = 5;
    return true;
  };
  ASSERT_TRUE(print.Execute());
  EXPECT_EQ(print.PrintRange, cl::prPageNums);
  EXPECT_EQ(print.FromPage, 2);
  EXPECT_EQ(print.ToPage, 5);
}

TEST(CommonDialogs, FindDialogFiresOnFindWithTheTextAndOptions) {
  t::EnsureGuiTestApplication();
  t::ScriptedDialogs script;
  cl::TFindDialog find;
  find.Options = cl::frDown | cl::frHideWholeWord | cl::frHideUpDown;
  std::vector<std::string> searched;
  find.OnFind = [&](cl::TObject* sender) {
    auto* d = static_cast<cl::TFindDialog*>(sender);
    searched.push_back(d->FindText + ((d->Options & cl::frMatchCase) ? " case" : ""));
  };
  script.Find = [](cl::TFindDialog& d) {
    d.FindText = "Brannik";
    d.Find();
    d.Options |= cl::frMatchCase;
    d.Find();
  };
  EXPECT_TRUE(find.Execute());
  EXPECT_TRUE(find.Showing());
  EXPECT_EQ(searched, (std::vector<std::string>{"Brannik", "Brannik case"}));
  EXPECT_TRUE(find.Options & cl::frFindNext);
  find.CloseDialog();
  EXPECT_FALSE(find.Showing());
  EXPECT_EQ(script.Calls, (std::vector<std::string>{"find", "close find"}));
}

TEST(CommonDialogs, MessageBoxesAreRecordedAndAnsweredByTheScript) {
  t::EnsureGuiTestApplication();
  t::ScriptedDialogs script;
  EXPECT_EQ(cl::MessageBox("Chyba p\xf8i z\xe1pisu", "Brannik", cl::MB_OK | cl::MB_ICONERROR), cl::IDOK);
  script.Message = [](const std::string&, const std::string&, uint32_t) { return cl::IDNO; };
  EXPECT_EQ(cl::MessageBox("Ulo\x9eit?", "", cl::MB_YESNO), cl::IDNO);
  ASSERT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(script.Messages[0].text, "Chyba p\xf8i z\xe1pisu");
  EXPECT_EQ(script.Messages[0].flags, cl::MB_OK | cl::MB_ICONERROR);
}

}  // namespace
