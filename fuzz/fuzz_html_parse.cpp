// Arbitrary bytes through the parser (HTML from a buffer, from lines, or
// plain text; the first byte picks), then layout at two widths and a draw of
// the first screen into an image.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "html/parse/html_parser.h"
#include "html/document/section_list.h"
#include "platform/core/string_list.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"

using namespace html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool app = (setenv("QT_QPA_PLATFORM", "offscreen", 0), cl::EnsureQtApplication(), true);
  (void)app;
  // Layout, not glyph rendering, is under test: the fixed-pitch engine keeps runs fast.
  static cl::ScopedFontEngine engine(cl::FontEngineKind::FixedPitch);
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

  TSectionList root(nullptr, nullptr);
  root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  root.ImagesOn = false;
  cl::TStringList names;
  THtmlParseResult result;
  THtmlParseOptions options;
  std::string scripts;
  options.OnScript = [&](cl::TObject*, const std::string& language, const std::string& text) {
    scripts += language + text;
  };
  options.OnInclude = [](cl::TObject*, const std::string& command, cl::TStrings&) {
    return command.empty() ? std::string() : "<B>" + command + "</B><TABLE><TD>x";
  };
  cl::TStringList lines;
  switch (mode % 3) {
    case 0:
      HtmlParseBuffer(root, names, input.data(), static_cast<std::int32_t>(input.size()), options, result);
      break;
    case 1:
      lines.SetText(input);
      HtmlParseStrings(root, names, lines, options, result);
      break;
    default:
      lines.SetText(input);
      TextParseStrings(root, names, lines);
      break;
  }
  // One bitmap for all runs: a new one per run cost a quarter of the run in
  // allocating and clearing pixels. Drawing without pictures only writes to it.
  static cl::TBitmap& bitmap = *[] {
    auto* shared = new cl::TBitmap;
    shared->SetSize(320, 240);
    return shared;
  }();
  for (const int32_t width : {640, 57}) {
    root.Layout(bitmap.Canvas(), 0, 0, width);
  }
  root.Draw(bitmap.Canvas(), {0, 0, 320, 240}, 0, 0, 320);
  return 0;
}
