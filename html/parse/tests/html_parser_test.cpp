#include "html/parse/html_parser.h"

#include <gtest/gtest.h>


#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>

#include "html/document/block_sections.h"
#include "html/parse/document_parser.h"
#include "html/forms/form_control_builder.h"
#include "html/forms/edit_control_obj.h"
#include "html/forms/list_controls.h"
#include "html/document/list_items.h"
#include "html/document/preformated.h"
#include "html/document/preformated_lines.h"
#include "html/document/table.h"
#include "html/testing/document_dump.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/memory_stream.h"
#include "platform/core/mul_div.h"
#include "platform/core/test_support/temp_directory.h"

namespace html {

namespace {


std::string Visible(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == TSection::ImageMark)
      out += "[img]";
    else if (c == TSection::ControlMark)
      out += "[ctl]";
    else
      out += c;
  }
  return out;
}

// One line per section: kind, then for text sections level/justify, list
// marker and text. Empty plain text sections are left out: the parser makes
// many and they take no room.
std::string Structure(const TCell& cell) {
  std::ostringstream out;
  for (const auto& s : cell) {
    const auto* text = dynamic_cast<const TSection*>(s.get());
    if (text && SectionKind(*s) == "TSection" && text->Buff.empty() && text->Images.Count() == 0) continue;
    out << SectionKind(*s);
    if (text) {
      out << " " << text->ListLevel << "/" << int(text->Justify);
      if (text->ListType == ListKind::Numbered) out << " #" << text->ListNumb << text->NumberStyle();
      if (text->ListType == ListKind::Bulleted && text->NoBullet()) out << " nobullet";
      out << " \"" << Visible(text->Buff) << "\"";
    }
    out << "\n";
  }
  return out.str();
}

// The lines of plain text of a document, in order.
std::vector<std::string> PlainLines(const TCell& cell) {
  std::vector<std::string> lines;
  for (const auto& s : cell)
    if (const auto* text = dynamic_cast<const TPreFormatedLines*>(s.get()))
      for (int i = 0; i < text->LineCount(); ++i) lines.emplace_back(text->Line(i));
  return lines;
}

// The runs of a text section: "start:relsize[b][i][u][s][pre][sub|sup][link]".
std::string Runs(const TSection& section) {
  std::ostringstream out;
  for (const auto& run : section.Fonts) {
    const TMyFont& f = *run->RunFont;
    out << (out.tellp() > 0 ? " " : "") << run->StartPos << ":" << f.RelSize;
    if (f.Style() & cl::fsBold) out << "b";
    if (f.Style() & cl::fsItalic) out << "i";
    if (f.Style() & cl::fsUnderline) out << "u";
    if (f.Style() & cl::fsStrikeOut) out << "s";
    if (f.UsesPreFont) out << "pre";
    if (run->ScriptMode == 1) out << "sub";
    if (run->ScriptMode == 2) out << "sup";
    if (!run->Link->Url.empty()) out << "[" << run->Link->Url << "]";
  }
  return out.str();
}

class HtmlParserTest : public ::testing::Test {
 protected:
  void Parse(const std::string& html) {
    HtmlParseBuffer(f.root, names, html.data(), static_cast<int32_t>(html.size()), options, result);
  }
  std::string Structure() const { return html::Structure(f.root); }
  // The text sections holding text, in document order.
  std::vector<const TSection*> Texts() const {
    std::vector<const TSection*> out;
    for (const auto& s : f.root)
      if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) out.push_back(t);
    return out;
  }
  const TSection& TextWith(std::string_view text) const {
    for (const TSection* t : Texts())
      if (t->Buff.find(text) != std::string::npos) return *t;
    ADD_FAILURE() << "no section holds " << text << "\n" << Structure();
    static const TSection none(0, Justification::Left, nullptr, TMyFont());
    return none;
  }

  LayoutFixture f;
  cl::TStringList names;
  THtmlParseOptions options;
  THtmlParseResult result;
};

TEST_F(HtmlParserTest, ParagraphAlignmentAppliesToItsSectionOnly) {
  Parse("<P ALIGN=center>a<P>b<P ALIGN=right><P>c");
  EXPECT_EQ(TextWith("a").Justify, Justification::Center);
  EXPECT_EQ(TextWith("b").Justify, Justification::Left);
  // Of two P in a row the last one's alignment counts.
  EXPECT_EQ(TextWith("c").Justify, Justification::Left);
}

TEST_F(HtmlParserTest, TextIsJoinedAndWhiteSpaceFolded) {
  Parse("Hello   <B>bold</B>\n  world&amp;co");
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0]->Buff, "Hello bold world&co");
  EXPECT_EQ(Runs(*Texts()[0]), "0:12 6:12b 10:12");
}

TEST_F(HtmlParserTest, StylesAndScriptsMakeRuns) {
  Parse("a<I>b<U>c</U></I><S>d</S><STRIKE>e</STRIKE><SUB>f</SUB><SUP>g</SUP>h<STRONG><EM>i</EM></STRONG>");
  EXPECT_EQ(Runs(*Texts()[0]), "0:12 1:12i 2:12iu 3:12s 4:12s 5:9sub 6:9sup 7:12 8:12bi 9:12");
}

TEST_F(HtmlParserTest, BodyAttributesSetTheDocumentColoursAndDropEarlierText) {
  Parse("<TITLE>My &amp; page</TITLE>before<BODY TEXT=red LINK=#00FF00 BGCOLOR=navy BACKGROUND=bg.gif BGCOLOR=x>"
        "after<P><BODY TEXT=blue>more");
  EXPECT_EQ(result.TitleText, "My & page");
  EXPECT_EQ(f.root.DefaultTextColor, 0x0000FFu | cl::PaletteRelative);
  EXPECT_EQ(f.root.DefaultLinkColor, 0x00FF00u | cl::PaletteRelative);
  EXPECT_EQ(f.root.BackgroundColor, 0x800000u | cl::PaletteRelative);
  EXPECT_EQ(f.root.BgImageName, "bg.gif");
  ASSERT_EQ(Texts().size(), 2u);
  // The second BODY comes after a finished section: ignored.
  EXPECT_EQ(Texts()[0]->Buff, "after");
  EXPECT_EQ(Texts()[1]->Buff, "more");
  EXPECT_EQ(Texts()[0]->Fonts[0]->RunFont->Color(), 0x0000FFu | cl::PaletteRelative);
}

TEST_F(HtmlParserTest, AnAnchorBeforeBodyStillNamesALiveSection) {
  Parse("<A NAME=top>x</A><BODY>y");
  ASSERT_EQ(names.Count(), 1);
  EXPECT_EQ(names[0], "TOP");
  const auto* named = static_cast<const TSection*>(static_cast<const TSectionBase*>(names.Objects(0)));
  bool found = false;
  for (const auto& s : f.root) found = found || s.get() == named;
  EXPECT_TRUE(found);
  EXPECT_EQ(named->Buff, "y");

  // In a cell only the names of the dropped text move; earlier ones stay.
  LayoutFixture g;
  cl::TStringList cellNames;
  const std::string html = "<A NAME=a>x<TABLE><TD><A NAME=b>p<A NAME=c>q<BODY>r</TABLE>";
  HtmlParseBuffer(g.root, cellNames, html.data(), static_cast<int32_t>(html.size()), options, result);
  ASSERT_EQ(cellNames.Count(), 3);
  const std::string expected[] = {"x", "r", "r"};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(static_cast<const TSection*>(static_cast<const TSectionBase*>(cellNames.Objects(i)))->Buff,
              expected[i])
        << i;
}

