// The chooser's phone-book page: the entries of one book as rows.
#include <unordered_set>

#include "dialogs/chooser_rows.h"
#include "dialogs/multi_address_form.h"
#include "dialogs/phone_book_entry.h"
#include "platform/core/ansi_case.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"
#include "utility/station_url.h"

namespace dlg {

namespace {

std::string PhoneUrl(const tPhoneBookItem& entry) {
  return utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(entry.UseFor), entry.Country.View(), entry.Area.View(),
                           entry.Number.View());
}

}  // namespace

std::unique_ptr<tBKAddressItem> tMultiAddressForm::AddressOfRow(int page, cl::TObject& row) const {
  if (page == 0) {
    if (const auto* station = dynamic_cast<const tADRitem*>(&row)) return tBKAddressItem::FromStation(*station);
    return nullptr;
  }
  if (const tPhoneBookItem* entry = PhoneItemOf(&row)) return tBKAddressItem::FromPhoneItem(*entry);
  return nullptr;
}

void tMultiAddressForm::RefreshPhoneMarks() {
  std::unordered_set<std::string> chosen;
  const cl::TStrings& selection = selLBox_->Items();
  for (int i = 0; i < selection.Count(); ++i) chosen.insert(cl::AnsiUpperCase(selection.Get(i)));
  const cl::TStrings& rows = numLBox_->Items();
  for (int i = 0; i < rows.Count(); ++i)
    if (tPhoneBookItem* entry = PhoneItemOf(rows.GetObject(i)))
      entry->Taken = chosen.contains(cl::AnsiUpperCase(PhoneUrl(*entry))) ? 1 : 0;
  numLBox_->Invalidate();
}

void tMultiAddressForm::DrawPhoneRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = numLBox_->ItemCanvas();
  canvas.FillRect(rect);
  const tPhoneBookItem* entry = PhoneItemOf(numLBox_->Items().GetObject(index));
  if (entry == nullptr) return;
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(rowFont_);
  canvas.Font().SetColor(entry->Taken ? cl::clGrayText : normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const std::string texts[] = {entry->Name.Str(), entry->Company.Str(), entry->Country.Str(), entry->Area.Str(),
                               entry->Number.Str()};
  for (int k = 0; k < 5; ++k) ColumnText(canvas, *numHeader_, k, rect, texts[k]);
  DrawUseForGlyph(canvas, *numHeader_, 5, rect, entry->UseFor);
}

}  // namespace dlg
