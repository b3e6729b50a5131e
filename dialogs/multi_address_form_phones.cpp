// The chooser's phone-book page: one book of the configuration directory as
// rows sorted by the chosen key, and its upkeep.
#include <algorithm>
#include <filesystem>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "dialogs/chooser_rows.h"
#include "dialogs/input_query.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/multi_address_form.h"
#include "dialogs/name_format.h"
#include "dialogs/owned_rows.h"
#include "dialogs/phone_book.h"
#include "dialogs/phone_book_entry.h"
#include "dialogs/phone_item_form.h"
#include "dialogs/suite_texts.h"
#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "platform/core/file_names.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/header.h"
#include "platform/gui/menu.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/speed_button.h"
#include "suite/brancfg/brancfg.h"
#include "suite/brangly/brangly.h"
#include "utility/file_operations.h"
#include "utility/path_names.h"
#include "utility/phone_text.h"
#include "utility/short_strings.h"
#include "utility/station_url.h"

namespace dlg {

namespace {

enum : std::uint8_t { KeyPhoneBook = 7, KeyPhoneRow = 8, KeySortKind = 9 };
constexpr int SortKinds = 8;

std::string PhoneUrl(const tPhoneBookItem& entry) {
  return utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(entry.UseFor), entry.Country.View(), entry.Area.View(),
                           entry.Number.View());
}

bool EndsWithPhn(std::string_view name) {
  return name.size() > 4 && cl::AnsiUpperCase(name.substr(name.size() - 4)) == ".PHN";
}

}  // namespace

void tMultiAddressForm::BuildPhonePage(cl::TWinControl& page) {
  const auto combo = [&](const char* name, int left, int width) {
    auto* box = cl::Make<cl::TComboBox>(*this);
    box->SetName(name);
    box->SetParent(&page);
    box->SetBounds(left, 4, width, 21);
    box->SetStyle(cl::csDropDownList);
    box->SetShowHint(true);
    return box;
  };
  numCBoxFile_ = combo("numCBoxFile", 4, 180);
  numCBoxFile_->SetSorted(true);
  numCBoxSort_ = combo("numCBoxSort", 190, 150);
  numCBoxFile_->OnChange = [this](cl::TObject*) { PhoneBookChosen(); };
  numCBoxSort_->OnChange = [this](cl::TObject*) { SortChanged(); };
  const auto button = [&](const char* name, int left, std::uint16_t hint, const char* glyph,
                          std::function<void()> action) {
    auto* b = cl::Make<cl::TSpeedButton>(*this);
    b->SetName(name);
    b->SetParent(&page);
    b->SetBounds(left, 2, 24, 24);
    // The glyph library's picture and its disabled copy.
    b->Glyph().SetHandle(GLYPH(glyph));
    b->SetNumGlyphs(2);
    b->SetHint(SuiteText(hint));
    b->SetShowHint(true);
    b->OnClick = [action = std::move(action)](cl::TObject*) { action(); };
    return b;
  };
  numSBtnSave_ = button("numSBtnSave", 350, 20573, "BOOKSAVE", [this] { SavePhoneBookClick(); });
  numSBtnNew_ = button("numSBtnNew", 376, 20577, "BOOKNEW", [this] { NewPhoneBook(); });
  numSBtnAdd_ = button("numSBtnAdd", 410, 20574, "ENTRYADD", [this] { AddEntry(); });
  numSBtnDup_ = button("numSBtnDup", 436, 20578, "ENTRYDUP", [this] { DuplicateEntry(); });
  numSBtnEdit_ = button("numSBtnEdit", 462, 20575, "ENTRYEDIT", [this] { EditEntry(); });
  numSBtnDel_ = button("numSBtnDel", 488, 20576, "ENTRYDEL", [this] { DeleteEntries(); });
  numCBoxFile_->SetHint(SuiteText(20579));
  numCBoxSort_->SetHint(SuiteText(20580));
}

