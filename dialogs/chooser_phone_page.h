#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "dialogs/chooser_page.h"

namespace cl {
class TComboBox;
class TSpeedButton;
}  // namespace cl

namespace dlg {

class tPhoneBookItem;

// Page 1 of the recipient chooser: one phone book of the configuration
// directory as rows sorted by the chosen key, and its upkeep (other books,
// new, duplicated, edited and deleted entries, saving). Its settings are the
// book, the focused row and the sort kind.
class tPhonePage : public tChooserPage {
 public:
  static constexpr int Index = 1;
  static constexpr std::uint16_t HeaderBase = 0x4000;

  // The controls on page; nothing read yet.
  tPhonePage(cl::TWinControl& page, const tDisk& disk, tChooserHost& host);

  void BuildMenu(cl::TMenuItem& parent) override;
  // The column layout, the sort kinds, and the remembered book opened.
  void Prepare(const std::string& headerFile) override;

  bool Refuses(const cl::TObject&) const override { return false; }
  std::unique_ptr<tBKAddressItem> AddressOfRow(const cl::TObject& row) const override;
  void RefreshMarks() override;
  void DrawRow(int index, cl::TRect rect) override;
  // The page's buttons and menu items that follow its rows.
  void UpdateButtons();

  void LoadSettings() override;
  void SaveSettings() const override;
  // At close: a changed book is saved when the user says so.
  void SettleAtClose();

 private:
  void BuildControls(cl::TWinControl& page);
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
  void InsertEntry(std::unique_ptr<tPhoneBookItem> entry, bool mark);
  // False when the book could not be written (the user was told).
  bool SaveBook();
  bool NewBook();
  bool WriteBook(const std::string& path, const std::string& fileName);
  // Asks about unsaved changes; false when the book is to stay.
  bool ChangesSettled();
  int SortKind() const;
  // The action, run only while this page is shown.
  std::function<void()> OnThisPage(std::function<void()> action);

  std::string path_;  // the open book; empty for none
  bool changed_ = false;
  int shownSortKind_ = 0;
  cl::TComboBox* numCBoxFile_ = nullptr;
  cl::TComboBox* numCBoxSort_ = nullptr;
  cl::TSpeedButton* numSBtnSave_ = nullptr;
  cl::TSpeedButton* numSBtnAdd_ = nullptr;
  cl::TSpeedButton* numSBtnEdit_ = nullptr;
  cl::TSpeedButton* numSBtnDel_ = nullptr;
  cl::TSpeedButton* numSBtnNew_ = nullptr;
  cl::TSpeedButton* numSBtnDup_ = nullptr;
  cl::TMenuItem* saveItem_ = nullptr;
};

}  // namespace dlg
