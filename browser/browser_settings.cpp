#include "browser/browser_settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "browser/bk_wini_file.h"
#include "platform/core/exception.h"
#include "platform/core/places.h"
#include "utility/short_strings.h"

namespace brw {

namespace {

constexpr std::string_view section = "Brannik";

bool MeetsAScreen(const cl::TRect& rect, std::span<const cl::TRect> screens) {
  return std::any_of(screens.begin(), screens.end(), [&rect](const cl::TRect& screen) {
    return std::max(rect.Left, screen.Left) < std::min(rect.Right, screen.Right) &&
           std::max(rect.Top, screen.Top) < std::min(rect.Bottom, screen.Bottom);
  });
}

// A window is never larger than the screens together, as the window system
// keeps it; a larger one (or one whose size overflows) could not be drawn.
cl::TRect WithinScreensSize(cl::TRect rect, std::span<const cl::TRect> screens) {
  if (screens.empty() || rect.IsEmpty()) return rect;
  std::int64_t left = screens.front().Left, top = screens.front().Top;
  std::int64_t right = screens.front().Right, bottom = screens.front().Bottom;
  for (const cl::TRect& screen : screens) {
    left = std::min<std::int64_t>(left, screen.Left);
    top = std::min<std::int64_t>(top, screen.Top);
    right = std::max<std::int64_t>(right, screen.Right);
    bottom = std::max<std::int64_t>(bottom, screen.Bottom);
  }
  const std::int64_t width = std::int64_t{rect.Right} - rect.Left;
  const std::int64_t height = std::int64_t{rect.Bottom} - rect.Top;
  constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
  if (width > right - left) rect.Right = static_cast<std::int32_t>(std::min(rect.Left + (right - left), largest));
  if (height > bottom - top) rect.Bottom = static_cast<std::int32_t>(std::min(rect.Top + (bottom - top), largest));
  return rect;
}

}  // namespace

std::string BrowserIniFileName() { return utl::STRACC(win::GetWindowsDirectory(), '\\') + "win.ini"; }

TWindowPlacement TBrowserSettings::LoadWindow(const TWindowPlacement& current,
                                              std::span<const cl::TRect> screens) const {
  const tBKWiniFile ini(iniFileName_);
  TWindowPlacement placement = current;
  const std::int32_t state = ini.ReadInteger(section, "BRWSFormWS", current.State);
  if (state >= wsNormalValue && state <= wsMaximizedValue) placement.State = state;
  if (placement.State == wsNormalValue) {
    const cl::TRect defaultBounds = cl::Bounds(0, 0, current.Bounds.Width(), current.Bounds.Height());
    const cl::TRect bounds = WithinScreensSize(ini.ReadRect(section, "BRWSFormPos", defaultBounds), screens);
    placement.Bounds = bounds.IsEmpty() || !MeetsAScreen(bounds, screens) ? defaultBounds : bounds;
  }
  return placement;
}

TViewerDefaults TBrowserSettings::LoadViewer() const {
  const tBKWiniFile ini(iniFileName_);
  TViewerDefaults viewer;
  viewer.Background = ini.ReadInteger(section, "BRWSBackground", viewer.Background);
  viewer.HotSpotColor = ini.ReadInteger(section, "BRWSSpotColor", viewer.HotSpotColor);
  viewer.FontColor = ini.ReadInteger(section, "BRWSFontColor", viewer.FontColor);
  viewer.FontName = ini.ReadString(section, "BRWSFontName", viewer.FontName);
  const std::int32_t size = ini.ReadInteger(section, "BRWSFontSize", viewer.FontSize);
  if (size > 0) viewer.FontSize = size;
  viewer.PreFontName = ini.ReadString(section, "BRWSPreFontName", viewer.PreFontName);
  return viewer;
}

void TBrowserSettings::Save(const TWindowPlacement& window, const TViewerDefaults* viewer,
                            std::string_view document, std::int32_t position) const {
  try {
    tBKWiniFile ini(iniFileName_);
    ini.WriteInteger(section, "BRWSFormWS", window.State);
    if (window.State == wsNormalValue) ini.WriteRect(section, "BRWSFormPos", window.Bounds);
    if (!viewer) return;
    ini.WriteInteger(section, "BRWSBackground", viewer->Background);
    ini.WriteInteger(section, "BRWSSpotColor", viewer->HotSpotColor);
    ini.WriteInteger(section, "BRWSFontColor", viewer->FontColor);
    ini.WriteString(section, "BRWSFontName", viewer->FontName);
    ini.WriteInteger(section, "BRWSFontSize", viewer->FontSize);
    ini.WriteString(section, "BRWSPreFontName", viewer->PreFontName);
    ini.WriteString(section, "BRWSDocument", document);
    ini.WriteInteger(section, "BRWSPosition", position);
  } catch (const cl::Exception&) {
    // Settings are a convenience: the program ends normally without them.
  }
}

}  // namespace brw
