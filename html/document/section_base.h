#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "html/document/object_hit.h"
#include "html/document/url_target.h"
#include "platform/core/object.h"
#include "platform/gui/geometry.h"

namespace cl {
class TCanvas;
}

namespace html {
class IndentManager;
class TCell;
class TFormControlObj;
class TImageObj;
class TSectionBase;
class TSectionList;

// The text position nearest a point and the caret's place there. LineY is
// relative to the asking section or cell.
struct TCaretPlace {
  int32_t Position = 0;
  TCell* Cell = nullptr;
  bool InText = false;
  int32_t LineHeight = 0;
  int32_t LineY = 0;
  int32_t CaretX = 0;
};

// What a layout gives back. The cursor is taken by value and handed back
// advanced past the positions laid out, so that the next one starts there.
struct TLayoutResult {
  int32_t Height = 0;    // the flow height
  int32_t MaxWidth = 0;  // the widest extent it needs
  int32_t NextCurs = 0;  // the first text position after its own
};

// The narrowest width something can be laid out in, and the width it needs
// without any breaking.
struct TWidths {
  int32_t Min = 0;
  int32_t Max = 0;
};

// Where a text position stands.
struct TTextPoint {
  int32_t Y = 0;  // the top of its line
  int32_t X = 0;
};

// The character at a text position and the section holding it.
struct TCharHit {
  char Character = 0;
  TSectionBase* Owner = nullptr;
};

// What a click at a point would follow: an image form control (its form's)
// or a new link target.
struct TLinkHit {
  TFormControlObj* FormControl = nullptr;
  std::unique_ptr<TUrlTarget> UrlTarget;
};

// The base of every section. Y values are document coordinates; text
// positions number the characters of the whole document, each section owning
// FirstPos .. FirstPos + PosCount - 1.
class TSectionBase : public cl::TObject {
 public:
  TSectionBase() = default;
  // The copy for a print copy belonging to master.
  TSectionBase(TSectionList* master, const TSectionBase& source);
  ~TSectionBase() override = default;

  // Virtual operations.
  // The copy for the document master.
  virtual std::unique_ptr<TSectionBase> Clone(TSectionList* master) const;
  // The selected characters to the document's selection sink.
  virtual void CopySelection() {}
  // Lays out at y with its positions from curs.
  virtual TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs);
  // Paints at document y (x = the cell's left); returns the y below.
  virtual int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y);
  // y relative to the section's top; a link or an image form control.
  virtual std::optional<TLinkHit> LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y);
  // The image under the point, if any.
  virtual std::optional<TObjectHit> ObjectAt(int32_t x, int32_t y);
  // The text position nearest the point; nothing when not in this section.
  virtual std::optional<TCaretPlace> CaretAt(cl::TCanvas& canvas, int32_t x, int32_t y);
  // The first position >= from where text occurs; -1 if none.
  virtual int32_t Search(int32_t from, std::string_view text, bool matchCase);
  // Nothing when the position is not this section's.
  virtual std::optional<TTextPoint> PositionToXY(cl::TCanvas& canvas, int32_t position);
  virtual std::optional<TCharHit> CharAt(int32_t position);
  // Fonts again from the document defaults.
  virtual void RefreshFonts() { ResizeToFont(); }
  // Sizes that depend on fonts.
  virtual void ResizeToFont() {}
  virtual TWidths MeasureWidths(cl::TCanvas& canvas);

  void SetParent(TSectionList* master);

  TSectionList* Document = nullptr;
  int32_t FlowHeight = 0;
  int32_t PaintHeight = 0;
  int32_t PlacedY = 0;
  int32_t FirstPos = 0;
  int32_t PosCount = 0;
  // Its layout raised a processing error: kept (so that nothing pointing
  // into it dangles) but laid out, drawn and searched as an empty section.
  bool Dropped = false;
};

}  // namespace html
