// Station URLs, ids, phone texts, tilde codes and profile texts from arbitrary
// bytes: every parser ends with a result, and what it accepts survives its
// own text form.
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/core/profile_text.h"
#include "utility/base62.h"
#include "utility/file_url.h"
#include "utility/phone_text.h"
#include "utility/station_id.h"
#include "utility/station_url.h"
#include "utility/tilde_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view shortText = text.substr(0, 255);

  if (const auto sid = utl::VALSID(shortText)) {
    // Codes with a digit second and the "0" forms may read as other codes,
    // so the text need not come back; what it reads as is still an id.
    const std::string sidText = utl::STRSID(*sid);
    if (!utl::ISSIDVALID(*sid) || sidText == "NO_SID") std::abort();
    if (const auto again = utl::VALSID(sidText); again && !utl::ISSIDVALID(*again)) std::abort();
  }
  const utl::tSID fromUrl = utl::URIURL2SID(shortText);
  if (fromUrl != utl::NullSid && !utl::ISSIDVALID(fromUrl)) std::abort();
  utl::URIURL2SIDOFF(shortText);
  const utl::PhoneParts parts = utl::URISPLITPHONE(shortText);
  if (parts.country.size() > utl::CountryLimit || parts.area.size() > utl::AreaLimit ||
      parts.number.size() > utl::NumberLimit)
    std::abort();
  utl::URIFULLPHONE(shortText, "", "");
  utl::URIURL2DOS(shortText);

  if (utl::TILDAREFERENCE(shortText).size() > shortText.size()) std::abort();
  if (utl::TILDACODETEXT(shortText).size() != utl::TILDACODELENGTH(shortText)) std::abort();
  const std::int32_t value = utl::VALB62(shortText);
  if (value != -1 && utl::VALB62(utl::STRB62(static_cast<std::uint32_t>(value))) != value)
    std::abort();

  const std::string written = win::WithProfileValue(text, "Sounds", "SND_00", "beep.wav");
  if (win::ProfileValue(written, "sounds", "snd_00") != "beep.wav") std::abort();
  // The other keys read as they did.
  for (const char* section : {"Sounds", "S"})
    for (const char* key : {"SND_01", "k"})
      if (win::ProfileValue(written, section, key) != win::ProfileValue(text, section, key))
        std::abort();
  win::ProfileValue(text, "Sounds", "SND_00");
  return 0;
}
