#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/document/attributes.h"
#include "html/document/clear_side.h"
#include "html/document/font_list.h"
#include "html/document/font_table.h"
#include "html/document/form_control_obj.h"
#include "html/document/html_symbol.h"
#include "html/document/image_obj.h"
#include "html/document/justification.h"
#include "html/document/list_kind.h"
#include "html/document/section_base.h"

namespace html {

// One laid-out line of a text section.
struct LineRec {
  int32_t Start = 0;  // index in Buff
  int32_t SpaceBefore = 0;
  int32_t SpaceAfter = 0;
  int32_t LineHt = 0;
  int32_t LineDrawHeight = 0;
  int32_t Ln = 0;
  int32_t LineDescent = 0;
  int32_t LineIndent = 0;
  int32_t DrawX = 0, DrawY = 0;  // as last drawn, or as laid out before any draw
  int32_t Height() const { return SpaceBefore + LineHt + SpaceAfter; }
};

// The paragraph: text with font runs, inline images (mark 4) and form
// controls (mark 2), broken into lines within the indentation manager's
// edges. Measuring uses per-character prefix sums of the runs' advance
// tables, so fitting a line costs O(log n) however long the paragraph is.
class TSection : public TSectionBase {
 public:
  static constexpr char ImageMark = 4;
  static constexpr char ControlMark = 2;

  // The first run is a copy of font with extraStyle added, linked when a link is given.
  TSection(int32_t level, Justification justify, const TUrlTarget* link, const TMyFont& font,
           cl::TFontStyles extraStyle = 0);
  TSection(TSectionList* master, const TSection& source);
  ~TSection() override;

  // Appends text (a leading space is dropped at a line start).
  virtual void AppendText(std::string_view s);
  // Preformatted sections never wrap and are never empty in a cell.
  virtual bool Preformatted() const { return false; }
  // The numbering style of a numbered item ('1', 'a', 'A', 'i', 'I').
  virtual char NumberStyle() const { return '1'; }
  // A bulleted item that draws no bullet.
  virtual bool NoBullet() const { return false; }

