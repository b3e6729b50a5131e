// The recipient chooser of libbrandlg.so.

#include <cstddef>
#include <cstdint>

#include "brandlg/chooser.h"
#include "dialogs/address_record.h"
#include "dialogs/disk.h"
#include "dialogs/recipient_chooser.h"
#include "platform/core/export_guard.h"

// The caller's records are the library's own: the same bytes at the same places.
static_assert(sizeof(tAddressRecord) == sizeof(dlg::tAddressRecord));
static_assert(offsetof(tAddressRecord, Url) == offsetof(dlg::tAddressRecord, Url) &&
              offsetof(tAddressRecord, Description) == offsetof(dlg::tAddressRecord, Description) &&
              offsetof(tAddressRecord, UseFor) == offsetof(dlg::tAddressRecord, UseFor) &&
              offsetof(tAddressRecord, Tag) == offsetof(dlg::tAddressRecord, Tag) &&
              offsetof(tAddressRecord, Extra1) == offsetof(dlg::tAddressRecord, Extra1) &&
              offsetof(tAddressRecord, Extra4) == offsetof(dlg::tAddressRecord, Extra4));

BRANNIK_EXPORT std::int32_t _CHOOSESTATIONS(tAddressRecord* records, std::uint16_t count, std::uint16_t maxCount,
                                            std::uint8_t pages, std::uint8_t modeFlags) {
  return ExportGuard<std::int32_t>(-1, [&] {
    return dlg::ChooseStations(reinterpret_cast<dlg::tAddressRecord*>(records), count, maxCount, pages, modeFlags,
                               dlg::GlobalDisk());
  });
}

BRANNIK_EXPORT std::uint8_t CHOOSEPHONES(char* urls, std::uint16_t bufLen, std::uint8_t pages,
                                         std::uint8_t modeFlags) {
  return ExportGuard<std::uint8_t>(
      0, [&] { return dlg::ChoosePhones(urls, bufLen, pages, modeFlags, dlg::GlobalDisk()) ? 1 : 0; });
}
