#pragma once

#include <cstdint>
#include <string>

#include "html/forms/windowed_control_obj.h"
#include "platform/gui/button.h"
#include "platform/gui/check_box.h"
#include "platform/gui/panel.h"

namespace html {

class TCell;

// INPUT TYPE=submit, reset or button.
class TButtonFormControlObj : public TWindowedControlObj {
 public:
  enum Kind : uint8_t { Submit, Reset, Plain };
  TButtonFormControlObj(TSectionList* document, const TAttributeList& attributes, const std::string& typeText);

  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void FitToFont(cl::TCanvas& canvas) override;
  void ButtonClick();
  cl::TButton& Button() const { return static_cast<cl::TButton&>(Window()); }

  Kind ButtonKind = Plain;
  std::string OnClickText;
};

// INPUT TYPE=checkbox; VALUE defaults to "On".
class TCheckBoxFormControlObj : public TWindowedControlObj {
 public:
  TCheckBoxFormControlObj(TSectionList* document, const TAttributeList& attributes);

  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  cl::TCheckBox& CheckBox() const { return static_cast<cl::TCheckBox&>(Window()); }

  bool InitChecked = false;
  std::string OnClickText;
};

// INPUT TYPE=radio: a radio button on a small panel of the cell's colour.
// The form, not the toolkit, unchecks the others of its name.
class TRadioButtonFormControlObj : public TWindowedControlObj {
 public:
  TRadioButtonFormControlObj(TSectionList* document, const TAttributeList& attributes, TCell* cell);
  ~TRadioButtonFormControlObj() override;

  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  cl::TWinControl* WinControl() const override { return Radio; }
  TCell* ControlCell() const override { return Cell; }
  void SetPanelColor(cl::TColor color) override;
  bool IsRadio() const override { return true; }
  void SetChecked(bool checked) override { Radio->SetChecked(checked); }
  void RadioClick();

  bool InitChecked = false;
  TCell* Cell = nullptr;
  cl::TRadioButton* Radio = nullptr;  // the panel's
  std::string OnClickText;
};

}  // namespace html
