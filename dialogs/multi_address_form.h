#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/address_items.h"
#include "dialogs/address_record.h"
#include "dialogs/disk.h"
#include "dialogs/header_manager.h"
#include "dialogs/phone_book_item.h"
#include "platform/gui/font.h"
#include "platform/gui/form.h"

namespace cl {
class TBitBtn;
class TComboBox;
class THeader;
class TMenuItem;
class TOpenDialog;
class TOwnerDrawListBox;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TSpeedButton;
class TTabbedNotebook;
}  // namespace cl

namespace dlg {

// The chooser's mode flags.
enum tChooserMode : std::uint8_t {
  ModeAllStations = 0x01,      // every station the user may reach
  ModeNetworkUse = 0x02,       // phone entries may be used for network calls
  ModeFaxUse = 0x04,           // ... for fax
  ModeSmsUse = 0x08,           // ... for SMS
  ModeNetworkStations = 0x10,  // only reachable stations of the suite's network
  ModeOneRecipient = 0x20,     // a single recipient at most
};

// The glyph strip "ADRMARKS": square cells, 0x800080 transparent.
class tGlyphStrip {
 public:
  tGlyphStrip();
  int CellSide() const { return height_; }
  // The cell at x offset drawn with its top left at (x, y).
  void DrawCell(cl::TCanvas& canvas, int offset, int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // 0x00BBGGRR, row by row
};

// The recipient chooser: a notebook of a station page and a phone-book page
// above the selection of addresses (sorted by URL, each once).
class tMultiAddressForm : public cl::TForm {
 public:
  static constexpr int RowHeight = 18;
  static constexpr std::uint16_t StationHeaderBase = 0x4100;
  static constexpr std::uint16_t PhoneHeaderBase = 0x4000;
  static constexpr std::uint16_t SelectionHeaderBase = 0x4200;

  explicit tMultiAddressForm(const tDisk& disk);
  ~tMultiAddressForm() override;

  // The selection from the caller's records; false (and the selection
  // cleared) when two records have one URL.
  bool LoadRecords(const tAddressRecord* records, int count);
  // The selection into the first records (at most maxCount); the number written.
  int StoreRecords(tAddressRecord* records, int maxCount) const;
  // The selection becomes copies of list's items; marks and buttons follow.
  void SetSelection(const cl::TStrings& list);
  // Copies of the selection's items.
  std::unique_ptr<tBKAddressList> Selection() const;
  int SelectionCount() const;
  // Refuses more addresses than this (Add and Import).
  void SetMaxCount(int maxCount) { maxCount_ = maxCount; }
  // The answer goes back as whole CR LF lines into a buffer of bufLen bytes
  // with its zero: OK keeps the form open, and says how many addresses stay
  // out, while the selection's lines would not fit.
  void SetAnswerBuffer(std::size_t bufLen) { answerBuffer_ = bufLen; }

  void SetPages(std::uint8_t pages);
  void SetModeFlags(std::uint8_t flags);
  void LoadSettings();
  void SaveSettings();
  void SetPage(int page);
  int CurrentPage() const;
  void SetStationListCode(std::int16_t code);
  std::int16_t StationListCode() const { return listCode_; }
  void FillStations(std::int16_t code, std::uint8_t flags);
  bool IsInSelection(std::string_view url) const;
  void RefreshStationMarks();
  void RefreshPhoneMarks();
  void UpdateButtons(int page);
  void ResetDrawCache();

  void KeyDown(std::uint16_t& key, cl::TShiftState shift) override;
  bool CloseQuery() override;

 private:
  void BuildControls();
  void BuildMenu();
  void ApplyTexts();
  cl::TMenuItem& AddMenuItem(const std::string& name, std::uint16_t text, std::uint16_t key,
                             cl::TShiftState shift, std::function<void()> action,
                             cl::TMenuItem* parent = nullptr);
  // The action, run only while page is the current page.
  std::function<void()> OnPage(int page, std::function<void()> action);
  void FillStationListChoice(std::int32_t wantedCode);
  void StationListChanged();
  bool PageInSet(int page) const;
  void NextPage();
  void PrevPage();
  cl::TOwnerDrawListBox* PageList(int page) const;
  void FocusList(cl::TOwnerDrawListBox* list);

  void AddMarked();
  void DeleteMarked();
  void Kill();
  // Export and import keep their books in the configuration directory,
  // under the chosen name in upper case.
  std::string SelectionBookPath(const std::string& chosen) const;
  void ExportSelection();
  void ImportSelection();
  bool AddToSelection(std::unique_ptr<tBKAddressItem> item);
  // False, after telling the user, when the answer would leave addresses out.
  bool AnswerFits();
  // The address a marked row of the page stands for.
  std::unique_ptr<tBKAddressItem> AddressOfRow(int page, cl::TObject& row) const;
  void ApplyRowKey(cl::TOwnerDrawListBox& list, std::int32_t key);