TEST_F(HtmlParserTest, AControlBeforeBodyKeepsItsSection) {
  Parse("<INPUT NAME=q>x<BODY>y");
  ASSERT_EQ(f.root.Forms.size(), 1u);
  ASSERT_EQ(f.root.Forms[0]->Controls.size(), 1u);
  EXPECT_EQ(Structure(), "TSection 0/1 \"[ctl]x\"\nTSection 0/1 \"y\"\n");
}

TEST_F(HtmlParserTest, TextAfterBodyEndIsIgnored) {
  Parse("<BODY>a</BODY>b<P>c");
  EXPECT_EQ(Structure(), "TSection 0/1 \"a\"\n");
}

TEST_F(HtmlParserTest, BaseAndHandlersSeeTheirAttributes) {
  std::string meta, sound, script;
  options.OnMeta = [&](cl::TObject*, const std::string& e, const std::string& n, const std::string& c) {
    meta += e + "|" + n + "|" + c + ";";
  };
  options.OnSound = [&](cl::TObject*, const std::string& src, int32_t loop, bool terminate) {
    sound += src + "/" + std::to_string(loop) + (terminate ? "t" : "") + ";";
  };
  options.OnScript = [&](cl::TObject*, const std::string& language, const std::string& text) {
    script += language + ":" + text + ";";
  };
  Parse("<BASE HREF=\"http://x/\" TARGET=main><META HTTP-EQUIV=refresh CONTENT=5><META NAME=a>"
        "<BGSOUND SRC=a.wav LOOP=3><BGSOUND SRC=b.wav><BGSOUND>"
        "<SCRIPT LANGUAGE=js>if (a<b)\nx();</SCRIPT>after");
  EXPECT_EQ(result.BaseHref, "http://x/");
  EXPECT_EQ(result.BaseTarget, "main");
  EXPECT_EQ(meta, "refresh||5;|a|;");
  EXPECT_EQ(sound, "a.wav/3;b.wav/1;");
  EXPECT_EQ(script, "js:if (a<b)\r\nx();;");
  EXPECT_EQ(Texts()[0]->Buff, "after");
}

TEST_F(HtmlParserTest, ScriptsWithoutHandlerAreSkipped) {
  Parse("a<SCRIPT>document.write('<B>x</B>');</SCRIPT>b");
  EXPECT_EQ(Texts()[0]->Buff, "ab");
  EXPECT_EQ(Runs(*Texts()[0]), "0:12");
}

TEST_F(HtmlParserTest, FontSizesAreRelativeToTheBaseFont) {
  struct Case {
    const char* html;
    int32_t relSize;
  } const cases[] = {
      {"<FONT SIZE=+2>x", 18}, {"<FONT SIZE=9>x", 36},        {"<FONT SIZE=-5>x", 8},  {"<FONT SIZE=2>x", 10},
      {"<FONT SIZE=-1>x", 10}, {"<BASEFONT SIZE=5><FONT SIZE=+1>x", 24}, {"<BIG>x", 14},
      {"<SMALL>x", 10},        {"<BIG><BIG><BIG><BIG><BIG>x", 36},      {"<SMALL><SMALL><SMALL>x", 8},
      // A relative size at the edge of the number range still counts from the base.
      {"<FONT SIZE=+2147483647>x", 36}, {"<FONT SIZE=-2147483648>x", 8},
  };
  for (const Case& c : cases) {
    LayoutFixture fresh;
    cl::TStringList n;
    const std::string html = c.html;
    HtmlParseBuffer(fresh.root, n, html.data(), static_cast<int32_t>(html.size()), options, result);
    const auto* text = dynamic_cast<const TSection*>(fresh.root[fresh.root.Count() - 1]);
    ASSERT_NE(text, nullptr) << c.html;
    EXPECT_EQ(text->Fonts[text->Fonts.Count() - 1]->RunFont->RelSize, c.relSize) << c.html;
  }
}

TEST_F(HtmlParserTest, FontFaceAndColour) {
  Parse("<FONT FACE=\" Arial , Helvetica\" COLOR=#FF0000>a</FONT>b<FONT>c</FONT>d");
  const TSection& s = *Texts()[0];
  EXPECT_EQ(s.Fonts[0]->RunFont->Name(), "Arial");
  EXPECT_EQ(s.Fonts[0]->RunFont->Color(), 0x0000FFu | cl::PaletteRelative);
  EXPECT_EQ(s.Fonts[1]->RunFont->Name(), f.root.DefaultFontName);
  // <FONT> without attributes pushes a font its end tag pops: d stays plain.
  EXPECT_EQ(s.Fonts[s.Fonts.Count() - 1]->RunFont->Name(), f.root.DefaultFontName);
  EXPECT_EQ(Visible(s.Buff), "abcd");
}

TEST_F(HtmlParserTest, BaseFontAfterTheFirstSectionOnlyMovesTheBase) {
  Parse("a<P><BASEFONT SIZE=5>b<FONT SIZE=+1>c");
  EXPECT_EQ(TextWith("b").Fonts[0]->RunFont->RelSize, 12);
  const TSection& c = TextWith("c");
  EXPECT_EQ(c.Fonts[c.Fonts.Count() - 1]->RunFont->RelSize, 24);
}

TEST_F(HtmlParserTest, EndTagsPopOnlyWhatTheirStartTagPushed) {
  struct Case {
    std::string html;
    const char* runs;  // of the section holding "z"
  } cases[] = {
      // 30 FONTs: the ones that found the stack full pushed nothing, and
      // their end tags leave the red FONT alone.
      {"", ""},
      // SMALL at the smallest size pushes nothing; its end tag keeps SIZE=1.
      {"<FONT SIZE=1><SMALL>x</SMALL>z", "0:8"},
      // A BIG at the largest size pushed nothing either.
      {"<FONT SIZE=7><BIG>x</BIG>z", "0:36"},
      // A stray end tag of another kind pops nothing.
      {"<FONT SIZE=5>x</TT></BIG></H1>z", "0:18"},
      // Crossed tags: each end tag removes its own font.
      {"<FONT SIZE=5><TT>x</FONT>y</TT>z", "0:10pre 2:12"},
  };
  // Fill case 0: 24 more FONTs fill the stack, 6 find it full, then 30 ends.
  cases[0].html = "<FONT COLOR=red SIZE=7>";
  for (int i = 0; i < 30; ++i) cases[0].html += "<FONT SIZE=2>";
  cases[0].html += "x";
  for (int i = 0; i < 30; ++i) cases[0].html += "</FONT>";
  cases[0].html += "z";
  cases[0].runs = "0:10 1:36";
  for (const Case& c : cases) {
    LayoutFixture fresh;
    cl::TStringList n;
    HtmlParseBuffer(fresh.root, n, c.html.data(), static_cast<int32_t>(c.html.size()), options, result);
    const auto* text = dynamic_cast<const TSection*>(fresh.root[fresh.root.Count() - 1]);
    ASSERT_NE(text, nullptr) << c.html;
    EXPECT_EQ(Runs(*text), c.runs) << c.html;
  }
}

TEST_F(HtmlParserTest, TheRedFontSurvivesExcessFontEnds) {
  std::string html = "<FONT COLOR=red>";
  for (int i = 0; i < 30; ++i) html += "<FONT>";
  for (int i = 0; i < 30; ++i) html += "</FONT>";
  html += "z";
  Parse(html);
  const TSection& s = TextWith("z");
  EXPECT_EQ(s.Fonts[s.Fonts.Count() - 1]->RunFont->Color(), 0x0000FFu | cl::PaletteRelative);
}

