#include "dialogs/multi_address_form.h"

#include <bit>

#include "dialogs/chooser_rows.h"
#include "dialogs/config_font.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/owned_rows.h"
#include "dialogs/suite_texts.h"
#include "platform/gui/button.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/header.h"
#include "platform/gui/menu.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/panel.h"
#include "platform/gui/tabbed_notebook.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brancfg/brancfg.h"
#include "utility/beeper.h"

namespace dlg {

namespace {

enum : std::uint8_t {
  KeyPage = 4,
  KeyStationList = 5,
  KeyStationRow = 6,
  KeyPhoneBook = 7,
  KeyPhoneRow = 8,
  KeySortKind = 9
};

cl::TBitBtn* MakeButton(cl::TForm& form, cl::TWinControl& parent, const char* name, int left, int top) {
  auto* button = cl::Make<cl::TBitBtn>(form);
  button->SetName(name);
  button->SetParent(&parent);
  button->SetBounds(left, top, 80, 25);
  button->SetShowHint(true);
  return button;
}

cl::THeader* MakeHeader(cl::TForm& form, cl::TWinControl& parent, const char* name, cl::TRect bounds) {
  auto* header = cl::Make<cl::THeader>(form);
  header->SetName(name);
  header->SetParent(&parent);
  header->SetBoundsRect(bounds);
  return header;
}

cl::TOwnerDrawListBox* MakeList(cl::TForm& form, cl::TWinControl& parent, const char* name, cl::TRect bounds,
                                bool sorted) {
  auto* list = cl::Make<cl::TOwnerDrawListBox>(form);
  list->SetName(name);
  list->SetParent(&parent);
  list->SetBoundsRect(bounds);
  list->SetMultiSelect(true);
  list->SetItemHeight(tMultiAddressForm::RowHeight);
  list->SetSorted(sorted);
  return list;
}

}  // namespace

tMultiAddressForm::tMultiAddressForm(const tDisk& disk) : cl::TForm(nullptr), disk_(disk) {
  SetName("MultiAddressForm");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  SetKeyPreview(true);
  SetClientSize(640, 560);
  BuildControls();
  BuildMenu();
  ApplyTexts();

  const std::string headerFile = disk_.HeaderWidthsFile();
  phoneHeaders_ = std::make_unique<tHeaderManager>(headerFile, PhoneHeaderBase);
  phoneHeaders_->ApplyToHeader(*numHeader_, 0, 0);
  // Sort kinds 0-4 are the columns but the glyph's, 5-7 the use-for orders.
  for (int s = 0; s + 1 < numHeader_->SectionCount(); ++s) numCBoxSort_->Items().Add(numHeader_->SectionText(s));
  for (const std::uint16_t text : {20610, 20611, 20612}) numCBoxSort_->Items().Add(SuiteText(text));
  numCBoxSort_->SetItemIndex(0);
  {
    ShortString wanted{};
    CFGGETSTRING(KeyPhoneBook, &wanted);
    FillPhoneBookChoice(wanted.Str());
  }
  SetChanged(false);
  LoadFontFromConfig(11, sidCBoxUTO_->Font());
  sidCBoxUTO_->SetItemIndex(-1);
  stationHeaders_ = std::make_unique<tHeaderManager>(headerFile, StationHeaderBase);
  stationHeaders_->ApplyToHeader(*sidHeader_, 0, 0);
  LoadFontFromConfig(12, rowFont_);
  listCode_ = -1;
  FillStationListChoice(CFGGETINTEGER(KeyStationList));
  bitBtnNET_->Hide();
  selectionHeaders_ = std::make_unique<tHeaderManager>(headerFile, SelectionHeaderBase);
  selectionHeaders_->ApplyToHeader(*selHeader_, 0, 0);

  OnShow = [this](cl::TObject*) { FormShown(); };
}

tMultiAddressForm::~tMultiAddressForm() {
  // The widths the user dragged are kept for the next use.
  if (phoneHeaders_) phoneHeaders_->StoreHeaderWidths(*numHeader_, 0);
  if (stationHeaders_) stationHeaders_->StoreHeaderWidths(*sidHeader_, 0);
  if (selectionHeaders_) selectionHeaders_->StoreHeaderWidths(*selHeader_, 0);
  phoneHeaders_.reset();
  stationHeaders_.reset();
  selectionHeaders_.reset();
  for (cl::TOwnerDrawListBox* list : {sidLBox_, numLBox_, selLBox_})
    if (list != nullptr) ClearOwnedRows(list->Items());
}

void tMultiAddressForm::BuildControls() {
  notebook_ = cl::Make<cl::TTabbedNotebook>(*this);
  notebook_->SetName("TabbedNotebook");
  notebook_->SetParent(this);
  notebook_->SetBounds(4, 4, 632, 272);
  cl::TPage& stations = notebook_->AddPage("");
  cl::TPage& phones = notebook_->AddPage("");
  notebook_->OnChange = [this](cl::TObject*, int newTab, bool& allow) {
    allow = PageInSet(newTab);
    if (allow)
      UpdateButtons(newTab);
    else
      utl::BEEP(0);
  };
  notebook_->OnClick = [this](cl::TObject*) { FocusList(PageList(CurrentPage())); };

  sidCBoxUTO_ = cl::Make<cl::TComboBox>(*this);
  sidCBoxUTO_->SetName("sidCBoxUTO");
  sidCBoxUTO_->SetParent(&stations);
  sidCBoxUTO_->SetBounds(4, 4, 300, 21);
  sidCBoxUTO_->SetStyle(cl::csDropDownList);
  sidCBoxUTO_->SetSorted(true);
  sidCBoxUTO_->SetShowHint(true);
  sidCBoxUTO_->OnChange = [this](cl::TObject*) { StationListChanged(); };
  bitBtnNET_ = MakeButton(*this, stations, "BitBtnNET", 310, 2);
  sidHeader_ = MakeHeader(*this, stations, "sidHeader", cl::Rect(4, 30, 620, 48));
  sidLBox_ = MakeList(*this, stations, "sidLBox", cl::Rect(4, 48, 620, 240), false);

  numHeader_ = MakeHeader(*this, phones, "numHeader", cl::Rect(4, 30, 620, 48));
  numLBox_ = MakeList(*this, phones, "numLBox", cl::Rect(4, 48, 620, 240), true);
  BuildPhonePage(phones);

  mainPanel_ = cl::Make<cl::TPanel>(*this);
  mainPanel_->SetName("MainPanel");
  mainPanel_->SetParent(this);
  mainPanel_->SetBevelOuter(cl::bvNone);
  mainPanel_->SetBounds(4, 280, 632, 64);
  selBBtnAdd_ = MakeButton(*this, *mainPanel_, "selBBtnAdd", 0, 4);
  selBBtnDel_ = MakeButton(*this, *mainPanel_, "selBBtnDel", 84, 4);
  selBBtnExport_ = MakeButton(*this, *mainPanel_, "selBBtnExport", 168, 4);
  selBBtnImport_ = MakeButton(*this, *mainPanel_, "selBBtnImport", 252, 4);
  selBBtnKill_ = MakeButton(*this, *mainPanel_, "selBBtnKill", 336, 4);
  selBBtnOK_ = MakeButton(*this, *mainPanel_, "selBBtnOK", 468, 4);
  selBBtnOK_->SetKind(cl::bkOK);
  selBBtnOK_->SetEnabled(false);
  selBBtnCancel_ = MakeButton(*this, *mainPanel_, "selBBtnCancel", 552, 4);
  selBBtnCancel_->SetKind(cl::bkCancel);
  selHeader_ = MakeHeader(*this, *mainPanel_, "selHeader", cl::Rect(0, 46, 632, 64));
  selLBox_ = MakeList(*this, *this, "selLBox", cl::Rect(4, 344, 636, 556), true);

  selBBtnAdd_->OnClick = [this](cl::TObject*) { AddMarked(); };
  selBBtnDel_->OnClick = [this](cl::TObject*) { DeleteMarked(); };
  selBBtnExport_->OnClick = [this](cl::TObject*) { ExportSelection(); };
  selBBtnImport_->OnClick = [this](cl::TObject*) { ImportSelection(); };
  selBBtnKill_->OnClick = [this](cl::TObject*) { Kill(); };

  const struct {
    cl::TOwnerDrawListBox* list;
    cl::THeader* header;
    int which;
  } lists[] = {{sidLBox_, sidHeader_, 0}, {numLBox_, numHeader_, 1}, {selLBox_, selHeader_, 2}};
  for (const auto& entry : lists) {
    cl::TOwnerDrawListBox* list = entry.list;
    const int which = entry.which;
    list->OnClick = [this](cl::TObject*) { UpdateButtons(CurrentPage()); };
    list->OnDrawItem = [this, list, which](cl::TWinControl*, int index, cl::TRect rect, cl::TOwnerDrawState) {
      if (which == 0) DrawStationRow(index, rect);
      if (which == 1) DrawPhoneRow(index, rect);
      if (which == 2) DrawSelectionRow(index, rect);
      RowDrawn(*list, which);
    };
    entry.header->OnSized = [list](cl::TObject*, int, std::int32_t) { list->Invalidate(); };
    entry.header->OnSizing = [list](cl::TObject*, int, std::int32_t) { list->Invalidate(); };
  }
  // A double click marks the focused row first.
  for (cl::TOwnerDrawListBox* list : {sidLBox_, numLBox_}) {
    list->OnDblClick = [this, list](cl::TObject*) {
      if (list->ItemIndex() >= 0) list->SetSelected(list->ItemIndex(), true);
      AddMarked();
    };
  }
  selLBox_->OnDblClick = [this](cl::TObject*) {
    if (selLBox_->ItemIndex() >= 0) selLBox_->SetSelected(selLBox_->ItemIndex(), true);
    DeleteMarked();
  };

  numSaveDialog_ = cl::Make<cl::TSaveDialog>(*this);
  numSaveDialog_->SetName("numSaveDialog");
  selOpenDialog_ = cl::Make<cl::TOpenDialog>(*this);
  selOpenDialog_->SetName("selOpenDialog");
}

cl::TMenuItem& tMultiAddressForm::AddMenuItem(const std::string& name, std::uint16_t text, std::uint16_t key,
                                              cl::TShiftState shift, std::function<void()> action,
                                              cl::TMenuItem* parent) {
  auto item = std::make_unique<cl::TMenuItem>();
  item->SetName(name);
  item->SetCaption(SuiteText(text));
  if (key != 0) item->SetShortCut(cl::ShortCut(key, shift));
  if (action) item->OnClick = [action = std::move(action)](cl::TObject*) { action(); };
  return *(parent != nullptr ? *parent : popupMenu_->Items()).Add(std::move(item));
}

std::function<void()> tMultiAddressForm::OnPage(int page, std::function<void()> action) {
  return [this, page, action = std::move(action)] {
    if (CurrentPage() == page) action();
  };
}

void tMultiAddressForm::BuildMenu() {
  popupMenu_ = cl::Make<cl::TPopupMenu>(*this);
  popupMenu_->SetName("PopupMenu");
  SetPopupMenu(popupMenu_);
  AddMenuItem("PMnu_NextPage", 20582, cl::VK_RIGHT, cl::ssAlt, [this] { NextPage(); });
  AddMenuItem("PMnu_PrevPage", 20583, cl::VK_LEFT, cl::ssAlt, [this] { PrevPage(); });
  AddMenuItem("PMnu_UpList", 20584, cl::VK_PRIOR, cl::ssAlt, [this] { FocusList(PageList(CurrentPage())); });
  AddMenuItem("PMnu_DownList", 20585, cl::VK_NEXT, cl::ssAlt, [this] { FocusList(selLBox_); });
  AddMenuItem("PMnu_selAdd", 20586, cl::VK_DOWN, cl::ssAlt, [this] { AddMarked(); });
  AddMenuItem("PMnu_selDel", 20587, cl::VK_UP, cl::ssAlt, [this] { DeleteMarked(); });
  AddMenuItem("PMnu_selExport", 20588, 0, 0, [this] { ExportSelection(); });
  AddMenuItem("PMnu_selImport", 20589, 0, 0, [this] { ImportSelection(); });
  // Each page's items sit in a sub-menu that is on only while the page is
  // shown, so neither they nor their shortcuts reach a page the user does
  // not see; each action checks the page again.
  cl::TMenuItem& stations = AddMenuItem("PMnu_SIDlist", 20590, 0, 0, nullptr);
  AddMenuItem("PMnu_UTO", 20591, 'U', cl::ssAlt, OnPage(0, [this] { sidCBoxUTO_->SetFocus(); }), &stations);
  BuildPhoneMenu();
}

void tMultiAddressForm::ApplyTexts() {
  SetCaption(SuiteText(20560));
  const struct {
    cl::TBitBtn* button;
    std::uint16_t hint, caption;
  } buttons[] = {{selBBtnAdd_, 20564, 20565},    {selBBtnDel_, 20566, 20567}, {selBBtnExport_, 20568, 20569},
                 {selBBtnImport_, 20570, 20571}, {selBBtnKill_, 20608, 20609}};
  for (const auto& b : buttons) {
    b.button->SetHint(SuiteText(b.hint));
    b.button->SetCaption(SuiteText(b.caption));
  }
  selBBtnOK_->SetCaption(SuiteText(4));
  selBBtnCancel_->SetCaption(SuiteText(5));
  notebook_->SetPageCaption(0, SuiteText(20602));
  notebook_->SetPageCaption(1, SuiteText(20604));
  sidCBoxUTO_->SetHint(SuiteText(20572));
  numSaveDialog_->Filter = SuiteText(20581);
  selOpenDialog_->Filter = SuiteText(20601);
}

// ---------------------------------------------------------------- pages

void tMultiAddressForm::SetPages(std::uint8_t pages) {
  pages_ = pages;
  pageCount_ = std::popcount(pages);
}

bool tMultiAddressForm::PageInSet(int page) const { return page >= 0 && page <= 7 && ((pages_ >> page) & 1) != 0; }

int tMultiAddressForm::CurrentPage() const { return notebook_->PageIndex(); }

void tMultiAddressForm::SetPage(int page) {
  if (!PageInSet(page) || page >= notebook_->PageCount()) return;
  notebook_->SetPageIndex(page);
  UpdateButtons(page);
}

void tMultiAddressForm::NextPage() {
  const int current = CurrentPage();
  for (int page = current + 1; page <= 1; ++page)
    if (PageInSet(page)) return SetPage(page);
  for (int page = 0; page < current; ++page)
    if (PageInSet(page)) return SetPage(page);
}

void tMultiAddressForm::PrevPage() {
  const int current = CurrentPage();
  for (int step = 1; step <= 8; ++step) {
    const int page = (current - step + 8) % 8;
    if (PageInSet(page) && page < notebook_->PageCount()) return SetPage(page);
  }
}

cl::TOwnerDrawListBox* tMultiAddressForm::PageList(int page) const {
  if (page == 0) return sidLBox_;
  if (page == 1) return numLBox_;
  return nullptr;
}

void tMultiAddressForm::FocusList(cl::TOwnerDrawListBox* list) {
  if (list != nullptr && list->CanFocus()) list->SetFocus();
}

void tMultiAddressForm::SetModeFlags(std::uint8_t flags) {
  if (flags == modeFlags_) return;
  modeFlags_ = flags;
  notebook_->SetPageCaption(0, SuiteText((flags & ModeNetworkStations) ? 20603 : 20602));
  if (CurrentPage() == 0) FillStations(listCode_, modeFlags_);
}

// ---------------------------------------------------------------- buttons

void tMultiAddressForm::UpdateButtons(int page) {
  int fresh = 0;
  if (cl::TOwnerDrawListBox* list = PageList(page)) {
    for (int i = 0; i < list->Count(); ++i) {
      if (!list->Selected(i)) continue;
      const std::uint8_t* taken = TakenOf(list->Items().GetObject(i));
      if (taken != nullptr && *taken == 0) ++fresh;
    }
  }
  const int count = SelectionCount();
  const bool anyMarked = selLBox_->SelCount() > 0;
  const bool room = maxCount_ < 0 || count < maxCount_;
  const bool one = (modeFlags_ & ModeOneRecipient) != 0;
  const bool canAdd = room && (one ? fresh == 1 && count == 0 : fresh > 0);
  selBBtnAdd_->SetEnabled(canAdd);
  selBBtnDel_->SetEnabled(count > 0 && anyMarked);
  selBBtnKill_->SetEnabled(count > 0);
  selBBtnExport_->SetEnabled(count > 0);
  // One recipient means one: a choice of more cannot be confirmed.
  selBBtnOK_->SetEnabled(count > 0 && !(one && count > 1));

  cl::TMenuItem& items = popupMenu_->Items();
  const auto enable = [&](const char* name, bool enabled) {
    if (cl::TMenuItem* item = items.Find(name)) item->SetEnabled(enabled);
  };
  enable("PMnu_NextPage", pageCount_ > 1);
  enable("PMnu_PrevPage", pageCount_ > 1);
  enable("PMnu_selAdd", canAdd);
  enable("PMnu_selDel", selBBtnDel_->Enabled());
  enable("PMnu_selExport", selBBtnExport_->Enabled());
  enable("PMnu_PhoneBook", page == 1);
  enable("PMnu_SIDlist", page == 0);
  enable("PMnu_UTO", page == 0);
  UpdatePhoneButtons();
}

void tMultiAddressForm::ResetDrawCache() {
  for (int& index : lastFocused_) index = -1;
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::RowDrawn(cl::TOwnerDrawListBox& list, int which) {
  const int focused = list.ItemIndex();
  if (focused == lastFocused_[which]) return;
  lastFocused_[which] = focused;
  UpdateButtons(CurrentPage());
}

void tMultiAddressForm::KeyDown(std::uint16_t& key, cl::TShiftState shift) {
  const cl::TShiftState modifiers = shift & (cl::ssShift | cl::ssAlt | cl::ssCtrl);
  if (key == cl::VK_F9 && modifiers == 0) {
    if (selBBtnOK_->Enabled()) SetModalResult(cl::mrOk);
    key = 0;
    return;
  }
  if (key == cl::VK_F10 && modifiers == cl::ssAlt) {
    const cl::TPoint corner = numLBox_->ClientToScreen({10, 0});
    popupMenu_->SetPopupComponent(numLBox_);
    popupMenu_->Popup(corner.X, corner.Y);
    key = 0;
    return;
  }
  cl::TForm::KeyDown(key, shift);
}

// ---------------------------------------------------------------- settings

void tMultiAddressForm::LoadSettings() {
  try {
    SetStationListCode(static_cast<std::int16_t>(CFGGETINTEGER(KeyStationList)));
    ApplyRowKey(*sidLBox_, CFGGETINTEGER(KeyStationRow));
  } catch (...) {
  }
  LoadPhoneSettings();
  const std::int32_t page = CFGGETINTEGER(KeyPage);
  if (PageInSet(page) && page < notebook_->PageCount()) {
    SetPage(page);
  } else {
    for (int first = 0; first <= 1; ++first)
      if (PageInSet(first)) {
        SetPage(first);
        break;
      }
  }
}

void tMultiAddressForm::ApplyRowKey(cl::TOwnerDrawListBox& list, std::int32_t key) {
  // A row index from an older run may lie beyond today's list.
  if (key < 0 || key >= list.Count()) return;
  list.SetItemIndex(key);
  list.SetSelected(key, true);
}

void tMultiAddressForm::SaveSettings() {
  CFGPUTINTEGER(KeyPage, CurrentPage());
  CFGPUTINTEGER(KeyStationList, listCode_);
  CFGPUTINTEGER(KeyStationRow, sidLBox_->ItemIndex());
  SavePhoneSettings();
}

void tMultiAddressForm::FormShown() {
  listCode_ = -1;
  StationListChanged();
  ApplyRowKey(*sidLBox_, CFGGETINTEGER(KeyStationRow));
  FocusList(PageList(CurrentPage()));
  ResetDrawCache();
}

}  // namespace dlg
