// The chooser's selection as the form shows it: how addresses come in from
// the caller and go back, adding, removing, export and import.
#include "dialogs/address_selection.h"
#include "dialogs/chooser_rows.h"
#include "dialogs/chooser_page.h"
#include "dialogs/chooser_phone_page.h"
#include "dialogs/chooser_station_page.h"
#include "dialogs/message_form.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/multi_address_form.h"
#include "dialogs/safe_format.h"
#include "dialogs/suite_texts.h"
#include "dialogs/url_list_text.h"
#include "platform/core/exception.h"
#include "platform/gui/button.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"

namespace dlg {

namespace {

// "The answer does not take %d of the chosen addresses."
constexpr std::uint16_t AnswerTooLongText = 20605;

}  // namespace

bool tMultiAddressForm::AnswerFits() {
  if (!answerBuffer_) return true;
  const std::size_t left = UrlsBeyond(selection_.List(), *answerBuffer_);
  if (left == 0) return true;
  TopMessage(FormatCount(SuiteText(AnswerTooLongText), static_cast<std::int32_t>(left)),
             static_cast<std::uint8_t>(TMsgDlgType::Warning), mbOK);
  return false;
}

// The rows' objects are the selection's items, which the selection keeps.
void tMultiAddressForm::ShowSelection() {
  cl::TStrings& rows = selLBox_->Items();
  const cl::TStringsUpdate update(rows);
  rows.Clear();
  for (int i = 0; i < selection_.Count(); ++i) rows.AddObject(selection_.Item(i).Url, &selection_.Item(i));
}

void tMultiAddressForm::RefreshMarks() {
  stations_->RefreshMarks();
  phones_->RefreshMarks();
}

bool tMultiAddressForm::LoadRecords(const tAddressRecord* records, int count) {
  const bool loaded = selection_.LoadRecords(records, count);
  ShowSelection();
  return loaded;
}

int tMultiAddressForm::StoreRecords(tAddressRecord* records, int maxCount) const {
  return selection_.StoreRecords(records, maxCount);
}

void tMultiAddressForm::SetSelection(const cl::TStrings& list) {
  selection_.Assign(list);
  ShowSelection();
  RefreshMarks();
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::AddMarked() {
  if (!selBBtnAdd_->Enabled()) return;
  const int page = CurrentPage();
  const tChooserPage* const shown = Page(page);
  if (shown == nullptr) return;
  cl::TOwnerDrawListBox* const list = &shown->List();
  for (int i = 0; i < list->Count(); ++i) {
    if (!list->Selected(i)) continue;
    cl::TObject* row = list->Items().GetObject(i);
    std::uint8_t* taken = TakenOf(row);
    if (taken == nullptr) continue;
    if (shown->Refuses(*row)) continue;
    if (*taken) continue;
    // Beyond the caller's room nothing more is taken, and the rest stay marked.
    if (!selection_.HasRoom()) break;
    if (std::unique_ptr<tBKAddressItem> item = shown->AddressOfRow(*row)) {
      // The selection's rows keep its order: the sorted list puts the URL
      // where the selection has it.
      if (const int index = selection_.Add(std::move(item)); index >= 0)
        selLBox_->Items().AddObject(selection_.Item(index).Url, &selection_.Item(index));
    }
    *taken = 1;
    list->SetSelected(i, false);
  }
  list->Invalidate();
  UpdateButtons(page);
}

void tMultiAddressForm::DeleteMarked() {
  if (!selBBtnDel_->Enabled()) return;
  cl::TStrings& rows = selLBox_->Items();
  for (int i = rows.Count() - 1; i >= 0; --i) {
    if (!selLBox_->Selected(i)) continue;
    selection_.Delete(i);
    rows.Delete(i);
  }
  RefreshMarks();
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::Kill() {
  selection_.Clear();
  ShowSelection();
  SetModalResult(cl::mrOk);
}

void tMultiAddressForm::ExportSelection() {
  numSaveDialog_->InitialDir = disk_.ConfigDirName();
  numSaveDialog_->FileName = "*.phn";
  if (!numSaveDialog_->Execute()) return;
  try {
    selection_.Export(tAddressSelection::BookPath(disk_, numSaveDialog_->FileName));
  } catch (const cl::Exception&) {
    ErrorText(20562);
  }
}

void tMultiAddressForm::ImportSelection() {
  selOpenDialog_->InitialDir = disk_.ConfigDirName();
  selOpenDialog_->FileName = "*.phn";
  if (!selOpenDialog_->Execute()) return;
  try {
    selection_.Import(tAddressSelection::BookPath(disk_, selOpenDialog_->FileName));
  } catch (const cl::Exception&) {
    ErrorText(20563);
    return;
  }
  ShowSelection();
  RefreshMarks();
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::DrawSelectionRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = selLBox_->ItemCanvas();
  canvas.FillRect(rect);
  if (index < 0 || index >= selection_.Count()) return;
  const tBKAddressItem& item = selection_.Item(index);
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(rowFont_);
  canvas.Font().SetColor(normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  ColumnText(canvas, *selHeader_, 0, rect, item.Url);
  ColumnText(canvas, *selHeader_, 1, rect, item.Description);
  if (const auto column = ColumnRect(*selHeader_, 2, rect)) glyphs_.DrawUseFor(canvas, item.UseFor, column->Left, rect.Top);
}

}  // namespace dlg