  void DrawStationRow(int index, cl::TRect rect);
  void DrawPhoneRow(int index, cl::TRect rect);

  // The phone-book page.
  void BuildPhonePage(cl::TWinControl& page);
  void BuildPhoneMenu();
  void SetChanged(bool changed);
  void FillPhoneBookChoice(const std::string& wanted);
  void PhoneBookChosen();
  void OpenPhoneBook(const std::string& path);
  void SortChanged();
  void SortRows(int kind);
  void DeleteEntries();
  void AddEntry();
  void DuplicateEntry();
  void EditEntry();
  // Runs the entry editor on entry; true on OK with a valid entry.
  bool EditedValid(tPhoneBookItem& entry);
  // Adds the entry under its key, focuses its row and marks the book changed.
  void InsertEntry(std::unique_ptr<cl::TObject> entry, bool mark);
  // False when the book could not be written (the user was told).
  bool SavePhoneBookClick();
  bool NewPhoneBook();
  bool WriteBook(const std::string& path, const std::string& fileName);
  // Asks about unsaved changes; false when the book is to stay.
  bool ChangesSettled();
  int SortKind() const;
  void LoadPhoneSettings();
  void SavePhoneSettings();
  void UpdatePhoneButtons();

  void DrawSelectionRow(int index, cl::TRect rect);
  void DrawUseForGlyph(cl::TCanvas& canvas, const cl::THeader& header, int k, cl::TRect rect,
                       std::uint8_t useFor) const;
  void RowDrawn(cl::TOwnerDrawListBox& list, int which);
  void FormShown();

  const tDisk& disk_;
  std::uint8_t pages_ = 0;
  int pageCount_ = 0;
  std::uint8_t modeFlags_ = 0;
  int maxCount_ = -1;
  std::optional<std::size_t> answerBuffer_;
  std::int16_t listCode_ = -1;
  std::string phoneBookPath_;
  bool phoneBookChanged_ = false;
  int lastFocused_[3] = {-1, -1, -1};
  tGlyphStrip glyphs_;
  cl::TFont rowFont_;
  std::unique_ptr<tHeaderManager> phoneHeaders_;
  std::unique_ptr<tHeaderManager> stationHeaders_;
  std::unique_ptr<tHeaderManager> selectionHeaders_;

  // Controls, owned by the form as their owner.
  cl::TPanel* mainPanel_ = nullptr;
  cl::THeader* selHeader_ = nullptr;
  cl::TBitBtn* selBBtnOK_ = nullptr;
  cl::TBitBtn* selBBtnCancel_ = nullptr;
  cl::TBitBtn* selBBtnAdd_ = nullptr;
  cl::TBitBtn* selBBtnDel_ = nullptr;
  cl::TBitBtn* selBBtnExport_ = nullptr;
  cl::TBitBtn* selBBtnImport_ = nullptr;
  cl::TBitBtn* selBBtnKill_ = nullptr;
  cl::TTabbedNotebook* notebook_ = nullptr;
  cl::TOwnerDrawListBox* sidLBox_ = nullptr;
  cl::THeader* sidHeader_ = nullptr;
  cl::TComboBox* sidCBoxUTO_ = nullptr;
  cl::TBitBtn* bitBtnNET_ = nullptr;
  cl::TOwnerDrawListBox* numLBox_ = nullptr;
  cl::THeader* numHeader_ = nullptr;
  cl::TOwnerDrawListBox* selLBox_ = nullptr;
  cl::TComboBox* numCBoxFile_ = nullptr;
  cl::TComboBox* numCBoxSort_ = nullptr;
  cl::TSpeedButton* numSBtnSave_ = nullptr;
  cl::TSpeedButton* numSBtnAdd_ = nullptr;
  cl::TSpeedButton* numSBtnEdit_ = nullptr;
  cl::TSpeedButton* numSBtnDel_ = nullptr;
  cl::TSpeedButton* numSBtnNew_ = nullptr;
  cl::TSpeedButton* numSBtnDup_ = nullptr;
  int shownSortKind_ = 0;
  cl::TPopupMenu* popupMenu_ = nullptr;
  cl::TSaveDialog* numSaveDialog_ = nullptr;
  cl::TOpenDialog* selOpenDialog_ = nullptr;
};

}  // namespace dlg
