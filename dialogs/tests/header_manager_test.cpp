#include "dialogs/header_manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "platform/core/exception.h"
#include "platform/gui/header.h"
#include "platform/gui/test_support/gui_test.h"
#include "file_bytes.h"

namespace {

using dlg::tHeaderManager;

constexpr std::size_t recordSize = 1158;

dlg::TextSource Texts(std::map<std::uint16_t, std::string> table) {
  return [table = std::move(table)](std::uint16_t n) {
    const auto found = table.find(n);
    return found == table.end() ? std::string() : found->second;
  };
}

std::int32_t WidthAt(const std::vector<char>& file, std::size_t record, int h, int s) {
  std::int32_t width = 0;
  std::memcpy(&width, file.data() + 32 + record * recordSize + 2 + 4 * (17 * h + s), 4);
  return width;
}

std::uint16_t KeyAt(const std::vector<char>& file, std::size_t record) {
  std::uint16_t key = 0;
  std::memcpy(&key, file.data() + 32 + record * recordSize, 2);
  return key;
}

TEST(HeaderManager, CaptionTable) {
  cl::testing::TempDirectory dir;
  const tHeaderManager manager(dir / "p.hdr", 0x4000,
                               Texts({{0x4000, " 120 | Name "},
                                      {0x4001, "Name"},
                                      {0x4002, "abc|Name"},
                                      {0x4003, std::string(40, 'x')},
                                      // Header 1: its section 0 is text 0x4010.
                                      {0x4010, "55|Phone"}}));
  const auto row = manager.HeaderSections(0);
  ASSERT_EQ(row.size(), 4u);
  EXPECT_EQ(row[0].width, 120);
  EXPECT_EQ(row[0].caption, "Name");
  EXPECT_EQ(row[1].width, 40);
  EXPECT_EQ(row[2].width, 40);
  EXPECT_EQ(row[2].caption, "Name");
  EXPECT_EQ(row[3].caption, std::string(31, 'x'));
  // The default width counts the caption before it is cut.
  EXPECT_EQ(row[3].width, 400);
  const auto second = manager.HeaderSections(1);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].width, 55);
  EXPECT_TRUE(manager.HeaderSections(17).empty());
  EXPECT_TRUE(manager.HeaderSections(-1).empty());
}

TEST(HeaderManager, WidthBeforeTheBarIsReadAsASignedDecimalInteger) {
  struct Case {
    const char* text;
    std::int32_t width;
    const char* caption;
  };
  const Case cases[] = {
      {"+7|Abc", 7, "Abc"},
      {" +12 |Abc", 12, "Abc"},
      {"-3|Abc", -3, "Abc"},
      {"+-7|Abc", 30, "Abc"},
      {"+|Abc", 30, "Abc"},
      {"7x|Abc", 30, "Abc"},
      {"0x10|Abc", 30, "Abc"},
      {"99999999999|Abc", 30, "Abc"},
      {"|Abcd", 40, "Abcd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    cl::testing::TempDirectory dir;
    const tHeaderManager manager((dir / "p.hdr"), 0x4000, Texts({{0x4000, c.text}}));
    const auto row = manager.HeaderSections(0);
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].width, c.width);
    EXPECT_EQ(row[0].caption, c.caption);
  }
}

TEST(HeaderManager, SixteenCaptionsAtMostPerHeader) {
  std::map<std::uint16_t, std::string> table;
  for (int n = 0; n < 32; ++n) table[0x4000 + n] = "10|C" + std::to_string(n);
  cl::testing::TempDirectory dir;
  const tHeaderManager manager(dir / "p.hdr", 0x4000, Texts(table));
  const auto first = manager.HeaderSections(0);
  ASSERT_EQ(first.size(), 16u);
  EXPECT_EQ(first.back().caption, "C15");
  EXPECT_EQ(manager.HeaderSections(1).front().caption, "C16");
}

TEST(HeaderManager, NoLayoutWithoutTheBaseText) {
  cl::testing::TempDirectory dir;
  const tHeaderManager manager(dir / "p.hdr", 0x4000, Texts({{0x4001, "10|A"}}));
  EXPECT_TRUE(manager.HeaderSections(0).empty());
}

TEST(HeaderManager, ThreeKeysShareOneFile) {
  cl::testing::TempDirectory dir;
  const std::string file = dir / "p.hdr";
  const std::uint16_t keys[] = {0x4000, 0x4100, 0x4200};
  auto textsFor = [](std::uint16_t key) { return Texts({{key, "10|A"}, {std::uint16_t(key + 1), "20|B"}}); };
  for (int round = 0; round < 2; ++round)
    for (const auto key : keys) {
      tHeaderManager manager(file, key, textsFor(key));
      const std::int32_t widths[] = {key / 0x100 + round, 7};
      EXPECT_NO_THROW(manager.StoreHeaderWidths(widths, 0));
      EXPECT_THROW(manager.StoreHeaderWidths(widths, 17), cl::Exception);
    }
  const auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 32 + 3 * recordSize);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[13], 32);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(KeyAt(bytes, i), keys[i]);
    EXPECT_EQ(WidthAt(bytes, i, 0, 0), keys[i] / 0x100 + 1);
  }
  for (const auto key : keys) {
    const tHeaderManager manager(file, key, textsFor(key));
    const auto row = manager.HeaderSections(0);
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0].width, key / 0x100 + 1);
    EXPECT_EQ(row[1].width, 7);
  }
}