TEST_F(HtmlParserTest, LinksUnderlineAndCarryTheirTarget) {
  Parse("a<A HREF=x.htm TARGET=f>b</A>c<A NAME=n1>d<A HREF=y.htm>e<A HREF=z.htm>g</A>");
  const TSection& s = *Texts()[0];
  EXPECT_EQ(Runs(s), "0:12 1:12u[x.htm] 2:12 4:12u[y.htm] 5:12u[z.htm] 6:12");
  EXPECT_EQ(s.Fonts[1]->Link->Target, "f");
  EXPECT_EQ(s.Fonts[1]->RunFont->Color(), f.root.DefaultLinkColor | cl::PaletteRelative);
  ASSERT_EQ(names.Count(), 1);
  EXPECT_EQ(names[0], "N1");
  EXPECT_EQ(names.Objects(0), static_cast<const cl::TObject*>(&s));
}

TEST_F(HtmlParserTest, BreaksKeepAlignmentAndEmptyLines) {
  Parse("<DIV ALIGN=right>a<BR><BR CLEAR=all>b</DIV>c");
  EXPECT_EQ(Structure(), "TSection 0/3 \"a\"\nTSection 0/3 \" \"\nTSection 0/3 \"b\"\nTSection 0/1 \"c\"\n");
  EXPECT_EQ(TextWith("b").ClearMode, ClearSide::All);
}

TEST_F(HtmlParserTest, CenterNestsAndRestoresAlignment) {
  Parse("<CENTER>a<DIV ALIGN=left>b</DIV>c</CENTER>d");
  EXPECT_EQ(Structure(), "TSection 0/2 \"a\"\nTSection 0/1 \"b\"\nTSection 0/2 \"c\"\nTSection 0/1 \"d\"\n");
}

TEST_F(HtmlParserTest, SelectReadsItsOptionsWithoutCuttingThem) {
  const std::string longText(120, 'x');
  const std::string longValue(100, 'v');
  Parse("<FORM ACTION=go METHOD=post><SELECT NAME=s>skipped<OPTION VALUE=1>One <OPTION SELECTED>Two"
        "<OPTION></OPTION><OPTION VALUE=" + longValue + ">" + longText + "</SELECT>after");
  ASSERT_EQ(f.root.Forms.size(), 1u);
  EXPECT_EQ(f.root.Forms[0]->Action, "go");
  EXPECT_EQ(f.root.Forms[0]->Method, "post");
  ASSERT_EQ(f.root.Forms[0]->Controls.size(), 1u);
  const auto& control = dynamic_cast<const TComboFormControlObj&>(*f.root.Forms[0]->Controls[0]);
  EXPECT_EQ(control.ControlName, "s");
  ASSERT_EQ(control.Options.size(), 3u);
  EXPECT_EQ(control.Options[0].Text, "One");
  EXPECT_EQ(control.Options[0].Option.OptionValue, "1");
  EXPECT_FALSE(control.Options[0].Option.Selected);
  EXPECT_EQ(control.Options[1].Text, "Two");
  EXPECT_EQ(control.Options[1].Option.OptionValue, "");
  EXPECT_TRUE(control.Options[1].Option.Selected);
  EXPECT_EQ(control.Options[2].Text, longText);
  EXPECT_EQ(control.Options[2].Option.OptionValue, longValue);
  // Filled from the options once they are read: the selected one is current.
  EXPECT_EQ(control.Combo().Items().Count(), 3);
  EXPECT_EQ(control.Combo().ItemIndex(), 1);
  EXPECT_EQ(Visible(Texts()[0]->Buff), "[ctl]after");
}

TEST_F(HtmlParserTest, TextAreaKeepsItsLinesAsWritten) {
  Parse("<TEXTAREA NAME=t>line <B>one</B>\n&lt;two\n\nlast</textarea >after");
  ASSERT_EQ(f.root.Forms.size(), 1u);  // a control without a form opens one
  const auto& control = dynamic_cast<const TTextAreaFormControlObj&>(*f.root.Forms[0]->Controls[0]);
  EXPECT_EQ(control.InitialLines, (std::vector<std::string>{"line <B>one</B>", "<two", "", "last"}));
  EXPECT_EQ(control.Memo().Lines(), control.InitialLines);
  EXPECT_EQ(Visible(Texts()[0]->Buff), "[ctl]after");
}

TEST_F(HtmlParserTest, FormsGroupTheirControls) {
  Parse("<INPUT NAME=a><FORM ACTION=x><INPUT TYPE=hidden NAME=b><INPUT NAME=c></FORM><INPUT NAME=d>");
  ASSERT_EQ(f.root.Forms.size(), 3u);
  EXPECT_EQ(f.root.Forms[0]->Controls.size(), 1u);
  EXPECT_EQ(f.root.Forms[1]->Controls.size(), 2u);
  EXPECT_EQ(f.root.Forms[1]->VisibleCount, 1);
  EXPECT_EQ(f.root.Forms[2]->Controls[0]->ControlName, "d");
}

TEST_F(HtmlParserTest, InputsStandInTheTextByTheirKind) {
  struct Case {
    std::string html;
    std::string text;
    bool image;  // the control is carried by an image
  };
  const Case cases[] = {
      {"a<INPUT TYPE=hidden NAME=h VALUE=1>b", "ab", false},
      {"a<INPUT TYPE=HIDDEN NAME=h>b", "ab", false},
      {"a<INPUT TYPE=image SRC=map.gif NAME=m>b", "a[img]b", true},
      {"a<INPUT TYPE=Image SRC=map.gif>b", "a[img]b", true},
      {"a<INPUT TYPE=text>b", "a[ctl]b", false},
      {"a<INPUT TYPE=frob>b", "a[ctl]b", false},
  };
  for (const Case& c : cases) {
    LayoutFixture doc;
    HtmlParseBuffer(doc.root, names, c.html.data(), static_cast<int32_t>(c.html.size()), options, result);
    ASSERT_EQ(doc.root.Forms.size(), 1u) << c.html;
    ASSERT_EQ(doc.root.Forms[0]->Controls.size(), 1u) << c.html;
    const TSection& s = dynamic_cast<const TSection&>(*doc.root[0]);
    EXPECT_EQ(Visible(s.Buff), c.text) << c.html;
    EXPECT_EQ(s.FormControls.Count(), c.text.find("[ctl]") != std::string::npos ? 1 : 0) << c.html;
    EXPECT_EQ(doc.root.AllControls->Count(), 1) << c.html;
    if (c.image) {
      ASSERT_EQ(s.Images.Count(), 1) << c.html;
      EXPECT_EQ(s.Images[0]->ImageFormControl, doc.root.Forms[0]->Controls[0].get()) << c.html;
    }
  }
}

TEST_F(HtmlParserTest, AFormKeepsFourCharactersOfItsMethod) {
  Parse("<FORM METHOD=postal TARGET=right ACTION=a.cgi ENCTYPE=text/plain><INPUT></FORM><INPUT>");
  ASSERT_EQ(f.root.Forms.size(), 2u);
  EXPECT_EQ(f.root.Forms[0]->Method, "post");
  EXPECT_EQ(f.root.Forms[0]->Target, "right");
  EXPECT_EQ(f.root.Forms[0]->EncType, "text/plain");
  EXPECT_EQ(f.root.Forms[1]->Method, "Get");
}

