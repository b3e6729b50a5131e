#pragma once

#include <cstdint>

#include "html/parse/document_parser.h"

namespace html {

// One history entry's place: the scroll position (Position's encoding), the
// kind of file shown and, in a frame's history, the stamp that orders the
// entries of all frames.
struct PositionObj {
  int32_t Pos = 0;
  THtmlFileType FileType = ftHTML;
  int32_t Seq = 0;
};

}  // namespace html
