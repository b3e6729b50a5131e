#pragma once

#include <cstdint>
#include <string>

#include "html/document/free_list.h"
#include "html/document/html_symbol.h"
#include "platform/core/object.h"

namespace html {

// One attribute of a tag.
class TAttribute : public cl::TObject {
 public:
  TAttribute(HtmlSymbol code, std::string strValue, std::int32_t intValue)
      : Code(code), IntValue(intValue), StrValue(std::move(strValue)) {}

  HtmlSymbol Code;        // UnknownAttrSy for a name not in the table
  std::int32_t IntValue;  // 0 when the value is no number; 1 for a bare BORDER
  std::string StrValue;   // as written, entities resolved; empty without a value
};

// The attributes of one tag in the order written.
class TAttributeList : public TFreeList<TAttribute> {};

// The first attribute with that code, in list order; null when there is none.
const TAttribute* FindAttribute(const TAttributeList& list, HtmlSymbol code);

}  // namespace html
