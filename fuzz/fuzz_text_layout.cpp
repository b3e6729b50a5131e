// Arbitrary bytes as a paragraph: low bytes change fonts, links and script
// modes, add floating or inline images and a CLEAR; the rest is text. It is
// laid out at two widths, drawn, hit, searched and copied; the lines must
// cover the text exactly once.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "html/document/section_list.h"
#include "html/document/text_section.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"

using namespace html;

namespace {

void CheckLines(const TSection& section) {
  int32_t next = 0;
  for (const LineRec& line : section.Lines) {
    if (line.Start != next || line.Ln < 0) std::abort();
    next += line.Ln;
  }
  if (next != section.PosCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  cl::SetFontEngine(cl::FontEngineKind::FixedPitch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  TSectionList root(nullptr, nullptr);
  root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  TMyFont font;
  font.UpdateFont(root, cl::clBlack);
  const int32_t width = data[0] * 4;
  auto section = std::make_unique<TSection>(data[1] % 4, static_cast<Justification>(1 + data[1] / 4 % 3), nullptr, font);
  const TUrlTarget link("x.htm", "");
  std::string text;
  for (std::size_t i = 2; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b >= 8) {
      text += static_cast<char>(b);
      continue;
    }
    section->AppendText(text);
    text.clear();
    TAttributeList attributes;
    switch (b) {
      case 0: font.SetRelSize(root, 8 + (i % 5) * 6); section->ChangeFont(root, font); break;
      case 1: section->ChangeFontAndLink(HrefSy, root, font, &link); break;
      case 2: section->ChangeFont(root, font, 0, static_cast<std::uint8_t>(i % 3)); break;
      case 3:
        attributes.Add(std::make_unique<TAttribute>(AlignSy, i % 2 ? "left" : "right", 0));
        [[fallthrough]];
      case 4:
        attributes.Add(std::make_unique<TAttribute>(WidthSy, "", static_cast<int32_t>(i % 60)));
        attributes.Add(std::make_unique<TAttribute>(HeightSy, "", static_cast<int32_t>(i % 50)));
        section->AddImage(attributes, &root);
        break;
      case 5:
        attributes.Add(std::make_unique<TAttribute>(ClearSy, "all", 0));
        section->SetClear(attributes);
        break;
      default: section->AppendText(" "); break;
    }
  }
  section->AppendText(text);
  TSection& added = *section;
  root.AddSection(std::move(section));
  cl::TBitmap bitmap;
  bitmap.SetSize(64, 64);
  for (const int32_t w : {width, width / 3}) {
    root.Layout(bitmap.Canvas(), 0, 0, w);
    CheckLines(added);
    root.SelFrom = added.PosCount / 3;
    root.SelTo = added.PosCount;
    root.Draw(bitmap.Canvas(), {0, 0, 64, 64}, 0, 0, w);
    (void)root.CaretAtXY(bitmap.Canvas(), w / 2, 20);
    (void)root.LinkAt(bitmap.Canvas(), w / 2, 10);
    (void)root.SearchText(0, "ab", false);
    if (root.SelectionLength() < 0) std::abort();
  }
  return 0;
}
