#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/address_item.h"
#include "dialogs/fixed_string.h"

namespace dlg {

// One phone-book entry, the object of a phone row. Callers of the library
// hold it, so its layout is fixed: the class pointer, the two flag bytes of
// tAddressItem, then the fields at the offsets the public header states.
class tPhoneBookItem final : public tAddressItem {
 public:
  std::uint8_t padding1[2] = {};
  FixedString<31> Name{};  // surname, a blank, first name and titles
  FixedString<63> Company{};
  FixedString<6> Country{};
  FixedString<6> Area{};
  FixedString<13> Number{};
  std::uint8_t UseFor = 0;  // 1 the suite's network, 2 fax, 3 SMS
  std::uint8_t padding2[3] = {};

  // Parses one phone-book line.
  static tPhoneBookItem FromLine(std::string_view line);
  // Copies the flag bytes, the texts and UseFor.
  void Assign(const tPhoneBookItem& source);
  // The entry's line, CR LF ended. Loaded back, it gives an entry whose line
  // is the same.
  std::string Line() const;
  void AppendLine(std::string& out) const;
  void SetUseForFromFlags(std::uint8_t flags);
  void LimitUseFor(std::uint8_t flags);
};

// Takes the next field off the front of a phone-book line.
std::string TakeField(std::string& line);
std::string_view TakeField(std::string_view& line);

}  // namespace dlg
