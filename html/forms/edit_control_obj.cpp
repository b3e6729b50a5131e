#include "html/forms/edit_control_obj.h"

#include <algorithm>

#include "html/document/frame_drawing.h"
#include "platform/core/ansi_case.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

// Sizes past these only overflow the arithmetic; no screen shows them.
constexpr int32_t MaxChars = 2000;

void UseControlFont(cl::TCanvas& canvas, const cl::TWinControl& control) {
  canvas.Font().Assign(control.Font());
  canvas.SetBkMode(win::TRANSPARENT);
}

}  // namespace

TEditFormControlObj::TEditFormControlObj(TSectionList* document, const TAttributeList& attributes,
                                         const std::string& typeText)
    : TWindowedControlObj(document, attributes) {
  SizeChars = AttributeNumber(attributes, SizeSy, 20, 0, MaxChars);
  auto edit = std::make_unique<cl::TEdit>(nullptr);
  edit->SetBounds(0, 0, 120, 20);
  UsePreFont(*edit);
  edit->SetText(InitialValue);
  edit->SetMaxLength(AttributeNumber(attributes, MaxLengthSy, 0, 0, 32767));
  if (typeText == "password") edit->SetPasswordChar('*');
  edit->OnKeyDown = WhileAlive<cl::TObject*, uint16_t&, cl::TShiftState>(
      [this](cl::TObject* sender, uint16_t& key, cl::TShiftState shift) {
        if (OwnerForm) OwnerForm->ControlKeyDown(sender, key, shift);
      });
  SetWindow(std::move(edit));
}

void TEditFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const int32_t w = Width(), h = Height();
  DrawSunkenBox(canvas, x, y, x + w, y + h, false);
  UseControlFont(canvas, Edit());
  // A password stays hidden on paper too.
  std::string text = Edit().Text();
  if (Edit().PasswordChar() != 0) text.assign(text.size(), Edit().PasswordChar());
  const cl::TRect clip{x + 4, y, x + 4 + std::max(0, w - 8), y + h};
  canvas.ExtTextOut(x + 4, y + (h - canvas.TextHeight("A")) / 2, win::ETO_CLIPPED, &clip, text);
}

void TEditFormControlObj::ResetValue() { Edit().SetText(InitialValue); }

bool TEditFormControlObj::SubmitPair(int index, std::string& s) {
  if (index != 0) return false;
  s = ControlName + "=" + Edit().Text();
  return true;
}

void TEditFormControlObj::FitToFont(cl::TCanvas&) {
  Edit().SetWidth(Edit().Canvas().TextWidth("A") * SizeChars + 5);
}

TTextAreaFormControlObj::TTextAreaFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TWindowedControlObj(document, attributes) {
  Rows = AttributeNumber(attributes, RowsSy, 5, 0, MaxChars);
  Cols = AttributeNumber(attributes, ColsSy, 30, 0, MaxChars);
  auto memo = std::make_unique<cl::TMemo>(nullptr);
  UsePreFont(*memo);
  const std::string wrap = cl::AnsiLowerCase(AttributeText(attributes, WrapSy));
  const bool wraps = wrap == "soft" || wrap == "hard";
  memo->SetScrollBars(wraps ? cl::ssVertical : cl::ssBoth);
  memo->SetWordWrap(wraps);
  memo->OnKeyDown = WhileAlive<cl::TObject*, uint16_t&, cl::TShiftState>(
      [this](cl::TObject* sender, uint16_t& key, cl::TShiftState shift) {
        if (OwnerForm) OwnerForm->ControlKeyDown(sender, key, shift);
      });
  SetWindow(std::move(memo));
}

void TTextAreaFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  DrawSunkenBox(canvas, x, y, x + Width(), y + Height(), false);
  UseControlFont(canvas, Memo());
  const std::vector<std::string> lines = Memo().Lines();
  const int32_t lineHeight = canvas.TextHeight("A");
  const int32_t count = std::min<int32_t>(static_cast<int32_t>(lines.size()), Rows);
  for (int32_t i = 0; i < count; ++i) canvas.TextOut(x + 4, y + 4 + i * lineHeight, lines[static_cast<size_t>(i)]);
}

void TTextAreaFormControlObj::ResetValue() {
  Memo().SetLines(InitialLines);
  Memo().SetSelection(0, 0);
}

bool TTextAreaFormControlObj::SubmitPair(int index, std::string& s) {
  if (index == 0) submitted_ = Memo().Lines();
  if (index < 0 || static_cast<size_t>(index) >= submitted_.size()) {
    submitted_.clear();
    return false;
  }
  s = ControlName + "=" + submitted_[static_cast<size_t>(index)];
  return true;
}

void TTextAreaFormControlObj::FitToFont(cl::TCanvas&) {
  cl::TCanvas& own = Memo().Canvas();
  Memo().SetClientSize(own.TextWidth("A") * Cols + 5, own.TextHeight("A") * Rows + 5);
}

}  // namespace html
