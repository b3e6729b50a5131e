#pragma once

#include <string>
#include <string_view>

namespace cl {

// Which engine measures and draws text. The fixed-pitch engine makes layout
// tests independent of installed fonts: for a font of pixel size P (the em
// height) every character advances max(1, P / 2); ascent = P - P / 4, descent
// = P / 4, no leading; a character other than a space is drawn as a filled box
// one pixel narrower than its advance, from the baseline up by the ascent.
enum class FontEngineKind { Real, FixedPitch };

void SetFontEngine(FontEngineKind kind);
FontEngineKind CurrentFontEngine();

// Switches the engine for a scope (tests).
class ScopedFontEngine {
 public:
  explicit ScopedFontEngine(FontEngineKind kind) : previous_(CurrentFontEngine()) { SetFontEngine(kind); }
  ~ScopedFontEngine() { SetFontEngine(previous_); }
  ScopedFontEngine(const ScopedFontEngine&) = delete;
  ScopedFontEngine& operator=(const ScopedFontEngine&) = delete;

 private:
  FontEngineKind previous_;
};

// The installed family that stands for a Windows face name.
std::string SubstituteFaceName(std::string_view windowsName);

}  // namespace cl
