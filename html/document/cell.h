#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "html/document/free_list.h"
#include "html/document/indent_manager.h"
#include "html/document/section_base.h"
#include "platform/core/object.h"
#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace html {

// An ordered list of sections with its own indentation manager: the document
// root and every table cell.
class TCell : public cl::TObject, public TFreeList<TSectionBase> {
 public:
  explicit TCell(TSectionList* master);
  // Each section copied through its Clone for master.
  TCell(TSectionList* master, const TCell& source);
  ~TCell() override;

  // Appends (null is ignored) and gives the section its document.
  void AddSection(std::unique_ptr<TSectionBase> section);
  void RefreshAllFonts();
  // The section whose flow band holds y, with its top and index; nothing past the end.
  struct TSectionAt {
    TSectionBase* Section = nullptr;
    int32_t Top = 0;
    int Index = 0;
  };
  std::optional<TSectionAt> SectionAtY(int32_t y) const;

  // Lays out at y, width wide, with its positions from curs.
  virtual TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, int32_t curs, int32_t width);
  virtual TWidths MeasureWidths(cl::TCanvas& canvas);
  virtual int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, int32_t x, int32_t y, int32_t clipWidth);
  // y relative to the cell top.
  virtual std::optional<TLinkHit> LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y);

  std::optional<TObjectHit> ObjectAtXY(int32_t x, int32_t y);
  std::optional<TCaretPlace> CaretAtXY(cl::TCanvas& canvas, int32_t x, int32_t y);
  int32_t SearchText(int32_t from, std::string_view text, bool matchCase);
  std::optional<TTextPoint> PositionToXY(cl::TCanvas& canvas, int32_t position);
  std::optional<TCharHit> CharAt(int32_t position);
  // The sections' parts of the document's selection, to its sink.
  void CopySelection();

  TSectionList* Root = nullptr;
  int32_t FontSizeSlot = 12;  // on the root: the document's default font size in points
  int32_t CellTop = 0;
  int32_t FirstPos = 0;
  int32_t PosCount = 0;
  std::unique_ptr<IndentManager> Indents;
  bool HasBackground = false;
  cl::TColor CellColor = 0;

 protected:
  // Adds a copy for Root of every section of source. The document root
  // calls it from its own copy's body: the copies ask the root for its
  // pictures and fonts, which do not exist while its cell part is made.
  void AddCopiesOf(const TCell& source);
  // Section i's layout raised a processing error with this message.
  virtual void SectionFailed(TSectionBase& section, const std::string& message);
};

}  // namespace html
