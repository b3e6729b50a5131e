#include "dialogs/chooser_rows.h"

#include <algorithm>

#include "dialogs/address_items.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/header.h"

namespace dlg {

std::uint8_t* TakenOf(cl::TObject* object) {
  // Phone-book entries are address items too.
  if (auto* item = dynamic_cast<tAddressItem*>(object)) return &item->Taken;
  return nullptr;
}

std::optional<cl::TRect> ColumnRect(const cl::THeader& header, int k, const cl::TRect& row) {
  if (k >= header.SectionCount()) return std::nullopt;
  const int32_t start = row.Left + header.SectionLeft(k);
  const int32_t end = start + header.SectionWidth(k) - (k == 0 ? 1 : 5);
  return cl::Rect(start, row.Top, std::max(start, end), row.Bottom);
}

void ColumnText(cl::TCanvas& canvas, const cl::THeader& header, int k, const cl::TRect& row, std::string_view text) {
  const auto column = ColumnRect(header, k, row);
  if (!column || text.empty()) return;
  canvas.ExtTextOut(column->Left + 2, row.Top, win::ETO_CLIPPED, &*column, text);
}

}  // namespace dlg
