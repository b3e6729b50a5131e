#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/short_string.h"

// The suite's station lists: list files BKlst.<code> in the list directory.

#pragma pack(push, 1)
// One station as the dialogs read it.
struct tStationRecord {
  std::uint8_t nameLength;  // name: at most 41 characters
  char name[41];
  std::uint8_t weekMask;     // bit 0 Monday .. bit 6 Sunday: days of the service window
  std::uint16_t fromMinute;  // service window, minutes of the day
  std::uint16_t toMinute;
  std::uint8_t phoneLength;  // phone text: at most 13 characters
  char phone[13];
  std::uint32_t stationId;
  std::uint8_t flags;  // 0x40 the suite's own network; 0x08, 0x10, 0x20 the glyph
  std::uint8_t reserved;
  std::uint8_t access;  // 0 anyone may reach the station, 1 nobody
};

// Where a station lies.
struct tLocationRecord {
  std::uint8_t placeLength;  // at most 24 characters
  char place[24];
  std::uint8_t areaLength;  // at most 6 characters
  char area[6];
};
#pragma pack(pop)
static_assert(sizeof(tStationRecord) == 68);
static_assert(offsetof(tStationRecord, weekMask) == 42);
static_assert(offsetof(tStationRecord, fromMinute) == 43);
static_assert(offsetof(tStationRecord, toMinute) == 45);
static_assert(offsetof(tStationRecord, phoneLength) == 47);
static_assert(offsetof(tStationRecord, stationId) == 61);
static_assert(offsetof(tStationRecord, flags) == 65);
static_assert(offsetof(tStationRecord, access) == 67);
static_assert(sizeof(tLocationRecord) == 32);
static_assert(offsetof(tLocationRecord, areaLength) == 25);

extern "C" {

// Lets the next call read the list files again.
void SIDCCLOSEFILES();
// FALSE when the list of that code is valid, with its name filled in.
std::uint8_t SIDCCHECKBKLSTFILE(std::uint16_t listCode, ShortString* name);
// Stations of the list; 0 for a list that is not valid.
std::int32_t SIDCGETBKLSTCOUNT(std::uint16_t listCode);
// TRUE when there is no such station or it is not available.
std::uint8_t SIDCGETPOINTBYIDX(std::uint16_t listCode, std::int32_t index, tStationRecord* station,
                               tLocationRecord* location, ShortString* country);
// The first station of that id in the lists, by list code; TRUE when none.
std::uint8_t SIDCGETPOINTBYSID(std::uint32_t stationId, tStationRecord* station,
                               tLocationRecord* location, ShortString* country);
// TRUE when the user may reach the station of that access field.
std::uint8_t SIDCHASACCESS(const std::uint8_t* access);
}
