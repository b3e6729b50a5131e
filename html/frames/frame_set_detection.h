#pragma once

#include <string>

#include "html/frames/frame_parse.h"

namespace html {

class TFrameSet;

// Whether a document holds a FRAMESET (read with the handlers of top's
// viewer); pictures and plain text never do.
bool IsFrameSetFile(const std::string& name, const TFrameSet* top);
bool IsFrameSetSource(const TDocumentSource& source, const TFrameSet* top);

}  // namespace html
