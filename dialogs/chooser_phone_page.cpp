// The chooser's phone-book page: one book of the configuration directory as
// rows sorted by the chosen key, and its upkeep.
#include "dialogs/chooser_phone_page.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "dialogs/address_items.h"
#include "dialogs/address_selection.h"
#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_host.h"
#include "dialogs/chooser_menu_item.h"
#include "dialogs/chooser_rows.h"
#include "dialogs/chooser_settings.h"
#include "dialogs/disk.h"
#include "dialogs/glyph_strip.h"
#include "dialogs/input_query.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/name_format.h"
#include "dialogs/owned_rows.h"
#include "dialogs/phone_book.h"
#include "dialogs/phone_book_entry.h"
#include "dialogs/phone_item_form.h"
#include "dialogs/suite_texts.h"
#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "platform/core/file_names.h"
#include "platform/core/find_file.h"
#include "platform/core/short_string.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/form.h"
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

constexpr int SortKinds = LastPhoneSortKind + 1;

std::string PhoneUrl(const tPhoneBookItem& entry) {
  return utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(entry.UseFor), entry.Country.View(), entry.Area.View(),
                           entry.Number.View());
}

}  // namespace

tPhonePage::tPhonePage(cl::TWinControl& page, const tDisk& disk, tChooserHost& host)
    : tChooserPage(disk, host) {
  BuildControls(page);
}

void tPhonePage::BuildControls(cl::TWinControl& page) {
  MakeColumns(page, "numHeader", "numLBox", true);
  const auto combo = [&](const char* name, int left, int width, std::uint16_t hint) {
    auto* box = cl::Make<cl::TComboBox>(*this);
    box->SetName(name);
    box->SetParent(&page);
    box->SetBounds(left, 4, width, 21);
    box->SetStyle(cl::csDropDownList);
    box->SetShowHint(true);
    box->SetHint(SuiteText(hint));
    return box;
  };
  numCBoxFile_ = combo("numCBoxFile", 4, 180, 20579);
  numCBoxFile_->SetSorted(true);
  numCBoxSort_ = combo("numCBoxSort", 190, 150, 20580);
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
  numSBtnSave_ = button("numSBtnSave", 350, 20573, "BOOKSAVE", [this] { SaveBook(); });
  numSBtnNew_ = button("numSBtnNew", 376, 20577, "BOOKNEW", [this] { NewBook(); });
  numSBtnAdd_ = button("numSBtnAdd", 410, 20574, "ENTRYADD", [this] { AddEntry(); });
  numSBtnDup_ = button("numSBtnDup", 436, 20578, "ENTRYDUP", [this] { DuplicateEntry(); });
  numSBtnEdit_ = button("numSBtnEdit", 462, 20575, "ENTRYEDIT", [this] { EditEntry(); });
  numSBtnDel_ = button("numSBtnDel", 488, 20576, "ENTRYDEL", [this] { DeleteEntries(); });
}

std::function<void()> tPhonePage::OnThisPage(std::function<void()> action) {
  return [this, action = std::move(action)] {
    if (host_.CurrentPage() == Index) action();
  };
}

void tPhonePage::BuildMenu(cl::TMenuItem& parent) {
  const auto add = [&](const char* name, std::uint16_t text, std::uint16_t key, std::function<void()> action) {
    return &AddMenuItem(parent, name, text, key, key != 0 ? cl::ssAlt : 0, OnThisPage(std::move(action)));
  };
  add("PMnu_Load", 20593, 'L', [this] { numCBoxFile_->SetFocus(); });
  add("PMnu_numNew", 20594, 0, [this] { NewBook(); });
  saveItem_ = add("PMnu_numSave", 20595, 0, [this] { SaveBook(); });
  add("PMnu_Sort", 20596, 'S', [this] { numCBoxSort_->SetFocus(); });
  add("PMnu_numAdd", 20597, 0, [this] { AddEntry(); });
  add("PMnu_numDup", 20598, 0, [this] { DuplicateEntry(); });
  add("PMnu_numEdit", 20599, 0, [this] { EditEntry(); });
  add("PMnu_numDel", 20600, 0, [this] { DeleteEntries(); });
}

