#pragma once

#include <string>
#include <string_view>

namespace utl {

// A phone text: country "-" area "-" number, e.g. '+420-603-123456'.
struct PhoneParts {
  std::string country;  // at most CountryLimit characters
  std::string area;     // at most AreaLimit characters
  std::string number;   // at most NumberLimit characters
};

inline constexpr std::size_t CountryLimit = 6;
inline constexpr std::size_t AreaLimit = 6;
inline constexpr std::size_t NumberLimit = 13;

// The process's defaults for a missing country and area ("+420", "603" at
// load): one pair a process, defined by the utility library's process units
// (phone_defaults.cpp) or, in the dialog library, by libbranutl.so's.
void URISETDEFAULTCOUNTRY(std::string_view country);
std::string URIGETDEFAULTCOUNTRY();
void URISETDEFAULTCITY(std::string_view area);
std::string URIGETDEFAULTCITY();

PhoneParts URISPLITPHONE(std::string_view phone);
// Country "-" area "-" number, missing parts from the arguments or the defaults.
std::string URIFULLPHONE(std::string_view phone, std::string_view country, std::string_view area);
std::string URIINTERNATIONALPHONE(std::string_view phone);
std::string URINATIONALPHONE(std::string_view phone);
std::string URIMUNICIPALPHONE(std::string_view phone);
// "0" in front of a non-empty area that lacks it.
std::string URINATIONALPREFIX(std::string_view area);
// "+" in front of a non-empty country that lacks it.
std::string URIINTERNATIONALSTATE(std::string_view country);
// Whether the phone lies in the country (with "+") and area (with "0").
bool URICOMPARECITY(std::string_view phone, std::string_view country, std::string_view area);

}  // namespace utl
