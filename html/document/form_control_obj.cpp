#include "html/document/form_control_obj.h"

#include <algorithm>

#include "html/document/document_host.h"
#include "html/document/section_list.h"
#include "platform/core/ansi_case.h"
#include "platform/core/string_list.h"
#include "platform/gui/edit.h"
#include "platform/gui/virtual_keys.h"

namespace html {

void TFormControlObj::DrawStatic(cl::TCanvas&, int32_t, int32_t) {}
bool TFormControlObj::SubmitPair(int, std::string&) { return false; }
void TFormControlObj::FitToFont(cl::TCanvas&) {}
void TFormControlObj::ShowAt(int32_t, int32_t) {}

int TFormControlList::FirstAtOrAfter(int32_t pos) const {
  int low = 0, high = Count();
  while (low < high) {
    const int mid = (low + high) / 2;
    if (Items(mid)->TextPos < pos)
      low = mid + 1;
    else
      high = mid;
  }
  return low;
}

TFormControlObj* TFormControlList::FindControl(int32_t pos) const {
  const int index = FirstAtOrAfter(pos);
  return index < Count() && Items(index)->TextPos == pos ? Items(index) : nullptr;
}

void ThtmlForm::InsertControl(std::unique_ptr<TFormControlObj> control, bool hidden) {
  control->OwnerForm = this;
  if (!hidden) ++VisibleCount;
  Controls.push_back(std::move(control));
}

void ThtmlForm::DoRadios(const TFormControlObj& radio) {
  if (radio.ControlName.empty()) return;
  for (const auto& control : Controls) {
    if (control.get() == &radio || !control->IsRadio()) continue;
    if (cl::AnsiCompareText(control->ControlName, radio.ControlName) == 0) control->SetChecked(false);
  }
}

void ThtmlForm::ResetControls() {
  for (const auto& control : Controls) control->ResetValue();
}

void ThtmlForm::ControlKeyDown(cl::TObject* sender, uint16_t& key, uint16_t) {
  if (key == cl::VK_RETURN && dynamic_cast<cl::TEdit*>(sender) != nullptr && VisibleCount == 1) SubmitForm("");
}

void ThtmlForm::SubmitForm(const std::string& buttonSubmission) {
  if (!Document || !Document->Host || !Document->Host->TakesSubmissions()) return;
  auto results = std::make_unique<cl::TStringList>();
  std::string pair;
  for (const auto& control : Controls) {
    for (int index = 0;; ++index) {
      pair.clear();
      if (!control->SubmitPair(index, pair)) break;
      if (!pair.empty()) results->Add(pair);
    }
  }
  if (!buttonSubmission.empty()) results->Add(buttonSubmission);
  Document->Host->SubmitForm(Action, Target, EncType, Method, std::move(results));
}

}  // namespace html
