#pragma once

// platform/gui's own: what a region holds.

#include <QRegion>

#include "platform/gui/region.h"

namespace win {

struct Region::Impl {
  QRegion region;
};

}  // namespace win
