#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "html/frames/refresh_timer.h"
#include "platform/gui/timer.h"

namespace html {

void TFrame::ViewerMetaRefresh(int delay, const std::string& url) {
  if (viewer_ == nullptr || delay <= 0) return;
  // A relative target is a link of the document shown, not of the
  // process's current directory.
  const TSplitLink link = SplitAnchor(url);
  const std::string file = viewer_->ExpandLinkFileName(link.File);
  if (!DocumentFileExists(file)) return;
  RefreshFile = file + link.Anchor;
  ArmTimer(*this, refreshTimer_, delay, [this] { RefreshTimerTick(); });
}

void TFrame::RefreshTimerTick() {
  refreshTimer_->SetEnabled(false);
  if (IsUnloaded || topSet_ == nullptr || topSet_->OwnerViewer == nullptr) return;
  TFrameSetViewer& owner = *topSet_->OwnerViewer;
  if (RearmWhileBusy(*refreshTimer_, owner, viewer_)) return;
  if (topSet_->AllViewers.size() == 1) {
    owner.LoadFromFileInternal(RefreshFile);
    return;
  }
  const TSplitLink link = SplitAnchor(RefreshFile);
  owner.RunLoading([this, &link] { LoadFrameFile(link.File, link.Anchor, true); });
}

}  // namespace html
