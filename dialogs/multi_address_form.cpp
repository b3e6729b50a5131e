#include "dialogs/multi_address_form.h"

#include <bit>

#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_menu_item.h"
#include "dialogs/chooser_page.h"
#include "dialogs/chooser_phone_page.h"
#include "dialogs/chooser_rows.h"
#include "dialogs/chooser_settings.h"
#include "dialogs/chooser_station_page.h"
#include "dialogs/config_font.h"
#include "dialogs/suite_texts.h"
#include "platform/gui/button.h"
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
  phones_->Prepare(headerFile);
  LoadFontFromConfig(12, rowFont_);
  stations_->Prepare(headerFile);
  selectionHeaders_ = std::make_unique<tHeaderManager>(headerFile, SelectionHeaderBase);
  selectionHeaders_->ApplyToHeader(*selHeader_, 0, 0);

  OnShow = [this](cl::TObject*) { FormShown(); };
}

tMultiAddressForm::~tMultiAddressForm() {
  // The pages go first, while the form they sit on is whole; each keeps its
  // column widths for the next use, as the selection's header does.
  phones_.reset();
  stations_.reset();
  if (selectionHeaders_) selectionHeaders_->StoreHeaderWidths(*selHeader_, 0);
  selectionHeaders_.reset();
}

void tMultiAddressForm::BuildControls() {
  notebook_ = cl::Make<cl::TTabbedNotebook>(*this);
  notebook_->SetName("TabbedNotebook");
  notebook_->SetParent(this);
  notebook_->SetBounds(4, 4, 632, 272);
  cl::TPage& stationPage = notebook_->AddPage("");
  cl::TPage& phonePage = notebook_->AddPage("");
  notebook_->OnChange = [this](cl::TObject*, int newTab, bool& allow) {
    allow = PageInSet(newTab);
    if (allow)
      UpdateButtons(newTab);
    else
      utl::BEEP(0);
  };
  notebook_->OnClick = [this](cl::TObject*) { FocusList(PageList(CurrentPage())); };
  tChooserHost& host = *this;
  stations_ = std::make_unique<tStationPage>(stationPage, disk_, host);
  phones_ = std::make_unique<tPhonePage>(phonePage, disk_, host);

  mainPanel_ = cl::Make<cl::TPanel>(*this);
  mainPanel_->SetName("MainPanel");
  mainPanel_->SetParent(this);
  mainPanel_->SetBevelOuter(cl::bvNone);
  mainPanel_->SetBounds(4, 280, 632, 64);
  selBBtnAdd_ = MakeChooserButton(*this, *mainPanel_, "selBBtnAdd", 0, 4);
  selBBtnDel_ = MakeChooserButton(*this, *mainPanel_, "selBBtnDel", 84, 4);
  selBBtnExport_ = MakeChooserButton(*this, *mainPanel_, "selBBtnExport", 168, 4);
  selBBtnImport_ = MakeChooserButton(*this, *mainPanel_, "selBBtnImport", 252, 4);
  selBBtnKill_ = MakeChooserButton(*this, *mainPanel_, "selBBtnKill", 336, 4);
  selBBtnOK_ = MakeChooserButton(*this, *mainPanel_, "selBBtnOK", 468, 4);
  selBBtnOK_->SetKind(cl::bkOK);
  selBBtnOK_->SetEnabled(false);
  selBBtnCancel_ = MakeChooserButton(*this, *mainPanel_, "selBBtnCancel", 552, 4);
  selBBtnCancel_->SetKind(cl::bkCancel);
  selHeader_ = MakeChooserHeader(*this, *mainPanel_, "selHeader", cl::Rect(0, 46, 632, 64));
  selLBox_ = MakeChooserList(*this, *this, "selLBox", cl::Rect(4, 344, 636, 556), true);
  selHeader_->OnSized = [this](cl::TObject*, int, std::int32_t) { selLBox_->Invalidate(); };
  selHeader_->OnSizing = [this](cl::TObject*, int, std::int32_t) { selLBox_->Invalidate(); };

  selBBtnAdd_->OnClick = [this](cl::TObject*) { AddMarked(); };
  selBBtnDel_->OnClick = [this](cl::TObject*) { DeleteMarked(); };
  selBBtnExport_->OnClick = [this](cl::TObject*) { ExportSelection(); };
  selBBtnImport_->OnClick = [this](cl::TObject*) { ImportSelection(); };
  selBBtnKill_->OnClick = [this](cl::TObject*) { Kill(); };
  WireLists();

  numSaveDialog_ = cl::Make<cl::TSaveDialog>(*this);
  numSaveDialog_->SetName("numSaveDialog");
  selOpenDialog_ = cl::Make<cl::TOpenDialog>(*this);
  selOpenDialog_->SetName("selOpenDialog");
  // The import reads the book in the configuration directory under the name
  // in upper case, which the dialog then checks rather than the name typed.
  selOpenDialog_->OpenedName = [this](const std::string& chosen) {
    return tAddressSelection::BookPath(disk_, chosen);
  };
}

