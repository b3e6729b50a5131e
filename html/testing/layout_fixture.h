#pragma once

#include <memory>
#include <string>

#include "html/document/attributes.h"
#include "html/document/my_font.h"
#include "html/document/section_list.h"
#include "html/document/text_section.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"

namespace html {

// A document on the fixed-pitch font engine: at the default 12 points every
// character is 8 pixels wide and lines are 16 high (ascent 12, descent 4).
class LayoutFixture {
 public:
  static constexpr int32_t CharWidth = 8;
  static constexpr int32_t LineHeight = 16;

  // Pictures come from images when given; the document has host as its host.
  explicit LayoutFixture(TImageSource* images = nullptr, TDocumentHost* host = nullptr)
      : engine_(cl::FontEngineKind::FixedPitch), root(host, images) {
    bitmap.SetSize(600, 400);
    root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  }

  cl::TCanvas& Canvas() { return bitmap.Canvas(); }

  // A document font at the default size.
  std::unique_ptr<TMyFont> Font(int32_t relSize = 12) const {
    auto font = std::make_unique<TMyFont>();
    font->UpdateFont(root, root.DefaultTextColor);
    font->SetRelSize(root, relSize);
    return font;
  }
  // A text section holding text, added to the root.
  TSection& AddText(const std::string& text, Justification justify = Justification::Left, int32_t level = 0) {
    auto section = std::make_unique<TSection>(level, justify, nullptr, *Font());
    section->AppendText(text);
    TSection& added = *section;
    root.AddSection(std::move(section));
    return added;
  }
  // Lays the document out width wide; returns its height.
  int32_t Layout(int32_t width) { return root.Layout(Canvas(), 0, 0, width).Height; }

  static std::unique_ptr<TAttribute> Attr(HtmlSymbol code, std::string text, int32_t value = 0) {
    return std::make_unique<TAttribute>(code, std::move(text), value);
  }

 private:
  bool app_ = (cl::EnsureQtApplication(), true);
  cl::ScopedFontEngine engine_;

 public:
  cl::TBitmap bitmap;
  TSectionList root;
};

}  // namespace html