void tMultiAddressForm::BuildPhoneMenu() {
  cl::TMenuItem& book = AddMenuItem("PMnu_PhoneBook", 20592, 0, 0, nullptr);
  const auto add = [&](const char* name, std::uint16_t text, std::uint16_t key, std::function<void()> action) {
    AddMenuItem(name, text, key, key != 0 ? cl::ssAlt : 0, OnPage(1, std::move(action)), &book);
  };
  add("PMnu_Load", 20593, 'L', [this] { numCBoxFile_->SetFocus(); });
  add("PMnu_numNew", 20594, 0, [this] { NewPhoneBook(); });
  add("PMnu_numSave", 20595, 0, [this] { SavePhoneBookClick(); });
  add("PMnu_Sort", 20596, 'S', [this] { numCBoxSort_->SetFocus(); });
  add("PMnu_numAdd", 20597, 0, [this] { AddEntry(); });
  add("PMnu_numDup", 20598, 0, [this] { DuplicateEntry(); });
  add("PMnu_numEdit", 20599, 0, [this] { EditEntry(); });
  add("PMnu_numDel", 20600, 0, [this] { DeleteEntries(); });
}

void tMultiAddressForm::SetChanged(bool changed) {
  phoneBookChanged_ = changed;
  numSBtnSave_->SetEnabled(changed);
  if (cl::TMenuItem* item = popupMenu_->Items().Find("PMnu_numSave")) item->SetEnabled(changed);
}

int tMultiAddressForm::SortKind() const { return std::clamp(numCBoxSort_->ItemIndex(), 0, SortKinds - 1); }

void tMultiAddressForm::UpdatePhoneButtons() {
  if (numSBtnSave_ == nullptr) return;
  numSBtnDup_->SetEnabled(numLBox_->Count() > 0);
  if (cl::TMenuItem* item = popupMenu_->Items().Find("PMnu_numSave")) item->SetEnabled(numSBtnSave_->Enabled());
}

// ---------------------------------------------------------------- books

void tMultiAddressForm::FillPhoneBookChoice(const std::string& wanted) {
  cl::TStrings& names = numCBoxFile_->Items();
  names.Clear();
  if (const auto native = win::NativeName(disk_.ConfigDirName())) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(*native, error), end; !error && it != end; it.increment(error)) {
      const auto name = win::SystemName(it->path().filename().string());
      if (name && EndsWithPhn(*name)) names.Add(cl::AnsiUpperCase(*name));
    }
  }
  const int found = names.IndexOf(cl::AnsiUpperCase(wanted));
  numCBoxFile_->SetItemIndex(found >= 0 ? found : names.Count() > 0 ? 0 : -1);
  PhoneBookChosen();
}

bool tMultiAddressForm::ChangesSettled() {
  if (!phoneBookChanged_) return true;
  if (ConfirmText(20561) != 6) return true;  // No: the changes go
  return SavePhoneBookClick();
}

void tMultiAddressForm::PhoneBookChosen() {
  const std::string text = numCBoxFile_->Text();
  const std::string path = text.empty() ? std::string() : disk_.ConfigFile(utl::DIRNAMEOFF(text));
  if (!win::SameNameIgnoringCase(path, phoneBookPath_) && !ChangesSettled()) {
    // The changed book stays open, and so does its name in the choice.
    const int current = numCBoxFile_->Items().IndexOf(utl::DIRNAMEOFF(phoneBookPath_));
    numCBoxFile_->SetItemIndex(current);
    return;
  }
  OpenPhoneBook(path);
}

void tMultiAddressForm::OpenPhoneBook(const std::string& path) {
  if (path.empty() || utl::FILENOTFOUND(path)) return;
  ResetDrawCache();
  if (!win::SameNameIgnoringCase(path, phoneBookPath_)) {
    cl::TStrings& rows = numLBox_->Items();
    ClearOwnedRows(rows);
    phoneBookPath_ = path;
    try {
      rows.BeginUpdate();
      LoadPhoneBook(path, rows, static_cast<std::uint8_t>(SortKind()));
      rows.EndUpdate();
      shownSortKind_ = SortKind();
      RefreshPhoneMarks();
    } catch (...) {
      rows.EndUpdate();
      phoneBookPath_.clear();
      ClearOwnedRows(rows);
    }
    SetChanged(false);
  }
  UpdatePhoneButtons();
}

