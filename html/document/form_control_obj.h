#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/list.h"
#include "platform/core/object.h"
#include "platform/gui/colors.h"

namespace cl {
class TCanvas;
class TStringList;
class TWinControl;
}  // namespace cl

namespace html {
class TCell;
class ThtmlForm;
class TSectionList;

// A form control standing at mark 2 of a section's text. The section's line
// layout and drawing see only this base; each control class (edit, button,
// check box, radio, list, combo, text area) brings its window control.
class TFormControlObj : public cl::TObject {
 public:
  TFormControlObj(TSectionList* document, int32_t textPos) : TextPos(textPos), Document(document) {}

  // Virtual operations; the base has no picture, no reset, no pairs and no
  // sizing.
  virtual void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y);
  virtual void ResetValue() {}
  // The index-th "name=value" pair; false when there are no more.
  virtual bool SubmitPair(int index, std::string& s);
  virtual void FitToFont(cl::TCanvas& canvas);

  // The window control's part, as the document places it.
  virtual bool HasWindow() const { return false; }
  virtual int32_t Width() const { return 0; }
  virtual int32_t Height() const { return 0; }
  // Shows the window at the panel point.
  virtual void ShowAt(int32_t x, int32_t y);
  virtual void Hide() {}
  // Visible but moved off the panel (so that a focused control keeps its focus).
  virtual void MoveAway() {}
  virtual bool Focused() const { return false; }
  // The cell a radio button sits in (its panel takes the cell's colour).
  virtual TCell* ControlCell() const { return nullptr; }
  virtual void SetPanelColor(cl::TColor) {}
  // An image control was clicked at the point inside its image.
  virtual void ImageClickAt(int32_t, int32_t) {}
  // The window control that takes the focus (null without one).
  virtual cl::TWinControl* WinControl() const { return nullptr; }
  // Radio buttons: the form unchecks the others of a name.
  virtual bool IsRadio() const { return false; }
  virtual void SetChecked(bool) {}

  int32_t TopY = 0;     // document Y, set by the line layout
  int32_t TextPos = 0;  // index of the mark in the section text
  TSectionList* Document = nullptr;
  ThtmlForm* OwnerForm = nullptr;
  std::string InitialValue;
  std::string ControlName;
  uint8_t AlignMode = 0;  // 1: sits on the baseline (check boxes, radio buttons)
  bool OnScreen = false;  // positioned by the last paint
};

// The controls of one text section in text order (not owned).
class TFormControlList : public cl::TList<TFormControlObj> {
 public:
  // The control at pos, or null (binary search).
  TFormControlObj* FindControl(int32_t pos) const;
  // Index of the first control at or after pos; Count() when none.
  int FirstAtOrAfter(int32_t pos) const;
};

// One FORM: owns its controls.
class ThtmlForm : public cl::TObject {
 public:
  explicit ThtmlForm(TSectionList* document) : Document(document) {}
  // Appends the control; counts those that are not hidden.
  void InsertControl(std::unique_ptr<TFormControlObj> control, bool hidden = false);
  // Unchecks every other radio button of the form whose name equals the
  // radio's ignoring case; nothing for an unnamed one.
  void DoRadios(const TFormControlObj& radio);
  void ResetControls();
  // Enter in a one-line edit submits a form with one visible control.
  void ControlKeyDown(cl::TObject* sender, uint16_t& key, uint16_t shift);
  // Collects every control's pairs, the button's last, and hands them to the
  // document's submit callback (nothing without one).
  void SubmitForm(const std::string& buttonSubmission);

  TSectionList* Document = nullptr;
  std::string Method = "Get";
  std::string Action;
  std::string Target;
  std::string EncType;
  std::vector<std::unique_ptr<TFormControlObj>> Controls;
  int VisibleCount = 0;
};

}  // namespace html
