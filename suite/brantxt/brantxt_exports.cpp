#include "suite/brantxt/brantxt.h"
#include "suite/brantxt/text_table.h"

extern "C" __attribute__((visibility("default"))) void STBITEM(std::uint16_t number,
                                                               ShortString* text) {
  if (!text) return;
  try {
    const TextTable& texts = BuiltInTexts();
    const auto found = texts.find(number);
    if (found == texts.end())
      text->length = 0;
    else
      text->Assign(found->second);
  } catch (...) {
    text->length = 0;
  }
}
