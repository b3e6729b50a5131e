#include "html/parse/html_tokenizer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/core/in_out_error.h"
#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"
#include "tokenizer_harness.h"

namespace html {

namespace {

struct Case {
  const char* name;
  std::string input;
  std::vector<Tok> expected;
};

const Tok eof{EofSy, "", {}};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"named entities split text", "a&lt;b",
       {{TextSy, "a", {}}, {TextSy, "<", {}}, {TextSy, "b", {}}, eof}},
      {"entity names are case-sensitive", "&LT;", {{TextSy, "&LT;", {}}, eof}},
      {"numeric references", "&#65;|&#9;|&#8;|&#300;|&#1234567",
       {{TextSy, "A", {}}, {TextSy, "|", {}}, {TextSy, " ", {}}, {TextSy, "|", {}},
        {TextSy, "&#8;", {}}, {TextSy, "|", {}}, {TextSy, "&#300;", {}}, {TextSy, "|", {}},
        {TextSy, "&#123456", {}}, {TextSy, "7", {}}, eof}},
      {"entity without semicolon, unknown and over-long names", "&nbsp x&copyx;&abcdefgh& b",
       {{TextSy, "\xa0", {}}, {TextSy, " x", {}}, {TextSy, "&copyx;", {}},
        {TextSy, "&abcdefg", {}}, {TextSy, "h", {}}, {TextSy, "&", {}}, {TextSy, " b", {}}, eof}},
      {"entities come out in code page 1250",
       "&eacute;&Agrave;&szlig;&yuml;&sup2;&times;&quot;&amp;&#233;&#200;&#150;",
       {{TextSy, "\xe9", {}}, {TextSy, "?", {}}, {TextSy, "\xdf", {}}, {TextSy, "?", {}},
        {TextSy, "?", {}}, {TextSy, "\xd7", {}}, {TextSy, "\"", {}}, {TextSy, "&", {}},
        {TextSy, "\xe9", {}}, {TextSy, "?", {}}, {TextSy, "\x96", {}}, eof}},
      {"heading level and attribute", "<H2 ALIGN=center>x",
       {{HSy, "h2", {"66=center/0"}}, {TextSy, "x", {}}, eof}},
      {"heading without a valid level", "<h7>", {{HSy, "h0", {}}, eof}},
      {"end tag of a tag without end symbol", "</BR>", {{UnknownTagSy, "", {}}, eof}},
      {"a < before no letter is text", "<3>",
       {{TextSy, "<", {}}, {TextSy, "3", {}}, {OtherCharSy, ">", {}}, eof}},
      {"bare border and percentages", "<TABLE BORDER><TD WIDTH=\"50%\"><TD width=50%>",
       {{TableSy, "", {"85=/1"}}, {TDSy, "", {"89=50%/50"}}, {TDSy, "", {"89=50%/50"}}, eof}},
      {"attributes after a stray slash are skipped", "<IMG SRC=a.gif / ALT=x>",
       {{ImageSy, "", {"64=a.gif/0"}}, eof}},
      {"number reader stops at percent", "<FRAMESET ROWS=50%,*>",
       {{FrameSetSy, "", {"109=50%/50"}}, eof}},
      {"quoted values, entities, unknown names",
       "<A HREF=\"x&amp;y\" TARGET='_top' onclick=go() NAME = \"  n  \" class=z data-x>",
       {{ASy, "", {"62=x&y/0", "145=_top/0", "166=go()/0", "63=n/0", "59=z/0", "59=/0"}}, eof}},
      {"signed and unit numbers", "<FONT SIZE=+2 COLOR=#FF0000><HR WIDTH=5px SIZE=-1>",
       {{FontSy, "", {"104=+2/2", "118=#FF0000/0"}}, {HRSy, "", {"89=5px/0", "104=-1/-1"}}, eof}},
      {"quoted values drop line ends and keep >", "<IMG ALT=\"a\r\nb\" SRC='c>d'>",
       {{ImageSy, "", {"65=ab/0", "64=c>d/0"}}, eof}},
      {"unterminated quote runs to the end", "<IMG ALT=\"abc", {{ImageSy, "", {"65=abc/0"}}, eof}},
      {"comments vanish inside text", "a<!-- x -- >b<!---->c<!DOCTYPE html>d<!-- a-b -->e",
       {{TextSy, "abcde", {}}, eof}},
      {"byte 26 ends the document", "ab\x1a<b>cd", {{TextSy, "ab", {}}, eof}},
      {"white space and line ends fold to one blank", "a \r\n\t b\n\rc\rd",
       {{TextSy, "a b c d", {}}, eof}},
      {"> and control characters are other characters", "a>b\x01" "c",
       {{TextSy, "a", {}}, {OtherCharSy, ">", {}}, {TextSy, "b", {}}, {OtherCharSy, "\x01", {}},
        {TextSy, "c", {}}, eof}},
      {"text runs stop at 100 characters", std::string(250, 'x'),
       {{TextSy, std::string(100, 'x'), {}}, {TextSy, std::string(100, 'x'), {}},
        {TextSy, std::string(50, 'x'), {}}, eof}},
      {"< at the end is text", "a<", {{TextSy, "a", {}}, {TextSy, "<", {}}, eof}},
      {"empty end tag", "</>x", {{UnknownTagSy, "", {}}, {TextSy, "x", {}}, eof}},
      {"only attribute-bearing start tags collect attributes",
       "<B CLASS=x><CENTER ALIGN=left><DIV ALIGN=left></FONT SIZE=2><META NAME=m>",
       {{BSy, "", {}}, {CenterSy, "", {}}, {DivSy, "", {"66=left/0"}}, {FontEndSy, "", {}},
        {MetaSy, "", {"63=m/0"}}, eof}},
      {"tags and end tags", "<HTML><Body BGCOLOR=white></BODY></html><BLINK>",
       {{HtmlSy, "", {}}, {BodySy, "", {"73=white/0"}}, {BodyEndSy, "", {}}, {HtmlEndSy, "", {}},
        {UnknownTagSy, "", {}}, eof}},
      {"entity split across a stream block", std::string(248, 'x') + "&amp;y",
       {{TextSy, std::string(100, 'x'), {}}, {TextSy, std::string(100, 'x'), {}},
        {TextSy, std::string(48, 'x'), {}}, {TextSy, "&", {}}, {TextSy, "y", {}}, eof}},
      {"CR LF split across a stream block", std::string(249, 'x') + "\r\ny",
       {{TextSy, std::string(100, 'x'), {}}, {TextSy, std::string(100, 'x'), {}},
        {TextSy, std::string(49, 'x') + " y", {}}, eof}},
      {"a document of exactly one stream block", std::string(249, 'x') + ">",
       {{TextSy, std::string(100, 'x'), {}}, {TextSy, std::string(100, 'x'), {}},
        {TextSy, std::string(49, 'x'), {}}, {OtherCharSy, ">", {}}, eof}},
      {"a tag across a stream block", std::string(245, 'x') + "<a href=\"x y\" target=_top>z",
       {{TextSy, std::string(100, 'x'), {}}, {TextSy, std::string(100, 'x'), {}},
        {TextSy, std::string(45, 'x'), {}}, {ASy, "", {"62=x y/0", "145=_top/0"}}, {TextSy, "z", {}}, eof}},
      {"an over-long tag name is no tag's", "<" + std::string(200, 'b') + " ALT=x>y",
       {{UnknownTagSy, "", {}}, {TextSy, "y", {}}, eof}},
      {"comments vanish inside names and values",
       "<IM<!-- c -->G AL<!---->T=a<!-- c -->b SRC=\"c<!-- d -->e\">",
       {{ImageSy, "", {"65=ab/0", "64=ce/0"}}, eof}},
      {"unquoted values keep & and end at a blank or >", "<IMG ALT=a&amp;b SRC=c>",
       {{ImageSy, "", {"65=a&amp;b/0", "64=c/0"}}, eof}},
      {"empty document", "", {eof}},
  };
  return cases;
}

