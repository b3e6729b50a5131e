#include "html/document/attributes.h"

namespace html {

const TAttribute* FindAttribute(const TAttributeList& list, HtmlSymbol code) {
  for (const auto& attribute : list)
    if (attribute->Code == code) return attribute.get();
  return nullptr;
}

}  // namespace html
