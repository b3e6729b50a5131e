#include "html/frames/frame_parse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/core/in_out_error.h"
#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"

namespace html {

namespace {

// Writes the tree as the parser builds it: "[ROWS|COLS ...]" for a set,
// "f:SRC" for a frame, "/" for the end of a set.
class TRecordingSet : public TFrameSetBuilder {
 public:
  explicit TRecordingSet(std::string& log) : log_(log) {}

  void ParseFrameDimensions(const TAttributeList& attributes) override {
    const TAttribute* rows = FindAttribute(attributes, RowsSy);
    const TAttribute* cols = FindAttribute(attributes, ColsSy);
    log_ += "[";
    if (rows) log_ += "R=" + rows->StrValue;
    if (cols) log_ += "C=" + cols->StrValue;
  }
  TFrameSetBuilder& AddChildSet() override {
    children_.push_back(std::make_unique<TRecordingSet>(log_));
    return *children_.back();
  }
  void AddFrame(const TAttributeList& attributes, const std::string& fileName,
                const TFrameDocumentInfo&) override {
    const TAttribute* src = FindAttribute(attributes, SrcSy);
    log_ += " f:" + (src ? src->StrValue : std::string("-"));
    lastFileName = fileName;
  }
  void EndFrameSet(const TFrameDocumentInfo& info) override {
    log_ += "]";
    lastTitle = info.Title;
  }

  std::string lastFileName;
  std::string lastTitle;