TEST_F(HtmlParserTest, ABuilderMakesTheControls) {
  struct Builder : TFormControlBuilder {
    std::string log;
    std::unique_ptr<TFormControlObj> Create(HtmlSymbol code, TSectionList& document, TCell* cell,
                                            const TAttributeList& attributes) override {
      log += "create" + std::to_string(code) + ";";
      return TFormControlBuilder::Create(code, document, cell, attributes);
    }
    void AddOption(TFormControlObj& control, TSelectOption option) override {
      log += "option " + option.Text + ";";
      TFormControlBuilder::AddOption(control, std::move(option));
    }
  } builder;
  options.Controls = &builder;
  Parse("<SELECT><OPTION>a<OPTION>b</SELECT>");
  EXPECT_EQ(builder.log, "create110;option a;option b;");
}

TEST_F(HtmlParserTest, MapsJoinTheDocumentAtTheirEnd) {
  Parse("<MAP NAME=nav><AREA HREF=a.htm COORDS=\"0,0,9,9\">text<B>x</B><AREA NOHREF SHAPE=circ COORDS=5,5,3></MAP>"
        "after<MAP NAME=open><AREA HREF=b COORDS=1,1,2,2>");
  ASSERT_EQ(f.root.ImageMaps.size(), 1u);
  EXPECT_EQ(f.root.ImageMaps[0]->MapId, "NAV");
  EXPECT_EQ(f.root.ImageMaps[0]->RegionUrls.Count(), 2);
  EXPECT_EQ(Texts()[0]->Buff, "after");
}

TEST_F(HtmlParserTest, ImagesStandInTheText) {
  Parse("a<IMG SRC=x.gif WIDTH=2000000000 HEIGHT=-5>b");
  const TSection& s = *Texts()[0];
  EXPECT_EQ(Visible(s.Buff), "a[img]b");
  ASSERT_EQ(s.Images.Count(), 1);
}

TEST_F(HtmlParserTest, UnknownAndMisplacedTagsAreIgnored) {
  Parse("<HTML><HEAD></HEAD><LI>a<DD>b<OPTION>c<BLINK>d</BLINK></HTML>");
  EXPECT_EQ(Structure(), "TSection 0/1 \"abcd\"\n");
}

TEST_F(HtmlParserTest, AnUnclosedCommentEndsEveryEntryPointQuietlyAndKeepsTheTextBeforeIt) {
  struct Case {
    std::string html;
    std::string structure;
  };
  const std::string long150(150, 'l');
  const Case cases[] = {
      {"<B>bold</B> tail words<!-- unclosed", "TSection 0/1 \"bold tail words\"\n"},
      {"a " + long150 + "<!DOCTYPE", "TSection 0/1 \"a " + long150 + "\"\n"},
      {"<PRE>pre  " + long150 + "<!-- x", "TPreFormated 0/1 \"pre  " + long150 + "\"\n"},
      {"<TABLE><TR><TD>cell text<!-- x", "ThtmlTable\n"},
  };
  auto parse = [&](const std::string& html, int entry, LayoutFixture& into) {
    if (entry == 0) HtmlParseBuffer(into.root, names, html.data(), static_cast<int32_t>(html.size()), options, result);
    if (entry == 1) {
      cl::TStringList lines;
      lines.SetText(html);
      HtmlParseStrings(into.root, names, lines, options, result);
    }
    if (entry == 2) {
      cl::TMemoryStream stream;
      stream.Write(html.data(), static_cast<int32_t>(html.size()));
      HtmlParseStream(into.root, names, stream, options, result);
    }
    if (entry == 3) {
      const cl::testing::TempDirectory temp;
      HtmlParseFile(into.root, names, temp.Write("comment.htm", html), options, result);
    }
  };
  for (const auto& c : cases)
    for (int entry = 0; entry < 4; ++entry) {
      LayoutFixture doc;
      parse(c.html, entry, doc);
      EXPECT_EQ(html::Structure(doc.root), c.structure) << c.html << " entry " << entry;
      if (c.structure == "ThtmlTable\n") {
        const auto& table = dynamic_cast<const ThtmlTable&>(*doc.root[doc.root.Count() - 1]);
        ASSERT_EQ(table.Rows.size(), 1u);
        EXPECT_EQ(html::Structure(*table.Rows[0]->Cells[0]->Cell), "TSection 0/1 \"cell text\"\n") << entry;
      }
    }
  // Readers that gather text over several tokens keep theirs too.
  Parse("<SELECT><OPTION>first<OPTION>second<!-- x");
  const auto& select = dynamic_cast<const TComboFormControlObj&>(*f.root.Forms[0]->Controls[0]);
  ASSERT_EQ(select.Options.size(), 2u);
  EXPECT_EQ(select.Options[1].Text, "second");
  LayoutFixture area;
  const std::string textArea = "<TEXTAREA>one\ntwo<!-- x";
  HtmlParseBuffer(area.root, names, textArea.data(), static_cast<int32_t>(textArea.size()), options, result);
  const auto& lines = dynamic_cast<const TTextAreaFormControlObj&>(*area.root.Forms[0]->Controls[0]);
  EXPECT_EQ(lines.InitialLines, (std::vector<std::string>{"one", "two"}));
  LayoutFixture title;
  const std::string titled = "<TITLE>The title<!-- x";
  HtmlParseBuffer(title.root, names, titled.data(), static_cast<int32_t>(titled.size()), options, result);
  EXPECT_EQ(result.TitleText, "The title");
}

TEST_F(HtmlParserTest, AMissingFileFailsAfterTheCleanup) {
  EXPECT_THROW(HtmlParseFile(f.root, names, "/nonexistent/x.htm", options, result), cl::Exception);
  EXPECT_THROW(TextParseFile(f.root, names, "/nonexistent/x.txt"), cl::Exception);
  // The failed parse released the parser: the next one runs.
  Parse("ok");
  EXPECT_EQ(Texts()[0]->Buff, "ok");
}

TEST_F(HtmlParserTest, AParseFromAHandlerIsRefusedAndTheOuterGoesOn) {
  std::string inner;
  options.OnMeta = [&](cl::TObject*, const std::string&, const std::string&, const std::string&) {
    LayoutFixture other;
    cl::TStringList n;
    THtmlParseResult r;
    const std::string text = "<B>inner</B>";
    try {
      HtmlParseBuffer(other.root, n, text.data(), static_cast<int32_t>(text.size()), THtmlParseOptions(), r);
      inner = "ran";
    } catch (const EParserBusy&) {
      inner = "refused";
    }
  };
  Parse("<TITLE>outer</TITLE><META NAME=x>a<B>b</B>");
  EXPECT_EQ(inner, "refused");
  EXPECT_EQ(result.TitleText, "outer");
  EXPECT_EQ(Runs(*Texts()[0]), "0:12 1:12b 2:12");
}

TEST_F(HtmlParserTest, AnExceptionFromAHandlerKeepsWhatWasBuilt) {
  options.OnMeta = [](cl::TObject*, const std::string&, const std::string&, const std::string&) {
    throw cl::Exception("handler failed");
  };
  EXPECT_THROW(Parse("<A NAME=a>first<P>second<META NAME=x>never"), cl::Exception);
  EXPECT_EQ(TextWith("first").Buff, "first");
  EXPECT_EQ(TextWith("second").Buff, "second");
  EXPECT_EQ(names.Count(), 1);
}

