#include "html/forms/windowed_control_obj.h"

#include <algorithm>

#include "html/document/document_host.h"
#include "html/document/section_list.h"
#include "platform/gui/handler_guard.h"

namespace html {

std::string AttributeText(const TAttributeList& attributes, HtmlSymbol code, const std::string& missing) {
  const TAttribute* attribute = FindAttribute(attributes, code);
  return attribute ? attribute->StrValue : missing;
}

int32_t AttributeNumber(const TAttributeList& attributes, HtmlSymbol code, int32_t missing, int32_t low,
                        int32_t high) {
  const TAttribute* attribute = FindAttribute(attributes, code);
  return attribute ? std::clamp(attribute->IntValue, low, high) : missing;
}

TWindowedControlObj::TWindowedControlObj(TSectionList* document, const TAttributeList& attributes)
    : TFormControlObj(document, 0) {
  InitialValue = AttributeText(attributes, ValueSy);
  ControlName = AttributeText(attributes, NameSy);
}

// The window may be in one of its own handlers (a click that loaded another
// document): the release waits for them to return.
TWindowedControlObj::~TWindowedControlObj() {
  Dying();
  cl::FreeOrRelease(std::move(win_));
}

void TWindowedControlObj::SetWindow(std::unique_ptr<cl::TWinControl> window) {
  win_ = std::move(window);
  win_->SetTop(-400);
  // Hidden until placed: showing thousands off the panel costs a look for
  // the widget under the mouse each.
  win_->Hide();
  if (cl::TWinControl* panel = Document && Document->Host ? Document->Host->ControlParent() : nullptr)
    win_->SetParent(panel);
  cl::TWinControl* focusable = WinControl();
  focusable->OnEnter = WhileAlive<cl::TObject*>([this](cl::TObject*) { EnterEvent(); });
  focusable->OnExit = WhileAlive<cl::TObject*>([this](cl::TObject*) { ExitEvent(); });
}

void TWindowedControlObj::UsePreFont(cl::TWinControl& window) const {
  if (!Document) return;
  window.Font().SetName(Document->DefaultPreFontName);
  window.Font().SetSize(10);
  window.Font().SetCharset(Document->FontCharset);
}

void TWindowedControlObj::ShowAt(int32_t x, int32_t y) {
  if (!win_->Parent()) return;
  if (win_->Left() != x || win_->Top() != y) win_->SetBounds(x, y, win_->Width(), win_->Height());
  if (!win_->Visible()) win_->Show();
}

void TWindowedControlObj::Hide() {
  if (win_->Visible()) win_->Hide();
}

void TWindowedControlObj::MoveAway() {
  if (!win_->Parent()) return;
  if (win_->Left() != -4000) win_->SetLeft(-4000);
  if (!win_->Visible()) win_->Show();
}

bool TWindowedControlObj::Focused() const { return WinControl()->Focused(); }

bool TWindowedControlObj::ObjectClicked(const std::string& onClick) {
  const std::weak_ptr<const char> alive = Alive();
  if (Document && Document->Host) Document->Host->ObjectClick(*this, onClick);
  return !alive.expired();
}

void TWindowedControlObj::EnterEvent() {
  // A document being cleared has let go of its controls first: a focus
  // passed on while they go must not scroll or place anything.
  if (!Document || Document->IsPrintCopy || !Document->AllControls || Document->AllControls->Count() == 0) return;
  const std::weak_ptr<const char> alive = Alive();
  if (Document->Host) Document->Host->ControlFocused(*this);
  if (alive.expired()) return;
  // Those out of view wait off the panel, not hidden: Tab goes on to them
  // (and a hidden one could not keep the focus).
  for (int i = 0; i < Document->AllControls->Count(); ++i) {
    TFormControlObj* control = Document->AllControls->Items(i);
    if (control != this && !control->OnScreen) control->MoveAway();
  }
}

void TWindowedControlObj::ExitEvent() {
  if (Document) Document->PlaceFormControls();
}

}  // namespace html