 private:
  std::string& log_;
  std::vector<std::unique_ptr<TRecordingSet>> children_;
};

TDocumentSource Buffer(const std::string& text) {
  return TDocumentSource::FromBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

class TTempFile {
 public:
  explicit TTempFile(const std::string& content) : name_(dir_.Write("document", content)) {}
  const std::string& Name() const { return name_; }

 private:
  const cl::testing::TempDirectory dir_;
  const std::string name_;
};

TEST(FrameParse, FrameDocumentIsOneWhoseFrameSetComesBeforeBodyContent) {
  struct Case {
    const char* input;
    bool frames;
  };
  const Case cases[] = {
      {"<TITLE>t</TITLE><META NAME=x CONTENT=y>some text<FRAMESET ROWS=*><FRAME></FRAMESET>", true},
      {"<HTML><HEAD></HEAD><FRAMESET>", true},
      {"<P><FRAMESET ROWS=*>", false},
      {"<BODY><FRAMESET>", false},
      {"<H1>x</H1><FRAMESET>", false},
      {"<IMG SRC=a.gif><FRAMESET>", false},
      {"<TABLE><FRAMESET>", false},
      {"<B>bold</B><A HREF=x>link</A><FRAMESET>", true},
      {"<SCRIPT>document.write('<P>')</SCRIPT><FRAMESET>", true},
      {"<SCRIPT><FRAMESET></SCRIPT><P>", false},
      {"plain text only", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFrameDocument(Buffer(c.input), {}), c.frames) << c.input;
}

TEST(FrameParse, NestedSetsAreBuiltInDocumentOrder) {
  const std::string doc =
      "<FRAMESET ROWS=\"50%,*\"><FRAME SRC=a.htm><FRAMESET COLS=\"1*,2*\"><FRAME SRC=b.htm>"
      "<FRAME SRC=c.htm></FRAMESET></FRAMESET>";
  std::string log;
  TRecordingSet set(log);
  TFrameDocumentInfo info;
  EXPECT_TRUE(FrameParse(Buffer(doc), set, {}, "C:\\docs\\top.htm", info));
  EXPECT_EQ(log, "[R=50%,* f:a.htm[C=1*,2* f:b.htm f:c.htm]]");
  EXPECT_EQ(set.lastFileName, "C:\\docs\\top.htm");
}

TEST(FrameParse, NoFramesContentAndScriptsHideNoFrames) {
  struct Case {
    const char* input;
    const char* tree;
  };
  const Case cases[] = {
      {"<FRAMESET ROWS=*,*><NOFRAMES><FRAME SRC=hidden.htm><P>old</NOFRAMES><FRAME SRC=a.htm></FRAMESET>",
       "[R=*,* f:a.htm]"},
      {"<NOFRAMES><FRAMESET><FRAME SRC=x></NOFRAMES><FRAMESET><FRAME SRC=y></FRAMESET>", "[ f:y]"},
      {"<FRAMESET COLS=*,*><FRAME SRC=a.htm><SCRIPT>x='<FRAME SRC=s>'</SCRIPT><FRAME SRC=b.htm></FRAMESET>",
       "[C=*,* f:a.htm f:b.htm]"},
      // A second top-level set goes into the same set.
      {"<FRAMESET ROWS=*><FRAME SRC=a></FRAMESET><FRAMESET COLS=*><FRAME SRC=b></FRAMESET>",
       "[R=* f:a][C=* f:b]"},
      // Input that ends inside the set still ends it.
      {"<FRAMESET ROWS=*,*><FRAME SRC=a><FRAMESET><FRAME SRC=b>", "[R=*,* f:a[ f:b]]"},
      // Body content ends the parse.
      {"<FRAMESET><FRAME SRC=a></FRAMESET><BODY><FRAMESET><FRAME SRC=z></FRAMESET>", "[ f:a]"},
  };
  for (const Case& c : cases) {
    std::string log;
    TRecordingSet set(log);
    TFrameDocumentInfo info;
    EXPECT_TRUE(FrameParse(Buffer(c.input), set, {}, "f.htm", info)) << c.input;
    EXPECT_EQ(log, c.tree) << c.input;
  }
}

TEST(FrameParse, HeadElementsReachInfoAndHandlers) {
  const std::string doc =
      "<TITLE>Brannik &amp; co</TITLE><BASE HREF=\"C:\\web\\\" TARGET=main>"
      "<META HTTP-EQUIV=Refresh CONTENT=\"5;url=next.htm\"><BGSOUND SRC=a.wav LOOP=3>"
      "<SCRIPT LANGUAGE=js>a=1\r\nb=2</SCRIPT><FRAMESET><FRAME SRC=a></FRAMESET>";
  std::vector<std::string> calls;
  cl::TObject viewer;
  cl::TObject frameSet;
  TFrameParseHandlers handlers;
  handlers.Sender = &viewer;
  handlers.MetaSender = &frameSet;
  handlers.Meta = [&](cl::TObject* sender, const std::string& eqv, const std::string& name,
                      const std::string& content) {
    EXPECT_EQ(sender, &frameSet);
    calls.push_back("meta " + eqv + "|" + name + "|" + content);
  };
  handlers.Sound = [&](cl::TObject* sender, const std::string& src, std::int32_t loops, bool terminate) {
    EXPECT_EQ(sender, &viewer);
    calls.push_back("sound " + src + " " + std::to_string(loops) + (terminate ? " stop" : ""));
  };
  handlers.Script = [&](cl::TObject* sender, const std::string& language, const std::string& script) {
    EXPECT_EQ(sender, &viewer);
    calls.push_back("script " + language + ":" + script);
  };
  std::string log;
  TRecordingSet set(log);
  TFrameDocumentInfo info;
  EXPECT_TRUE(FrameParse(Buffer(doc), set, handlers, "f.htm", info));
  EXPECT_EQ(info.Title, "Brannik & co");
  EXPECT_EQ(set.lastTitle, "Brannik & co");
  EXPECT_EQ(info.BaseHref, "C:\\web\\");
  EXPECT_EQ(info.BaseTarget, "main");
  EXPECT_EQ(calls, (std::vector<std::string>{"meta Refresh||5;url=next.htm", "sound a.wav 3",
                                             "script js:a=1\r\nb=2"}));
  EXPECT_EQ(log, "[ f:a]");
}

TEST(FrameParse, DocumentWithoutFrameSetParsesNothing) {
  std::string log;
  TRecordingSet set(log);
  TFrameDocumentInfo info;
  EXPECT_FALSE(FrameParse(Buffer("<TITLE>x</TITLE><P>text"), set, {}, "f.htm", info));
  EXPECT_EQ(log, "");
  EXPECT_EQ(info.Title, "x");
}

TEST(FrameParse, EverySourceKindReadsTheSameDocument) {
  const std::string doc = "<TITLE>t</TITLE>\r\n<FRAMESET COLS=\"30%,*\">\r\n<FRAME SRC=a.htm>\r\n"
                          "<FRAME SRC=b.htm>\r\n</FRAMESET>\r\n";
  const TTempFile file(doc);
  cl::TMemoryStream stream;
  stream.WriteBuffer(doc.data(), static_cast<std::int32_t>(doc.size()));  // left at its end: read from the start
  cl::TStringList lines;
  lines.SetText(doc);
  const TDocumentSource sources[] = {TDocumentSource::File(file.Name()), Buffer(doc),
                                     TDocumentSource::FromStrings(lines), TDocumentSource::FromStream(stream)};
  for (const TDocumentSource& source : sources) {
    EXPECT_TRUE(IsFrameDocument(source, {})) << int(source.Kind);
    std::string log;
    TRecordingSet set(log);
    TFrameDocumentInfo info;
    EXPECT_TRUE(FrameParse(source, set, {}, "f.htm", info)) << int(source.Kind);
    EXPECT_EQ(log, "[C=30%,* f:a.htm f:b.htm]") << int(source.Kind);
  }
}

TEST(FrameParse, FailuresKeepWhatWasBuiltAndOnlyMissingFilesRaise) {
  // "<!" without its end is the tokenizer's parse error.
  const std::string broken = "<FRAMESET><FRAME SRC=a></FRAMESET> text <!-- never closed";
  const TTempFile file(broken);
  for (const TDocumentSource& source : {Buffer(broken), TDocumentSource::File(file.Name())}) {
    std::string log;
    TRecordingSet set(log);
    TFrameDocumentInfo info;
    EXPECT_TRUE(FrameParse(source, set, {}, "f.htm", info));
    EXPECT_EQ(log, "[ f:a]");
    EXPECT_FALSE(IsFrameDocument(TDocumentSource::FromBuffer("<!-- x", 6), {}));
  }
  // A handler that fails in the middle of a set: the set was never finished.
  TFrameParseHandlers failing;
  failing.Script = [](cl::TObject*, const std::string&, const std::string&) {
    throw cl::Exception("script failed");
  };
  std::string log;
  TRecordingSet set(log);
  TFrameDocumentInfo info;
  const std::string doc = "<FRAMESET><FRAME SRC=a><SCRIPT>x</SCRIPT><FRAME SRC=b></FRAMESET>";
  EXPECT_FALSE(FrameParse(Buffer(doc), set, failing, "f.htm", info));
  EXPECT_EQ(log, "[ f:a");
  const TTempFile scripted(doc);
  EXPECT_THROW(FrameParse(TDocumentSource::File(scripted.Name()), set, failing, "f.htm", info), cl::Exception);

  const cl::testing::TempDirectory dir;
  const std::string missing = dir / "no_such_dir/none.htm";
  EXPECT_THROW(IsFrameDocument(TDocumentSource::File(missing), {}), cl::EInOutError);
  EXPECT_THROW(FrameParse(TDocumentSource::File(missing), set, {}, "f", info), cl::EInOutError);
}

TEST(FrameParse, IncludesAreReadInPlaceOfTheirComment) {
  TFrameParseHandlers handlers;
  handlers.Include = [](cl::TObject*, const std::string& command, cl::TStrings&) {
    return command == "frames" ? std::string("<FRAMESET><FRAME SRC=inc.htm></FRAMESET>") : std::string();
  };
  const std::string doc = "<!--#frames-->";
  EXPECT_TRUE(IsFrameDocument(Buffer(doc), handlers));
  std::string log;
  TRecordingSet set(log);
  TFrameDocumentInfo info;
  EXPECT_TRUE(FrameParse(Buffer(doc), set, handlers, "f.htm", info));
  EXPECT_EQ(log, "[ f:inc.htm]");
}

}  // namespace

}  // namespace html