TEST(HtmlTokenizer, ByteSourcesGiveTheTabledTokens) {
  for (const auto& c : Cases())
    for (const Kind kind : {Kind::Buffer, Kind::File, Kind::Stream})
      EXPECT_EQ(TokenizeAs(kind, c.input), c.expected) << c.name << " via " << KindName(kind);
}

TEST(HtmlTokenizer, StringsSourceReadsLinesEndedByCr) {
  for (const auto& c : Cases()) {
    cl::TStringList lines;
    lines.SetText(c.input);
    EXPECT_EQ(TokenizeAs(Kind::Strings, c.input), TokenizeAs(Kind::Buffer, lines.Text())) << c.name;
  }
  cl::TStringList lines;
  lines.Add("a&amp;");
  lines.Add("<B>b");
  THtmlTokenizer tokenizer;
  tokenizer.OpenStrings(lines);
  tokenizer.Start();
  EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{TextSy, "a", {}}, {TextSy, "&", {}}, {TextSy, " ", {}},
                                                {BSy, "", {}}, {TextSy, "b ", {}}, eof}));
}

TEST(HtmlTokenizer, PreformattedTextKeepsBlanksAndOneCrPerLineEnd) {
  const std::string input = "a  \r\nb\n\rc\rd\ne\r\r";
  for (const Kind kind : {Kind::Buffer, Kind::Stream}) {
    THtmlTokenizer tokenizer;
    cl::TMemoryStream stream;
    stream.WriteBuffer(input.data(), static_cast<std::int32_t>(input.size()));
    stream.SetPosition(0);
    tokenizer.InPre = true;
    if (kind == Kind::Buffer)
      tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
    else
      tokenizer.OpenStream(stream);
    tokenizer.Start();
    EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{TextSy, "a  \rb\rc\rd\re\r\r", {}}, eof})) << KindName(kind);
  }
}

