#include <string>

#include "html/frames/frame.h"
#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"
#include "html/frames/refresh_timer.h"
#include "html/frames/sub_frame_set.h"
#include "platform/gui/timer.h"
#include "utility/path_names.h"

namespace html {

void TSubFrameSet::ParseAndLoad(const TDocumentSource& source, const std::string& fileName) {
  DocumentFile = fileName;
  RefreshSeconds = 0;
  RefreshLink.clear();
  TFrameParseHandlers handlers;
  if (topSet_ != nullptr && topSet_->OwnerViewer != nullptr) handlers = topSet_->OwnerViewer->ParseHandlers(*this);
  TFrameDocumentInfo info;
  FrameParse(source, *this, handlers, fileName, info);
  LoadFiles();
  bool first = false;
  bool last = false;
  CheckNoResize(first, last);
  StartRefreshTimer();
}

void TSubFrameSet::UnloadFiles() {
  if (refreshTimer_ != nullptr) refreshTimer_->SetEnabled(false);
  for (TFrameBase* child : children_) child->UnloadFiles();
  if (topSet_ != nullptr && topSet_->OwnerViewer != nullptr && topSet_->OwnerViewer->OnSoundRequest) {
    topSet_->OwnerViewer->OnSoundRequest(topSet_->OwnerViewer, std::string(), 0, true);
  }
  IsUnloaded = true;
}

void TSubFrameSet::ReloadFiles(int position) {
  for (TFrameBase* child : children_) child->ReloadFiles(position);
  if (RefreshSeconds > 0 && refreshTimer_ != nullptr) refreshTimer_->SetEnabled(true);
  IsUnloaded = false;
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

}  // namespace html
