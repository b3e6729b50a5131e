#include "html/forms/button_controls.h"

#include <cmath>
#include <vector>

#include "html/document/frame_drawing.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/handler_guard.h"

namespace html {

namespace {

constexpr cl::TColor LightGrey = 0xC0C0C0;

// The upper-left half of a circle's rim, from the upper-right to the
// lower-left point.
std::vector<cl::TPoint> UpperLeftRim(int32_t cx, int32_t cy, int32_t r) {
  std::vector<cl::TPoint> points;
  constexpr double Pi = 3.14159265358979323846;
  for (int step = 0; step <= 12; ++step) {
    const double angle = Pi / 4 + step * Pi / 12;
    points.push_back({cx + static_cast<int32_t>(std::lround(r * std::cos(angle))),
                      cy - static_cast<int32_t>(std::lround(r * std::sin(angle)))});
  }
  return points;
}

}  // namespace

TButtonFormControlObj::TButtonFormControlObj(TSectionList* document, const TAttributeList& attributes,
                                             const std::string& typeText)
    : TWindowedControlObj(document, attributes) {
  ButtonKind = typeText == "submit" ? Submit : typeText == "reset" ? Reset : Plain;
  OnClickText = AttributeText(attributes, OnClickSy);
  auto button = std::make_unique<cl::TButton>(nullptr);
  const char* const captions[] = {"Submit", "Reset", "Button"};
  button->SetCaption(InitialValue.empty() ? captions[ButtonKind] : InitialValue);
  button->OnClick = WhileAlive<cl::TObject*>([this](cl::TObject*) { ButtonClick(); });
  SetWindow(std::move(button));
}

void TButtonFormControlObj::ButtonClick() {
  if (!ObjectClicked(OnClickText)) return;
  if (ButtonKind == Reset) {
    if (OwnerForm) OwnerForm->ResetControls();
  } else if (ButtonKind == Submit && OwnerForm) {
    OwnerForm->SubmitForm(ControlName.empty() ? "" : ControlName + "=" + InitialValue);
  }
}

void TButtonFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const int32_t w = Width(), h = Height();
  DrawSunkenBox(canvas, x, y, x + w, y + h, true);
  canvas.Font().Assign(Button().Font());
  canvas.SetBkMode(win::TRANSPARENT);
  const cl::TSize size = canvas.TextExtent(Button().Caption());
  canvas.TextOut(x + (w - size.cx) / 2, y + (h - size.cy) / 2, Button().Caption());
}

void TButtonFormControlObj::FitToFont(cl::TCanvas&) {
  cl::TCanvas& own = Button().Canvas();
  Button().SetBounds(Button().Left(), Button().Top(), own.TextWidth(Button().Caption()) + 20,
                     own.TextHeight("A") + 8);
}

TCheckBoxFormControlObj::TCheckBoxFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TWindowedControlObj(document, attributes) {
  if (!FindAttribute(attributes, ValueSy)) InitialValue = "On";
  InitChecked = FindAttribute(attributes, CheckedSy) != nullptr;
  OnClickText = AttributeText(attributes, OnClickSy);
  AlignMode = 1;
  auto box = std::make_unique<cl::TCheckBox>(nullptr);
  box->SetBounds(0, 0, 13, 13);
  box->SetChecked(InitChecked);
  box->OnClick = WhileAlive<cl::TObject*>([this](cl::TObject*) { ObjectClicked(OnClickText); });
  SetWindow(std::move(box));
}

void TCheckBoxFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  DrawSunkenBox(canvas, x, y, x + Width(), y + Height(), false);
  if (!CheckBox().Checked()) return;
  const int32_t mid = y + Height() / 2;
  const cl::TColor pen = canvas.Pen().Color();
  canvas.Pen().SetColor(cl::clBlack);
  canvas.MoveTo(x + 3, mid);
  canvas.LineTo(x + 5, mid + 2);
  canvas.LineTo(x + 9, mid - 2);
  canvas.Pen().SetColor(pen);
}

void TCheckBoxFormControlObj::ResetValue() { CheckBox().SetChecked(InitChecked); }

bool TCheckBoxFormControlObj::SubmitPair(int index, std::string& s) {
  if (index != 0 || !CheckBox().Checked()) return false;
  s = ControlName + "=" + InitialValue;
  return true;
}

TRadioButtonFormControlObj::TRadioButtonFormControlObj(TSectionList* document, const TAttributeList& attributes,
                                                       TCell* cell)
    : TWindowedControlObj(document, attributes), Cell(cell) {
  InitChecked = FindAttribute(attributes, CheckedSy) != nullptr;
  OnClickText = AttributeText(attributes, OnClickSy);
  AlignMode = 1;
  auto panel = std::make_unique<cl::TPanel>(nullptr);
  panel->SetBounds(0, 0, 13, 14);
  panel->SetBevelInner(cl::bvNone);
  panel->SetBevelOuter(cl::bvNone);
  panel->SetParentColor(false);
  Radio = cl::Make<cl::TRadioButton>(*panel);
  Radio->SetParent(panel.get());
  Radio->SetBounds(0, 0, 13, 14);
  Radio->SetChecked(InitChecked);
  Radio->OnClick = WhileAlive<cl::TObject*>([this](cl::TObject*) { RadioClick(); });
  SetWindow(std::move(panel));
}

// The radio button goes first, still in its panel: freeing the panel would
// move it out to a window of its own before freeing it.
TRadioButtonFormControlObj::~TRadioButtonFormControlObj() {
  Dying();
  cl::FreeOrRelease(Window().RemoveComponent(Radio));
  Radio = nullptr;
}

void TRadioButtonFormControlObj::RadioClick() {
  if (OwnerForm) OwnerForm->DoRadios(*this);
  ObjectClicked(OnClickText);
}

void TRadioButtonFormControlObj::SetPanelColor(cl::TColor color) {
  if (Window().Color() != color) Window().SetColor(color);
}

void TRadioButtonFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const cl::TColor pen = canvas.Pen().Color(), brush = canvas.Brush().Color();
  const int32_t penWidth = canvas.Pen().Width();
  const bool mono = canvas.BitsPerPixel() == 1 && canvas.Planes() == 1;
  canvas.Brush().SetColor(cl::clWhite);
  canvas.Pen().SetWidth(mono ? 1 : 2);
  canvas.Pen().SetColor(mono ? cl::clBlack : LightGrey);
  canvas.Ellipse(x, y, x + 14, y + 14);
  if (!mono) {
    // The shadowed upper-left half of the rim.
    canvas.Pen().SetColor(cl::clBtnShadow);
    canvas.Polyline(UpperLeftRim(x + 7, y + 7, 6));
  }
  if (Radio->Checked()) {
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(cl::clBlack);
    canvas.Brush().SetColor(cl::clBlack);
    canvas.Ellipse(x + 5, y + 5, x + 9, y + 9);
  }
  canvas.Pen().SetColor(pen);
  canvas.Pen().SetWidth(penWidth);
  canvas.Brush().SetColor(brush);
}

void TRadioButtonFormControlObj::ResetValue() { Radio->SetChecked(InitChecked); }

bool TRadioButtonFormControlObj::SubmitPair(int index, std::string& s) {
  if (index != 0 || !Radio->Checked()) return false;
  s = ControlName + "=" + InitialValue;
  return true;
}

}  // namespace html
