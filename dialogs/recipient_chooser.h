#pragma once

#include <cstdint>

#include "dialogs/address_record.h"
#include "dialogs/disk.h"

namespace dlg {

// The chooser over the caller's records: the number of records written back
// (at most maxCount), -1 on cancel or for two records of one URL.
int ChooseStations(tAddressRecord* records, std::uint16_t count, std::uint16_t maxCount, std::uint8_t pages,
                   std::uint8_t modeFlags, const tDisk& disk);
// The chooser over a text of URLs, one a line, in a buffer of bufLen bytes:
// true on OK with the choice written back as whole CR LF lines and a zero.
// OK does not close while the chosen lines would not fit.
bool ChoosePhones(char* urls, std::uint16_t bufLen, std::uint8_t pages, std::uint8_t modeFlags, const tDisk& disk);

}  // namespace dlg
