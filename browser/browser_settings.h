#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "html/viewer/viewer_defaults.h"
#include "platform/gui/geometry.h"

namespace brw {

// The window states as "win.ini" stores them (the form's WindowState).
enum TWindowStateValue : std::int32_t { wsNormalValue = 0, wsMinimizedValue = 1, wsMaximizedValue = 2 };

struct TWindowPlacement {
  std::int32_t State = wsMaximizedValue;
  cl::TRect Bounds;  // screen pixels; Right and Bottom outside
};

// The viewer defaults the settings keep, each as it is when "win.ini" has none.
struct TViewerDefaults : html::TViewerDefaults {
  TViewerDefaults() {
    Background = static_cast<std::int32_t>(0x80000005);  // clWindow
    HotSpotColor = 0xFF0000;                             // clBlue
    FontColor = static_cast<std::int32_t>(0x80000008);   // clWindowText
    FontName = "Arial CE";
    FontSize = 10;  // points
    PreFontName = "Courier";
  }
};

// "win.ini" in the Windows directory.
std::string BrowserIniFileName();

// The browser's section [Brannik] of a profile file: read when the main window
// is made, written when it is destroyed. Values that no window or viewer
// could use count as absent: a window state outside 0-2, a rectangle that is
// empty or meets none of the screens, a font size below 1. A rectangle larger
// than the screens together is cut to their size.
class TBrowserSettings {
 public:
  explicit TBrowserSettings(std::string iniFileName) : iniFileName_(std::move(iniFileName)) {}

  // The window to show. current: the form's state and bounds now, whose
  // state stands in for an absent one. The bounds are read only for the
  // normal state, in place of (0, 0, current width, current height); in the
  // other states they stay current. screens: every screen's rectangle.
  TWindowPlacement LoadWindow(const TWindowPlacement& current, std::span<const cl::TRect> screens) const;
  // The viewer's defaults, each absent one as TViewerDefaults has it.
  TViewerDefaults LoadViewer() const;

  // Writes the window state, the bounds only in the normal state, and, with
  // a viewer, its defaults, its document and its position. A failed write
  // ends the save without a message.
  void Save(const TWindowPlacement& window, const TViewerDefaults* viewer, std::string_view document,
            std::int32_t position) const;

 private:
  std::string iniFileName_;
};

}  // namespace brw
