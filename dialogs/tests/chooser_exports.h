#pragma once

// The recipient chooser's exports as a host declares them.

#include <cstdint>

#include "dialogs/address_record.h"

extern "C" {
std::int32_t _CHOOSESTATIONS(dlg::tAddressRecord* records, std::uint16_t count, std::uint16_t maxCount,
                             std::uint8_t pages, std::uint8_t modeFlags);
std::uint8_t CHOOSEPHONES(char* urls, std::uint16_t bufLen, std::uint8_t pages, std::uint8_t modeFlags);
}
