// The chooser's selection: the addresses chosen, how they come in from the
// caller and go back, adding, removing, export and import.
#include <algorithm>
#include <unordered_set>

#include "dialogs/chooser_rows.h"
#include "dialogs/message_form.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/multi_address_form.h"
#include "dialogs/owned_rows.h"
#include "dialogs/safe_format.h"
#include "dialogs/suite_texts.h"
#include "dialogs/url_list_text.h"
#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "platform/gui/button.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/owner_draw_list_box.h"
#include "utility/path_names.h"
#include "utility/station_id.h"

namespace dlg {

namespace {

constexpr utl::tSID RefusedStation = 0x10FFD0;
// "The answer does not take %d of the chosen addresses."
constexpr std::uint16_t AnswerTooLongText = 20605;

}  // namespace

int tMultiAddressForm::SelectionCount() const { return selLBox_->Count(); }

bool tMultiAddressForm::AnswerFits() {
  if (!answerBuffer_) return true;
  const std::size_t left = UrlsBeyond(selLBox_->Items(), *answerBuffer_);
  if (left == 0) return true;
  TopMessage(FormatCount(SuiteText(AnswerTooLongText), static_cast<std::int32_t>(left)),
             static_cast<std::uint8_t>(TMsgDlgType::Warning), mbOK);
  return false;
}

bool tMultiAddressForm::LoadRecords(const tAddressRecord* records, int count) {
  cl::TStrings& rows = selLBox_->Items();
  ClearOwnedRows(rows);
  std::unordered_set<std::string> seen;
  for (int i = 0; i < count; ++i) {
    auto item = tBKAddressItem::FromURL(records[i].Url.View());
    item->LoadFromRecord(records[i]);
    if (!seen.insert(cl::AnsiUpperCase(item->Url)).second) {
      ClearOwnedRows(rows);
      return false;
    }
    const std::string url = item->Url;
    AddOwnedRow(rows, url, std::move(item));
  }
  return true;
}

int tMultiAddressForm::StoreRecords(tAddressRecord* records, int maxCount) const {
  const int n = std::min(maxCount, SelectionCount());
  for (int i = 0; i < n; ++i)
    if (const auto* item = dynamic_cast<const tBKAddressItem*>(selLBox_->Items().GetObject(i)))
      item->ToRecord(records[i]);
  return std::max(n, 0);
}

void tMultiAddressForm::SetSelection(const cl::TStrings& list) {
  cl::TStrings& rows = selLBox_->Items();
  rows.BeginUpdate();
  ClearOwnedRows(rows);
  for (int i = 0; i < list.Count(); ++i) {
    const auto* item = dynamic_cast<const tBKAddressItem*>(list.GetObject(i));
    if (item == nullptr || IsInSelection(item->Url)) continue;
    AddOwnedRow(rows, item->Url, item->Copy());
  }
  rows.EndUpdate();
  RefreshStationMarks();
  RefreshPhoneMarks();
  UpdateButtons(CurrentPage());
}

std::unique_ptr<tBKAddressList> tMultiAddressForm::Selection() const {
  auto list = std::make_unique<tBKAddressList>();
  list->CopyFrom(selLBox_->Items());
  return list;
}

bool tMultiAddressForm::AddToSelection(std::unique_ptr<tBKAddressItem> item) {
  if (maxCount_ >= 0 && SelectionCount() >= maxCount_) return false;
  if (IsInSelection(item->Url)) return false;
  const std::string url = item->Url;
  return AddOwnedRow(selLBox_->Items(), url, std::move(item)) >= 0;
}

void tMultiAddressForm::AddMarked() {
  if (!selBBtnAdd_->Enabled()) return;
  const int page = CurrentPage();
  cl::TOwnerDrawListBox* list = PageList(page);
  if (list == nullptr) return;
  for (int i = 0; i < list->Count(); ++i) {
    if (!list->Selected(i)) continue;
    cl::TObject* row = list->Items().GetObject(i);
    std::uint8_t* taken = TakenOf(row);
    if (taken == nullptr) continue;
    if (const auto* station = dynamic_cast<const tADRitem*>(row);
        station != nullptr && utl::CMPSID(station->Point.stationId, RefusedStation) == 0) {
      ErrorText(20556);
      continue;
    }
    if (*taken) continue;
    // Beyond the caller's room nothing more is taken, and the rest stay marked.
    if (maxCount_ >= 0 && SelectionCount() >= maxCount_) break;
    try {
      if (std::unique_ptr<tBKAddressItem> item = AddressOfRow(page, *row)) AddToSelection(std::move(item));
      *taken = 1;
      list->SetSelected(i, false);
    } catch (...) {
    }
  }
  list->Invalidate();
  UpdateButtons(page);
}

void tMultiAddressForm::DeleteMarked() {
  if (!selBBtnDel_->Enabled()) return;
  cl::TStrings& rows = selLBox_->Items();
  for (int i = rows.Count() - 1; i >= 0; --i)
    if (selLBox_->Selected(i)) DeleteOwnedRow(rows, i);
  RefreshStationMarks();
  RefreshPhoneMarks();
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::Kill() {
  ClearOwnedRows(selLBox_->Items());
  SetModalResult(cl::mrOk);
}

std::string tMultiAddressForm::SelectionBookPath(const std::string& chosen) const {
  return disk_.ConfigFile(cl::AnsiUpperCase(utl::DIRNAMEOFF(chosen)));
}

void tMultiAddressForm::ExportSelection() {
  numSaveDialog_->InitialDir = disk_.ConfigDirName();
  numSaveDialog_->FileName = "*.phn";
  if (!numSaveDialog_->Execute()) return;
  try {
    Selection()->SaveAsPhoneBook(SelectionBookPath(numSaveDialog_->FileName));
  } catch (const cl::Exception&) {
    ErrorText(20562);
  }
}

void tMultiAddressForm::ImportSelection() {
  selOpenDialog_->InitialDir = disk_.ConfigDirName();
  selOpenDialog_->FileName = "*.phn";
  if (!selOpenDialog_->Execute()) return;
  std::unique_ptr<tBKAddressList> book;
  try {
    book = tBKAddressList::FromPhoneBook(SelectionBookPath(selOpenDialog_->FileName));
  } catch (...) {
    ErrorText(20563);
    return;
  }
  // A readable book the caller has no room for gives what fits, in URL
  // order, as adding by hand does.
  int room = book->Count();
  if (maxCount_ >= 0) room = std::min(room, maxCount_);
  if (modeFlags_ & ModeOneRecipient) room = std::min(room, 1);
  while (book->Count() > std::max(room, 0)) book->Delete(book->Count() - 1);
  SetSelection(*book);
}

}  // namespace dlg
