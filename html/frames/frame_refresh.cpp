#include <algorithm>
#include <functional>
#include <limits>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "html/frames/sub_frame_set.h"
#include "platform/gui/timer.h"
#include "utility/path_names.h"

namespace html {

namespace {

// Starts (or restarts) a refresh timer owned by owner, made on first use.
void ArmTimer(cl::TComponent& owner, cl::TTimer*& timer, std::int32_t seconds, std::function<void()> tick) {
  if (timer == nullptr) {
    timer = cl::Make<cl::TTimer>(owner);
    timer->OnTimer = std::move(tick);
  }
  // Delays whose milliseconds do not fit the timer wait as long as it can.
  const std::uint32_t limit = std::numeric_limits<std::uint32_t>::max() / 1000;
  const std::uint32_t capped = seconds < 1 ? 1u : std::min(static_cast<std::uint32_t>(seconds), limit);
  timer->SetEnabled(false);
  timer->SetInterval(capped * 1000);
  timer->SetEnabled(true);
}

// A tick that comes while anything loads or lays out waits one more
// interval: the load it would start could pull the tree from under it.
bool RearmWhileBusy(cl::TTimer& timer, const TFrameSetViewer& viewer, const TDocViewer* ownViewer) {
  if (!viewer.IsProcessing() && (ownViewer == nullptr || !ownViewer->Processing())) return false;
  timer.SetEnabled(true);
  return true;
}

}  // namespace

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

void TSubFrameSet::StartRefreshTimer() {
  if (RefreshSeconds <= 0 || topSet_ == nullptr) return;
  const TSplitLink link = SplitAnchor(RefreshLink);
  const std::string file =
      ExpandDocumentLink(link.File, TLinkContext{utl::DIRNAME(DocumentFile), SetBase, topSet_->ServerRoot});
  if (!DocumentFileExists(file)) return;
  RefreshFile = file + link.Anchor;
  ArmTimer(*this, refreshTimer_, RefreshSeconds, [this] { RefreshTimerTick(); });
}

void TSubFrameSet::RefreshTimerTick() {
  refreshTimer_->SetEnabled(false);
  if (IsUnloaded || topSet_ == nullptr || topSet_->OwnerViewer == nullptr) return;
  auto* const frame = dynamic_cast<TFrame*>(Owner());
  if (frame == nullptr) return;
  TFrameSetViewer& owner = *topSet_->OwnerViewer;
  if (RearmWhileBusy(*refreshTimer_, owner, nullptr)) return;
  const TSplitLink link = SplitAnchor(RefreshFile);
  owner.RunLoading([frame, &link] { frame->LoadFrameFile(link.File, link.Anchor, true); });
}

void TFrameSet::RefreshTimerTick() {
  RefreshTimer()->SetEnabled(false);
  if (OwnerViewer == nullptr || &OwnerViewer->CurrentSet() != this) return;
  if (RearmWhileBusy(*RefreshTimer(), *OwnerViewer, nullptr)) return;
  OwnerViewer->LoadFromFileInternal(RefreshFile);
}

}  // namespace html
