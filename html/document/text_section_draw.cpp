// Drawing, hit tests, caret, search and copying of text sections: all read
// the lines of the last layout.

#include <algorithm>
#include <string>

#include "html/document/cell.h"
#include "html/document/indent_manager.h"
#include "html/document/section_list.h"
#include "html/document/text_section.h"
#include "platform/core/ansi_case.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

bool BulletBackground(cl::TColor background) {
  const uint32_t low = static_cast<uint32_t>(background) & 0xFFFFFF;
  if (background == cl::clBtnFace) return true;
  if (background == cl::clWindow && (static_cast<uint32_t>(win::GetSysColor(5)) & 0xFFFFFF) == 0xFFFFFF)
    return true;
  return !cl::IsSystemColor(background) && (low == 0xFFFFFF || low == 0xC0C0C0);
}

cl::TColor PrintedColor(cl::TCanvas& canvas, cl::TColor colour) {
  const int colours = canvas.NumColors();
  if (colours >= 0 && colours < 3) return cl::clBlack;
  const cl::TColor rgb = cl::ColorToRGB(colour);
  if (cl::GetRValue(rgb) >= 0xE0 && cl::GetGValue(rgb) >= 0xE0) return 0xA0A0A0;
  return colour;
}

// The longest text handed to the canvas at once; longer runs go in pieces.
#ifdef BRANNIK_FUZZING
// Short in fuzz builds, so that small inputs reach the split and runs stay fast.
constexpr int32_t MaxPiece = 1000;
#else
constexpr int32_t MaxPiece = 32000;
#endif

}  // namespace

int32_t TSection::Draw(cl::TCanvas& canvas, const cl::TRect& clip, IndentManager& indents, int32_t x, int32_t y) {
  PlacedY = y;
  const int32_t result = y + FlowHeight;
  const int32_t scroll = Document ? Document->ScrollY : 0;
  if (y + PaintHeight - scroll < clip.Top || y - scroll >= clip.Bottom) return result;
  const bool printing = Document && Document->IsPrintCopy;
  canvas.SetTextAlign(win::TA_BASELINE);
  int32_t top = y;
  bool firstTextLine = true;
  for (LineRec& line : Lines) {
    const int32_t full = line.Height();
    line.DrawX = x + line.LineIndent;
    line.DrawY = top + line.SpaceBefore;
    const bool first = firstTextLine && line.Ln > 0;
    if (line.Ln > 0) firstTextLine = false;
    if (printing) {
      const int32_t c = line.LineDrawHeight;
      if (top - scroll + c > Document->PageLimitY && c < clip.Height()) {
        // The line moves to the next page, and so does the rest of the section.
        Document->PageLimitY = std::min(Document->PageLimitY, top - scroll);
        break;
      }
    }
    // Lines wholly outside the clip are only placed.
    if (top + full <= clip.Top + scroll || (!printing && top - scroll >= clip.Bottom)) {
      top += full;
      continue;
    }
    DrawLine(canvas, indents, line, x, top, first, printing);
    top += full;
  }
  return result;
}

void TSection::PlaceLines(int32_t x) {
  int32_t top = PlacedY;
  for (LineRec& line : Lines) {
    line.DrawX = x + line.LineIndent;
    line.DrawY = top + line.SpaceBefore;
    top += line.Height();
  }
}

