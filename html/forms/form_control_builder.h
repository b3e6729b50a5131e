#pragma once

#include <memory>
#include <string>

#include "html/document/attributes.h"
#include "html/document/form_control_obj.h"
#include "html/document/html_symbol.h"

namespace html {

class TCell;
class TSectionList;

// One OPTION of a SELECT as the parser read it.
struct TSelectOption {
  std::string Text;  // trimmed
  std::string Value;
  bool Selected = false;
};

// INPUT's TYPE as the control choice reads it: lower case, at most 20
// characters.
std::string InputType(const TAttributeList& attributes);

// Makes the control of an INPUT, SELECT or TEXTAREA tag and fills it with
// what the parser reads inside SELECT and TEXTAREA. The parser places the
// control in the text and gives it to the current form; the builder only
// makes and fills it.
class TFormControlBuilder {
 public:
  virtual ~TFormControlBuilder() = default;
  // Null when the tag gives no control.
  virtual std::unique_ptr<TFormControlObj> Create(HtmlSymbol code, TSectionList& document, TCell* cell,
                                                  const TAttributeList& attributes);
  virtual void AddOption(TFormControlObj& control, TSelectOption option);
  // One line of a TEXTAREA's initial text.
  virtual void AddLine(TFormControlObj& control, std::string line);
};

}  // namespace html
