#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "branutl/station_ids.h"

namespace {

std::string StrSid(tSID sid) {
  ShortString out;
  STRSID(sid, &out);
  return out.Str();
}

bool ValSid(const std::string& text, tSID& sid) {
  const ShortString in = ShortString::From(text);
  return VALSID(&in, &sid);
}

std::string StrUtoCode(std::uint16_t extCode) {
  ShortString out;
  STRUTOCODE(extCode, &out);
  return out.Str();
}

std::uint16_t ValUtoCode(const std::string& text) {
  const ShortString in = ShortString::From(text);
  return VALUTOCODE(&in);
}

int Ones(std::uint32_t v) { return __builtin_popcount(v); }

}  // namespace

TEST(StationIds, CompletedIdsCarryTheirParityAndSubIndex) {
  for (std::uint32_t number : {0u, 1u, 15535u, 65535u})
    for (std::uint32_t code : {1u, 32u, 33u, 999u, 1023u})
      for (std::uint16_t sub : {0, 5, 15, 0x1F}) {
        const tSID sid = COMPLETESID((number << 16) | (code << 6) | 0x3F, sub);
        EXPECT_EQ(sid & 15u, sub & 15u);
        EXPECT_EQ(sid >> 6, (number << 10) | code);
        EXPECT_EQ(Ones(sid & 0xFFDF) % 2, 0) << std::hex << sid;
        EXPECT_EQ((Ones(sid >> 16) + ((sid >> 5) & 1)) % 2, 0) << std::hex << sid;
        EXPECT_TRUE(ISSIDVALID(sid));
        EXPECT_FALSE(ISSIDVALID(sid ^ 0x10));
        EXPECT_FALSE(ISSIDVALID(sid ^ 0x20));
        EXPECT_FALSE(ISSIDVALID(sid ^ 0x40));
        EXPECT_FALSE(ISSIDVALID(sid ^ 0x10000));
      }
}

TEST(StationIds, NullIdIsLeftAloneAndNeverValid) {
  EXPECT_EQ(COMPLETESID(0x30, 5), 0x30u);
  EXPECT_EQ(COMPLETESID(0x3F, 5), 0x3Fu);  // compared by code and number only
  EXPECT_FALSE(ISSIDVALID(0x30));
  EXPECT_EQ(StrSid(0x30), "NO_SID");
  EXPECT_EQ(CMPSID(0x30, 0x00), 0);
}

TEST(StationIds, CompareIgnoresSubIndexAndParity) {
  const tSID a = ASMSID(33, 100, 0);
  EXPECT_EQ(CMPSID(a, a ^ 0x3F), 0);
  EXPECT_EQ(CMPSID(ASMSID(33, 100, 1), ASMSID(33, 100, 9)), 0);
  EXPECT_EQ(CMPSID(ASMSID(33, 100, 0), ASMSID(33, 101, 0)), -1);
  EXPECT_EQ(CMPSID(ASMSID(33, 65535, 0), ASMSID(34, 0, 0)), -1);  // code first
  EXPECT_EQ(CMPSID(ASMSID(34, 0, 0), ASMSID(33, 65535, 0)), 1);
  EXPECT_EQ(CMPSID(0xFFFF0000u, 0x0000FFC0u), -1);  // unsigned fields
}

TEST(StationIds, SplitMovesTheSubIndexOut) {
  tSID sid = ASMSID(40, 7, 11);
  std::uint8_t sub = 0;
  SPLITSID(&sid, &sub);
  EXPECT_EQ(sub, 11);
  EXPECT_EQ(sid, ASMSID(40, 7, 11) & ~15u);
}

TEST(StationIds, AssembledIdsHoldCodeNumberAndSubIndex) {
  const tSID sid = ASMSID(66, 15536, 3);  // 'BB', station 150000
  EXPECT_TRUE(ISSIDVALID(sid));
  EXPECT_EQ((sid >> 6) & 0x3FF, 66u);
  EXPECT_EQ(sid >> 16, 15536u);
  EXPECT_EQ(sid & 15, 3u);
  EXPECT_EQ(UTOASEXTINSID(sid), 66);
  EXPECT_EQ(StrSid(sid), "150000BB");
  EXPECT_EQ(UTOASEXTINSID(ASMSID(5, 0, 0)), 5);  // through UTO code 1018
  EXPECT_EQ((ASMSID(5, 0, 0) >> 6) & 0x3FF, 1018u);
  // An external code beyond ten bits stays out of the number field.
  EXPECT_EQ(ASMSID(2048 + 40, 9, 0) >> 16, 9u);
}

TEST(StationIds, TextOfWrongParityIsNoSidButShortTextIsAlwaysMade) {
  const tSID sid = ASMSID(66, 15536, 0) ^ 0x20;
  EXPECT_EQ(StrSid(sid), "NO_SID");
  ShortString out;
  STRSIDSHORT(sid, &out);
  EXPECT_EQ(out.Str(), "150000BB");
  STRSIDSHORT(0x30, &out);
  EXPECT_EQ(out.Str(), "13446400");
}

