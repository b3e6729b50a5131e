#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "browser/texts.h"
#include "platform/core/cp1250.h"

using brw::TextByNumber;

TEST(Texts, TextsComeByNumberInCodePage1250) {
  struct Case {
    std::uint16_t id;
    const char* utf8;
  } const cases[] = {
      {brw::txtOK, "&OK"},
      {brw::txtCancel, "Storno"},
      {brw::txtCaption, "Brannik HTML Browser verze 2.21"},
      {brw::txtFirstHint, "Otevření souboru"},
      {brw::txtFirstHint + 12, "Zmenšení písma na nejbližší velikost."},
      {brw::txtFirstMenuCaption, "&Otevřít dokument"},
      {brw::txtFirstMenuCaption + 9, "Vpř&ed"},
      {brw::txtFirstMenuCaption + 12, "Zme&nšit písmo"},
      {brw::txtSaveFilter, "HTML|*.htm|všechny soubory|*.*"},
      {brw::txtSaveFailed, "Chyba při zápisu HTML dokumentu na disk."},
      {brw::txtFontCaption, "Definování typu písma"},
      {brw::txtFontInkLabel, "&Písmo"},
      {brw::txtFontFaceLabel, "&Písmo"},
      {brw::txtFontBackgroundLabel, "P&ozadí"},
      {brw::txtFontReset, "&Původní"},
  };
  for (const auto& c : cases) EXPECT_EQ(win::Cp1250ToUtf8(TextByNumber(c.id)), c.utf8) << c.id;
  // One byte a Czech letter, as the viewer and the controls expect.
  EXPECT_EQ(TextByNumber(brw::txtFirstHint), "Otev\xF8" "en\xED souboru");
}

TEST(Texts, EveryUsedNumberHasAWholeTextAndOthersAreEmpty) {
  for (int id = 0; id <= 60; ++id) {
    const std::string text = TextByNumber(static_cast<std::uint16_t>(id));
    const bool used = id <= 1 || (id >= 16 && id <= 55);
    EXPECT_EQ(!text.empty(), used) << id;
    // A "?" is what a character that code page 1250 lacks turns into.
    EXPECT_EQ(text.find('?'), std::string::npos) << id;
    EXPECT_LE(text.size(), 255u) << id;
  }
  EXPECT_EQ(TextByNumber(65535), "");
  // The sample document must arrive whole: it is cut at 255 characters.
  const std::string sample = TextByNumber(brw::txtFontSample);
  EXPECT_TRUE(sample.ends_with("</ul><hr>")) << sample;
  EXPECT_TRUE(sample.starts_with("<center><h1>"));
}

TEST(Texts, FormatTextsTakeTheirArgument) {
  char text[256];
  std::snprintf(text, sizeof text, TextByNumber(brw::txtVersionItem).c_str(), "3.00.001");
  EXPECT_STREQ(text, "Brannik(TM) HTML Browser 3.00.001");
  std::snprintf(text, sizeof text, TextByNumber(brw::txtFindFailed).c_str(), "abc");
  EXPECT_EQ(win::Cp1250ToUtf8(text), "Další výskyt řetězce \"abc\" nebyl nalezen.");
}

TEST(Texts, TheOpenFilterListsItsFourKinds) {
  const std::string filter = win::Cp1250ToUtf8(TextByNumber(brw::txtOpenFilter));
  EXPECT_EQ(filter,
            "HTML soubory|*.htm;*.html|soubory s obrázky|*.gif;*.jpg;*.jpeg;*.png;*.bmp|"
            "textové soubory|*.txt|všechny files|*.*");
}
