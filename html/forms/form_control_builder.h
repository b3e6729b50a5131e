#pragma once

#include <memory>
#include <string>
#include <vector>

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

// Makes the control of an INPUT, SELECT or TEXTAREA tag and fills it with
// what the parser reads inside SELECT and TEXTAREA. The parser places the
// control in the text and gives it to the current form; the builder only
// makes and fills it. The base builder makes a TParsedControlObj.
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

// A control with no window: what its tag said, kept until the control classes
// replace it. It draws nothing and takes no room.
class TParsedControlObj : public TFormControlObj {
 public:
  TParsedControlObj(TSectionList* document, HtmlSymbol code, const TAttributeList& attributes);

  HtmlSymbol Code;
  std::vector<std::pair<HtmlSymbol, std::string>> Attributes;  // as written, in order
  std::vector<TSelectOption> Options;
  std::vector<std::string> Lines;
  int ResetCount = 0;  // ResetValue calls

  void ResetValue() override { ++ResetCount; }
};

}  // namespace html