TEST(HtmlTokenizer, CrLfAcrossAStreamBlockIsOneLineEnd) {
  const std::string input = std::string(249, 'x') + "\r\ny";
  cl::TMemoryStream stream;
  stream.WriteBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  stream.SetPosition(0);
  THtmlTokenizer tokenizer;
  tokenizer.InPre = true;
  tokenizer.OpenStream(stream);
  tokenizer.Start();
  const auto tokens = Drain(tokenizer);
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[2].text, std::string(49, 'x') + "\ry");
}

TEST(HtmlTokenizer, LineEndsAndEntitiesAcrossEveryBlockBoundaryComeOutWhole) {
  // Around the 250-byte stream blocks and the 2000-byte file buffer.
  for (const std::size_t at : {249u, 250u, 499u, 1999u, 2000u}) {
    for (const char* tail : {"\r\ny", "\n\ry", "&eacute;y"}) {
      const std::string input = std::string(at, 'x') + tail;
      const std::string expected = std::string(at, 'x') + (tail[0] == '&' ? "\xe9y" : "\ry");
      for (const Kind kind : {Kind::Buffer, Kind::File, Kind::Stream}) {
        THtmlTokenizer tokenizer;
        cl::TMemoryStream stream;
        stream.WriteBuffer(input.data(), static_cast<std::int32_t>(input.size()));
        stream.SetPosition(0);
        const cl::testing::TempDirectory temp;
        const std::string name = temp.Write("blocks", input);
        tokenizer.InPre = true;
        if (kind == Kind::Buffer) tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
        if (kind == Kind::File) tokenizer.OpenFile(name);
        if (kind == Kind::Stream) tokenizer.OpenStream(stream);
        tokenizer.Start();
        std::string text;
        for (const auto& tok : Drain(tokenizer)) text += tok.text;
        tokenizer.Close();
        EXPECT_EQ(text, expected) << at << " via " << KindName(kind);
      }
    }
  }
}

TEST(HtmlTokenizer, StreamIsReadFromItsCurrentPosition) {
  cl::TMemoryStream stream;
  stream.WriteBuffer("junk<b>abc", 10);
  stream.SetPosition(4);
  THtmlTokenizer tokenizer;
  tokenizer.OpenStream(stream);
  tokenizer.Start();
  EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{BSy, "", {}}, {TextSy, "abc", {}}, eof}));
}

TEST(HtmlTokenizer, OtherTagsKeepTheLastAttributeList) {
  const std::string input = "<P ALIGN=left><B CLASS=x></P>t";
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  for (int i = 0; i < 3; ++i, tokenizer.Next()) {
    ASSERT_EQ(tokenizer.AttributeList().Count(), 1) << i;
    EXPECT_EQ(tokenizer.AttributeList()[0]->StrValue, "left");
  }
  EXPECT_EQ(tokenizer.CurrentSymbol(), TextSy);
  const TAttributeList kept = tokenizer.TakeAttributeList();
  EXPECT_EQ(kept.Count(), 1);
  EXPECT_EQ(tokenizer.AttributeList().Count(), 0);
}

TEST(HtmlTokenizer, ParagraphSpaceIsClearedOnlyByTokensThatTakeIt) {
  const std::string input = "<B><BR>";
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  tokenizer.ParagraphSpaceAdded = true;
  tokenizer.Next();  // BR
  EXPECT_FALSE(tokenizer.ParagraphSpaceAdded);
  const std::string bold = "<I><B>";
  tokenizer.OpenBuffer(bold.data(), static_cast<std::int32_t>(bold.size()));
  tokenizer.Start();
  tokenizer.ParagraphSpaceAdded = true;
  tokenizer.Next();  // B
  EXPECT_TRUE(tokenizer.ParagraphSpaceAdded);
}

