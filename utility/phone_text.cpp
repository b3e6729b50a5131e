#include "utility/phone_text.h"

#include "platform/core/blank_trim.h"
#include "utility/same_text.h"

namespace utl {
namespace {

std::string Cut(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, limit));
}

void DropLeadingZero(std::string& area) {
  if (!area.empty() && area[0] == '0') area.erase(0, 1);
}

}  // namespace

// The parts are cut from views of the phone: a book's load splits one a line.
PhoneParts URISPLITPHONE(std::string_view phone) {
  PhoneParts parts;
  const std::string_view text = cl::TrimOf(phone, " ");
  if (text.empty()) return parts;

  const auto lastDash = text.rfind('-');
  if (lastDash == std::string_view::npos) {
    parts.number = Cut(text, NumberLimit);
    return parts;
  }
  parts.number = Cut(cl::TrimOf(text.substr(lastDash + 1), " "), NumberLimit);
  const std::string_view rest = cl::TrimOf(text.substr(0, lastDash), " ");
  if (rest.empty()) return parts;

  const auto areaDash = rest.rfind('-');
  if (areaDash != std::string_view::npos) {
    parts.area = Cut(cl::TrimOf(rest.substr(areaDash + 1), " "), AreaLimit);
    const std::string_view countryPart = cl::TrimOf(rest.substr(0, areaDash), " ");
    if (!countryPart.empty()) {
      DropLeadingZero(parts.area);
      parts.country = Cut(URIINTERNATIONALSTATE(countryPart), CountryLimit);
    }
  } else {
    parts.area = Cut(rest, AreaLimit);
    if (parts.area[0] != '0') parts.area = Cut("0" + parts.area, AreaLimit);
  }
  return parts;
}

std::string URIFULLPHONE(std::string_view phone, std::string_view country, std::string_view area) {
  PhoneParts parts = URISPLITPHONE(phone);
  if (parts.country.empty())
    parts.country = Cut(country.empty() ? std::string_view(URIGETDEFAULTCOUNTRY()) : country,
                        CountryLimit);
  parts.country = Cut(URIINTERNATIONALSTATE(parts.country), CountryLimit);
  if (parts.area.empty())
    parts.area = Cut(area.empty() ? std::string_view(URIGETDEFAULTCITY()) : area, AreaLimit);
  DropLeadingZero(parts.area);
  return parts.country + "-" + parts.area + "-" + parts.number;
}

std::string URIINTERNATIONALPHONE(std::string_view phone) {
  PhoneParts parts = URISPLITPHONE(phone);
  if (parts.country.empty()) parts.country = URIGETDEFAULTCOUNTRY();
  if (parts.area.empty()) parts.area = URIGETDEFAULTCITY();
  return URIINTERNATIONALSTATE(parts.country) + "-" + parts.area + "-" + parts.number;
}

std::string URINATIONALPHONE(std::string_view phone) {
  PhoneParts parts = URISPLITPHONE(phone);
  if (parts.area.empty()) parts.area = URIGETDEFAULTCITY();
  return URINATIONALPREFIX(parts.area) + "-" + parts.number;
}

std::string URIMUNICIPALPHONE(std::string_view phone) { return URISPLITPHONE(phone).number; }

std::string URINATIONALPREFIX(std::string_view area) {
  if (area.empty() || area[0] == '0') return std::string(area);
  return "0" + std::string(area);
}

std::string URIINTERNATIONALSTATE(std::string_view country) {
  if (country.empty() || country[0] == '+') return std::string(country);
  return "+" + std::string(country);
}

bool URICOMPARECITY(std::string_view phone, std::string_view country, std::string_view area) {
  const PhoneParts parts = URISPLITPHONE(phone);
  return SameText(URIINTERNATIONALSTATE(parts.country), country) &&
         SameText(URINATIONALPREFIX(parts.area), area);
}

}  // namespace utl
