#include "html/forms/windowless_controls.h"

#include "html/forms/windowed_control_obj.h"

namespace html {

THiddenFormControlObj::THiddenFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TFormControlObj(document, 0) {
  InitialValue = AttributeText(attributes, ValueSy);
  ControlName = AttributeText(attributes, NameSy);
}

bool THiddenFormControlObj::SubmitPair(int index, std::string& s) {
  if (index != 0) return false;
  s = ControlName + "=" + InitialValue;
  return true;
}

TImageFormControlObj::TImageFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TFormControlObj(document, 0) {
  InitialValue = AttributeText(attributes, ValueSy);
  ControlName = AttributeText(attributes, NameSy);
}

bool TImageFormControlObj::SubmitPair(int index, std::string& s) {
  if (ClickX < 0 || index > 1) return false;
  const std::string prefix = ControlName.empty() ? "" : ControlName + ".";
  if (index == 0) {
    s = prefix + "x=" + std::to_string(ClickX);
  } else {
    s = prefix + "y=" + std::to_string(ClickY);
    ClickX = -1;
  }
  return true;
}

void TImageFormControlObj::ImageClickAt(int32_t x, int32_t y) {
  PendingX = x;
  PendingY = y;
}

void TImageFormControlObj::ImageClick() {
  ClickX = PendingX;
  ClickY = PendingY;
  if (OwnerForm) OwnerForm->SubmitForm("");
}

}  // namespace html
