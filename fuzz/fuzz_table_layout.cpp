// Arbitrary bytes as nested tables: each byte opens a row or a cell (with
// spans, widths, heights and alignment from the following bytes), opens or
// closes a nested table, or adds text, a rule or a caption. The document is
// laid out at two widths, drawn, hit, searched and copied; column widths
// must add up to the grid and never be negative.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "html/document/block_sections.h"
#include "html/document/section_list.h"
#include "html/document/table.h"
#include "html/document/text_section.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/font_engine.h"

using namespace html;

namespace {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

std::unique_ptr<TAttribute> Attr(HtmlSymbol code, std::string text, int32_t value) {
  return std::make_unique<TAttribute>(code, std::move(text), value);
}

int32_t Value(std::uint8_t b) {
  static constexpr int32_t big[] = {0, 1, 2, 3, 40, 1000, 2000000000, -7};
  return b & 0x80 ? big[b & 7] : b;
}

void Check(const ThtmlTable& table) {
  int64_t sum = table.CellSpacing;
  for (const int32_t w : table.Widths) {
    if (w < 0) std::abort();
    sum += w;
  }
  if (table.GridBuilt && !table.Rows.empty() && sum != table.GridWidth) std::abort();
  for (const auto& row : table.Rows)
    for (const auto& cell : row->Cells)
      if (cell)
        for (const auto& section : *cell->Cell)
          if (const auto* nested = dynamic_cast<const ThtmlTable*>(section.get())) Check(*nested);
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
  Reader in(data, size);
  TSectionList root(nullptr, nullptr);
  root.SetDefaults("Arial", "Courier New", 12, cl::clBlack, cl::clBlue, cl::clWhite);
  TMyFont font;
  font.UpdateFont(root, cl::clBlack);
  const int32_t width = in.Next() * 4;

  struct Open {
    ThtmlTable* Table;
    TCell* Cell;  // the current cell; the table's owner before the first cell
  };
  std::vector<Open> stack;
  auto newTable = [&](TCell& owner) {
    TAttributeList attributes;
    const std::uint8_t b = in.Next();
    if (b & 1) attributes.Add(Attr(BorderSy, "1", 1));
    if (b & 2) attributes.Add(Attr(WidthSy, b & 4 ? "50%" : "300", b & 4 ? 50 : 300));
    if (b & 8) attributes.Add(Attr(AlignSy, b & 16 ? "right" : "center", 0));
    if (b & 32) attributes.Add(Attr(CellPaddingSy, "", Value(in.Next())));
    if (b & 64) attributes.Add(Attr(BorderColorSy, "red", 0));
    auto table = std::make_unique<ThtmlTable>(&root, 0, &owner, Justification::Left, attributes);
    table->CaptionOnTop = !(b & 128);
    ThtmlTable* added = table.get();
    owner.AddSection(std::move(table));
    stack.push_back({added, &owner});
  };
  newTable(root);
  auto text = [&](TCell& cell, std::size_t length) {
    auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, font);
    section->AppendText(std::string(length % 24, 'a') + " bc");
    cell.AddSection(std::move(section));
  };
  while (in.More()) {
    const std::uint8_t b = in.Next();
    Open& top = stack.back();
    switch (b % 8) {
      case 0: top.Table->Rows.push_back(std::make_unique<TCellList>()); break;
      case 1: {
        if (top.Table->Rows.empty()) top.Table->Rows.push_back(std::make_unique<TCellList>());
        TAttributeList attributes;
        const std::uint8_t flags = in.Next();
        if (flags & 1) attributes.Add(Attr(ColSpanSy, "", Value(in.Next())));
        if (flags & 2) attributes.Add(Attr(RowSpanSy, "", Value(in.Next())));
        if (flags & 4) attributes.Add(Attr(WidthSy, "", Value(in.Next())));
        if (flags & 8) attributes.Add(Attr(WidthSy, "%", Value(in.Next())));
        if (flags & 16) attributes.Add(Attr(HeightSy, "", Value(in.Next())));
        if (flags & 32) attributes.Add(Attr(BGColorSy, "blue", 0));
        auto cell = std::make_unique<TCellObj>(&root, attributes, static_cast<std::uint8_t>(flags >> 6));
        top.Cell = cell->Cell.get();
        top.Table->Rows.back()->Add(std::move(cell));
        break;
      }
      case 2:
        if (stack.size() < 40 && top.Cell != stack.back().Table->OwnerCell) newTable(*top.Cell);
        break;
      case 3:
        if (stack.size() > 1) stack.pop_back();
        break;
      case 4:
        if (top.Cell != top.Table->OwnerCell) text(*top.Cell, b / 8);
        break;
      case 5: text(*top.Table->Caption->Cell, b / 8); break;
      case 6:
        if (top.Cell != top.Table->OwnerCell) top.Cell->AddSection(std::make_unique<THorzLine>(TAttributeList()));
        break;
      default: text(root, b / 8); break;
    }
  }
  // One bitmap for all runs: making its pixels anew cost more than a small
  // table's layout. Drawing without pictures only writes to it.
  static cl::TBitmap& bitmap = *[] {
    auto* shared = new cl::TBitmap;
    shared->SetSize(64, 64);
    return shared;
  }();
  for (const int32_t w : {width, width / 3}) {
    const int32_t curs = root.Layout(bitmap.Canvas(), 0, 0, w).NextCurs;
    for (const auto& section : root)
      if (const auto* table = dynamic_cast<const ThtmlTable*>(section.get())) Check(*table);
    root.SelFrom = curs / 3;
    root.SelTo = curs;
    root.Draw(bitmap.Canvas(), {0, 0, 64, 64}, 0, 0, w);
    (void)root.CaretAtXY(bitmap.Canvas(), w / 2, 20);
    (void)root.LinkAt(bitmap.Canvas(), 12, 10);
    (void)root.SearchText(0, "bc", false);
    if (root.SelectionLength() < 0) std::abort();
  }
  TSectionList copy(root);
  copy.Layout(bitmap.Canvas(), 0, 0, width);
  return 0;
}
