#include "utility/cipher.h"

#include <bit>

#include "platform/core/scheduler.h"
#include "utility/same_text.h"
#include "utility/short_strings.h"

namespace utl {
namespace {

// The data cipher's key state.
class DataKey {
 public:
  explicit DataKey(std::uint32_t key)
      : state_(static_cast<std::uint16_t>(key)), step_(static_cast<std::uint16_t>(key >> 16)) {}

  std::uint8_t Low() const { return static_cast<std::uint8_t>(state_); }
  std::uint8_t High() const { return static_cast<std::uint8_t>(state_ >> 8); }

  // The high byte gains an enciphered byte; the carry of that addition and the
  // step are then taken off the whole state.
  void Advance(std::uint8_t enciphered) {
    const unsigned high = High() + enciphered;
    const unsigned carry = high >> 8;
    state_ = static_cast<std::uint16_t>(((high & 0xFF) << 8) | Low());
    state_ = static_cast<std::uint16_t>(state_ - step_ - carry);
  }

 private:
  std::uint16_t state_;
  std::uint16_t step_;
};

std::uint8_t RotateLeft(std::uint8_t c, int places) { return std::rotl(c, places); }
std::uint8_t RotateRight(std::uint8_t c, int places) { return std::rotr(c, places); }

// 3 bits where length - k + 1 is odd (k 1-based), else 2.
int CommentRotation(std::size_t length, std::size_t index) {
  return (length - index) % 2 == 1 ? 3 : 2;
}

}  // namespace

void ENCRYPTDATA(std::span<std::uint8_t> buffer, std::uint32_t key) {
  DataKey k(key);
  std::uint8_t c = 0;
  for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
    std::uint8_t low = buffer[i] ^ c ^ k.Low();
    std::uint8_t high = buffer[i + 1] ^ k.High();
    k.Advance(low);
    high ^= k.Low();
    c = k.High();
    k.Advance(high);
    buffer[i] = low;
    buffer[i + 1] = high;
  }
}

void DECRYPTDATA(std::span<std::uint8_t> buffer, std::uint32_t key) {
  DataKey k(key);
  std::uint8_t c = 0;
  for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
    const std::uint8_t low = buffer[i];
    const std::uint8_t high = buffer[i + 1];
    buffer[i] = low ^ c ^ k.Low();
    std::uint8_t plainHigh = high ^ k.High();
    k.Advance(low);
    plainHigh ^= k.Low();
    c = k.High();
    k.Advance(high);
    buffer[i + 1] = plainHigh;
  }
}

void CRYPTPHONE(std::span<std::uint8_t> buffer, std::uint32_t key) {
  if (buffer.size() < 2) return;
  std::uint16_t v = static_cast<std::uint16_t>(key);
  const auto step = static_cast<std::uint16_t>(key >> 16);
  // The words overlap: each byte but the ends takes part in two of them.
  for (std::size_t i = 0; i + 1 < buffer.size(); ++i) {
    buffer[i] ^= static_cast<std::uint8_t>(v);
    buffer[i + 1] ^= static_cast<std::uint8_t>(v >> 8);
    v = static_cast<std::uint16_t>(v + step);
  }
}

std::string CRYPTCOMMENT(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(
        RotateLeft(static_cast<std::uint8_t>(out[i]), CommentRotation(out.size(), i)));
  return out;
}

std::string DECRYPTCOMMENT(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(
        RotateRight(static_cast<std::uint8_t>(out[i]), CommentRotation(out.size(), i)));
  return out;
}

void GETSESSIONKEY(std::uint16_t words[2], const SessionClock& clock) {
  const auto t = static_cast<std::uint16_t>(clock.ticks);
  const unsigned high0 = (words[0] >> 8) ^ clock.hour ^ clock.month;
  const unsigned low0 = (words[0] & 0xFF) ^ clock.day;
  words[0] = static_cast<std::uint16_t>((high0 * 256 + low0) ^ t);
  const unsigned high1 = (words[1] >> 8) ^ clock.second;
  const unsigned low1 = (words[1] & 0xFF) ^ clock.minute;
  words[1] = static_cast<std::uint16_t>((high1 * 256 + low1) ^ clock.year ^ t);
}

SessionClock SessionClockNow() {
  const win::SystemTime now = win::GetLocalTime();
  const auto field = [](int v) { return static_cast<std::uint16_t>(v); };
  return {field(now.year), field(now.month),  field(now.day),
          field(now.hour), field(now.minute), field(now.second), win::GetTickCount()};
}

std::uint32_t GETCPSKEY(std::uint32_t a, std::uint32_t b) {
  const unsigned places = (a ^ b) & 31;
  // A 33-bit rotation: b and a carry bit that starts clear.
  std::uint32_t carry = 0;
  for (unsigned i = 0; i < places; ++i) {
    const std::uint32_t out = b >> 31;
    b = (b << 1) | carry;
    carry = out;
  }
  return b + a;
}

std::string ENCRYPTLOGINPASSWORD(std::string_view password) {
  const std::size_t length = password.size();
  std::string out(length, '\0');
  for (std::size_t k = 1; k <= length; ++k) {
    const std::size_t source = length + 1 - k;
    out[k - 1] = static_cast<char>(static_cast<std::uint8_t>(AsciiUpper(password[source - 1])) +
                                   source);
  }
  return out;
}

std::string DECRYPTLOGINPASSWORD(std::string_view scrambled) {
  const std::size_t length = scrambled.size();
  std::string out(length, '\0');
  // Lowered first, then upper-cased: a scrambled character may be a small letter.
  for (std::size_t k = 1; k <= length; ++k)
    out[k - 1] = AsciiUpper(static_cast<char>(
        static_cast<std::uint8_t>(scrambled[length - k]) - static_cast<std::uint8_t>(k)));
  return out;
}

bool CHECKLOGINPASSWORD(std::string_view password, std::uint16_t first,
                        const TextByNumber& text) {
  // Text numbers are 16-bit: the search ends at the last one instead of
  // wrapping round to 0.
  for (std::uint32_t number = first; number <= 0xFFFF; ++number) {
    const std::string stored = text(static_cast<std::uint16_t>(number));
    if (stored.empty()) return false;
    if (SameText(DECRYPTLOGINPASSWORD(stored), password)) return true;
  }
  return false;
}

}  // namespace utl
