// The station-list library as its callers use it, on the sample lists copied
// into a temporary Windows directory's LST.
#include "suite/branlst/branlst.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Name(const tStationRecord& s) { return std::string(s.name, s.nameLength); }

class Branlst : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/branlst-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::copy(fs::path(BRANNIK_SOURCE_ROOT) / "suite/data/lst", dir_ / "LST");
    setenv("BRANNIK_WINDIR", dir_.c_str(), 1);
    SIDCCLOSEFILES();
  }
  void TearDown() override {
    SIDCCLOSEFILES();
    unsetenv("BRANNIK_WINDIR");
    fs::remove_all(dir_);
  }
  void WriteList(const std::string& file, const std::string& text) const {
    std::ofstream(dir_ / "LST" / file, std::ios::binary) << text;
  }

  fs::path dir_;
};

TEST_F(Branlst, SampleListsAnswer) {
  ShortString name{};
  ASSERT_EQ(SIDCCHECKBKLSTFILE(1, &name), 0);
  EXPECT_EQ(name.Str(), "Celost\xE1tn\xED s\xED\x9D");
  EXPECT_EQ(SIDCGETBKLSTCOUNT(1), 4);
  EXPECT_EQ(SIDCGETBKLSTCOUNT(2), 2);

  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  ASSERT_EQ(SIDCGETPOINTBYIDX(1, 1, &station, &location, &country), 0);
  EXPECT_EQ(Name(station), "Pobo\xE8ka Brno");
  EXPECT_EQ(int{station.weekMask}, 127);
  EXPECT_EQ(int{station.fromMinute}, 0);
  EXPECT_EQ(int{station.toMinute}, 1440);
  EXPECT_EQ(std::string(station.phone, station.phoneLength), "541234");
  EXPECT_EQ(std::uint32_t{station.stationId}, 136368u);
  EXPECT_EQ(int{station.flags}, 80);
  EXPECT_EQ(std::string(location.place, location.placeLength), "Brno-st\xF8" "ed");
  EXPECT_EQ(std::string(location.area, location.areaLength), "5");
  EXPECT_EQ(country.Str(), "420");
  EXPECT_EQ(SIDCHASACCESS(&station.access), 1);

  // Ostrava may not be reached; Plzeň is not available.
  ASSERT_EQ(SIDCGETPOINTBYIDX(1, 2, &station, &location, &country), 0);
  EXPECT_EQ(SIDCHASACCESS(&station.access), 0);
  EXPECT_EQ(SIDCGETPOINTBYIDX(1, 3, &station, &location, &country), 1);
}

TEST_F(Branlst, MissingListsAndStations) {
  ShortString name = ShortString::From("stale");
  EXPECT_EQ(SIDCCHECKBKLSTFILE(3, &name), 1);
  EXPECT_EQ(SIDCCHECKBKLSTFILE(1000, &name), 1);
  EXPECT_EQ(SIDCGETBKLSTCOUNT(3), 0);
  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  for (const std::int32_t index : {-1, 4, 1 << 30})
    EXPECT_EQ(SIDCGETPOINTBYIDX(1, index, &station, &location, &country), 1) << index;
  EXPECT_EQ(SIDCHASACCESS(nullptr), 0);
}

TEST_F(Branlst, StationById) {
  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  ASSERT_EQ(SIDCGETPOINTBYSID(153968, &station, &location, &country), 0);
  EXPECT_EQ(Name(station), "Pobo\xE8ka Ko\x9Aice");
  EXPECT_EQ(country.Str(), "421");
  EXPECT_EQ(SIDCGETPOINTBYSID(999999, &station, &location, &country), 1);
}

TEST_F(Branlst, InvalidListsAreRefused) {
  const char* const texts[] = {
      "",                                          // no name
      "\r\nA|1|0|0|1|1|0|P|2|420|0|1\r\n",         // empty name
      "L\r\nA|1|0|0|1|1|0|P|2|420|0\r\n",          // a field missing
      "L\r\nA|1|0|2000|1|1|0|P|2|420|0|1\r\n",     // past the end of the day
      "L\r\nA|1|0|0|12345678901234|1|0|P|2|420|0|1\r\n",  // phone of 14
      "L\r\nA|x|0|0|1|1|0|P|2|420|0|1\r\n",        // no number
  };
  for (const char* text : texts) {
    WriteList("BKlst.007", text);
    SIDCCLOSEFILES();
    ShortString name{};
    EXPECT_EQ(SIDCCHECKBKLSTFILE(7, &name), 1) << text;
    EXPECT_EQ(SIDCGETBKLSTCOUNT(7), 0) << text;
  }
}

TEST_F(Branlst, FieldsOfBlanksReadAsEmptyTexts) {
  WriteList("BKlst.007", "L\r\n   |1|0|0|  |5|0| |  |420|0|1\r\n");
  SIDCCLOSEFILES();
  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  ASSERT_EQ(SIDCGETPOINTBYIDX(7, 0, &station, &location, &country), 0);
  EXPECT_EQ(station.nameLength, 0);
  EXPECT_EQ(station.phoneLength, 0);
  EXPECT_EQ(location.placeLength, 0);
  EXPECT_EQ(location.areaLength, 0);
  const std::uint32_t id = station.stationId;  // packed: no reference binds to it
  EXPECT_EQ(id, 5u);
  EXPECT_EQ(country.Str(), "420");
}

TEST_F(Branlst, NameOfFortyOneCharactersAndRereadAfterClosing) {
  const std::string longName(41, 'N');
  WriteList("BKlst.007", "L\n" + longName + "|1|0|0|1|5|0|P|2|420|0|1\n");
  SIDCCLOSEFILES();
  tStationRecord station{};
  tLocationRecord location{};
  ShortString country{};
  ASSERT_EQ(SIDCGETPOINTBYIDX(7, 0, &station, &location, &country), 0);
  EXPECT_EQ(Name(station), longName);
  WriteList("BKlst.007", "L\n" + longName + "N|1|0|0|1|5|0|P|2|420|0|1\n");
  // Read once until the files are closed.
  EXPECT_EQ(SIDCGETBKLSTCOUNT(7), 1);
  SIDCCLOSEFILES();
  EXPECT_EQ(SIDCGETBKLSTCOUNT(7), 0);
}

}  // namespace
