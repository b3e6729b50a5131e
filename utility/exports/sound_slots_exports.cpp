#include "branutl/sound_slots.h"
#include "platform/core/export_guard.h"
#include "utility/beeper.h"

BRANNIK_EXPORT void BEEP(std::uint16_t slot) {
  ExportGuardVoid([&] { utl::BEEP(slot); });
}

BRANNIK_EXPORT void SPEAKER(bool flag) {
  ExportGuardVoid([&] { utl::SPEAKER(flag); });
}
