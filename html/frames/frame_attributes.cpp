#include "html/frames/frame_attributes.h"

#include "platform/core/blank_trim.h"
#include "utility/same_text.h"

namespace html {

TFrameAttributes ReadFrameAttributes(const TAttributeList& attributes, const TLinkContext& context,
                                     bool hasRequestEvents) {
  TFrameAttributes frame;
  for (const auto& attribute : attributes) {
    switch (attribute->Code) {
      case NameSy:
        frame.TargetName = attribute->StrValue;
        break;
      case SrcSy: {
        TSplitLink link = SplitAnchor(std::string(cl::Trim(attribute->StrValue)));
        frame.Anchor = std::move(link.Anchor);
        frame.SourceFile = hasRequestEvents || link.File.empty() ? std::move(link.File)
                                                                  : ExpandDocumentLink(link.File, context);
        break;
      }
      case NoResizeSy:
        frame.FixedSize = true;
        break;
      case ScrollingSy:
        if (utl::SameText(attribute->StrValue, "NO")) frame.NoScrollBars = true;
        break;
      case MarginWidthSy:
        frame.MarginX = attribute->IntValue;
        break;
      case MarginHeightSy:
        frame.MarginY = attribute->IntValue;
        break;
      default:
        break;
    }
  }
  return frame;
}

}  // namespace html
