// The recipient chooser of libbrandlg.so.

#include <cstdint>

#include "platform/core/export_guard.h"
#include "dialogs/disk.h"
#include "dialogs/recipient_chooser.h"

BRANNIK_EXPORT std::int32_t _CHOOSESTATIONS(dlg::tAddressRecord* records, std::uint16_t count,
                                            std::uint16_t maxCount, std::uint8_t pages, std::uint8_t modeFlags) {
  return ExportGuard<std::int32_t>(
      -1, [&] { return dlg::ChooseStations(records, count, maxCount, pages, modeFlags, dlg::GlobalDisk()); });
}

BRANNIK_EXPORT std::uint8_t CHOOSEPHONES(char* urls, std::uint16_t bufLen, std::uint8_t pages,
                                         std::uint8_t modeFlags) {
  return ExportGuard<std::uint8_t>(
      0, [&] { return dlg::ChoosePhones(urls, bufLen, pages, modeFlags, dlg::GlobalDisk()) ? 1 : 0; });
}
