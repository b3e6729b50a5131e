#include "html/forms/form_control_builder.h"

namespace html {

std::unique_ptr<TFormControlObj> TFormControlBuilder::Create(HtmlSymbol code, TSectionList& document, TCell*,
                                                             const TAttributeList& attributes) {
  return std::make_unique<TParsedControlObj>(&document, code, attributes);
}

void TFormControlBuilder::AddOption(TFormControlObj& control, TSelectOption option) {
  if (auto* parsed = dynamic_cast<TParsedControlObj*>(&control)) parsed->Options.push_back(std::move(option));
}

void TFormControlBuilder::AddLine(TFormControlObj& control, std::string line) {
  if (auto* parsed = dynamic_cast<TParsedControlObj*>(&control)) parsed->Lines.push_back(std::move(line));
}

TParsedControlObj::TParsedControlObj(TSectionList* document, HtmlSymbol code, const TAttributeList& attributes)
    : TFormControlObj(document, 0), Code(code) {
  for (const auto& a : attributes) {
    Attributes.emplace_back(a->Code, a->StrValue);
    if (a->Code == NameSy) ControlName = a->StrValue;
    if (a->Code == ValueSy) InitialValue = a->StrValue;
  }
}

}  // namespace html