void TSection::DrawMarker(cl::TCanvas& canvas, const LineRec& line, int32_t x, int32_t textBottom) {
  const int32_t scroll = Document->ScrollY;
  const int32_t b = FirstLineIndent + x;
  if (ListType == ListKind::Numbered) {
    canvas.Font().Assign(*BaseFont);
    canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
    canvas.SetTextAlign(win::TA_RIGHT | win::TA_BASELINE);
    canvas.TextOut(b - 5, textBottom - line.LineDescent - scroll, ListMarkerText(NumberStyle(), ListNumb) + ".");
    canvas.SetTextAlign(win::TA_BASELINE);
  } else if (ListType == ListKind::Bulleted && !NoBullet()) {
    const int32_t cx = b - 8;
    const int32_t cy = textBottom - line.LineHt / 2 - scroll;
    if (BulletBackground(Document->BackgroundColor)) {
      cl::TColor colour = 0;
      bool byLevel = true;
      switch (ListLevel) {
        case 1: case 4: colour = cl::clNavy; break;
        case 2: case 5: colour = cl::clMaroon; break;
        case 0: case 3: colour = cl::clRed; break;
        default: byLevel = false; break;
      }
      if (byLevel) {
        canvas.Brush().SetColor(colour);
        canvas.Pen().SetColor(colour);
      }
      canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
    } else {
      canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
      canvas.Pen().SetColor(Document->DefaultTextColor | cl::PaletteRelative);
    }
    canvas.Ellipse(cx - 2, cy - 2, cx + 3, cy + 3);
    canvas.Brush().SetColor(Document->BackgroundColor);
    canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
    canvas.Pen().SetColor(Document->DefaultTextColor | cl::PaletteRelative);
  }
}

void TSection::DrawLine(cl::TCanvas& canvas, IndentManager& indents, const LineRec& line, int32_t x, int32_t top,
                        bool firstTextLine, bool printing) {
  const int32_t scroll = Document->ScrollY;
  const int32_t textBottom = top + line.SpaceBefore + line.LineHt;
  if (firstTextLine && (ListType == ListKind::Numbered || ListType == ListKind::Bulleted)) DrawMarker(canvas, line, x, textBottom);
  EnsureMeasured();
  const int32_t selFrom = Document->SelFrom - FirstPos;
  const int32_t selTo = Document->SelTo - FirstPos;
  const bool selecting = !printing && Document->SelFrom < Document->SelTo;
  int32_t xx = x + line.LineIndent;
  // Blanks that end a line are not drawn: an underline stops under the last
  // character, and aligned lines are placed by their width without them.
  int32_t end = line.Start + line.Ln;
  while (end > line.Start && Buff[end - 1] == ' ') --end;
  // As when the line was fitted: floats before any text, control or inline
  // picture were placed at the line's top, later ones below it.
  bool atLineStart = true;
  for (int32_t pos = line.Start; pos < end;) {
    if (Buff[pos] == ImageMark) {
      TImageObj* image = Images.FindImage(pos);
      TFontObj* run = Fonts.GetFontObjAt(pos);
      if (image && !image->Floating()) {
        image->Draw(canvas, xx, textBottom - line.LineHt, textBottom - line.LineDescent, run);
        xx += image->ObjWidth;
        atLineStart = false;
      } else if (image) {
        const int32_t imageTop = atLineStart ? top : textBottom;
        image->Draw(canvas, indents.LeftEdge + image->FloatX, imageTop, imageTop, run);
      }
      // An image leaves the canvas aligned to its text's top; the line's text
      // goes on at the line's one baseline.
      canvas.SetTextAlign(win::TA_BASELINE);
      ++pos;
      continue;
    }
    atLineStart = false;
    if (Buff[pos] == ControlMark) {
      if (TFormControlObj* control = FormControls.FindControl(pos)) {
        control->OnScreen = true;
        const int32_t h = control->Height();
        const int32_t controlTop = textBottom - h - (control->AlignMode == 1 ? line.LineDescent : 0) - scroll;
        if (printing) {
          // The picture of a control places its text by the text's top.
          canvas.SetTextAlign(win::TA_TOP | win::TA_LEFT);
          control->DrawStatic(canvas, xx, controlTop);
          canvas.SetTextAlign(win::TA_BASELINE);
        } else {
          control->ShowAt(xx, controlTop);
          const TCell* cell = control->ControlCell();
          control->SetPanelColor(cell && cell->HasBackground ? cell->CellColor : Document->BackgroundColor);
        }
        xx += control->Width();
      }
      ++pos;
      continue;
    }
    int32_t pieceEnd = std::min(PieceEnd(pos, end), pos + MaxPiece);
    bool selected = false;
    if (selecting) {
      if (pos >= selFrom && pos < selTo) {
        selected = true;
        pieceEnd = std::min(pieceEnd, selTo);
      } else if (pos < selFrom) {
        pieceEnd = std::min(pieceEnd, selFrom);
      }
    }
    const TFontObj* run = Fonts.GetFontObjAt(pos);
    canvas.Font().Assign(*run->RunFont);
    cl::TColor colour = run->RunFont->Color();
    if (printing) {
      colour = PrintedColor(canvas, colour);
      canvas.Font().SetColor(colour);
    }
    if (selected) {
      canvas.Brush().SetColor(colour);
      canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
      canvas.Font().SetColor(Document->BackgroundColor);
    } else {
      canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
    }
    int32_t baseline = textBottom - line.LineDescent;
    if (run->ScriptMode == 2)
      baseline -= run->LineHeight / 3;
    else if (run->ScriptMode == 1)
      baseline += run->Descent / 2 + 1;
    const std::string_view text(Buff.data() + pos, static_cast<size_t>(pieceEnd - pos));
    const int32_t textX = xx - run->Overhang / 2;
    if (Preformatted()) {
      const cl::TRect box{x, top - scroll, x + indents.PaintClipWidth, textBottom - scroll};
      canvas.ExtTextOut(textX, baseline - scroll, win::ETO_CLIPPED, &box, text);
    } else {
      canvas.TextOut(textX, baseline - scroll, text);
    }
    xx += Extent(pos, pieceEnd) - run->Overhang;
    pos = pieceEnd;
  }
}

