#include <gtest/gtest.h>

#include <string>

#include "html/frames/frame_attributes.h"
#include "html/frames/frame_error_document.h"
#include "html/frames/frame_source.h"
#include "html/parse/html_tokenizer.h"
#include "html/frames/meta_refresh.h"
#include "utility/path_names.h"

namespace html {

namespace {

// The attributes of the first tag of a text, as the tokenizer reads them.
TAttributeList TagAttributes(const std::string& tag) {
  THtmlTokenizer tokenizer;
  tokenizer.OpenBuffer(tag.data(), static_cast<std::int32_t>(tag.size()));
  tokenizer.Start();
  return tokenizer.TakeAttributeList();
}

TEST(FrameLinks, LinksExpandAgainstTheDocumentOrItsBase) {
  struct Case {
    const char* link;
    const char* base;
    const char* root;
    std::string expected;
  };
  const Case cases[] = {
      {"a.htm", "", "", "C:\\docs\\a.htm"},
      {"  a.htm  ", "", "", "C:\\docs\\a.htm"},
      {"Sub/B.htm", "", "", "C:\\docs\\sub\\b.htm"},
      {"file:///C|/Docs/A%20B.htm", "", "", "c:\\docs\\a b.htm"},
      {"\\pages\\a.htm", "", "C:\\www", "C:\\www\\pages\\a.htm"},
      // A path from the root stays one without a server root.
      {"\\pages\\a.htm", "", "", "\\pages\\a.htm"},
      {"/tmp/x.htm", "", "", "\\tmp\\x.htm"},
      {"x.htm", "C:\\web\\", "", "C:\\web\\x.htm"},
      {"x.htm", "C:\\web\\index.htm", "", "C:\\web\\x.htm"},
      {"x.htm", "dospath", "", utl::FEXPAND("x.htm")},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    const TLinkContext context{"C:\\docs\\", c.base, c.root};
    EXPECT_EQ(ExpandDocumentLink(c.link, context), c.expected) << c.link << " base " << c.base;
  }
}

TEST(FrameLinks, ImageAndTextFilesAreKnownByExtensionInAnyCase) {
  struct Case {
    const char* name;
    bool image;
    bool text;
  };
  const Case cases[] = {
      {"a.gif", true, false},     {"A.JPG", true, false},     {"dir.x\\pic.JPEG", true, false},
      {"b.Bmp", true, false},     {"c.png", true, false},     {"read.TXT", false, true},
      {"page.htm", false, false}, {"dir.gif\\page", false, false}, {"noext", false, false},
      {"a.jpegx", true, false},   // the extension is cut to five characters
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsImageFileName(c.name), c.image) << c.name;
    EXPECT_EQ(IsTextFileName(c.name), c.text) << c.name;
  }
}

TEST(FrameLinks, FileNamesThatDifferInCaseAreDifferentFiles) {
  EXPECT_TRUE(SameFileName("/tmp/a.htm", "/tmp/a.htm"));
  EXPECT_FALSE(SameFileName("/tmp/a.htm", "/tmp/A.htm"));
  EXPECT_EQ(SplitAnchor("page.htm#part#2").File, "page.htm");
  EXPECT_EQ(SplitAnchor("page.htm#part#2").Anchor, "#part#2");
  EXPECT_EQ(SplitAnchor("#top").File, "");
  EXPECT_EQ(SplitAnchor("page.htm").Anchor, "");
}

TEST(FrameLinks, FrameTagGivesNameSourceAndOptions) {
  const TLinkContext context{"C:\\docs\\", "", ""};
  const TFrameAttributes frame = ReadFrameAttributes(
      TagAttributes("<FRAME NAME=Main SRC=\" Sub/Page.htm#Part \" NORESIZE SCROLLING=no "
                    "MARGINWIDTH=3 MARGINHEIGHT=0>"),
      context, false);
  EXPECT_EQ(frame.TargetName, "Main");
  EXPECT_EQ(frame.SourceFile, "C:\\docs\\sub\\page.htm");
  EXPECT_EQ(frame.Anchor, "#Part");
  EXPECT_TRUE(frame.FixedSize);
  EXPECT_TRUE(frame.NoScrollBars);
  EXPECT_EQ(frame.MarginX, 3);
  EXPECT_EQ(frame.MarginY, 0);

  const TFrameAttributes plain = ReadFrameAttributes(TagAttributes("<FRAME SCROLLING=auto>"), context, false);
  EXPECT_EQ(plain.SourceFile, "");
  EXPECT_EQ(plain.TargetName, "");
  EXPECT_FALSE(plain.FixedSize);
  EXPECT_FALSE(plain.NoScrollBars);
  EXPECT_EQ(plain.MarginX, 10);
  EXPECT_EQ(plain.MarginY, 5);

  // Documents the application supplies are asked for by the name as written.
  const TFrameAttributes requested = ReadFrameAttributes(TagAttributes("<FRAME SRC=\"Sub/Page.htm#x\">"), context, true);
  EXPECT_EQ(requested.SourceFile, "Sub/Page.htm");
  EXPECT_EQ(requested.Anchor, "#x");
}

TEST(FrameLinks, MetaRefreshNeedsADelayAndAUrl) {
  struct Case {
    const char* equiv;
    const char* content;
    int seconds;  // 0: no refresh
    const char* link;
  };
  const Case cases[] = {
      {"refresh", "5;url=next.htm", 5, "next.htm"},
      {"Refresh", " 10 ; URL= other.htm ", 10, "other.htm"},
      {"REFRESH", "1;Url=Sub/A.htm#x", 1, "Sub/A.htm#x"},
      {"refresh", "0;url=next.htm", 0, ""},
      {"refresh", "5", 0, ""},
      {"refresh", "5;next.htm", 0, ""},
      {"refresh", "x5;url=a", 0, ""},
      {"refresh", ";url=a", 0, ""},
      {"refresh", "99999999999;url=a", 0, ""},
      {"expires", "5;url=next.htm", 0, ""},
  };
  for (const Case& c : cases) {
    const auto refresh = ParseMetaRefresh(c.equiv, c.content);
    if (c.seconds == 0) {
      EXPECT_FALSE(refresh) << c.content;
    } else {
      ASSERT_TRUE(refresh) << c.content;
      EXPECT_EQ(refresh->Seconds, c.seconds);
      EXPECT_EQ(refresh->Link, c.link);
    }
  }
}

TEST(FrameLinks, ErrorDocumentShowsTheNameEscapedAndCut) {
  EXPECT_EQ(FrameErrorDocument("C:\\docs\\a.htm"),
            "<p><img src=\"qw%&.bmp\" alt=\"Error\"> Can't load C:\\docs\\a.htm");
  EXPECT_EQ(FrameErrorDocument("/tmp/<b>&x.htm"),
            "<p><img src=\"qw%&.bmp\" alt=\"Error\"> Can't load /tmp/&lt;b&gt;&amp;x.htm");
  const std::string longDocument = FrameErrorDocument(std::string(300, 'a'));
  EXPECT_EQ(longDocument.size(), 255u);
  // An entity that would not fit whole is left out.
  const std::string prefix = FrameErrorDocument("");
  const std::string nearEnd = FrameErrorDocument(std::string(255 - prefix.size() - 2, 'a') + "&");
  EXPECT_EQ(nearEnd.size(), 253u);
  EXPECT_EQ(nearEnd.back(), 'a');
}

}  // namespace

}  // namespace html