void tPhonePage::Prepare(const std::string& headerFile) {
  ApplyLayout(headerFile, HeaderBase);
  // Sort kinds 0-4 are the columns but the glyph's, 5-7 the use-for orders.
  for (int s = 0; s + 1 < header_->SectionCount(); ++s) numCBoxSort_->Items().Add(header_->SectionText(s));
  for (const std::uint16_t text : {20610, 20611, 20612}) numCBoxSort_->Items().Add(SuiteText(text));
  numCBoxSort_->SetItemIndex(0);
  ShortString wanted{};
  CFGGETSTRING(tChooserSetting::PhoneBook, &wanted);
  FillPhoneBookChoice(wanted.Str());
  SetChanged(false);
}

void tPhonePage::SetChanged(bool changed) {
  changed_ = changed;
  numSBtnSave_->SetEnabled(changed);
  if (saveItem_ != nullptr) saveItem_->SetEnabled(changed);
}

int tPhonePage::SortKind() const { return std::clamp(numCBoxSort_->ItemIndex(), 0, SortKinds - 1); }

void tPhonePage::UpdateButtons() {
  numSBtnDup_->SetEnabled(list_->Count() > 0);
  if (saveItem_ != nullptr) saveItem_->SetEnabled(numSBtnSave_->Enabled());
}

// ---------------------------------------------------------------- books

void tPhonePage::FillPhoneBookChoice(const std::string& wanted) {
  cl::TStrings& names = numCBoxFile_->Items();
  names.Clear();
  for (const win::FindData& found : win::FindFiles(disk_.ConfigFile("*.phn")))
    names.Add(cl::AnsiUpperCase(found.name));
  const int found = names.IndexOf(cl::AnsiUpperCase(wanted));
  numCBoxFile_->SetItemIndex(found >= 0 ? found : names.Count() > 0 ? 0 : -1);
  PhoneBookChosen();
}

bool tPhonePage::ChangesSettled() {
  if (!changed_) return true;
  if (ConfirmText(20561) != 6) return true;  // No: the changes go
  return SaveBook();
}

void tPhonePage::PhoneBookChosen() {
  const std::string text = numCBoxFile_->Text();
  const std::string path = text.empty() ? std::string() : disk_.ConfigFile(utl::DIRNAMEOFF(text));
  if (!win::SameNameIgnoringCase(path, path_) && !ChangesSettled()) {
    // The changed book stays open, and so does its name in the choice.
    const int current = numCBoxFile_->Items().IndexOf(utl::DIRNAMEOFF(path_));
    numCBoxFile_->SetItemIndex(current);
    return;
  }
  OpenPhoneBook(path);
}

void tPhonePage::OpenPhoneBook(const std::string& path) {
  if (path.empty() || utl::FILENOTFOUND(path)) return;
  host_.ResetDrawCache();
  if (!win::SameNameIgnoringCase(path, path_)) {
    cl::TStrings& rows = list_->Items();
    ClearOwnedRows(rows);
    path_ = path;
    try {
      {
        const cl::TStringsUpdate update(rows);
        LoadPhoneBook(path, rows, static_cast<std::uint8_t>(SortKind()));
      }
      shownSortKind_ = SortKind();
      RefreshMarks();
    } catch (const cl::Exception&) {
      // A book that cannot be read leaves the page empty with no book open,
      // without a word.
      path_.clear();
      ClearOwnedRows(rows);
    }
    SetChanged(false);
  }
  UpdateButtons();
}

void tPhonePage::SortChanged() {
  host_.ResetDrawCache();
  SortRows(SortKind());
}

