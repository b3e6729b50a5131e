#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace utl {

// Running-key word cipher of data blocks: the key's low word starts the key
// state, its high word is the step, and the state feeds on the enciphered
// bytes. An odd last byte stays as it is.
void ENCRYPTDATA(std::span<std::uint8_t> buffer, std::uint32_t key);
void DECRYPTDATA(std::span<std::uint8_t> buffer, std::uint32_t key);
// Self-inverse scramble of phone numbers.
void CRYPTPHONE(std::span<std::uint8_t> buffer, std::uint32_t key);
// Bit rotation of comments, and its inverse.
std::string CRYPTCOMMENT(std::string_view s);
std::string DECRYPTCOMMENT(std::string_view s);
// Mixes both session key words with the date, time and tick counter given.
struct SessionClock {
  std::uint16_t year, month, day, hour, minute, second;
  std::uint32_t ticks;
};
void GETSESSIONKEY(std::uint16_t words[2], const SessionClock& clock);
// The local date and time and the tick counter now.
SessionClock SessionClockNow();
std::uint32_t GETCPSKEY(std::uint32_t a, std::uint32_t b);

// The stored form of a login password: reversed, upper-cased, each character
// raised by its position.
std::string ENCRYPTLOGINPASSWORD(std::string_view password);
// The plain form, upper case.
std::string DECRYPTLOGINPASSWORD(std::string_view scrambled);

// A text of the suite's text library by number; empty when it has none.
using TextByNumber = std::function<std::string(std::uint16_t)>;
// Whether the password, without case, is one of the stored passwords: the texts
// from number first on, up to the first empty text or the last number.
bool CHECKLOGINPASSWORD(std::string_view password, std::uint16_t first,
                        const TextByNumber& text);

}  // namespace utl