TEST(StationIds, ValSidAcceptsStationTexts) {
  struct Case {
    const char* text;
    std::uint32_t numberField;
    std::uint32_t utoCode;
  } const cases[] = {
      {"134464AA", 0, 33},       {"199999ZZ", 65535, 26 * 32 + 26},
      {" 150000ab ", 15536, 34}, {"150000AB", 15536, 34},
      {"1500000A", 15536, 1006},  // '0' forms give UTO codes from 992 up
      {"00150000A1", 15536, 32 - 15},  // a digit second lowers the code
  };
  for (const Case& c : cases) {
    tSID sid = 0x12345678;
    ASSERT_FALSE(ValSid(c.text, sid)) << c.text;
    EXPECT_TRUE(ISSIDVALID(sid)) << c.text;
    EXPECT_EQ(sid >> 16, c.numberField) << c.text;
    EXPECT_EQ((sid >> 6) & 0x3FF, c.utoCode) << c.text;
    EXPECT_EQ(sid & 15, 0u) << c.text;
  }
}

TEST(StationIds, ValSidRejectsOtherTextsAndKeepsTheId) {
  for (const char* text :
       {"134463AA", "200000AA", "1344AA", "134464A", "134464A-", "", "        ", "134464@A",
        "1344 64AA", "150000 AB", "+150000AB", "1500001A", "150000A@", "99999999999999AA"}) {
    tSID sid = 0x12345678;
    EXPECT_TRUE(ValSid(text, sid)) << text;
    EXPECT_EQ(sid, 0x12345678u) << text;
  }
}

// UTO codes below 32 have external codes that read back as 1023 down to 992.
TEST(StationIds, CodeConversionsAreInverseFrom32To991AndFrom1000Up) {
  for (std::uint16_t u = 0; u < 1024; ++u) {
    const std::uint16_t e = UTOCODETOEXTCODE(u);
    EXPECT_EQ(e, u < 1000 ? u : 1023 - u);
    const bool inverse = (u >= 32 && u < 992) || u >= 1000;
    EXPECT_EQ(EXTCODETOUTOCODE(e), inverse ? u : u < 32 ? 1023 - u : u) << u;
  }
  for (std::uint16_t e = 24; e < 32; ++e) EXPECT_EQ(EXTCODETOUTOCODE(e), 1023 - e);
  for (std::uint16_t u = 992; u < 1000; ++u) EXPECT_EQ(UTOCODETOEXTCODE(u), u);
}

TEST(StationIds, CodeTextsFollowTheExternalCode) {
  struct Case {
    std::uint16_t extCode;
    const char* text;
  } const cases[] = {{0, "00"},   {9, "09"},   {31, "0O"},  {32, "A@"},   {33, "AA"},
                     {66, "BB"},  {999, "_G"}, {1000, "??"}, {65535, "??"}};
  for (const Case& c : cases) EXPECT_EQ(StrUtoCode(c.extCode), c.text) << c.extCode;
}

TEST(StationIds, ValUtoCodeReadsCodeTexts) {
  struct Case {
    const char* text;
    std::uint16_t utoCode;
  } const cases[] = {
      {"AA", 33},       {"  bb", 66},   {"ZZ", 858},  {"0O", 992},   {"00", 1023},
      {"A", 0},         {"", 0},        {"1A", 0},    {"-A", 0},     {"@A", 0},
      {"AAxyz", 33},    {"0Z", 981},    // remainders keep the dividend's sign
      {"\x87" "A", 1},  // code page 895 lower-case letter counts as its capital
      {"`5", 65525},
  };
  for (const Case& c : cases) EXPECT_EQ(ValUtoCode(c.text), c.utoCode) << c.text;
}

TEST(StationIds, EveryStationSurvivesItsTextWhenItsCodeTextIsAlphanumeric) {
  int exact = 0;
  for (std::uint32_t u = 0; u < 1024; ++u) {
    const std::uint16_t e = UTOCODETOEXTCODE(static_cast<std::uint16_t>(u));
    const std::string code = StrUtoCode(e);
    const bool alphanumeric = code.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ") ==
                              std::string::npos;
    for (std::uint32_t number : {0u, 1u, 65534u, 65535u}) {
      const tSID sid = COMPLETESID((number << 16) | (u << 6), 0);
      if (sid == 0) continue;  // the null id has no text
      const std::string text = StrSid(sid);
      ASSERT_EQ(text.size(), 8u) << text;
      tSID back = 0;
      const bool failed = ValSid(text, back);
      EXPECT_EQ(failed, !alphanumeric) << text;
      if (failed) continue;
      // UTO codes below 32 share their text with 1023 down to 992, which no
      // external code reaches otherwise.
      const tSID expected = COMPLETESID((number << 16) | (EXTCODETOUTOCODE(e) << 6), 0);
      EXPECT_EQ(back, expected) << text;
      if (u >= 32) {
        EXPECT_EQ(back, sid) << text;
      }
      exact += back == sid;
    }
  }
  EXPECT_GT(exact, 4 * 600);
}
