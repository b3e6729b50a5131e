#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/gui/menu.h"

namespace dlg {

// A popup-menu item under parent: its caption the suite's text, its short
// cut key with shift (none for key 0), its action (none for a sub-menu).
cl::TMenuItem& AddMenuItem(cl::TMenuItem& parent, const std::string& name, std::uint16_t text, std::uint16_t key,
                           cl::TShiftState shift, std::function<void()> action);

}  // namespace dlg