void tPhonePage::SortRows(int kind) {
  cl::TStrings& rows = list_->Items();
  // Entries and their marks move to their new rows.
  struct Row {
    cl::TObject* object;
    bool marked;
  };
  const int focusedRow = list_->ItemIndex();
  const cl::TObject* focused = focusedRow >= 0 && focusedRow < rows.Count() ? rows.GetObject(focusedRow) : nullptr;
  std::vector<Row> moved;
  moved.reserve(static_cast<std::size_t>(rows.Count()));
  for (int i = 0; i < rows.Count(); ++i) moved.push_back({rows.GetObject(i), list_->Selected(i)});
  std::vector<cl::TObject*> marked;
  {
    const cl::TStringsUpdate update(rows);
    rows.Clear();
    for (const Row& row : moved) {
      const tPhoneBookItem* entry = PhoneItemOf(row.object);
      const std::string key = entry ? PhoneItemKey(*entry, static_cast<std::uint8_t>(kind)) : std::string();
      rows.AddObject(key, row.object);
      if (row.marked) marked.push_back(row.object);
    }
  }
  std::unordered_map<const cl::TObject*, int> rowOf;
  for (int i = 0; i < rows.Count(); ++i) rowOf.emplace(rows.GetObject(i), i);
  if (focused != nullptr) list_->SetItemIndex(rowOf.at(focused));
  for (cl::TObject* object : marked) list_->SetSelected(rowOf.at(object), true);
  shownSortKind_ = kind;
  list_->Invalidate();
}

// ---------------------------------------------------------------- entries

void tPhonePage::DeleteEntries() {
  cl::TStrings& rows = list_->Items();
  bool deleted = false;
  for (int i = rows.Count() - 1; i >= 0; --i) {
    if (!list_->Selected(i)) continue;
    DeleteOwnedRow(rows, i);
    deleted = true;
  }
  if (deleted) SetChanged(true);
  host_.UpdateButtons();
}

bool tPhonePage::EditedValid(tPhoneBookItem& entry) {
  const auto allowed = static_cast<std::uint8_t>(host_.ModeFlags() & (ModeNetworkUse | ModeFaxUse | ModeSmsUse));
  return EditPhoneItem(entry, allowed, disk_) == cl::mrOk && IsPhoneItemValid(entry);
}

void tPhonePage::InsertEntry(std::unique_ptr<tPhoneBookItem> entry, bool mark) {
  const std::string key = PhoneItemKey(*entry, static_cast<std::uint8_t>(shownSortKind_));
  const int index = AddOwnedRow(list_->Items(), key, std::move(entry));
  if (index >= 0) {
    list_->SetItemIndex(index);
    if (mark) list_->SetSelected(index, true);
  }
  SetChanged(true);
  RefreshMarks();
  host_.UpdateButtons();
}

void tPhonePage::AddEntry() {
  auto entry = std::make_unique<tPhoneBookItem>();
  entry->Country.Assign(utl::URIGETDEFAULTCOUNTRY());
  entry->Area.Assign(utl::URIGETDEFAULTCITY());
  entry->Number.Assign("12345678");
  entry->SetUseForFromFlags(host_.ModeFlags());
  if (EditedValid(*entry)) InsertEntry(std::move(entry), false);
}

void tPhonePage::DuplicateEntry() {
  const int focused = list_->ItemIndex();
  if (focused < 0 || focused >= list_->Count()) return;
  const tPhoneBookItem* source = PhoneItemOf(list_->Items().GetObject(focused));
  if (source == nullptr) return;
  // A failure discards the copy and reaches the user.
  auto copy = std::make_unique<tPhoneBookItem>();
  copy->Assign(*source);
  copy->LimitUseFor(host_.ModeFlags());
  if (EditedValid(*copy)) InsertEntry(std::move(copy), false);
}

void tPhonePage::EditEntry() {
  const int focused = list_->ItemIndex();
  if (focused < 0 || focused >= list_->Count()) return;
  cl::TStrings& rows = list_->Items();
  tPhoneBookItem* entry = PhoneItemOf(rows.GetObject(focused));
  if (entry == nullptr) return;
  // The editor works on a copy: an edit left invalid changes nothing.
  tPhoneBookItem edited = *entry;
  if (!EditedValid(edited)) return;
  entry->Assign(edited);
  std::unique_ptr<tPhoneBookItem> moved(entry);
  rows.Delete(focused);
  InsertEntry(std::move(moved), true);
}

