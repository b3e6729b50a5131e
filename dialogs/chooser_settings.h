#pragma once

#include <cstdint>

namespace dlg {

// The recipient chooser's remembered settings: integer keys of the suite's
// configuration (the phone book's name a string). The form keeps the page,
// each page its own keys.
struct tChooserSetting {
  static constexpr std::uint8_t Page = 4;
  static constexpr std::uint8_t StationList = 5;
  static constexpr std::uint8_t StationRow = 6;
  static constexpr std::uint8_t PhoneBook = 7;
  static constexpr std::uint8_t PhoneRow = 8;
  static constexpr std::uint8_t SortKind = 9;
};

}  // namespace dlg
