#include <gtest/gtest.h>

#include <map>
#include <string>

#include "utility/code_pages.h"
#include "utility/library_units.h"

namespace {

TEST(WeekdayMarks, ComeFromTheTextLibraryAtLoad) {
  StartLibraryUnits();
  const char* longMarks[] = {"Po", "\xDAt", "St", "\xC8t", "P\xE1", "So", "Ne"};
  const char* shortMarks[] = {"po", "\xFAt", "st", "\xE8t", "p\xE1", "so", "ne"};
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(utl::LongWeekdayMark(day), longMarks[day]) << day;
    EXPECT_EQ(utl::ShortWeekdayMark(day), shortMarks[day]) << day;
  }
  StopLibraryUnits();
}

TEST(WeekdayMarks, AreCutToTwoCharactersAndAMissingTextLeavesAnEmptyMark) {
  const std::map<std::uint16_t, std::string> texts{
      {128, "Monday"}, {129, "T"}, {131, "Th"}, {135, "Mo."}, {141, "S"}};
  utl::LoadTextTables([&](std::uint16_t number) {
    const auto found = texts.find(number);
    return found == texts.end() ? std::string() : found->second;
  });
  const char* longMarks[] = {"Mo", "T", "", "Th", "", "", ""};
  const char* shortMarks[] = {"Mo", "", "", "", "", "", "S"};
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(utl::LongWeekdayMark(day), longMarks[day]) << day;
    EXPECT_EQ(utl::ShortWeekdayMark(day), shortMarks[day]) << day;
  }
  EXPECT_EQ(utl::LongWeekdayMark(7), "");
  EXPECT_EQ(utl::ShortWeekdayMark(-1), "");
}

}  // namespace