TEST(HeaderManager, PartialRecordIsCutBeforeAppending) {
  cl::testing::TempDirectory dir;
  const std::string file = dir / "p.hdr";
  { tHeaderManager manager(file, 0x4100, Texts({{0x4100, "10|A"}})); }
  auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 32 + recordSize);
  bytes.pop_back();  // 32 + 1157: the record of 0x4100 is no longer whole
  WriteBytes(file, bytes);
  {
    tHeaderManager manager(file, 0x4100, Texts({{0x4100, "10|A"}}));
    const std::int32_t widths[] = {99};
    manager.StoreHeaderWidths(widths, 0);
  }
  { tHeaderManager other(file, 0x4200, Texts({{0x4200, "10|A"}})); }
  bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 32 + 2 * recordSize);
  EXPECT_EQ(KeyAt(bytes, 0), 0x4100);
  EXPECT_EQ(WidthAt(bytes, 0, 0, 0), 99);
  EXPECT_EQ(KeyAt(bytes, 1), 0x4200);
  const tHeaderManager again(file, 0x4100, Texts({{0x4100, "10|A"}}));
  EXPECT_EQ(again.HeaderSections(0)[0].width, 99);
}

TEST(HeaderManager, ForeignFileIsReplaced) {
  cl::testing::TempDirectory dir;
  const std::string file = dir / "p.hdr";
  WriteBytes(file, std::vector<char>(32 + recordSize, 'Z'));
  {
    const tHeaderManager manager(file, 0x4000, Texts({{0x4000, "10|A"}}));
    EXPECT_EQ(manager.HeaderSections(0)[0].width, 10);
  }
  const auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 32 + recordSize);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'K');
  EXPECT_EQ(KeyAt(bytes, 0), 0x4000);
}

TEST(HeaderManager, StoredWidthsOutsideTheRangeKeepDefaults) {
  cl::testing::TempDirectory dir;
  const std::string file = dir / "p.hdr";
  auto texts = Texts({{0x4000, "10|A"}, {0x4001, "20|B"}, {0x4002, "30|C"}, {0x4003, "40|D"}});
  {
    tHeaderManager manager(file, 0x4000, texts);
    const std::int32_t widths[] = {-5, 2001, 0, 44};
    manager.StoreHeaderWidths(widths, 0);
  }
  const tHeaderManager manager(file, 0x4000, texts);
  const auto row = manager.HeaderSections(0);
  ASSERT_EQ(row.size(), 4u);
  EXPECT_EQ(row[0].width, 10);
  EXPECT_EQ(row[1].width, 20);
  // A zero keeps this section and the later ones at their defaults.
  EXPECT_EQ(row[2].width, 30);
  EXPECT_EQ(row[3].width, 40);
}

}  // namespace

namespace {

struct Shown {
  std::string caption;
  std::int32_t width;
  friend bool operator==(const Shown&, const Shown&) = default;
};

std::vector<Shown> SectionsOf(const cl::THeader& header) {
  std::vector<Shown> shown;
  for (int s = 0; s < header.SectionCount(); ++s) shown.push_back({header.SectionText(s), header.SectionWidth(s)});
  return shown;
}

TEST(HeaderManager, ApplyToHeaderKeepsTheLeftLayoutsWidthsAndShowsTheOther) {
  cl::testing::EnsureGuiTestApplication();
  cl::testing::TempDirectory dir;
  const std::string file = dir / "p.hdr";
  // Header 0: Name, Place; header 1 (texts from 0x4000 + 16): Number.
  auto texts = Texts({{0x4000, "100|Name"}, {0x4001, "Place"}, {0x4010, "70|Number"}});
  cl::THeader header(nullptr);
  {
    tHeaderManager manager(file, 0x4000, texts);
    manager.ApplyToHeader(header, 0, 0);
    EXPECT_EQ(SectionsOf(header), (std::vector<Shown>{{"Name", 100}, {"Place", 50}}));
    header.SetSectionWidth(1, 80);
    manager.ApplyToHeader(header, 0, 1);
    EXPECT_EQ(SectionsOf(header), (std::vector<Shown>{{"Number", 70}}));
    manager.ApplyToHeader(header, 1, 0);
    EXPECT_EQ(SectionsOf(header), (std::vector<Shown>{{"Name", 100}, {"Place", 80}}));
    // Refused: the header stays as it is.
    EXPECT_THROW(manager.ApplyToHeader(header, 0, 17), cl::Exception);
    EXPECT_THROW(manager.ApplyToHeader(header, 0, -1), cl::Exception);
    EXPECT_EQ(SectionsOf(header), (std::vector<Shown>{{"Name", 100}, {"Place", 80}}));
    // A layout to keep that does not exist keeps nothing; the other shows.
    header.SetSectionWidth(0, 90);
    manager.ApplyToHeader(header, 17, 0);
    EXPECT_EQ(SectionsOf(header), (std::vector<Shown>{{"Name", 100}, {"Place", 80}}));
    header.SetSectionWidth(0, 120);
    EXPECT_NO_THROW(manager.StoreHeaderWidths(header, 0));
    EXPECT_THROW(manager.StoreHeaderWidths(header, 17), cl::Exception);
  }
  // The dragged widths come back from the file with the next manager.
  tHeaderManager again(file, 0x4000, texts);
  cl::THeader fresh(nullptr);
  again.ApplyToHeader(fresh, 0, 0);
  EXPECT_EQ(SectionsOf(fresh), (std::vector<Shown>{{"Name", 120}, {"Place", 80}}));
}

}  // namespace
