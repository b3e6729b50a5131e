#include "platform/core/export_guard.h"
#include "suite/brantxt/brantxt.h"
#include "suite/brantxt/text_table.h"

BRANNIK_EXPORT void STBITEM(std::uint16_t number, ShortString* text) {
  if (!text) return;
  text->length = 0;
  ExportGuardVoid([&] {
    const TextTable& texts = BuiltInTexts();
    if (const auto found = texts.find(number); found != texts.end()) text->Assign(found->second);
  });
}
