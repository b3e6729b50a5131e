#include "platform/core/export_guard.h"
#include "suite/brangly/brangly.h"
#include "suite/brangly/glyphs.h"

BRANNIK_EXPORT win::HBITMAP GLYPH(const char* name) {
  return ExportGuard(win::HBITMAP{nullptr}, [&] { return name ? DrawGlyph(name).release() : nullptr; });
}
