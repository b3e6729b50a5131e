#include <span>

#include "branutl/ciphers.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "suite/brantxt/brantxt.h"
#include "utility/cipher.h"

namespace {

std::span<std::uint8_t> Bytes(void* buffer, std::uint16_t length) {
  if (!buffer) return {};
  return {static_cast<std::uint8_t*>(buffer), length};
}

}  // namespace

BRANNIK_EXPORT void ENCRYPTDATA(void* buffer, std::uint16_t length, std::uint32_t key) {
  ExportGuardVoid([&] { utl::ENCRYPTDATA(Bytes(buffer, length), key); });
}

BRANNIK_EXPORT void DECRYPTDATA(void* buffer, std::uint16_t length, std::uint32_t key) {
  ExportGuardVoid([&] { utl::DECRYPTDATA(Bytes(buffer, length), key); });
}

BRANNIK_EXPORT void CRYPTPHONE(void* buffer, std::uint16_t length, std::uint32_t key) {
  ExportGuardVoid([&] { utl::CRYPTPHONE(Bytes(buffer, length), key); });
}

BRANNIK_EXPORT void CRYPTCOMMENT(ShortString* s) {
  ExportGuardVoid([&] { ShortResult(s, utl::CRYPTCOMMENT(ShortArg(s))); });
}

BRANNIK_EXPORT void DECRYPTCOMMENT(ShortString* s) {
  ExportGuardVoid([&] { ShortResult(s, utl::DECRYPTCOMMENT(ShortArg(s))); });
}

BRANNIK_EXPORT void GETSESSIONKEY(std::uint16_t words[2]) {
  ExportGuardVoid([&] {
    if (words) utl::GETSESSIONKEY(words, utl::SessionClockNow());
  });
}

BRANNIK_EXPORT std::uint32_t GETCPSKEY(std::uint32_t a, std::uint32_t b) {
  return ExportGuard<std::uint32_t>(0, [&] { return utl::GETCPSKEY(a, b); });
}

BRANNIK_EXPORT void ENCRYPTLOGINPASSWORD(const ShortString* password, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::ENCRYPTLOGINPASSWORD(ShortArg(password))); });
}

BRANNIK_EXPORT void DECRYPTLOGINPASSWORD(const ShortString* scrambled, ShortString* out) {
  ExportGuardVoid([&] { ShortResult(out, utl::DECRYPTLOGINPASSWORD(ShortArg(scrambled))); });
}

BRANNIK_EXPORT bool CHECKLOGINPASSWORD(const ShortString* password, std::uint16_t firstText) {
  return ExportGuard(false, [&] {
    const auto text = [](std::uint16_t number) {
      ShortString stored;
      stored.length = 0;
      STBITEM(number, &stored);
      return stored.Str();
    };
    return utl::CHECKLOGINPASSWORD(ShortArg(password), firstText, text);
  });
}