void tMultiAddressForm::SortChanged() {
  ResetDrawCache();
  SortRows(SortKind());
}

void tMultiAddressForm::SortRows(int kind) {
  cl::TStrings& rows = numLBox_->Items();
  // Entries and their marks move to their new rows.
  struct Row {
    cl::TObject* object;
    bool marked;
  };
  const int focusedRow = numLBox_->ItemIndex();
  const cl::TObject* focused = focusedRow >= 0 && focusedRow < rows.Count() ? rows.GetObject(focusedRow) : nullptr;
  std::vector<Row> moved;
  moved.reserve(static_cast<std::size_t>(rows.Count()));
  for (int i = 0; i < rows.Count(); ++i) moved.push_back({rows.GetObject(i), numLBox_->Selected(i)});
  rows.BeginUpdate();
  rows.Clear();
  std::vector<cl::TObject*> marked;
  for (const Row& row : moved) {
    const tPhoneBookItem* entry = PhoneItemOf(row.object);
    const std::string key = entry ? PhoneItemKey(*entry, static_cast<std::uint8_t>(kind)) : std::string();
    rows.AddObject(key, row.object);
    if (row.marked) marked.push_back(row.object);
  }
  rows.EndUpdate();
  std::unordered_map<const cl::TObject*, int> rowOf;
  for (int i = 0; i < rows.Count(); ++i) rowOf.emplace(rows.GetObject(i), i);
  if (focused != nullptr) numLBox_->SetItemIndex(rowOf.at(focused));
  for (cl::TObject* object : marked) numLBox_->SetSelected(rowOf.at(object), true);
  shownSortKind_ = kind;
  numLBox_->Invalidate();
}

void tMultiAddressForm::DeleteEntries() {
  cl::TStrings& rows = numLBox_->Items();
  bool deleted = false;
  for (int i = rows.Count() - 1; i >= 0; --i) {
    if (!numLBox_->Selected(i)) continue;
    DeleteOwnedRow(rows, i);
    deleted = true;
  }
  if (deleted) SetChanged(true);
  UpdateButtons(CurrentPage());
}

bool tMultiAddressForm::EditedValid(tPhoneBookItem& entry) {
  const auto allowed = static_cast<std::uint8_t>(modeFlags_ & (ModeNetworkUse | ModeFaxUse | ModeSmsUse));
  return EditPhoneItem(entry, allowed, disk_) == cl::mrOk && IsPhoneItemValid(entry);
}

