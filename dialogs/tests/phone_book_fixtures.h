#pragma once

// Phone-book entries as the dialog tests make them.

#include <cstdint>
#include <string>

#include "dialogs/phone_book_item.h"

namespace dlg::testing {

inline tPhoneBookItem Entry(const std::string& name, const std::string& company, const std::string& country,
                            const std::string& area, const std::string& number, std::uint8_t useFor) {
  tPhoneBookItem e;
  e.Name.Assign(name);
  e.Company.Assign(company);
  e.Country.Assign(country);
  e.Area.Assign(area);
  e.Number.Assign(number);
  e.UseFor = useFor;
  return e;
}

}  // namespace dlg::testing
