#include "dialogs/suite_texts.h"

#include "suite/brantxt/brantxt.h"

namespace dlg {

std::string SuiteText(std::uint16_t number) {
  ShortString text{};
  STBITEM(number, &text);
  return text.Str();
}

}  // namespace dlg
