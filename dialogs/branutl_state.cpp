// The utility library's per-process state as the dialog library reaches it:
// through libbranutl.so's exports, so that a program has one default country
// and area and one table of sound slots, whichever library it asks. The
// utility pieces compiled into this library call these in place of the
// utility library's own process units, which are not linked here.
#include <cstdint>
#include <string>
#include <string_view>

#include "branutl/sound_slots.h"
#include "branutl/urls.h"
#include "platform/core/short_string.h"
#include "utility/beeper.h"
#include "utility/phone_text.h"

namespace utl {
namespace {

std::string Asked(void (*get)(ShortString*)) {
  ShortString out{};
  get(&out);
  return out.Str();
}

}  // namespace

void URISETDEFAULTCOUNTRY(std::string_view country) {
  const ShortString text = ShortString::From(country);
  ::URISETDEFAULTCOUNTRY(&text);
}

std::string URIGETDEFAULTCOUNTRY() { return Asked(::URIGETDEFAULTCOUNTRY); }

void URISETDEFAULTCITY(std::string_view area) {
  const ShortString text = ShortString::From(area);
  ::URISETDEFAULTCITY(&text);
}

std::string URIGETDEFAULTCITY() { return Asked(::URIGETDEFAULTCITY); }

void BEEP(std::uint16_t slot) { ::BEEP(slot); }

void SPEAKER(bool flag) { ::SPEAKER(flag); }

}  // namespace utl
