#include <optional>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_set_detection.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "html/frames/refresh_timer.h"
#include "platform/core/in_out_error.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/timer.h"
#include "utility/path_names.h"

namespace html {

void TFrameSet::RefreshTimerTick() {
  RefreshTimer()->SetEnabled(false);
  if (OwnerViewer == nullptr || &OwnerViewer->CurrentSet() != this) return;
  if (RearmWhileBusy(*RefreshTimer(), *OwnerViewer, nullptr)) return;
  OwnerViewer->LoadFromFileInternal(RefreshFile);
}


void TFrameSet::LoadFromFile(const std::string& fileName, const std::string& anchor) {
  Clear();
  cl::FreeReleased();
  LoadDepth = 0;
  std::optional<TDocumentSource> requested;
  if (OwnerViewer != nullptr && OwnerViewer->HasRequestEvents() && !IsImageFileName(fileName) &&
      !IsTextFileName(fileName)) {
    requested = OwnerViewer->RequestDocument(fileName, *this);
  }
  SetFile = requested ? fileName : utl::FEXPAND(fileName);
  bool frameSet = false;
  try {
    frameSet = requested ? IsFrameSetSource(*requested, this) : IsFrameSetFile(SetFile, this);
  } catch (const cl::EInOutError& error) {
    throw cl::EInOutError("Can't load: " + SetFile, error.ErrorCode);
  }
  if (frameSet) {
    ParseAndLoad(requested ? *requested : TDocumentSource::File(SetFile), SetFile);
  } else {
    AddFrame(TAttributeList(), SetFile, TFrameDocumentInfo{});
    auto& frame = dynamic_cast<TFrame&>(*Children().back());
    // The frame asks for a supplied document again by the same name.
    frame.SourceFile = HasRequestEvents && !IsImageFileName(fileName) && !IsTextFileName(fileName) ? fileName : SetFile;
    frame.Anchor = anchor;
    EndFrameSet(TFrameDocumentInfo{});
    frame.LoadFiles();
    if (TDocViewer* viewer = frame.Viewer()) {
      SetTitle = viewer->DocumentTitle();
      SetBaseTarget = viewer->BaseTarget();
    }
  }
  UpdateFrameList();
  CheckResize();
}

}  // namespace html
