#pragma once

#include <cstdint>
#include <string>

#include "html/document/attributes.h"
#include "html/frames/frame_source.h"

namespace html {

// What a FRAME tag says about its frame.
struct TFrameAttributes {
  std::string TargetName;   // NAME, empty for none
  std::string SourceFile;   // SRC before its "#", expanded; empty for none
  std::string Anchor;       // SRC from its first "#" on, or empty
  bool NoScrollBars = false;  // SCROLLING="NO"
  bool FixedSize = false;     // NORESIZE
  std::int32_t MarginX = 10;  // MARGINWIDTH
  std::int32_t MarginY = 5;   // MARGINHEIGHT
};

// hasRequestEvents: the application supplies documents by name, so SRC's
// file part stays as written.
TFrameAttributes ReadFrameAttributes(const TAttributeList& attributes, const TLinkContext& context,
                                     bool hasRequestEvents);

}  // namespace html
