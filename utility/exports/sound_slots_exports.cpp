#include "branutl/sound_slots.h"
#include "utility/beeper.h"
#include "utility/export_guard.h"

BRANNIK_EXPORT void BEEP(std::uint16_t slot) {
  ExportGuardVoid([&] { utl::BEEP(slot); });
}

BRANNIK_EXPORT void SPEAKER(bool flag) {
  ExportGuardVoid([&] { utl::SPEAKER(flag); });
}
