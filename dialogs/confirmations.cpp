#include "dialogs/confirmations.h"

#include "dialogs/message_form.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/safe_format.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

// Patterns come in threes: one, few, other.
std::uint16_t Pick(std::uint16_t first, std::int32_t count) {
  return static_cast<std::uint16_t>(first + static_cast<std::uint16_t>(PluralClassOf(count)));
}

constexpr std::uint16_t PollOfAnyOtherKind = 20537;

}  // namespace

TPluralClass PluralClassOf(std::int32_t count) {
  if (count == 1) return TPluralClass::One;
  if (count >= 2 && count <= 4) return TPluralClass::Few;
  return TPluralClass::Other;
}

std::uint16_t LetterPattern(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2) {
  if (flag1 != 0) return Pick(20486, count);
  if (flag2 != 0) return Pick(20489, count);
  return Pick(20492, count);
}

std::uint16_t PollPattern(std::int32_t count, std::uint8_t kind, std::uint8_t flag) {
  std::uint16_t first = 0;
  switch (kind) {
    case 0: first = 20495; break;
    case 1: first = 20501; break;
    case 3: first = 20507; break;
    case 2: first = 20513; break;
    default: return PollOfAnyOtherKind;
  }
  if (flag == 0) first = static_cast<std::uint16_t>(first + 3);
  return Pick(first, count);
}

std::uint16_t QueryPattern(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2) {
  if (flag1 != 0 && flag2 != 0) return Pick(20519, count);
  if (flag1 != 0) return Pick(20522, count);
  if (flag2 != 0) return Pick(20525, count);
  return Pick(20528, count);
}

std::uint16_t GetfPattern(std::int32_t count, std::uint8_t flag) { return Pick(flag != 0 ? 20531 : 20534, count); }

std::uint16_t SmsPattern(std::int32_t count, std::uint8_t flag) { return Pick(flag != 0 ? 20538 : 20541, count); }

std::string ConfirmationText(std::uint16_t pattern, std::int32_t count) {
  return FormatCount(SuiteText(pattern), count);
}

void ShowConfirmation(std::uint16_t pattern, std::int32_t count) {
  TopMessage(ConfirmationText(pattern, count), static_cast<std::uint8_t>(TMsgDlgType::Information), mbOK);
}

}  // namespace dlg