TEST_F(HtmlParserTest, HundredThousandNestedDivsParseWithinTheNestingLimit) {
  std::string html;
  html.reserve(1500000);
  for (int i = 0; i < 100000; ++i) html += "<DIV ALIGN=center>";
  html += "deep";
  for (int i = 0; i < 100000; ++i) html += "</DIV>";
  html += "after";
  Parse(html);
  EXPECT_EQ(TextWith("deep").Justify, Justification::Center);
  EXPECT_EQ(TextWith("after").Justify, Justification::Left);
  EXPECT_EQ(f.Layout(400) > 0, true);
}

TEST_F(HtmlParserTest, PlainTextIsTakenAsItStands) {
  cl::TStringList lines;
  lines.SetText("a <B>b</B> &amp; <!-- c\n<!DOCTYPE x> d\n\n\tend <!-- open");
  TextParseStrings(f.root, names, lines);
  const std::vector<std::string> texts = PlainLines(f.root);
  // An empty line holds one space, as an empty preformatted line does; so
  // does the line after the last line end.
  EXPECT_EQ(texts, (std::vector<std::string>{"a <B>b</B> &amp; <!-- c", "<!DOCTYPE x> d", " ",
                                              "        end <!-- open", " "}));
  const auto* first = dynamic_cast<const TSection*>(f.root[1]);
  EXPECT_TRUE(first->Fonts[0]->RunFont->UsesPreFont);
  EXPECT_EQ(first->Fonts[0]->RunFont->RelSize, 10);
}

TEST_F(HtmlParserTest, PlainTextFileAndLongLines) {
  const cl::testing::TempDirectory temp;
  TextParseFile(f.root, names, temp.Write("plain.txt", std::string(500, 'q') + "\r\nnext"));
  EXPECT_EQ(PlainLines(f.root), (std::vector<std::string>{std::string(500, 'q'), "next"}));
}

}  // namespace

namespace {

TEST_F(HtmlParserTest, TwoParagraphTagsGiveOneSpace) {
  Parse("a<P><P></P>b<P>c");
  EXPECT_EQ(Structure(), "TSection 0/1 \"a\"\nTParagraphSpace\nTSection 0/1 \"b\"\nTParagraphSpace\n"
                         "TSection 0/1 \"c\"\n");
}

TEST_F(HtmlParserTest, HeadingsGetSpacesAndTheirFont) {
  Parse("<H2 ALIGN=center>Title</H2>text<H7>plain</H>");
  EXPECT_EQ(Structure(), "THeadingSpace\nTSection 0/2 \"Title\"\nTHeadingSpace\nTSection 0/1 \"text\"\n"
                         "THeadingSpace\nTSection 0/1 \"plain\"\nTHeadingSpace\n");
  EXPECT_EQ(Runs(TextWith("Title")), "0:18b");
  EXPECT_EQ(Runs(TextWith("text")), "0:12");
  EXPECT_EQ(Runs(TextWith("plain")), "0:12");
  const THeadingSpace* first = nullptr;
  for (int i = 0; i < f.root.Count() && !first; ++i) first = dynamic_cast<const THeadingSpace*>(f.root[i]);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Level, 2);
}

TEST_F(HtmlParserTest, AnyListEndClosesTheInnermostList) {
  Parse("<UL><LI>a<OL><LI>b</UL>c</UL>d");
  EXPECT_EQ(Structure(), "TUListItem 1/1 \"a\"\nTOListItem 2/1 #11 \"b\"\nTSection 1/1 \"c\"\n"
                         "TSection 0/1 \"d\"\n");
}

TEST_F(HtmlParserTest, OrderedListsTakeStartAndType) {
  struct Case {
    const char* html;
    const char* items;
  } const cases[] = {
      {"<OL START=5 TYPE=i><LI>a<LI>b</OL>", "TOListItem 1/1 #5i \"a\"\nTOListItem 1/1 #6i \"b\"\n"},
      {"<OL START=-1><LI>a</OL>", "TOListItem 1/1 #11 \"a\"\n"},
      {"<OL START=x TYPE=A><LI>a</OL>", "TOListItem 1/1 #1A \"a\"\n"},
      {"<OL START=0><LI><P>a</OL>", "TOListItem 1/1 #01 \"a\"\n"},
      // The numbering stops at the largest number instead of wrapping round.
      {"<OL START=2147483647><LI>a<LI>b</OL>", "TOListItem 1/1 #21474836471 \"a\"\nTOListItem 1/1 #21474836471 \"b\"\n"},
      {"<UL PLAIN><LI>a</UL><MENU><LI>b</MENU>", "TUListItem 1/1 nobullet \"a\"\nTUListItem 1/1 \"b\"\n"},
      {"<DL><DT>term<DD>text</DL>", "TDListItem 0/1 \"term\"\nTDListItem 1/1 \"text\"\n"},
      {"<BLOCKQUOTE>q<BLOCKQUOTE>r</BLOCKQUOTE></BLOCKQUOTE>", "TSection 1/1 \"q\"\nTSection 2/1 \"r\"\n"},
  };
  for (const Case& c : cases) {
    LayoutFixture fresh;
    cl::TStringList n;
    const std::string html = c.html;
    HtmlParseBuffer(fresh.root, n, html.data(), static_cast<int32_t>(html.size()), options, result);
    EXPECT_EQ(html::Structure(fresh.root), c.items) << c.html;
  }
}

TEST_F(HtmlParserTest, ListItemsTakeTheStylesInForce) {
  Parse("<B><UL><LI>a</UL>");
  EXPECT_EQ(Runs(TextWith("a")), "0:12b");
}

TEST_F(HtmlParserTest, CenterInAListKeepsTheFollowingItems) {
  Parse("<UL><LI>a<CENTER>b</CENTER><LI>c</UL>");
  EXPECT_EQ(Structure(), "TUListItem 1/1 \"a\"\nTSection 1/2 \"b\"\nTUListItem 1/1 \"c\"\n");
}

TEST_F(HtmlParserTest, RulesAndPages) {
  Parse("a<HR SIZE=4 WIDTH=2000000000 ALIGN=left>b<PAGE>c");
  EXPECT_EQ(Structure(), "TSection 0/1 \"a\"\nTHorzLine\nTSection 0/1 \"b\"\nTPage\nTSection 0/1 \"c\"\n");
  const auto& rule = dynamic_cast<const THorzLine&>(*f.root[1]);
  EXPECT_EQ(rule.RuleSize, 4);
  EXPECT_EQ(rule.RuleWidth, 32000);
  EXPECT_EQ(rule.RuleAlign, 1);
}

TEST_F(HtmlParserTest, PreKeepsItsTextAndIgnoresBlockTags) {
  Parse("<PRE>a<TABLE>b  &lt; x < y <B>c</B>\n<H1>d<BR>\ne</PRE>f");
  EXPECT_EQ(Structure(), "TPreFormated 0/1 \"ab  < x < y c\"\nTPreFormated 0/1 \"d\"\nTPreFormated 0/1 \"e\"\n"
                         "TSection 0/1 \"f\"\n");
  EXPECT_EQ(Runs(TextWith("ab")), "0:10pre 12:10bpre 13:10pre");
  EXPECT_EQ(Runs(TextWith("f")), "0:12");
}

