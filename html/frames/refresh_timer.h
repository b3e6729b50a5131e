#pragma once

#include <cstdint>
#include <functional>

#include "platform/gui/timer.h"

namespace html {

class TDocViewer;
class TFrameSetViewer;

// Starts (or restarts) a refresh timer owned by owner, made on first use.
void ArmTimer(cl::TComponent& owner, cl::TTimer*& timer, std::int32_t seconds, std::function<void()> tick);

// A tick that comes while anything loads or lays out waits one more
// interval: the load it would start could pull the tree from under it.
bool RearmWhileBusy(cl::TTimer& timer, const TFrameSetViewer& viewer, const TDocViewer* ownViewer);

}  // namespace html
