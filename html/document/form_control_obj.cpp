#include "html/document/form_control_obj.h"

#include <algorithm>

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

int32_t TFormControlList::GetHeightAt(int32_t pos, uint8_t& alignMode) const {
  const TFormControlObj* control = FindControl(pos);
  if (!control) return -1;
  alignMode = control->AlignMode;
  return control->Height();
}

int32_t TFormControlList::GetWidthAt(int32_t pos) const {
  const TFormControlObj* control = FindControl(pos);
  return control ? control->Width() : -1;
}

int32_t TFormControlList::NextControlDistance(int32_t pos) const {
  const int index = FirstAtOrAfter(pos);
  return index < Count() ? Items(index)->TextPos - pos : 9999;
}

void ThtmlForm::InsertControl(std::unique_ptr<TFormControlObj> control, bool hidden) {
  control->OwnerForm = this;
  if (!hidden) ++VisibleCount;
  Controls.push_back(std::move(control));
}

}  // namespace html