TEST_F(HtmlParserTest, TabsInPreformattedTextRunToTheNextMultipleOfEight) {
  struct Case {
    const char* text;  // one line
    const char* expected;
  };
  const Case cases[] = {
      {"\tx", "        x"},
      {"a\tb", "a       b"},
      {"1234567\tx", "1234567 x"},
      {"12345678\tx", "12345678        x"},
      {"\t\tx", "                x"},
      {"ab\t\tc\td", "ab              c       d"},
      {"&lt;\tx", "<       x"},       // an entity is one column
      {"a<B>b</B>\tc", "ab      c"},  // tags take none
      {"a<3\tx", "a<3     x"},
  };
  for (const auto& c : cases) {
    LayoutFixture doc;
    const std::string html = std::string("<PRE>") + c.text + "\n\tnext</PRE>";
    HtmlParseBuffer(doc.root, names, html.data(), static_cast<int32_t>(html.size()), options, result);
    std::vector<std::string> lines;
    for (const auto& s : doc.root)
      if (const auto* t = dynamic_cast<const TPreFormated*>(s.get())) lines.push_back(t->Buff);
    EXPECT_EQ(lines, (std::vector<std::string>{c.expected, "        next"})) << c.text;

    LayoutFixture plain;
    cl::TStringList text;
    text.SetText(std::string(c.text) + "\n\tnext");
    TextParseStrings(plain.root, names, text);
    lines = PlainLines(plain.root);
    ASSERT_GE(lines.size(), 2u) << c.text;  // and the empty line after the last line end
    EXPECT_EQ(lines[1], "        next");
    if (std::string_view(c.text).find_first_of("&<") == std::string_view::npos) {
      EXPECT_EQ(lines[0], c.expected);
    }
  }
}

TEST_F(HtmlParserTest, LongPreformattedAndPlainTextLinesAreKeptWhole) {
  std::string line;
  while (line.size() < 45000) line += "col" + std::to_string(line.size()) + " ";
  const std::string html = "<PRE>" + line + "\nnext</PRE>";
  Parse(html);
  EXPECT_EQ(TextWith("col0 ").Buff, line);
  LayoutFixture plain;
  cl::TStringList text;
  text.SetText(line + "\nnext");
  TextParseStrings(plain.root, names, text);
  ASSERT_GE(PlainLines(plain.root).size(), 2u);
  EXPECT_EQ(PlainLines(plain.root)[0], line);
  EXPECT_EQ(PlainLines(plain.root)[1], "next");
  // Laid out as one line, however wide.
  f.Layout(300);
  const TSection& laid = TextWith("col0 ");
  ASSERT_EQ(laid.Lines.size(), 1u);
  EXPECT_EQ(laid.Lines[0].Ln, static_cast<int32_t>(line.size()));
}

TEST_F(HtmlParserTest, PreFontSizesAndControls) {
  Parse("<PRE><FONT SIZE=7>big</FONT> <SELECT><OPTION>o</SELECT>x<MAP NAME=m></MAP>y\n<PAGE>z</PRE>");
  EXPECT_EQ(Structure(), "TPreFormated 0/1 \"big [ctl]xy\"\nTPreFormated 0/1 \" \"\nTPage\n"
                         "TPreFormated 0/1 \"z\"\n");
  EXPECT_EQ(Runs(TextWith("big")), "0:30pre 3:10pre");
  EXPECT_EQ(f.root.ImageMaps.size(), 1u);
}

TEST_F(HtmlParserTest, TableCellsWithoutRowsStartARow) {
  Parse("<TABLE BORDER><TD>a<TD ALIGN=right>b<TR><TH>h</TABLE>after");
  ASSERT_EQ(Structure(), "ThtmlTable\nTSection 0/1 \"after\"\n");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 2]);
  ASSERT_EQ(table.Rows.size(), 2u);
  ASSERT_EQ(table.Rows[0]->Count(), 2);
  EXPECT_EQ(html::Structure(*table.Rows[0]->Cells[0]->Cell), "TSection 0/1 \"a\"\n");
  EXPECT_EQ(html::Structure(*table.Rows[0]->Cells[1]->Cell), "TSection 0/3 \"b\"\n");
  const TCell& th = *table.Rows[1]->Cells[0]->Cell;
  EXPECT_EQ(html::Structure(th), "TSection 0/2 \"h\"\n");
  for (const auto& s : th)
    if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) {
      EXPECT_EQ(Runs(*t), "0:12b");
    }
  EXPECT_TRUE(table.Border);
  // Bold of TH does not leak out of the table.
  EXPECT_EQ(Runs(TextWith("after")), "0:12");
}

TEST_F(HtmlParserTest, TextBetweenCellsGoesBeforeTheTable) {
  Parse("<TABLE><TR>stray<TD>in</TD> more <TR VALIGN=bottom ALIGN=center><TD VALIGN=top>x<TD>y</TABLE>");
  EXPECT_EQ(Structure(), "TSection 0/1 \"stray\"\nTSection 0/1 \"more \"\nThtmlTable\n");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 1]);
  ASSERT_EQ(table.Rows.size(), 2u);
  EXPECT_EQ(table.Rows[1]->Cells[0]->VAlign, 0);
  EXPECT_EQ(table.Rows[1]->Cells[1]->VAlign, 2);
  EXPECT_EQ(html::Structure(*table.Rows[1]->Cells[1]->Cell), "TSection 0/2 \"y\"\n");
}

TEST_F(HtmlParserTest, NegativeSpacingsAndHSpaceGetTheirOwnRules) {
  struct Case {
    const char* attributes;
    int32_t spacing, padding, tableHSpace;
  };
  const Case cases[] = {
      {"CELLSPACING=-3 CELLPADDING=-2 HSPACE=-7", 2, 1, 7},
      {"BORDER CELLSPACING=-3", 4, 1, 5},
      {"CELLSPACING=7 CELLPADDING=3 HSPACE=-99999999", 7, 3, 20},
      {"CELLSPACING=-2147483648 CELLPADDING=-99999 HSPACE=-2147483648", 2, 1, 20},
  };
  for (const auto& c : cases) {
    LayoutFixture doc;
    const std::string html = std::string("<TABLE ") + c.attributes + "><TR><TD>a</TABLE>";
    HtmlParseBuffer(doc.root, names, html.data(), static_cast<int32_t>(html.size()), options, result);
    const auto* table = dynamic_cast<const ThtmlTable*>(doc.root[doc.root.Count() - 1]);
    ASSERT_NE(table, nullptr) << c.attributes;
    EXPECT_EQ(table->CellSpacing, c.spacing) << c.attributes;
    EXPECT_EQ(table->CellPadding, c.padding) << c.attributes;
    EXPECT_EQ(table->HSpace, c.tableHSpace) << c.attributes;
  }
  const struct {
    const char* hspace;
    int32_t expected;
  } images[] = {{"-7", 7}, {"-30", 20}, {"12", 12}, {"-2147483648", 20}};
  for (const auto& image : images) {
    for (const bool pre : {false, true}) {
      LayoutFixture doc;
      const std::string html =
          std::string(pre ? "<PRE>" : "") + "a<IMG SRC=x.gif HSPACE=" + image.hspace + " ALIGN=left>b";
      HtmlParseBuffer(doc.root, names, html.data(), static_cast<int32_t>(html.size()), options, result);
      const TSection* text = nullptr;
      for (const auto& s : doc.root)
        if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && t->Images.Count() > 0) text = t;
      ASSERT_NE(text, nullptr) << image.hspace;
      EXPECT_EQ(text->Images[0]->HSpace, image.expected) << image.hspace << (pre ? " in PRE" : "");
    }
  }
}

