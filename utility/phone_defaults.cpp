// The process's defaults for a missing country and area. One pair a process:
// a program links this file once (libbranutl.so does); the dialog library
// reaches libbranutl.so's pair through its exports instead.
#include <mutex>
#include <string>

#include "utility/phone_text.h"

namespace utl {
namespace {

struct PhoneDefaults {
  std::mutex lock;
  std::string country = "+420";
  std::string area = "603";
};

// The lock only keeps a setter on one thread from tearing a string that
// another thread reads.
PhoneDefaults& Defaults() {
  static PhoneDefaults defaults;
  return defaults;
}

}  // namespace

void URISETDEFAULTCOUNTRY(std::string_view country) {
  std::lock_guard guard(Defaults().lock);
  Defaults().country = std::string(country.substr(0, CountryLimit));
}

std::string URIGETDEFAULTCOUNTRY() {
  std::lock_guard guard(Defaults().lock);
  return Defaults().country;
}

void URISETDEFAULTCITY(std::string_view area) {
  std::lock_guard guard(Defaults().lock);
  Defaults().area = std::string(area.substr(0, AreaLimit));
}

std::string URIGETDEFAULTCITY() {
  std::lock_guard guard(Defaults().lock);
  return Defaults().area;
}

}  // namespace utl
