#include "html/forms/form_control_builder.h"

#include "html/forms/button_controls.h"
#include "html/forms/edit_control_obj.h"
#include "html/forms/list_controls.h"
#include "html/forms/windowless_controls.h"
#include "platform/core/ansi_case.h"

namespace html {

std::string InputType(const TAttributeList& attributes) {
  const TAttribute* type = FindAttribute(attributes, TypeSy);
  return type ? cl::AnsiLowerCase(type->StrValue.substr(0, 20)) : std::string();
}

std::unique_ptr<TFormControlObj> TFormControlBuilder::Create(HtmlSymbol code, TSectionList& document, TCell* cell,
                                                             const TAttributeList& attributes) {
  if (code == SelectSy) {
    const TAttribute* size = FindAttribute(attributes, SizeSy);
    if (FindAttribute(attributes, MultipleSy) || (size && size->IntValue > 1))
      return std::make_unique<TListBoxFormControlObj>(&document, attributes);
    return std::make_unique<TComboFormControlObj>(&document, attributes);
  }
  if (code != InputSy) return std::make_unique<TTextAreaFormControlObj>(&document, attributes);
  const std::string type = InputType(attributes);
  if (type == "submit" || type == "reset" || type == "button")
    return std::make_unique<TButtonFormControlObj>(&document, attributes, type);
  if (type == "radio") return std::make_unique<TRadioButtonFormControlObj>(&document, attributes, cell);
  if (type == "checkbox") return std::make_unique<TCheckBoxFormControlObj>(&document, attributes);
  if (type == "hidden") return std::make_unique<THiddenFormControlObj>(&document, attributes);
  if (type == "image") return std::make_unique<TImageFormControlObj>(&document, attributes);
  return std::make_unique<TEditFormControlObj>(&document, attributes, type);
}

void TFormControlBuilder::AddOption(TFormControlObj& control, TSelectOption option) {
  if (auto* list = dynamic_cast<TListBoxFormControlObj*>(&control))
    list->AddOption(option.Text, option.Value, option.Selected);
}

void TFormControlBuilder::AddLine(TFormControlObj& control, std::string line) {
  if (auto* area = dynamic_cast<TTextAreaFormControlObj*>(&control)) area->AddLine(line);
}

}  // namespace html
