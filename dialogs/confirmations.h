#pragma once

#include <cstdint>
#include <string>

namespace dlg {

// The grammatical number of a count: one (1), few (2 to 4), other.
enum class TPluralClass : std::uint8_t { One = 0, Few = 1, Other = 2 };
TPluralClass PluralClassOf(std::int32_t count);

// The text number of each confirmation's pattern (flags count when not 0).
std::uint16_t LetterPattern(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2);
std::uint16_t PollPattern(std::int32_t count, std::uint8_t kind, std::uint8_t flag);
std::uint16_t QueryPattern(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2);
std::uint16_t GetfPattern(std::int32_t count, std::uint8_t flag);
std::uint16_t SmsPattern(std::int32_t count, std::uint8_t flag);

// The confirmation's text: the pattern with the count formatted in.
std::string ConfirmationText(std::uint16_t pattern, std::int32_t count);
// Shows it as an information with OK.
void ShowConfirmation(std::uint16_t pattern, std::int32_t count);

}  // namespace dlg