TEST_F(HtmlParserTest, CaptionsAndSpansAreRead) {
  Parse("<TABLE><CAPTION ALIGN=bottom>cap</CAPTION><TR><TD COLSPAN=2000000000 ROWSPAN=5000 WIDTH=99999>a"
        "</TABLE>");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 1]);
  EXPECT_FALSE(table.CaptionOnTop);
  EXPECT_EQ(html::Structure(*table.Caption->Cell), "TSection 0/2 \"cap\"\n");
  const TCellObj& cell = *table.Rows[0]->Cells[0];
  EXPECT_EQ(cell.ColSpan, 1000);
  EXPECT_EQ(cell.RowSpan, 1000);
  EXPECT_EQ(cell.WidthAttr, 32000);
  EXPECT_GT(f.Layout(600), 0);
}

TEST_F(HtmlParserTest, FontsPushedInACellArePoppedAtTheNextCell) {
  Parse("<TABLE><TD><FONT SIZE=7><A HREF=x>a<TD>b</TABLE>c");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 2]);
  const TCell& second = *table.Rows[0]->Cells[1]->Cell;
  for (const auto& s : second)
    if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) {
      EXPECT_EQ(Runs(*t), "0:12");
    }
  EXPECT_EQ(Runs(TextWith("c")), "0:12");
}

TEST_F(HtmlParserTest, EndTagsInsideATableLeaveTheFontsInForceWhereItStarts) {
  // The stray </FONT> in the cell must not take the size 5 font, or the
  // cell's size 7 font would outlive the table.
  Parse("<FONT SIZE=5><TABLE><TD></FONT><FONT SIZE=7>x</TABLE>y</FONT>z");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 2]);
  for (const auto& s : *table.Rows[0]->Cells[0]->Cell)
    if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) {
      EXPECT_EQ(Runs(*t), "0:36");
    }
  EXPECT_EQ(Runs(TextWith("yz")), "0:18 1:12");
}

TEST_F(HtmlParserTest, DeepTablesStopAtTheNestingLimit) {
  std::string html;
  for (int i = 0; i < 5000; ++i) html += "<TABLE><TR><TD>";
  html += "deep";
  for (int i = 0; i < 5000; ++i) html += "</TD></TR></TABLE>";
  html += "after";
  Parse(html);
  EXPECT_EQ(Texts().back()->Buff, "after");
  int depth = 0;
  const TCell* cell = &f.root;
  while (cell) {
    const ThtmlTable* table = nullptr;
    for (const auto& s : *cell)
      if ((table = dynamic_cast<const ThtmlTable*>(s.get()))) break;
    if (!table || table->Rows.empty() || table->Rows[0]->Cells.empty()) break;
    ++depth;
    cell = table->Rows[0]->Cells[0]->Cell.get();
  }
  EXPECT_EQ(depth, MaxNestingDepth);
  EXPECT_GT(f.Layout(600), 0);
}

TEST_F(HtmlParserTest, AnExceptionInsideATableKeepsTheTableAndItsAnchors) {
  options.OnMeta = [](cl::TObject*, const std::string&, const std::string&, const std::string&) {
    throw cl::Exception("handler failed");
  };
  EXPECT_THROW(Parse("<TABLE><TR><TD><A NAME=in>cell<META NAME=x>"), cl::Exception);
  ASSERT_EQ(names.Count(), 1);
  ASSERT_EQ(Structure(), "ThtmlTable\n");
  const auto& table = dynamic_cast<const ThtmlTable&>(*f.root[f.root.Count() - 1]);
  ASSERT_EQ(table.Rows.size(), 1u);
  const TCell& cell = *table.Rows[0]->Cells[0]->Cell;
  bool found = false;
  for (const auto& s : cell) found = found || s.get() == static_cast<const TSectionBase*>(names.Objects(0));
  EXPECT_TRUE(found);
}

}  // namespace

namespace {

class DrawnDocumentTest : public HtmlParserTest {
 protected:
  void Draw(const std::string& html, int32_t width = 300) {
    Parse(html);
    f.Canvas().FillRect({0, 0, 600, 400}, cl::clWhite);
    f.Layout(width);
    f.root.Draw(f.Canvas(), {0, 0, width, 400}, 0, 0, width);
  }
  cl::TColor Pixel(int x, int y) { return f.Canvas().GetPixel(x, y) & 0xFFFFFF; }
  int Count(cl::TColor colour, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) n += Pixel(x, y) == colour;
    return n;
  }
};

TEST_F(DrawnDocumentTest, BodyColourAndAlignmentsReachTheScreen) {
  Draw("<BODY TEXT=red><CENTER>ab</CENTER><P ALIGN=right>cd<P>ef", 200);
  const LineRec& centred = TextWith("ab").Lines.at(0);
  const LineRec& right = TextWith("cd").Lines.at(0);
  const LineRec& left = TextWith("ef").Lines.at(0);
  EXPECT_EQ(centred.DrawX, 92);
  EXPECT_NEAR(right.DrawX, 184, 1);
  EXPECT_EQ(left.DrawX, 0);
  EXPECT_GE(right.DrawY, centred.DrawY + LayoutFixture::LineHeight + 14);  // the paragraph space
  EXPECT_EQ(Pixel(93, centred.DrawY + 6), cl::clRed);
  EXPECT_EQ(Pixel(90, centred.DrawY + 6), cl::clWhite);
  EXPECT_EQ(Pixel(185, right.DrawY + 6), cl::clRed);
  EXPECT_EQ(Pixel(182, right.DrawY + 6), cl::clWhite);
  EXPECT_EQ(Pixel(1, left.DrawY + 6), cl::clRed);
}

TEST_F(DrawnDocumentTest, ListItemsAreIndentedWithTheirMarkers) {
  Draw("<UL><LI>a</UL><OL><LI>b</OL><UL PLAIN><LI>c</UL>");
  for (const char* text : {"a", "b", "c"}) {
    const LineRec& line = TextWith(text).Lines.at(0);
    EXPECT_EQ(line.DrawX, 35) << text;
    EXPECT_EQ(Pixel(36, line.DrawY + 6), cl::clBlack) << text;
  }
  // Everything left of the text is the marker: not white.
  const int bullet = 34 * 16 - Count(cl::clWhite, 0, TextWith("a").Lines[0].DrawY, 34, TextWith("a").Lines[0].DrawY + 16);
  const int number = 34 * 16 - Count(cl::clWhite, 0, TextWith("b").Lines[0].DrawY, 34, TextWith("b").Lines[0].DrawY + 16);
  const int none = 34 * 16 - Count(cl::clWhite, 0, TextWith("c").Lines[0].DrawY, 34, TextWith("c").Lines[0].DrawY + 16);
  EXPECT_GT(bullet, 0);
  EXPECT_GT(number, 0);
  EXPECT_EQ(none, 0);
}

TEST_F(DrawnDocumentTest, ARuleIsDrawnAcrossTheWidth) {
  Draw("a<HR COLOR=blue SIZE=4>b", 300);
  const TSectionBase* rule = nullptr;
  for (const auto& s : f.root)
    if (dynamic_cast<const THorzLine*>(s.get())) rule = s.get();
  ASSERT_NE(rule, nullptr);
  const int y = rule->PlacedY + (rule->FlowHeight - 4) / 2 + 1;
  EXPECT_EQ(Pixel(150, y), cl::clBlue);
  EXPECT_EQ(Pixel(12, y), cl::clBlue);
  EXPECT_EQ(Pixel(5, y), cl::clWhite);
  EXPECT_EQ(Pixel(295, y), cl::clWhite);
  EXPECT_LT(TextWith("a").Lines[0].DrawY, rule->PlacedY);
  EXPECT_GE(TextWith("b").Lines[0].DrawY, rule->PlacedY + rule->FlowHeight);
}