  // One space for an empty section; the alignment in every case.
  Justification PadIfEmpty();
  // A new run at the end of the text (the last run's font when it starts there).
  void ChangeFont(const TSectionList& document, const TMyFont& font, cl::TFontStyles extraStyle = 0,
                  uint8_t scriptMode = 0);
  // ChangeFont, then the run's link: set for HrefSy, cleared otherwise.
  void ChangeFontAndLink(HtmlSymbol code, const TSectionList& document, const TMyFont& font,
                         const TUrlTarget* link, cl::TFontStyles extraStyle = 0, uint8_t scriptMode = 0);
  void SetClear(const TAttributeList& attributes);
  // The runs and the base font take the table's equal descriptions.
  void ShareFonts(FontTable& table);
  // An image at the end of the text.
  TImageObj* AddImage(const TAttributeList& attributes, TCell* cell);
  // A control (owned by its form) at the end of the text.
  void AddControl(TFormControlObj* control);

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  void CopySelection() override;
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override;
  int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) override;
  std::optional<TLinkHit> LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  std::optional<TObjectHit> ObjectAt(int32_t x, int32_t y) override;
  std::optional<TCaretPlace> CaretAt(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  int32_t Search(int32_t from, std::string_view text, bool matchCase) override;
  std::optional<TTextPoint> PositionToXY(cl::TCanvas& canvas, int32_t position) override;
  std::optional<TCharHit> CharAt(int32_t position) override;
  void RefreshFonts() override;
  TWidths MeasureWidths(cl::TCanvas& canvas) override;

  // Width of count characters from from (trailing spaces dropped when asked,
  // one character always kept); floating images take no room.
  int32_t TextWidth(cl::TCanvas& canvas, int32_t from, bool trimTrailingSpaces, int32_t count);
  // How many of count characters from from fit in width.
  int32_t FindCountThatFits(cl::TCanvas& canvas, int32_t width, int32_t count, int32_t from);

  std::string Buff;  // the text; always followed by a zero byte
  int32_t BuffSize() const { return static_cast<int32_t>(Buff.capacity()); }
  TFontList Fonts;
  TImageObjList Images;
  TFormControlList FormControls;
  int32_t ListLevel = 0;
  int32_t Indent = 0;  // ListLevel x 35
  int32_t ListNumb = 0;
  std::vector<LineRec> Lines;
  FontRef BaseFont;
  ListKind ListType = ListKind::None;
  Justification Justify = Justification::Left;
  ClearSide ClearMode = ClearSide::None;
  int32_t FirstLineIndent = 0;

 protected:
  // Appends raw characters (marks included) without the text rules.
  void AppendRaw(std::string_view s);
  // Where the line starting at start must end at the latest: a section
  // holding several hard lines ends each at its line end.
  virtual int32_t LineLimit(int32_t /*start*/) const { return PosCount; }
  // Prefix sums of the advances from the current fonts.
  void Measure();
  // The sums take eight bytes a character: a laid-out document keeps them
  // only for the sections drawn or hit-tested since, not for all of its text.
  void ReleaseMeasures();

 private:
  // How many of max characters from from fit in width, and the height of
  // the floating images placed at the line's start.
  struct TFit {
    int32_t Count = 0;
    int32_t StartFloatHeight = 0;
  };
  TFit FitChars(cl::TCanvas& canvas, int32_t width, std::vector<TImageObj*>& pending, IndentManager& indents,
                int32_t y, int32_t max, int32_t from);
  // Adds the line at y; returns the y below it.
  int32_t FinishLine(cl::TCanvas& canvas, IndentManager& indents, int32_t y, int32_t start, int32_t n,
                     std::vector<TImageObj*>& pending, int32_t startFloatHeight);
  int32_t ClearSpace(const IndentManager& indents, int32_t y) const;
  // Extent of the text characters [from, to) of one run.
  int32_t Extent(int32_t from, int32_t to) const {
    return static_cast<int32_t>(sums_[static_cast<size_t>(to)] - sums_[static_cast<size_t>(from)]);
  }
  // The end of the piece that starts at pos (run start, mark or limit).
  int32_t PieceEnd(int32_t pos, int32_t limit) const;
  bool IsMark(int32_t pos) const { return Buff[pos] == ImageMark || Buff[pos] == ControlMark; }
  void EnsureMeasured();
  void DrawLine(cl::TCanvas& canvas, IndentManager& indents, const LineRec& line, int32_t x, int32_t top,
                bool firstTextLine, bool printing);
  void DrawMarker(cl::TCanvas& canvas, const LineRec& line, int32_t x, int32_t textBottom);
  // The line whose band holds y (from the section's top), with its top and
  // the characters of the lines above it.
  struct TLineAt {
    const LineRec* Line = nullptr;
    int32_t Top = 0;
    int32_t CharsAbove = 0;
  };
  std::optional<TLineAt> LineAtY(int32_t y) const;
  // Each line's DrawX and DrawY as a draw of the section at x and PlacedY
  // sets them; layout calls it so that hit tests need no paint first.
  void PlaceLines(int32_t x);

  std::vector<int64_t> sums_;        // sums_[i]: advances of characters 0 .. i-1
  std::vector<int32_t> markStarts_;  // positions of marks, in text order
  std::vector<bool> floatPlaced_;    // per image: registered as a float in this layout
  bool textStarted_ = false;         // something other than floating images was added
  bool measured_ = false;
};

// The marker of a numbered list item: letters for "a"/"A" (aa, ab ... after
// z), Roman numerals for "i"/"I" (1 to 3999), decimal otherwise and for
// numbers outside those ranges.
std::string ListMarkerText(char style, int32_t number);

}  // namespace html