void tMultiAddressForm::InsertEntry(std::unique_ptr<cl::TObject> entry, bool mark) {
  const tPhoneBookItem* item = PhoneItemOf(entry.get());
  const std::string key = PhoneItemKey(*item, static_cast<std::uint8_t>(shownSortKind_));
  const int index = AddOwnedRow(numLBox_->Items(), key, std::move(entry));
  if (index >= 0) {
    numLBox_->SetItemIndex(index);
    if (mark) numLBox_->SetSelected(index, true);
  }
  SetChanged(true);
  RefreshPhoneMarks();
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::AddEntry() {
  auto entry = std::make_unique<tPhoneBookItem>();
  entry->Country.Assign(utl::URIGETDEFAULTCOUNTRY());
  entry->Area.Assign(utl::URIGETDEFAULTCITY());
  entry->Number.Assign("12345678");
  entry->SetUseForFromFlags(modeFlags_);
  if (EditedValid(*entry)) InsertEntry(std::move(entry), false);
}

void tMultiAddressForm::DuplicateEntry() {
  const int focused = numLBox_->ItemIndex();
  if (focused < 0 || focused >= numLBox_->Count()) return;
  const tPhoneBookItem* source = PhoneItemOf(numLBox_->Items().GetObject(focused));
  if (source == nullptr) return;
  try {
    auto copy = std::make_unique<tPhoneBookItem>();
    copy->Assign(*source);
    copy->LimitUseFor(modeFlags_);
    if (EditedValid(*copy)) InsertEntry(std::move(copy), false);
  } catch (...) {
  }
}

void tMultiAddressForm::EditEntry() {
  const int focused = numLBox_->ItemIndex();
  if (focused < 0 || focused >= numLBox_->Count()) return;
  cl::TStrings& rows = numLBox_->Items();
  tPhoneBookItem* entry = PhoneItemOf(rows.GetObject(focused));
  if (entry == nullptr) return;
  // The editor works on a copy: an edit left invalid changes nothing.
  tPhoneBookItem edited = *entry;
  if (!EditedValid(edited)) return;
  entry->Assign(edited);
  std::unique_ptr<cl::TObject> object(rows.GetObject(focused));
  rows.Delete(focused);
  InsertEntry(std::move(object), true);
}

bool tMultiAddressForm::WriteBook(const std::string& path, const std::string& fileName) {
  try {
    SavePhoneBook(path, numLBox_->Items());
    return true;
  } catch (const cl::Exception&) {
    ShowError(FormatName(SuiteText(20559), fileName));
    return false;
  }
}

bool tMultiAddressForm::SavePhoneBookClick() {
  if (phoneBookPath_.empty()) return NewPhoneBook();
  // A book that could not be written stays changed.
  if (!WriteBook(phoneBookPath_, utl::DIRNAMEOFF(phoneBookPath_))) return false;
  SetChanged(false);
  return true;
}

bool tMultiAddressForm::NewPhoneBook() {
  const auto answer = InputQuery(SuiteText(20557), SuiteText(20558), "");
  if (!answer) return false;
  const std::string name = utl::STRTRIM(*answer);
  if (name.empty()) return false;
  const std::string fileName = cl::AnsiUpperCase(utl::FILENAME(name) + ".phn");
  const std::string path = disk_.ConfigFile(fileName);
  // Another book of that name is not overwritten.
  if (!utl::FILENOTFOUND(path)) {
    ShowError(FormatName(SuiteText(20559), fileName));
    return false;
  }
  if (!WriteBook(path, fileName)) return false;
  cl::TStrings& names = numCBoxFile_->Items();
  if (names.IndexOf(fileName) < 0) names.Add(fileName);
  numCBoxFile_->SetItemIndex(names.IndexOf(fileName));
  phoneBookPath_ = path;
  SetChanged(false);
  return true;
}

bool tMultiAddressForm::CloseQuery() {
  if (ModalResult() == cl::mrOk && !AnswerFits()) return false;
  if (phoneBookChanged_ && ConfirmText(20561) == 6) SavePhoneBookClick();
  return cl::TForm::CloseQuery();
}

// ---------------------------------------------------------------- settings

void tMultiAddressForm::LoadPhoneSettings() {
  try {
    const std::int32_t kind = CFGGETINTEGER(KeySortKind);
    if (kind >= 0 && kind < SortKinds && kind < numCBoxSort_->Items().Count()) {
      numCBoxSort_->SetItemIndex(kind);
      if (kind != shownSortKind_) SortRows(kind);
    }
  } catch (...) {
  }
  try {
    ShortString name{};
    CFGGETSTRING(KeyPhoneBook, &name);
    const int found = numCBoxFile_->Items().IndexOf(cl::AnsiUpperCase(name.Str()));
    if (found >= 0) {
      numCBoxFile_->SetItemIndex(found);
      PhoneBookChosen();
    }
    ApplyRowKey(*numLBox_, CFGGETINTEGER(KeyPhoneRow));
  } catch (...) {
  }
}

void tMultiAddressForm::SavePhoneSettings() {
  const ShortString name = ShortString::From(numCBoxFile_->Text().substr(0, 255));
  CFGPUTSTRING(KeyPhoneBook, &name);
  CFGPUTINTEGER(KeyPhoneRow, numLBox_->ItemIndex());
  CFGPUTINTEGER(KeySortKind, numCBoxSort_->ItemIndex());
}

// ---------------------------------------------------------------- rows

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
