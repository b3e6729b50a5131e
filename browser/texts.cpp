#include "browser/texts.h"

#include <algorithm>
#include <string_view>

#include "platform/core/cp1250.h"
#include "platform/core/short_string.h"

namespace brw {

namespace {

struct Text {
  std::uint16_t Id;
  std::string_view Utf8;
};

// Written in UTF-8 here; every character has a code page 1250 byte (a test
// checks that), so nothing turns into "?" on the way.
constexpr Text texts[] = {
    {0, "&OK"},
    {1, "Storno"},
    {16, "Brannik HTML Browser verze 2.21"},
    {17, "Otevření souboru"},
    {18, "Znovunačtení souboru (reload)"},
    {19, "Zápis dokumentu do souboru"},
    {20, "Tisk souboru"},
    {21, "Označit celý text"},
    {22, "Zkopírovat označený text do schránky"},
    {23, "Hledat text"},
    {24, "Nastavit výchozí dokument (stránku)"},
    {25, "Na předchozí odstavec"},
    {26, "Na následující odstavec"},
    {27, "Změnit typ písma"},
    {28, "Zvětšení písma na nejbližší velikost."},
    {29, "Zmenšení písma na nejbližší velikost."},
    {30, "&Otevřít dokument"},
    {31, "Znovu &načíst dokument (reload)"},
    {32, "&Zapsat dokument do souboru"},
    {33, "&Tisk dokumentu"},
    {34, "Ozn&ačit celý text"},
    {35, "&Kopírovat text do schránky"},
    {36, "&Hledat"},
    {37, "&Výchozí dokument"},
    {38, "Z&pět"},
    {39, "Vpř&ed"},
    {40, "Z&měnit typ písma nebo barvu"},
    {41, "Zvětšit pí&smo"},
    {42, "Zme&nšit písmo"},
    {43, "Brannik(TM) HTML Browser %s"},
    {44, "HTML soubory|*.htm;*.html|soubory s obrázky|*.gif;*.jpg;*.jpeg;*.png;*.bmp|"
         "textové soubory|*.txt|všechny files|*.*"},
    {45, "HTML|*.htm|všechny soubory|*.*"},
    {46, "Další výskyt řetězce \"%s\" nebyl nalezen."},
    {47, "Chyba při zápisu HTML dokumentu na disk."},
    {48, "Definování typu písma"},
    {49, "&Písmo"},
    {50, "&Odkaz"},
    {51, "&Velikost"},
    {52, "&Písmo"},
    {53, "P&ozadí"},
    {54, "&Původní"},
    // The sample's heading was lost to two "?" before it reached this table
    // (characters that code page 1250 lacks); it is Czech like the rest.
    {55, "<center><h1>Nadpis</h1></center><ul>Normální text.<li><a href=NoWhere>Odkaz</a>"
         "<li><b>Tučný text</b><li><i>Kurzíva</i><li><code>Strojový</code></ul><hr>"},
};

}  // namespace

std::string TextByNumber(std::uint16_t id) {
  const auto found = std::find_if(std::begin(texts), std::end(texts), [id](const Text& t) { return t.Id == id; });
  if (found == std::end(texts)) return {};
  std::string text = win::Utf8ToCp1250(found->Utf8).value_or(std::string());
  if (text.size() > ShortString::MaxLength) text.resize(ShortString::MaxLength);
  return text;
}

}  // namespace brw
