#include "html/document/section_base.h"

#include "html/document/indent_manager.h"

namespace html {

TSectionBase::TSectionBase(TSectionList* master, const TSectionBase& source)
    // A section that failed stays out of the copy's layout, so its error is not reported again.
    : Document(master), FlowHeight(source.FlowHeight), Dropped(source.Dropped) {}

std::unique_ptr<TSectionBase> TSectionBase::Clone(TSectionList* master) const {
  return std::make_unique<TSectionBase>(master, *this);
}

TLayoutResult TSectionBase::Layout(cl::TCanvas&, int32_t, IndentManager& indents, int32_t curs) {
  FirstPos = curs;
  PaintHeight = FlowHeight;
  return {FlowHeight, indents.LayoutWidth, curs};
}

int32_t TSectionBase::Draw(cl::TCanvas&, const cl::TRect&, IndentManager&, int32_t, int32_t y) {
  PlacedY = y;
  return y + FlowHeight;
}

std::optional<TLinkHit> TSectionBase::LinkAt(cl::TCanvas&, int32_t, int32_t) { return std::nullopt; }

std::optional<TObjectHit> TSectionBase::ObjectAt(int32_t, int32_t) { return std::nullopt; }

std::optional<TCaretPlace> TSectionBase::CaretAt(cl::TCanvas&, int32_t, int32_t) { return std::nullopt; }

int32_t TSectionBase::Search(int32_t, std::string_view, bool) { return -1; }

std::optional<TTextPoint> TSectionBase::PositionToXY(cl::TCanvas&, int32_t) { return std::nullopt; }

std::optional<TCharHit> TSectionBase::CharAt(int32_t) { return std::nullopt; }

TWidths TSectionBase::MeasureWidths(cl::TCanvas&) { return {}; }

void TSectionBase::SetParent(TSectionList* master) {
  Document = master;
  ResizeToFont();
}

}  // namespace html
