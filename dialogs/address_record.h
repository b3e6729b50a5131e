#pragma once

#include <cstddef>
#include <cstdint>

#include "dialogs/fixed_string.h"

namespace dlg {

// One address as the recipient chooser exchanges it with the calling
// program; arrays of it lie back to back.
#pragma pack(push, 1)
struct tAddressRecord {
  std::uint8_t Kind;  // 1 station row, 2 phone number, 3 station URL
  FixedString<255> Url;
  FixedString<255> Description;
  std::uint8_t UseFor;
  std::uint16_t Tag;
  FixedString<255> Extra1;  // empty: absent
  FixedString<255> Extra2;
  FixedString<255> Extra3;
  FixedString<255> Extra4;
};
#pragma pack(pop)
static_assert(sizeof(tAddressRecord) == 1540);
static_assert(offsetof(tAddressRecord, Url) == 1);
static_assert(offsetof(tAddressRecord, Description) == 257);
static_assert(offsetof(tAddressRecord, UseFor) == 513);
static_assert(offsetof(tAddressRecord, Tag) == 514);
static_assert(offsetof(tAddressRecord, Extra1) == 516);
static_assert(offsetof(tAddressRecord, Extra2) == 772);
static_assert(offsetof(tAddressRecord, Extra3) == 1028);
static_assert(offsetof(tAddressRecord, Extra4) == 1284);

}  // namespace dlg