bool tPhonePage::WriteBook(const std::string& path, const std::string& fileName) {
  try {
    SavePhoneBook(path, list_->Items());
    return true;
  } catch (const cl::Exception&) {
    ShowError(FormatName(SuiteText(20559), fileName));
    return false;
  }
}

bool tPhonePage::SaveBook() {
  if (path_.empty()) return NewBook();
  // A book that could not be written stays changed.
  if (!WriteBook(path_, utl::DIRNAMEOFF(path_))) return false;
  SetChanged(false);
  return true;
}

bool tPhonePage::NewBook() {
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
  path_ = path;
  SetChanged(false);
  return true;
}

void tPhonePage::SettleAtClose() {
  if (changed_ && ConfirmText(20561) == 6) SaveBook();
}

// ---------------------------------------------------------------- settings

void tPhonePage::LoadSettings() {
  // Each group of remembered settings stands alone: one that fails is passed
  // over with the rest of its group.
  try {
    const std::int32_t kind = CFGGETINTEGER(tChooserSetting::SortKind);
    if (kind >= 0 && kind < SortKinds && kind < numCBoxSort_->Items().Count()) {
      numCBoxSort_->SetItemIndex(kind);
      if (kind != shownSortKind_) SortRows(kind);
    }
  } catch (...) {
    // The sort kind stays.
  }
  try {
    ShortString name{};
    CFGGETSTRING(tChooserSetting::PhoneBook, &name);
    const int found = numCBoxFile_->Items().IndexOf(cl::AnsiUpperCase(name.Str()));
    if (found >= 0) {
      numCBoxFile_->SetItemIndex(found);
      PhoneBookChosen();
    }
    ApplyRowKey(*list_, CFGGETINTEGER(tChooserSetting::PhoneRow));
  } catch (...) {
    // The book open stays, with its focused row.
  }
}

void tPhonePage::SaveSettings() const {
  const ShortString name = ShortString::From(numCBoxFile_->Text().substr(0, ShortString::MaxLength));
  CFGPUTSTRING(tChooserSetting::PhoneBook, &name);
  CFGPUTINTEGER(tChooserSetting::PhoneRow, list_->ItemIndex());
  CFGPUTINTEGER(tChooserSetting::SortKind, numCBoxSort_->ItemIndex());
}

// ---------------------------------------------------------------- rows

std::unique_ptr<tBKAddressItem> tPhonePage::AddressOfRow(const cl::TObject& row) const {
  if (const tPhoneBookItem* entry = PhoneItemOf(&row)) return tBKAddressItem::FromPhoneItem(*entry);
  return nullptr;
}

void tPhonePage::RefreshMarks() {
  const auto chosen = host_.Selection().UpperCaseUrls();
  const cl::TStrings& rows = list_->Items();
  for (int i = 0; i < rows.Count(); ++i)
    if (tPhoneBookItem* entry = PhoneItemOf(rows.GetObject(i)))
      entry->Taken = chosen.contains(cl::AnsiUpperCase(PhoneUrl(*entry))) ? 1 : 0;
  list_->Invalidate();
}

void tPhonePage::DrawRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = list_->ItemCanvas();
  canvas.FillRect(rect);
  const tPhoneBookItem* entry = PhoneItemOf(list_->Items().GetObject(index));
  if (entry == nullptr) return;
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(host_.RowFont());
  canvas.Font().SetColor(entry->Taken ? cl::clGrayText : normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const std::string texts[] = {entry->Name.Str(), entry->Company.Str(), entry->Country.Str(), entry->Area.Str(),
                               entry->Number.Str()};
  for (int k = 0; k < 5; ++k) ColumnText(canvas, *header_, k, rect, texts[k]);
  if (const auto column = ColumnRect(*header_, 5, rect)) host_.Glyphs().DrawUseFor(canvas, entry->UseFor, column->Left, rect.Top);
}

}  // namespace dlg
