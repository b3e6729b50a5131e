#pragma once

#include <cstdint>
#include <string>

#include "html/frames/frame_viewer.h"

namespace brw {

// The browser's document viewer: the frame viewer, plus what the main window
// asks of the viewer that has the focus.
class tDocFileViewer : public html::TFrameSetViewer {
 public:
  using html::TFrameSetViewer::TFrameSetViewer;

  // The active viewer's file, else the top-level document's; at most 255
  // characters.
  std::string GetDocumentName() const;
  // The active viewer's position, 0 without one.
  int32_t GetPosition() const;
  // Moves the active viewer; nothing without one.
  void SetPosition(int32_t position);

  // Prints pages fromPage..toPage of the active viewer's document; nothing
  // without one.
  void Print(int32_t fromPage, int32_t toPage);
};

}  // namespace brw
