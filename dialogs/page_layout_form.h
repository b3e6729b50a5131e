#pragma once

#include <array>
#include <cstdint>

#include "platform/gui/form.h"
#include "suite/brancfg/brancfg.h"

namespace cl {
class TBitBtn;
class TNotebook;
class TPaintBox;
class TSpinEdit;
class TTabSet;
}  // namespace cl

namespace dlg {

// The suite's three page layouts (printed text, fax text, printed fax) with
// their margins in spin edits and a small preview of the page.
class TPageLayoutForm : public cl::TForm {
 public:
  static constexpr int kTabs = 3;
  // The configuration's layout shown on each tab.
  static constexpr std::array<std::uint8_t, kTabs> kLayoutIds{51, 53, 52};

  explicit TPageLayoutForm(cl::TComponent* owner);
  ~TPageLayoutForm() override;

  // Reads the three layouts from the configuration and remembers them for Undo.
  void LoadLayouts();
  // Writes each tab's layout with its edited margins to the configuration.
  void StoreLayouts() const;
  // The tab shown when the form opens; one the tab set does not hold shows
  // tab 0.
  void SetStartTab(std::int32_t tab) { startTab_ = tab; }
  // A tab's layout: its stored page size and the margins of its spin edits
  // (all zero for a tab outside 0..2).
  tPageLayout EditedLayout(int tab) const;

 private:
  struct Margins {
    cl::TSpinEdit* top = nullptr;
    cl::TSpinEdit* left = nullptr;
    cl::TSpinEdit* right = nullptr;
    cl::TSpinEdit* bottom = nullptr;
  };
  void BuildPage(int tab, const char* prefix, std::uint16_t firstText);
  void PutLayout(int tab, const tPageLayout& layout);
  void ShowTab();
  void PaintPreview();
  int ShownTab() const;
  void FormKeyDown(std::uint16_t& key, cl::TShiftState shift);

  std::array<tPageLayout, kTabs> layouts_{};
  std::array<tPageLayout, kTabs> undo_{};
  std::array<Margins, kTabs> margins_{};
  std::int32_t startTab_ = 0;
  cl::TNotebook* notebook_ = nullptr;
  cl::TTabSet* tabSet_ = nullptr;
  cl::TPaintBox* preview_ = nullptr;
  cl::TBitBtn* undoButton_ = nullptr;
};

// The whole dialog: the layouts are stored when the user confirms.
void EditPageLayouts(std::int32_t startTab);

}  // namespace dlg
