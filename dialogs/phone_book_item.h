#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "dialogs/fixed_string.h"

namespace dlg {

// One phone-book entry. Callers of the library hold it, so its layout is
// fixed: a type tag where the object's class would be, then the fields.
struct tPhoneBookItem {
  static constexpr std::uint32_t TypeTag = 0x4B425042;  // "BPBK"

  std::uint32_t Tag = TypeTag;
  std::uint8_t Reserved = 0;
  std::uint8_t Taken = 0;
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
  // The entry's line, CR LF ended.
  std::string Line() const;
  void SetUseForFromFlags(std::uint8_t flags);
  void LimitUseFor(std::uint8_t flags);
  // Country "-" Area "-" Number.
  std::string PhoneText() const;
};
static_assert(std::is_standard_layout_v<tPhoneBookItem>);
static_assert(sizeof(tPhoneBookItem) == 136);
static_assert(offsetof(tPhoneBookItem, Reserved) == 4);
static_assert(offsetof(tPhoneBookItem, Taken) == 5);
static_assert(offsetof(tPhoneBookItem, Name) == 8);
static_assert(offsetof(tPhoneBookItem, Company) == 40);
static_assert(offsetof(tPhoneBookItem, Country) == 104);
static_assert(offsetof(tPhoneBookItem, Area) == 111);
static_assert(offsetof(tPhoneBookItem, Number) == 118);
static_assert(offsetof(tPhoneBookItem, UseFor) == 132);

// A caller's object is taken for an entry only with the entry's tag.
bool IsPhoneBookItem(const void* object) noexcept;

// Takes the next field off the front of a phone-book line.
std::string TakeField(std::string& line);
std::string_view TakeField(std::string_view& line);

}  // namespace dlg