void tMultiAddressForm::WireLists() {
  // Lists 0 and 1 are the pages', 2 the selection's.
  for (int which = 0; which < 3; ++which) {
    tChooserPage* const page = Page(which);
    cl::TOwnerDrawListBox* const list = page != nullptr ? &page->List() : selLBox_;
    list->OnClick = [this](cl::TObject*) { UpdateButtons(CurrentPage()); };
    list->OnDrawItem = [this, list, page, which](cl::TWinControl*, int index, cl::TRect rect, cl::TOwnerDrawState) {
      if (page != nullptr)
        page->DrawRow(index, rect);
      else
        DrawSelectionRow(index, rect);
      RowDrawn(*list, which);
    };
    if (page == nullptr) continue;
    // A double click marks the focused row first.
    list->OnDblClick = [this, list](cl::TObject*) {
      if (list->ItemIndex() >= 0) list->SetSelected(list->ItemIndex(), true);
      AddMarked();
    };
  }
  selLBox_->OnDblClick = [this](cl::TObject*) {
    if (selLBox_->ItemIndex() >= 0) selLBox_->SetSelected(selLBox_->ItemIndex(), true);
    DeleteMarked();
  };
}

void tMultiAddressForm::BuildMenu() {
  popupMenu_ = cl::Make<cl::TPopupMenu>(*this);
  popupMenu_->SetName("PopupMenu");
  SetPopupMenu(popupMenu_);
  cl::TMenuItem& items = popupMenu_->Items();
  AddMenuItem(items, "PMnu_NextPage", 20582, cl::VK_RIGHT, cl::ssAlt, [this] { NextPage(); });
  AddMenuItem(items, "PMnu_PrevPage", 20583, cl::VK_LEFT, cl::ssAlt, [this] { PrevPage(); });
  AddMenuItem(items, "PMnu_UpList", 20584, cl::VK_PRIOR, cl::ssAlt, [this] { FocusList(PageList(CurrentPage())); });
  AddMenuItem(items, "PMnu_DownList", 20585, cl::VK_NEXT, cl::ssAlt, [this] { FocusList(selLBox_); });
  AddMenuItem(items, "PMnu_selAdd", 20586, cl::VK_DOWN, cl::ssAlt, [this] { AddMarked(); });
  AddMenuItem(items, "PMnu_selDel", 20587, cl::VK_UP, cl::ssAlt, [this] { DeleteMarked(); });
  AddMenuItem(items, "PMnu_selExport", 20588, 0, 0, [this] { ExportSelection(); });
  AddMenuItem(items, "PMnu_selImport", 20589, 0, 0, [this] { ImportSelection(); });
  // Each page's items sit in a sub-menu that is on only while the page is
  // shown, so neither they nor their shortcuts reach a page the user does
  // not see; each action checks the page again.
  stations_->BuildMenu(AddMenuItem(items, "PMnu_SIDlist", 20590, 0, 0, nullptr));
  phones_->BuildMenu(AddMenuItem(items, "PMnu_PhoneBook", 20592, 0, 0, nullptr));
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

tChooserPage* tMultiAddressForm::Page(int page) const {
  if (page == tStationPage::Index) return stations_.get();
  if (page == tPhonePage::Index) return phones_.get();
  return nullptr;
}

cl::TOwnerDrawListBox* tMultiAddressForm::PageList(int page) const {
  tChooserPage* const shown = Page(page);
  return shown != nullptr ? &shown->List() : nullptr;
}

void tMultiAddressForm::FocusList(cl::TOwnerDrawListBox* list) {
  if (list != nullptr && list->CanFocus()) list->SetFocus();
}

void tMultiAddressForm::SetModeFlags(std::uint8_t flags) {
  selection_.SetOneRecipient((flags & ModeOneRecipient) != 0);
  if (flags == modeFlags_) return;
  modeFlags_ = flags;
  notebook_->SetPageCaption(0, SuiteText((flags & ModeNetworkStations) ? 20603 : 20602));
  if (CurrentPage() == tStationPage::Index) stations_->FillStations(stations_->StationListCode(), modeFlags_);
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
  const int count = selection_.Count();
  const bool anyMarked = selLBox_->SelCount() > 0;
  const bool one = (modeFlags_ & ModeOneRecipient) != 0;
  const bool canAdd = selection_.HasRoom() && (one ? fresh == 1 && count == 0 : fresh > 0);
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
  enable("PMnu_PhoneBook", page == tPhonePage::Index);
  enable("PMnu_SIDlist", page == tStationPage::Index);
  enable("PMnu_UTO", page == tStationPage::Index);
  phones_->UpdateButtons();
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
    cl::TOwnerDrawListBox& phoneList = phones_->List();
    const cl::TPoint corner = phoneList.ClientToScreen({10, 0});
    popupMenu_->SetPopupComponent(&phoneList);
    popupMenu_->Popup(corner.X, corner.Y);
    key = 0;
    return;
  }
  cl::TForm::KeyDown(key, shift);
}

bool tMultiAddressForm::CloseQuery() {
  if (ModalResult() == cl::mrOk && !AnswerFits()) return false;
  phones_->SettleAtClose();
  return cl::TForm::CloseQuery();
}

// ---------------------------------------------------------------- settings

void tMultiAddressForm::LoadSettings() {
  stations_->LoadSettings();
  phones_->LoadSettings();
  const std::int32_t page = CFGGETINTEGER(tChooserSetting::Page);
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

void tMultiAddressForm::SaveSettings() {
  CFGPUTINTEGER(tChooserSetting::Page, CurrentPage());
  stations_->SaveSettings();
  phones_->SaveSettings();
}

void tMultiAddressForm::FormShown() {
  stations_->Shown();
  FocusList(PageList(CurrentPage()));
  ResetDrawCache();
}

}  // namespace dlg