TEST_F(DrawnDocumentTest, TableCellsShowTheirBackgroundAndText) {
  Draw("<TABLE BORDER=1 CELLPADDING=4><TR><TD BGCOLOR=#00FF00>xx</TD><TD>y</TD></TR></TABLE>");
  const auto* table = dynamic_cast<const ThtmlTable*>(f.root[1]);
  ASSERT_NE(table, nullptr);
  EXPECT_GT(Count(cl::clLime, 0, 0, 300, 100), 100);
  // The text of the first cell stands on the green.
  const TSection* xx = nullptr;
  for (const auto& s : *table->Rows[0]->Cells[0]->Cell)
    if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) xx = t;
  ASSERT_NE(xx, nullptr);
  const LineRec& line = xx->Lines.at(0);
  EXPECT_EQ(Pixel(line.DrawX + 1, line.DrawY + 6), cl::clBlack);
  EXPECT_EQ(Pixel(line.DrawX - 2, line.DrawY + 6), cl::clLime);
}

TEST_F(DrawnDocumentTest, PreformattedLinesDoNotWrap) {
  const std::string line(100, 'm');
  Draw("<PRE>" + line + "\nnext</PRE>", 200);
  const TSection& first = TextWith("mmm");
  ASSERT_EQ(first.Lines.size(), 1u);
  EXPECT_EQ(first.Lines[0].Ln, 100);
  EXPECT_GT(TextWith("next").Lines.at(0).DrawY, first.Lines[0].DrawY);
}

}  // namespace

namespace {

TEST_F(HtmlParserTest, TheViewersParseStepReachesTheEntryPoints) {
  std::string meta, include;
  TParseRequest request;
  request.Document = &f.root;
  request.NameList = &names;
  request.Source = TParseRequest::FromBuffer;
  const std::string html = "<TITLE>t</TITLE><BASE HREF=b TARGET=g><META NAME=n CONTENT=c><!--#inc a=1-->z";
  request.Buffer = html;
  request.OnMeta = [&](const std::string& e, const std::string& n, const std::string& c) { meta = e + n + c; };
  request.OnInclude = [&](cl::TObject*, const std::string& command, cl::TStrings* params, std::string& buffer) {
    include = command + params->Text();
    buffer = "<B>inc</B>";
  };
  const TParseResult parsed = ParseDocument(request);
  EXPECT_EQ(parsed.Title, "t");
  EXPECT_EQ(parsed.Base, "b");
  EXPECT_EQ(parsed.BaseTarget, "g");
  EXPECT_EQ(meta, "nc");
  EXPECT_EQ(include.substr(0, 3), "inc");
  EXPECT_EQ(Texts().back()->Buff, "incz");

  LayoutFixture text;
  request.Document = &text.root;
  request.Kind = ftText;
  const std::string plain = "<B>x</B>\nline";
  request.Buffer = plain;
  ParseDocument(request);
  const std::vector<std::string> lines = PlainLines(text.root);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "<B>x</B>");
  EXPECT_EQ(lines[1], "line");
}

class ViewerParseTest : public ViewerTest {};

TEST_F(ViewerParseTest, ScriptsReachTheViewersHandler) {
  std::string seen;
  viewer->Parser = ParseDocument;
  viewer->SetOnScript([&](cl::TObject* sender, const std::string& language, const char* script) {
    seen = (sender == viewer ? "viewer:" : "other:") + language + ":" + script;
  });
  LoadText("<SCRIPT LANGUAGE=js>a = 1;\nb()</SCRIPT>after");
  EXPECT_EQ(seen, "viewer:js:a = 1;\r\nb()");
}

TEST_F(ViewerParseTest, NewDefaultsKeepTheColoursAndFacesTheDocumentSet) {
  viewer->Parser = ParseDocument;
  viewer->SetDefFontColor(cl::clBlack);
  viewer->SetDefHotSpotColor(cl::clBlue);
  const cl::TColor green = 0x008000 | cl::PaletteRelative;
  LoadText("<FONT COLOR=green FACE=Verdana>green <TT>tt</TT></FONT>plain <A HREF=x>link</A>"
           "<FONT COLOR=green><A HREF=y>default link</A></FONT><A HREF=z><FONT COLOR=green>green link</FONT></A>"
           "<PRE>pre</PRE>");
  // Each run: its text, then the colour and face it must have after the change.
  struct Expected {
    std::string text;
    bool ownColor;  // stays green
    const char* face;  // nullptr: the default face
  };
  const Expected expected[] = {{"green ", true, "Verdana"}, {"tt", true, nullptr}, {"plain ", false, nullptr},
                               {"link", false, nullptr},    {"default link", false, nullptr},
                               {"green link", true, nullptr}};
  auto check = [&](const char* step, cl::TColor text, cl::TColor link) {
    const TSectionList& doc = viewer->SectionList();
    const TSection* body = nullptr;
    const TSection* pre = nullptr;
    for (const auto& s : doc)
      if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty())
        (t->Preformatted() ? pre : body) = t;
    ASSERT_NE(body, nullptr) << step;
    ASSERT_NE(pre, nullptr) << step;
    for (const auto& e : expected) {
      const size_t at = body->Buff.find(e.text);
      ASSERT_NE(at, std::string::npos) << e.text;
      const TFontObj* run = body->Fonts.GetFontObjAt(static_cast<int32_t>(at));
      const bool linked = !run->Link->Url.empty();
      EXPECT_EQ(run->RunFont->Color(), e.ownColor ? green : (linked ? link : text) | cl::PaletteRelative)
          << step << ": " << e.text;
      const std::string face = e.face ? e.face : e.text == "tt" ? doc.DefaultPreFontName : doc.DefaultFontName;
      EXPECT_EQ(run->RunFont->Name(), face) << step << ": " << e.text;
      EXPECT_EQ(run->RunFont->Size(), win::MulDiv(doc.FontSizeSlot, run->RunFont->RelSize, 12)) << step;
    }
    EXPECT_EQ(pre->Fonts[0]->RunFont->Name(), doc.DefaultPreFontName) << step;
    EXPECT_EQ(pre->Fonts[0]->RunFont->Color(), text | cl::PaletteRelative) << step;
  };
  check("loaded", cl::clBlack, cl::clBlue);
  viewer->SetDefFontSize(20);
  check("size", cl::clBlack, cl::clBlue);
  viewer->SetDefFontColor(cl::clRed);
  check("text colour", cl::clRed, cl::clBlue);
  viewer->SetDefHotSpotColor(cl::clPurple);
  check("link colour", cl::clRed, cl::clPurple);
  viewer->SetDefFontName("Arial");
  viewer->SetDefPreFontName("Courier");
  check("faces", cl::clRed, cl::clPurple);
}

TEST_F(ViewerParseTest, ColoursTheBodySetStayWhenTheDefaultsChange) {
  viewer->Parser = ParseDocument;
  LoadText("<BODY TEXT=#00FF00 LINK=#FF0000>text <A HREF=x>link</A>");
  viewer->SetDefFontColor(cl::clBlack);
  viewer->SetDefHotSpotColor(cl::clBlue);
  const TSection* body = nullptr;
  for (const auto& s : viewer->SectionList())
    if (const auto* t = dynamic_cast<const TSection*>(s.get()); t && !t->Buff.empty()) body = t;
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->Fonts.GetFontObjAt(0)->RunFont->Color(), 0x00FF00u | cl::PaletteRelative);
  EXPECT_EQ(body->Fonts.GetFontObjAt(static_cast<int32_t>(body->Buff.find("link")))->RunFont->Color(),
            0x0000FFu | cl::PaletteRelative);
}

}  // namespace

}  // namespace html
