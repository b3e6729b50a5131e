#pragma once

// Sound slots: a wave file for each event number, or the plain beep.
#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

void BEEP(uint16_t slot);
void SPEAKER(bool flag);

#ifdef __cplusplus
}
#endif
