#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "browser/exe_link.h"

namespace {

// Expands as the frame viewer would for a document in C:\docs.
std::string Expand(std::string_view name) {
  std::string text(name);
  if (text.rfind("file:///", 0) == 0) return text.substr(8);
  if (text.size() > 1 && text[1] == ':') return text;
  return "C:\\docs\\" + text;
}

}  // namespace

TEST(ExeLink, ProgramLinksStartAndOthersAreLeftToTheViewer) {
  struct Case {
    const char* url;
    std::optional<brw::TExeLink> link;
  } const cases[] = {
      {"setup.exe?/q", brw::TExeLink{"C:\\docs\\setup.exe", "/q"}},
      {"prog.exe", brw::TExeLink{"C:\\docs\\prog.exe", ""}},
      {"PROG.Exe", brw::TExeLink{"C:\\docs\\PROG.Exe", ""}},
      {"tools\\run.exe -a -b?c", brw::TExeLink{"C:\\docs\\tools\\run.exe", "-a -b?c"}},
      {"run.exe?", brw::TExeLink{"C:\\docs\\run.exe", ""}},
      {"C:\\bin\\run.exe /x", brw::TExeLink{"C:\\bin\\run.exe", "/x"}},
      {"file:///D:/bin/run.exe", brw::TExeLink{"D:/bin/run.exe", ""}},
      {"http://host/run.exe", std::nullopt},
      {"BKS://+420-2-1234567", std::nullopt},
      {"ftp://host/run.exe?x", std::nullopt},
      {"page.htm", std::nullopt},
      {"run.exe.htm", std::nullopt},
      {"dir.exe\\page", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto link = brw::ExeLinkTarget(c.url, Expand);
    ASSERT_EQ(link.has_value(), c.link.has_value()) << c.url;
    if (!link) continue;
    EXPECT_EQ(link->Program, c.link->Program) << c.url;
    EXPECT_EQ(link->Parameters, c.link->Parameters) << c.url;
  }
}

TEST(ExeLink, LongLinksAreCutToShortStrings) {
  const std::string url = std::string(300, 'a') + ".exe";
  EXPECT_FALSE(brw::ExeLinkTarget(url, Expand));  // the extension was cut away
  const auto link = brw::ExeLinkTarget("x.exe?" + std::string(300, 'p'), Expand);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->Parameters.size(), 255u - 6);
}
