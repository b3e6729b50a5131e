#include "html/frames/refresh_timer.h"

#include <algorithm>
#include <limits>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame_viewer.h"

namespace html {

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

bool RearmWhileBusy(cl::TTimer& timer, const TFrameSetViewer& viewer, const TDocViewer* ownViewer) {
  if (!viewer.IsProcessing() && (ownViewer == nullptr || !ownViewer->Processing())) return false;
  timer.SetEnabled(true);
  return true;
}

}  // namespace html