TEST(HtmlTokenizer, InputEndingInsideACommentGivesItsTextThenRaises) {
  // What was read before the open comment comes out whole, then EofSy; the
  // error comes with the read past that end.
  enum class Reader { Next, TextArea, Script };
  struct Case {
    std::string input;
    Reader reader;
    bool pre;
    std::vector<Tok> expected;
  };
  const std::string run100(100, 'r');
  const Case cases[] = {
      {"<!-- open", Reader::Next, false, {eof}},
      {"x<!DOCTYPE", Reader::Next, false, {{TextSy, "x", {}}, eof}},
      {"a<!-- b -- c", Reader::Next, false, {{TextSy, "a", {}}, eof}},
      {"<!--#include x=\"y", Reader::Next, false, {eof}},
      {"<B>bold</B> tail words<!-- unclosed", Reader::Next, false,
       {{BSy, "", {}}, {TextSy, "bold", {}}, {BEndSy, "", {}}, {TextSy, " tail words", {}}, eof}},
      {run100 + "s<!-- x", Reader::Next, false, {{TextSy, run100, {}}, {TextSy, "s", {}}, eof}},
      {"pre  kept\r<!DOCTYPE", Reader::Next, true, {{TextSy, "pre  kept\r", {}}, eof}},
      {"<IMG ALT=\"a<!-- x", Reader::Next, false, {{ImageSy, "", {"65=a/0"}}, eof}},
      {"area\rline<!-- x", Reader::TextArea, false,
       {{TextSy, "area", {}}, {EolSy, "", {}}, {TextSy, "line", {}}, eof}},
      {"var a;<!-- x", Reader::Script, false, {{TextSy, "var a;", {}}, eof}},
  };
  for (const auto& c : cases) {
    THtmlTokenizer tokenizer;
    tokenizer.IncludeHandler = [](cl::TObject*, const std::string&, cl::TStrings&) { return std::string(); };
    tokenizer.InPre = c.pre;
    tokenizer.OpenBuffer(c.input.data(), static_cast<std::int32_t>(c.input.size()));
    auto next = [&] {
      if (c.reader == Reader::TextArea) tokenizer.NextTextAreaToken();
      if (c.reader == Reader::Script) tokenizer.NextScriptToken();
      if (c.reader == Reader::Next) tokenizer.Next();
    };
    tokenizer.GetCh();
    next();
    const std::vector<Tok> tokens = Drain(tokenizer, next);
    EXPECT_EQ(tokens, c.expected) << c.input;
    try {
      next();
      ADD_FAILURE() << c.input;
    } catch (const EParseError& e) {
      EXPECT_EQ(e.Message(), "Open Comment at End of HTML File") << c.input;
    }
  }
}

TEST(HtmlTokenizer, MissingFileRaisesInOutError) {
  THtmlTokenizer tokenizer;
  EXPECT_THROW(tokenizer.OpenFile("/nonexistent/brannik/none.htm"), cl::EInOutError);
}

TEST(HtmlTokenizer, IncludeTextIsReadInPlaceOfTheComment) {
  THtmlTokenizer tokenizer;
  cl::TObject viewer;
  std::string command;
  std::vector<std::string> params;
  cl::TObject* sender = nullptr;
  int calls = 0;
  tokenizer.IncludeSender = &viewer;
  tokenizer.IncludeHandler = [&](cl::TObject* from, const std::string& cmd, cl::TStrings& list) {
    ++calls;
    sender = from;
    command = cmd;
    params.clear();
    for (int i = 0; i < list.Count(); ++i) params.push_back(list[i]);
    return std::string("<B>inc<!--#nested-->!</B>");
  };
  const std::string input = "a<!--#include file=\"x.htm\" virtual=y -->b";
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{TextSy, "a", {}}, {BSy, "", {}}, {TextSy, "inc!", {}},
                                                {BEndSy, "", {}}, {TextSy, "b", {}}, eof}));
  EXPECT_EQ(calls, 1);  // includes do not nest
  EXPECT_EQ(sender, &viewer);
  EXPECT_EQ(command, "include");
  EXPECT_EQ(params, (std::vector<std::string>{"FILE=\"x.htm\"", "VIRTUAL=\"y\""}));
}

