#pragma once

// Phone-book entries as the dialog tests make them: the library's own objects,
// and entries a calling program builds by the public header.

#include <cstdint>
#include <string>

#include "brandlg/phone_book.h"
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

// A short-string field of a caller's record.
template <std::size_t N>
void SetText(std::uint8_t (&field)[N], const std::string& text) {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  field[0] = static_cast<std::uint8_t>(n);
  text.copy(reinterpret_cast<char*>(field + 1), n);
}

template <std::size_t N>
std::string TextOf(const std::uint8_t (&field)[N]) {
  return std::string(reinterpret_cast<const char*>(field + 1), field[0] < N ? field[0] : N - 1);
}

// An entry as a calling program builds it by the header: all zero, then the fields.
inline ::tPhoneBookItem Record(const std::string& name, const std::string& company, const std::string& country,
                               const std::string& area, const std::string& number, std::uint8_t useFor) {
  ::tPhoneBookItem r{};
  SetText(r.Name, name);
  SetText(r.Company, company);
  SetText(r.Country, country);
  SetText(r.Area, area);
  SetText(r.Number, number);
  r.UseFor = useFor;
  return r;
}

// A row's object as a calling program passes it on: the pointer as it is.
inline const ::tPhoneBookItem* AsPassed(const cl::TObject* object) {
  return reinterpret_cast<const ::tPhoneBookItem*>(object);
}
inline ::tPhoneBookItem* AsPassed(cl::TObject* object) { return reinterpret_cast<::tPhoneBookItem*>(object); }

}  // namespace dlg::testing
