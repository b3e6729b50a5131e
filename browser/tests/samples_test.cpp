#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "html/forms/button_controls.h"
#include "html/forms/edit_control_obj.h"
#include "html/parse/html_tokenizer.h"
#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "html/parse/document_parser.h"
#include "html/document/text_section.h"
#include "platform/core/cp1250.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"

using namespace html;

// The shipped sample documents are what a new user sees first: every link
// and picture in them must lead somewhere.

namespace {

namespace fs = std::filesystem;

const fs::path samples = BRANNIK_SAMPLES;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::set<std::string> Anchors(const std::string& page) {
  std::set<std::string> names;
  static const std::regex name(R"(<a\s+name\s*=\s*"?([^"\s>]+))", std::regex::icase);
  for (auto it = std::sregex_iterator(page.begin(), page.end(), name); it != std::sregex_iterator(); ++it)
    names.insert(Lower((*it)[1]));
  return names;
}

std::vector<fs::path> Pages() {
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(samples))
    if (entry.path().extension() == ".htm") pages.push_back(entry.path());
  return pages;
}

}  // namespace

TEST(Samples, EveryLinkAndPictureLeadsToAFileAndAnchorThatExist) {
  ASSERT_TRUE(fs::exists(samples / "index.htm"));
  static const std::regex reference(R"(\b(href|src)\s*=\s*"?([^"\s>]+))", std::regex::icase);
  int links = 0;
  for (const auto& page : Pages()) {
    const std::string text = ReadFile(page);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference); it != std::sregex_iterator();
         ++it) {
      const std::string target = (*it)[2];
      const auto hash = target.find('#');
      const fs::path file = hash == 0 ? page : page.parent_path() / target.substr(0, hash);
      ++links;
      ASSERT_TRUE(fs::is_regular_file(file)) << page.filename() << ": " << target;
      if (hash != std::string::npos) {
        EXPECT_EQ(Anchors(ReadFile(file)).count(Lower(target.substr(hash + 1))), 1u)
            << page.filename() << ": " << target;
      }
    }
  }
  EXPECT_GT(links, 50);
}

TEST(Samples, TextsAreCodePage1250) {
  for (const auto& entry : fs::directory_iterator(samples)) {
    if (!entry.is_regular_file()) continue;
    const std::string text = ReadFile(entry.path());
    for (const unsigned char c : text) ASSERT_TRUE(win::Cp1250ToUnicode(c)) << entry.path() << ": " << int(c);
    // Czech letters are single bytes, so the file is no UTF-8.
    EXPECT_FALSE(win::Utf8ToCp1250(text)) << entry.path();
    EXPECT_NE(text.find('\xE8'), std::string::npos) << entry.path() << " has no \"č\"";
  }
}

TEST(Samples, PicturesComeInTheFourFormats) {
  struct Case {
    const char* file;
    std::string magic;
  } const cases[] = {
      {"obrazky/logo.png", "\x89PNG\r\n\x1a\n"}, {"obrazky/sit.gif", "GIF89a"},
      {"obrazky/vlny.gif", "GIF89a"},            {"obrazky/krajina.jpg", "\xFF\xD8\xFF"},
      {"obrazky/dopis.bmp", "BM"},
  };
  for (const auto& c : cases) EXPECT_TRUE(ReadFile(samples / c.file).starts_with(c.magic)) << c.file;
  // The animated one loops.
  EXPECT_NE(ReadFile(samples / "obrazky/vlny.gif").find("NETSCAPE2.0"), std::string::npos);
}

TEST(Samples, PagesUseOnlyTagsAndAttributesTheViewerKnows) {
  for (const auto& page : Pages()) {
    THtmlTokenizer tokenizer;
    tokenizer.OpenFile(page.string());
    tokenizer.Start();
    int tags = 0;
    while (tokenizer.CurrentSymbol() != EofSy) {
      EXPECT_NE(tokenizer.CurrentSymbol(), UnknownTagSy) << page.filename() << ": " << tokenizer.TokenText();
      const TAttributeList& attributes = tokenizer.AttributeList();
      for (int i = 0; i < attributes.Count(); ++i)
        EXPECT_NE(attributes[i]->Code, UnknownAttrSy) << page.filename() << " near " << tokenizer.TokenText();
      if (tokenizer.CurrentSymbol() != TextSy) ++tags;
      tokenizer.Next();
    }
    tokenizer.Close();
    EXPECT_GT(tags, 10) << page.filename();
  }
}

// The page about fonts shows what it says: past the document's start a
// BASEFONT moves only the base of the relative sizes, not the text.
TEST(Samples, ThePageAboutFontsShowsWhatBaseFontDoes) {
  cl::testing::EnsureGuiTestApplication();
  TDocViewer viewer(nullptr);
  viewer.Parser = ParseDocument;
  viewer.LoadFromFile((samples / "pismo.htm").string());
  // The relative size of the run holding a text, 0 when no section holds it.
  auto sizeAt = [&viewer](const char* utf8) {
    const std::string text = win::Utf8ToCp1250(utf8).value();
    for (const auto& section : viewer.SectionList()) {
      const auto* words = dynamic_cast<const TSection*>(section.get());
      const size_t at = words != nullptr ? words->Buff.find(text) : std::string::npos;
      if (at == std::string::npos) continue;
      int32_t overhang = 0;
      return words->Fonts.GetFontAt(static_cast<int32_t>(at), overhang)->RelSize;
    }
    return 0;
  };
  const int32_t normal = sizeAt("Značka BASEFONT uprostřed dokumentu");
  ASSERT_GT(normal, 0);
  EXPECT_EQ(sizeAt("zůstává tento text běžný"), normal);
  EXPECT_GT(sizeAt("o jednu menší je teď velikost 4"), normal);
  EXPECT_GT(sizeAt("o jednu větší velikost 6"), sizeAt("o jednu menší je teď velikost 4"));
  const int32_t smallerAgain = sizeAt("o jednu menší je opět menší");
  EXPECT_GT(smallerAgain, 0);
  EXPECT_LT(smallerAgain, normal);
}

// The sample form shows real controls: typed text and ticks go back to the
// document's values with its Reset button.
TEST(Samples, TheSampleFormHasWorkingControls) {
  cl::testing::EnsureGuiTestApplication();
  cl::TForm window(nullptr);
  window.SetBounds(0, 0, 700, 1000);
  auto* viewer = cl::Make<TDocViewer>(window);
  viewer->SetParent(&window);
  viewer->SetBounds(0, 0, 700, 1000);
  viewer->Parser = ParseDocument;
  int submitted = 0;
  viewer->SetOnFormSubmit([&](cl::TObject*, const std::string&, const std::string&, const std::string&,
                              const std::string&, cl::TStringList&) { ++submitted; });
  window.Show();
  viewer->LoadFromFile((samples / "formular.htm").string());
  cl::testing::ProcessEvents();
  ASSERT_EQ(viewer->SectionList().Forms.size(), 1u);
  const auto& controls = viewer->SectionList().Forms[0]->Controls;
  // Every control but the hidden one has its window on the panel.
  EXPECT_EQ(viewer->PaintPanel().ControlCount(), static_cast<int>(controls.size()) - 1);
  auto find = [&](const std::string& name) -> TFormControlObj& {
    for (const auto& control : controls)
      if (control->ControlName == name) return *control;
    ADD_FAILURE() << name;
    return *controls[0];
  };
  auto& subject = dynamic_cast<TEditFormControlObj&>(find("vec"));
  auto& password = dynamic_cast<TEditFormControlObj&>(find("heslo"));
  auto& copy = dynamic_cast<TCheckBoxFormControlObj&>(find("kopie"));
  EXPECT_EQ(password.Edit().PasswordChar(), '*');
  cl::testing::PressKey(subject.Edit(), 'X', 0, 'X');
  cl::testing::Click(copy.Window(), 6, 6);
  EXPECT_EQ(subject.Edit().Text(), win::Utf8ToCp1250("Pozvánka na poraduX").value());
  EXPECT_TRUE(copy.CheckBox().Checked());
  TFormControlObj* reset = nullptr;
  for (const auto& control : controls)
    if (auto* button = dynamic_cast<TButtonFormControlObj*>(control.get()))
      if (button->ButtonKind == TButtonFormControlObj::Reset) reset = button;
  ASSERT_NE(reset, nullptr);
  cl::testing::Click(*reset->WinControl(), 5, 5);
  EXPECT_EQ(subject.Edit().Text(), win::Utf8ToCp1250("Pozvánka na poradu").value());
  EXPECT_FALSE(copy.CheckBox().Checked());
  cl::testing::ProcessEvents();
  EXPECT_EQ(submitted, 0);
}
