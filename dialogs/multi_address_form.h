#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/address_record.h"
#include "dialogs/address_selection.h"
#include "dialogs/chooser_host.h"
#include "dialogs/disk.h"
#include "dialogs/glyph_strip.h"
#include "dialogs/header_manager.h"
#include "platform/gui/font.h"
#include "platform/gui/form.h"

namespace cl {
class TBitBtn;
class THeader;
class TOpenDialog;
class TOwnerDrawListBox;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TTabbedNotebook;
}  // namespace cl

namespace dlg {

class tChooserPage;
class tPhonePage;
class tStationPage;

// The recipient chooser: a notebook of a station page and a phone-book page
// above the selection of addresses (sorted by URL, each once). The form
// wires the pages to the selection, the buttons and the menu.
class tMultiAddressForm : public cl::TForm, private tChooserHost {
 public:
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
  std::unique_ptr<tBKAddressList> ChosenAddresses() const { return selection_.Copy(); }
  // Refuses more addresses than this (Add and Import).
  void SetMaxCount(int maxCount) { selection_.SetMaxCount(maxCount); }
  // The answer goes back as whole CR LF lines into a buffer of bufLen bytes
  // with its zero: OK keeps the form open, and says how many addresses stay
  // out, while the selection's lines would not fit.
  void SetAnswerBuffer(std::size_t bufLen) { answerBuffer_ = bufLen; }

  void SetPages(std::uint8_t pages);
  void SetModeFlags(std::uint8_t flags);
  void LoadSettings();
  void SaveSettings();
  void SetPage(int page);
  int CurrentPage() const override;

  void KeyDown(std::uint16_t& key, cl::TShiftState shift) override;
  bool CloseQuery() override;

 private:
  // What the pages ask of the form.
  std::uint8_t ModeFlags() const override { return modeFlags_; }
  const tAddressSelection& Selection() const override { return selection_; }
  const tGlyphStrip& Glyphs() const override { return glyphs_; }
  const cl::TFont& RowFont() const override { return rowFont_; }
  void ResetDrawCache() override;
  void UpdateButtons() override { UpdateButtons(CurrentPage()); }

  void BuildControls();
  void WireLists();
  void BuildMenu();
  void ApplyTexts();
  void UpdateButtons(int page);
  bool PageInSet(int page) const;
  void NextPage();
  void PrevPage();
  // The notebook's page n; none for a page the notebook does not hold.
  tChooserPage* Page(int page) const;
  cl::TOwnerDrawListBox* PageList(int page) const;
  void FocusList(cl::TOwnerDrawListBox* list);
  void RowDrawn(cl::TOwnerDrawListBox& list, int which);
  void FormShown();

  // The selection's rows show its addresses, in its order; the pages' rows
  // show which are taken.
  void ShowSelection();
  void RefreshMarks();
  void AddMarked();
  void DeleteMarked();
  void Kill();
  void ExportSelection();
  void ImportSelection();
  // False, after telling the user, when the answer would leave addresses out.
  bool AnswerFits();
  void DrawSelectionRow(int index, cl::TRect rect);

  const tDisk& disk_;
  tAddressSelection selection_;
  std::uint8_t pages_ = 0;
  int pageCount_ = 0;
  std::uint8_t modeFlags_ = 0;
  std::optional<std::size_t> answerBuffer_;
  int lastFocused_[3] = {-1, -1, -1};
  tGlyphStrip glyphs_;
  cl::TFont rowFont_;
  std::unique_ptr<tHeaderManager> selectionHeaders_;
  std::unique_ptr<tStationPage> stations_;
  std::unique_ptr<tPhonePage> phones_;

  // Controls, owned by the form as their owner.
  cl::TTabbedNotebook* notebook_ = nullptr;
  cl::TPanel* mainPanel_ = nullptr;
  cl::THeader* selHeader_ = nullptr;
  cl::TBitBtn* selBBtnOK_ = nullptr;
  cl::TBitBtn* selBBtnCancel_ = nullptr;
  cl::TBitBtn* selBBtnAdd_ = nullptr;
  cl::TBitBtn* selBBtnDel_ = nullptr;
  cl::TBitBtn* selBBtnExport_ = nullptr;
  cl::TBitBtn* selBBtnImport_ = nullptr;
  cl::TBitBtn* selBBtnKill_ = nullptr;
  cl::TOwnerDrawListBox* selLBox_ = nullptr;
  cl::TPopupMenu* popupMenu_ = nullptr;
  cl::TSaveDialog* numSaveDialog_ = nullptr;
  cl::TOpenDialog* selOpenDialog_ = nullptr;
};

}  // namespace dlg