void TSection::CopySelection() {
  if (!Document || !Document->SelectionSink) return;
  SelTextCount& sink = *Document->SelectionSink;
  const int32_t a = Document->SelFrom - FirstPos;
  const int32_t b = Document->SelTo - FirstPos;
  for (const LineRec& line : Lines) {
    const int32_t d = line.Start;
    if (d >= b) break;
    // A selection starting at the first character of the next line does not
    // take this line's break; an empty line at the start still counts.
    if (d + line.Ln < a || (line.Ln > 0 && d + line.Ln == a)) continue;
    const int32_t first = std::max(0, a - d);
    const int32_t last = std::min(line.Ln, b - d);
    if (first == 0)
      for (int32_t i = 0; i < line.LineIndent / IndentManager::ListIndent; ++i) sink.AddText("   ", 3);
    if (last > first) sink.AddText(Buff.data() + d + first, last - first);
    if (last == line.Ln) sink.AddText("\r\n", 2);
  }
}

std::optional<TSection::TLineAt> TSection::LineAtY(int32_t y) const {
  int32_t top = 0, charsAbove = 0;
  for (size_t i = 0; i < Lines.size(); ++i) {
    const int32_t h = Lines[i].Height();
    if (y >= top && y < top + h) return TLineAt{&Lines[i], top, charsAbove};
    top += h;
    charsAbove += Lines[i].Ln;
  }
  return std::nullopt;
}

std::optional<TLinkHit> TSection::LinkAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  TLinkHit hit;
  if (const auto object = Images.PtInObject(x, y + PlacedY)) {
    TImageObj* const image = object->Image;
    const int32_t xOff = object->XOff, yOff = object->YOff;
    if (image->ImageFormControl) {
      hit.FormControl = image->ImageFormControl;
      hit.FormControl->ImageClickAt(xOff, yOff);
      return hit;
    }
    if (!image->UseMap) {
      const TFontObj* run = Fonts.GetFontObjAt(image->Pos);
      if (!run || run->Link->Url.empty()) return std::nullopt;
      hit.UrlTarget = std::make_unique<TUrlTarget>(run->Link->Url, run->Link->Target);
      if (image->IsMap) hit.UrlTarget->Url += "?" + std::to_string(xOff) + "," + std::to_string(yOff);
      return hit;
    }
    for (const auto& map : Document->ImageMaps)
      if (map->MapId == image->MapName) {
        auto link = map->HitTest(xOff, yOff);
        if (!link) return std::nullopt;
        hit.UrlTarget = std::make_unique<TUrlTarget>(std::move(*link));
        return hit;
      }
    return std::nullopt;
  }
  const auto at = LineAtY(y);
  if (!at) return std::nullopt;
  const LineRec& line = *at->Line;
  if (x < line.DrawX) return std::nullopt;
  const int32_t n = FindCountThatFits(canvas, x - line.DrawX, line.Ln, line.Start);
  if (n >= line.Ln) return std::nullopt;
  const TFontObj* run = Fonts.GetFontObjAt(line.Start + n);
  if (!run || run->Link->Url.empty()) return std::nullopt;
  hit.UrlTarget = std::make_unique<TUrlTarget>(run->Link->Url, run->Link->Target);
  return hit;
}