TEST(HtmlTokenizer, IncludeWithoutHandlerOrTextIsAComment) {
  const std::string input = "a<!--#include x=1-->b";
  for (const bool withHandler : {false, true}) {
    THtmlTokenizer tokenizer;
    if (withHandler)
      tokenizer.IncludeHandler = [](cl::TObject*, const std::string&, cl::TStrings&) { return std::string(); };
    tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
    tokenizer.Start();
    EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{TextSy, "ab", {}}, eof}));
  }
}

std::vector<Tok> DrainWith(THtmlTokenizer& tokenizer, void (THtmlTokenizer::*next)()) {
  std::vector<Tok> out;
  for (int guard = 0; guard < 1000; ++guard) {
    (tokenizer.*next)();
    out.push_back({tokenizer.CurrentSymbol(), tokenizer.TokenText(), {}});
    if (tokenizer.CurrentSymbol() == EofSy) break;
  }
  return out;
}

TEST(HtmlTokenizer, UnquotedLastIncludeValueEndsAtTheClosingDashes) {
  std::vector<std::string> params;
  THtmlTokenizer tokenizer;
  tokenizer.IncludeHandler = [&](cl::TObject*, const std::string&, cl::TStrings& list) {
    for (int i = 0; i < list.Count(); ++i) params.push_back(list[i]);
    return std::string("i");
  };
  const std::string input = "a<!--#echo n=1-->b<!--#echo v=x-->c";
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  EXPECT_EQ(Drain(tokenizer), (std::vector<Tok>{{TextSy, "aibic", {}}, eof}));
  EXPECT_EQ(params, (std::vector<std::string>{"N=\"1\"", "V=\"x\""}));
}

TEST(HtmlTokenizer, TextAreaReaderKeepsLinesAndEndsAtItsEndTag) {
  const std::string input = "<TEXTAREA ROWS=3>  line 1\r\n<b>&amp;x</TextArea >";
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  ASSERT_EQ(tokenizer.CurrentSymbol(), TextAreaSy);
  EXPECT_EQ(DrainWith(tokenizer, &THtmlTokenizer::NextTextAreaToken),
            (std::vector<Tok>{{TextSy, "  line 1", {}}, {EolSy, "", {}}, {UnknownTagSy, "<b", {}},
                              {TextSy, ">", {}}, {TextSy, "&", {}}, {TextSy, "x", {}},
                              {TextAreaEndSy, "</TextArea", {}}, {TextSy, " >", {}}, eof}));
}

TEST(HtmlTokenizer, TextAreaEndTagCheckStopsAtTheEndOfInput) {
  for (const std::string input : {"<TEXTAREA><abc", "<TEXTAREA><abc\x1a" "def"}) {
    THtmlTokenizer tokenizer;
    tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
    tokenizer.Start();
    EXPECT_EQ(DrainWith(tokenizer, &THtmlTokenizer::NextTextAreaToken),
              (std::vector<Tok>{{UnknownTagSy, "<abc", {}}, eof}));
  }
  // A very long would-be tag keeps the token at its capacity.
  const std::string input = "<TEXTAREA><" + std::string(400, 'a');
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  tokenizer.NextTextAreaToken();
  EXPECT_EQ(tokenizer.TokenText().size(), THtmlTokenizer::tokenCapacity);
}

TEST(HtmlTokenizer, ScriptReaderEndsOnlyAtAnExactEndTag) {
  const std::string input = "<SCRIPT LANGUAGE=x>if (a<b) f();\r\n</SCRIPT ></script>";
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.Start();
  ASSERT_EQ(tokenizer.CurrentSymbol(), ScriptSy);
  EXPECT_EQ(tokenizer.AttributeList()[0]->Code, LanguageSy);
  EXPECT_EQ(DrainWith(tokenizer, &THtmlTokenizer::NextScriptToken),
            (std::vector<Tok>{{TextSy, "if (a", {}}, {UnknownTagSy, "<b", {}}, {TextSy, ") f();", {}},
                              {EolSy, "", {}}, {UnknownTagSy, "</SCRIPT", {}}, {TextSy, " >", {}},
                              {ScriptEndSy, "</script>", {}}, eof}));
}

TEST(HtmlTokenizer, InScriptLeavesCommentsInTheText) {
  const std::string input = "a<!-- b -->";
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(input.data(), static_cast<std::int32_t>(input.size()));
  tokenizer.InScript = true;
  tokenizer.Start();
  EXPECT_EQ(DrainWith(tokenizer, &THtmlTokenizer::NextScriptToken).front(),
            (Tok{UnknownTagSy, "<", {}}));
}

}  // namespace

}  // namespace html
