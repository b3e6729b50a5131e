// Arbitrary bytes as the browser's "win.ini": its settings load within their
// limits, saving what was loaded and loading again gives the same settings,
// and the save leaves every other key reading as it did.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "browser/bk_wini_file.h"
#include "browser/browser_settings.h"
#include "platform/core/profile_text.h"
#include "platform/core/string_list.h"
#include "scratch_directory.h"

namespace {

constexpr std::array<cl::TRect, 2> screens = {cl::Rect(0, 0, 1920, 1080), cl::Rect(1920, 0, 3200, 1024)};

// A text the profile hands back as it was written: blanks and a pair of
// quotes around a value are the file's, not the value's.
bool ReadsBackAsWritten(std::string_view value) {
  if (value.empty()) return true;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(value.front()) || blank(value.back())) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front());
}

struct Key {
  const char* section;
  const char* key;
};
constexpr Key otherKeys[] = {{"Brannik", "BRWSOther"}, {"windows", "load"}, {"Sounds", "SND_00"}, {"", ""}};

std::array<std::optional<std::string>, std::size(otherKeys)> OtherValues(std::string_view text) {
  std::array<std::optional<std::string>, std::size(otherKeys)> values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = win::ProfileValue(text, otherKeys[i].section, otherKeys[i].key);
  return values;
}

const fuzz::ScratchDirectory& WindowsDirectoryOnce() {
  static const fuzz::ScratchDirectory& scratch = []() -> const fuzz::ScratchDirectory& {
    const fuzz::ScratchDirectory& s = fuzz::Scratch();
    if (setenv("BRANNIK_WINDIR", s.Path().c_str(), 1) != 0) std::abort();
    return s;
  }();
  return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte: the window's state now, and whether the run saves the
  // window's settings or reads the viewer's (and saves them too); the rest
  // is the file.
  const brw::TWindowPlacement current{data[0] % 3, cl::Bounds(100, 100, 800, 600)};
  const bool viewerRun = data[0] & 4;
  const fuzz::ScratchDirectory& scratch = WindowsDirectoryOnce();
  scratch.Write("win.ini", data + 1, size - 1);
  const std::string file = brw::BrowserIniFileName();
  const brw::TBrowserSettings settings(file);

  if (viewerRun) {
    const brw::TViewerDefaults viewer = settings.LoadViewer();
    if (viewer.FontSize < 1) std::abort();
    cl::TStringList sections(false);
    brw::tBKWiniFile(file).ReadSections(sections);
    if (!(data[0] & 8)) return 0;
    // Saving them as well replaces the file up to ten times.
    settings.Save(brw::TWindowPlacement{}, &viewer, "index.htm", 7);
    const brw::TViewerDefaults again = settings.LoadViewer();
    if (again.Background != viewer.Background || again.HotSpotColor != viewer.HotSpotColor ||
        again.FontColor != viewer.FontColor || again.FontSize != viewer.FontSize)
      std::abort();
    if (ReadsBackAsWritten(viewer.FontName) && again.FontName != viewer.FontName) std::abort();
    if (ReadsBackAsWritten(viewer.PreFontName) && again.PreFontName != viewer.PreFontName) std::abort();
    return 0;
  }

  const brw::TWindowPlacement window = settings.LoadWindow(current, screens);
  if (window.State < brw::wsNormalValue || window.State > brw::wsMaximizedValue) std::abort();
  if (window.State == brw::wsNormalValue && window.Bounds.IsEmpty()) std::abort();
  const auto others = OtherValues(scratch.Read("win.ini"));
  settings.Save(window, nullptr, "", 0);
  if (OtherValues(scratch.Read("win.ini")) != others) std::abort();
  const brw::TWindowPlacement again = settings.LoadWindow(current, screens);
  if (again.State != window.State || again.Bounds != window.Bounds) std::abort();
  return 0;
}