std::optional<TObjectHit> TSection::ObjectAt(int32_t x, int32_t y) { return Images.PtInObject(x, y + PlacedY); }

std::optional<TCaretPlace> TSection::CaretAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const auto at = LineAtY(y);
  if (!at) return std::nullopt;
  const LineRec& line = *at->Line;
  const int32_t above = at->CharsAbove;
  TCaretPlace place;
  place.InText = true;
  place.LineHeight = line.LineHt;
  place.LineY = at->Top + line.SpaceBefore;
  place.CaretX = line.DrawX;
  if (x < line.DrawX) {
    place.InText = false;
    place.Position = FirstPos + above;
    return place;
  }
  int32_t n = FindCountThatFits(canvas, x - line.DrawX, line.Ln, line.Start);
  const int32_t before = TextWidth(canvas, line.Start, false, n);
  place.CaretX = line.DrawX + before;
  if (n < line.Ln) {
    const int32_t charWidth = TextWidth(canvas, line.Start + n, false, 1);
    if (before + charWidth / 2 < x - line.DrawX) {
      ++n;
      place.CaretX += charWidth;
    }
  } else {
    place.InText = false;
  }
  place.Position = FirstPos + above + n;
  return place;
}

int32_t TSection::Search(int32_t from, std::string_view text, bool matchCase) {
  if (PosCount == 0 || from >= FirstPos + PosCount || text.empty()) return -1;
  const size_t start = static_cast<size_t>(std::max(0, from - FirstPos));
  if (matchCase) {
    const size_t found = Buff.find(text, start);
    return found == std::string::npos ? -1 : FirstPos + static_cast<int32_t>(found);
  }
  const std::string pattern = cl::AnsiUpperCase(text);
  const char lower = cl::AnsiLowerChar(text[0]);
  const char upper = cl::AnsiUpperChar(text[0]);
  const char firsts[3] = {lower, upper, 0};
  for (size_t pos = Buff.find_first_of(firsts, start); pos != std::string::npos;
       pos = Buff.find_first_of(firsts, pos + 1)) {
    if (Buff.size() - pos < pattern.size()) return -1;
    size_t i = 0;
    while (i < pattern.size() && cl::AnsiUpperChar(Buff[pos + i]) == pattern[i]) ++i;
    if (i == pattern.size()) return FirstPos + static_cast<int32_t>(pos);
  }
  return -1;
}

std::optional<TTextPoint> TSection::PositionToXY(cl::TCanvas& canvas, int32_t position) {
  if (PosCount == 0 || position > FirstPos + PosCount) return std::nullopt;
  const int32_t p = position - FirstPos;
  if (p < 0) return std::nullopt;
  int32_t top = PlacedY;
  for (const LineRec& line : Lines) {
    if (p >= line.Start && p < line.Start + line.Ln)
      return TTextPoint{top, TextWidth(canvas, line.Start, false, p - line.Start) + line.LineIndent};
    top += line.Height();
  }
  return std::nullopt;
}

std::optional<TCharHit> TSection::CharAt(int32_t position) {
  if (position < FirstPos || position >= FirstPos + PosCount) return std::nullopt;
  return TCharHit{Buff[static_cast<size_t>(position - FirstPos)], this};
}

}  // namespace html
