#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/chooser_page.h"

namespace cl {
class TBitBtn;
class TComboBox;
}  // namespace cl

namespace dlg {

// Page 0 of the recipient chooser: the choice of station lists and the
// stations of the chosen list, offered as the mode flags say. Its settings
// are the list code and the focused row.
class tStationPage : public tChooserPage {
 public:
  static constexpr int Index = 0;
  static constexpr std::uint16_t HeaderBase = 0x4100;

  // The controls on page; nothing read yet.
  tStationPage(cl::TWinControl& page, const tDisk& disk, tChooserHost& host);

  void BuildMenu(cl::TMenuItem& parent) override;
  // The font, the column layout and the list choice, with the remembered
  // list code wanted.
  void Prepare(const std::string& headerFile) override;

  // The station id 0x10FFD0 is refused.
  bool Refuses(const cl::TObject& row) const override;
  std::unique_ptr<tBKAddressItem> AddressOfRow(const cl::TObject& row) const override;
  void SetStationListCode(std::int16_t code);
  std::int16_t StationListCode() const { return listCode_; }
  // The station rows of the list code, as the mode flags offer them.
  void FillStations(std::int16_t code, std::uint8_t flags);
  void RefreshMarks() override;
  void DrawRow(int index, cl::TRect rect) override;

  void LoadSettings() override;
  void SaveSettings() const override;
  // When the form shows: the chosen list is read anew.
  void Shown();

 private:
  void FillStationListChoice(std::int32_t wantedCode);
  void StationListChanged();

  std::int16_t listCode_ = -1;
  cl::TComboBox* sidCBoxUTO_ = nullptr;
  cl::TBitBtn* bitBtnNET_ = nullptr;
};

}  // namespace dlg
