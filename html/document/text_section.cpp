#include "html/document/text_section.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "html/document/indent_manager.h"
#include "html/document/section_list.h"
#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/canvas.h"

namespace html {

TSection::TSection(int32_t level, Justification justify, const TUrlTarget* link, const TMyFont& font,
                   cl::TFontStyles extraStyle)
    : ListLevel(level), Indent(level * IndentManager::ListIndent), Justify(justify) {
  // The run and the base font share one description until the section
  // joins a document, which shares it with the rest of its text.
  BaseFont = ChangedFont(font, [extraStyle](TMyFont& f) { f.SetStyle(f.Style() | extraStyle); });
  auto run = std::make_unique<TFontObj>(BaseFont, 0);
  if (link) run->Link->Assign(link->Url, link->Target);
  Fonts.Add(std::move(run));
}

TSection::TSection(TSectionList* master, const TSection& source)
    : TSectionBase(master, source),
      Fonts(source.Fonts),
      Images(*master, source.Images),
      ListLevel(source.ListLevel),
      Indent(source.Indent),
      ListNumb(source.ListNumb),
      ListType(source.ListType),
      Justify(source.Justify),
      ClearMode(source.ClearMode),
      markStarts_(source.markStarts_),
      textStarted_(source.textStarted_) {
  PosCount = source.PosCount;
  Buff.reserve(source.Buff.capacity());
  Buff = source.Buff;
  for (int i = 0; i < source.FormControls.Count(); ++i) FormControls.Add(source.FormControls[i]);
  BaseFont = source.BaseFont;
}

TSection::~TSection() = default;

std::unique_ptr<TSectionBase> TSection::Clone(TSectionList* master) const {
  return std::make_unique<TSection>(master, *this);
}

void TSection::AppendRaw(std::string_view s) {
  // std::string grows geometrically and keeps the zero byte after the text.
  Buff.append(s);
  PosCount = static_cast<int32_t>(Buff.size());
  measured_ = false;
}

void TSection::AppendText(std::string_view s) {
  if (s.empty()) return;
  const bool lineStart = PosCount == 0 || Buff.back() == ' ' || !textStarted_;
  if (s.front() == ' ' && lineStart) s.remove_prefix(1);
  if (s.empty()) return;
  const size_t from = Buff.size();
  AppendRaw(s);
  // Marks come only with their objects: a stray mark byte in the text would
  // stand for an image or control that does not exist.
  for (size_t i = from; i < Buff.size(); ++i)
    if (Buff[i] == ImageMark || Buff[i] == ControlMark) Buff[i] = '?';
  textStarted_ = true;
}

Justification TSection::PadIfEmpty() {
  if (PosCount == 0) {
    AppendRaw(" ");
    textStarted_ = true;
  }
  return Justify;
}

void TSection::ChangeFont(const TSectionList& document, const TMyFont& font, cl::TFontStyles extraStyle,
                          uint8_t scriptMode) {
  // The run's font is settled before it reaches the run: every change of a
  // run's font measures it again.
  TMyFont settled;
  settled.Assign(font);
  settled.SetStyle(settled.Style() | extraStyle);
  if (scriptMode == 1 || scriptMode == 2) settled.SetRelSize(document, win::MulDiv(settled.RelSize, 3, 4));
  FontRef shared = document.SharedFonts.Share(settled);
  TFontObj* last = Fonts[Fonts.Count() - 1];
  if (last->StartPos == PosCount) {
    last->SetFont(std::move(shared));
    last->ScriptMode = scriptMode;
  } else {
    auto added = std::make_unique<TFontObj>(std::move(shared), PosCount);
    if (const TUrlTarget& link = *std::as_const(last->Link); !link.Url.empty() || !link.Target.empty())
      added->Link->Assign(link.Url, link.Target);
    added->ScriptMode = scriptMode;
    Fonts.Add(std::move(added));
  }
  measured_ = false;
}

void TSection::ChangeFontAndLink(HtmlSymbol code, const TSectionList& document, const TMyFont& font,
                                 const TUrlTarget* link, cl::TFontStyles extraStyle, uint8_t scriptMode) {
  ChangeFont(document, font, extraStyle, scriptMode);
  TFontObj* last = Fonts[Fonts.Count() - 1];
  if (const TUrlTarget& current = *std::as_const(last->Link); !current.Url.empty() || !current.Target.empty())
    last->Link->Clear();
  if (code == HrefSy && link) last->Link->Assign(link->Url, link->Target);
}

void TSection::SetClear(const TAttributeList& attributes) {
  const TAttribute* clear = FindAttribute(attributes, ClearSy);
  if (!clear) return;
  const std::string value = cl::AnsiLowerCase(clear->StrValue.substr(0, 15));
  ClearMode = value == "left" ? ClearSide::Left : value == "right" ? ClearSide::Right : ClearSide::All;
}

void TSection::ShareFonts(FontTable& table) {
  for (const auto& run : Fonts) run->ShareFont(table.Share(run->RunFont));
  BaseFont = table.Share(BaseFont);
}

TImageObj* TSection::AddImage(const TAttributeList& attributes, TCell* cell) {
  auto image = std::make_unique<TImageObj>(PosCount, attributes);
  image->ImageCell = cell;
  TImageObj* added = image.get();
  if (!added->Floating()) textStarted_ = true;
  Images.Add(std::move(image));
  markStarts_.push_back(PosCount);
  AppendRaw(std::string_view(&ImageMark, 1));
  return added;
}

void TSection::AddControl(TFormControlObj* control) {
  control->TextPos = PosCount;
  FormControls.Add(control);
  markStarts_.push_back(PosCount);
  AppendRaw(std::string_view(&ControlMark, 1));
  textStarted_ = true;
}

void TSection::RefreshFonts() {
  if (Document) {
    Fonts.UpdateFonts(*Document);
    BaseFont = UpdatedFont(*BaseFont, *Document, Document->DefaultTextColor);
  }
  measured_ = false;
  ResizeToFont();
}

// Measuring.

void TSection::Measure() {
  sums_.assign(static_cast<size_t>(PosCount) + 1, 0);
  int64_t sum = 0;
  for (int r = 0; r < Fonts.Count(); ++r) {
    const auto& advances = Fonts[r]->RunFont->Advances();
    const int32_t from = std::clamp(Fonts[r]->StartPos, 0, PosCount);
    const int32_t to = r + 1 < Fonts.Count() ? std::clamp(Fonts[r + 1]->StartPos, from, PosCount) : PosCount;
    for (int32_t i = from; i < to; ++i) {
      if (!IsMark(i)) sum += advances[static_cast<unsigned char>(Buff[i])];
      sums_[static_cast<size_t>(i) + 1] = sum;
    }
  }
  measured_ = true;
}

void TSection::ReleaseMeasures() {
  std::vector<int64_t>().swap(sums_);
  measured_ = false;
}

void TSection::EnsureMeasured() {
  if (!measured_ || sums_.size() != static_cast<size_t>(PosCount) + 1) Measure();
}

int32_t TSection::PieceEnd(int32_t pos, int32_t limit) const {
  int32_t end = limit;
  const auto run = std::upper_bound(Fonts.begin(), Fonts.end(), pos,
                                    [](int32_t p, const auto& r) { return p < r->StartPos; });
  if (run != Fonts.end()) end = std::min(end, (*run)->StartPos);
  const auto mark = std::lower_bound(markStarts_.begin(), markStarts_.end(), pos);
  if (mark != markStarts_.end()) end = std::min(end, *mark);
  return end;
}

int32_t TSection::TextWidth(cl::TCanvas&, int32_t from, bool trimTrailingSpaces, int32_t count) {
  EnsureMeasured();
  from = std::clamp(from, 0, PosCount);
  count = std::clamp(count, 0, PosCount - from);
  if (trimTrailingSpaces)
    while (count > 1 && Buff[from + count - 1] == ' ') --count;
  const int32_t limit = from + count;
  int32_t width = 0;
  for (int32_t pos = from; pos < limit;) {
    if (Buff[pos] == ImageMark) {
      if (const TImageObj* image = Images.FindImage(pos); image && !image->Floating()) width += image->ObjWidth;
      ++pos;
    } else if (Buff[pos] == ControlMark) {
      if (const TFormControlObj* control = FormControls.FindControl(pos)) width += control->Width();
      ++pos;
    } else {
      const int32_t end = PieceEnd(pos, limit);
      width += Extent(pos, end) - Fonts.GetFontObjAt(pos)->Overhang;
      pos = end;
    }
  }
  return width;
}

int32_t TSection::FindCountThatFits(cl::TCanvas&, int32_t width, int32_t count, int32_t from) {
  EnsureMeasured();
  from = std::clamp(from, 0, PosCount);
  count = std::clamp(count, 0, PosCount - from);
  const int32_t limit = from + count;
  int32_t used = 0;
  for (int32_t pos = from; pos < limit;) {
    if (IsMark(pos)) {
      int32_t w = 0;
      if (Buff[pos] == ImageMark) {
        if (const TImageObj* image = Images.FindImage(pos); image && !image->Floating()) w = image->ObjWidth;
      } else if (const TFormControlObj* control = FormControls.FindControl(pos)) {
        w = control->Width();
      }
      if (used + w > width) return pos - from;
      used += w;
      ++pos;
      continue;
    }
    const int32_t end = PieceEnd(pos, limit);
    const int32_t overhang = Fonts.GetFontObjAt(pos)->Overhang;
    const int64_t room = int64_t(width) - used + overhang;
    if (Extent(pos, end) <= room) {
      used += Extent(pos, end) - overhang;
      pos = end;
      continue;
    }
    // The largest prefix of the piece that fits.
    const auto first = sums_.begin() + pos;
    const auto last = sums_.begin() + end + 1;
    const auto fit = std::upper_bound(first, last, sums_[static_cast<size_t>(pos)] + room);
    return std::max<int32_t>(0, static_cast<int32_t>(fit - first) - 1) + pos - from;
  }
  return count;
}

// Line breaking.

TSection::TFit TSection::FitChars(cl::TCanvas&, int32_t width, std::vector<TImageObj*>& pending,
                                  IndentManager& indents, int32_t y, int32_t max, int32_t from) {
  int32_t startFloatHeight = 0;
  int64_t w = 0;  // preformatted lines can be very wide
  bool atStart = true;
  const int32_t limit = from + max;
  for (int32_t pos = from; pos < limit;) {
    if (Buff[pos] == ImageMark) {
      const int index = Images.FirstAtOrAfter(pos);
      TImageObj* image = index < Images.Count() && Images[index]->Pos == pos ? Images[index] : nullptr;
      if (image && !image->Floating()) {
        w += image->ObjWidth;
        atStart = false;
      } else if (image && !floatPlaced_[static_cast<size_t>(index)]) {
        if (atStart) {
          indents.AddImageFloat(y, image);
          floatPlaced_[static_cast<size_t>(index)] = true;
          startFloatHeight = std::max(startFloatHeight, image->ObjHeight);
          w += image->ObjWidth + image->HSpace;
        } else if (std::find(pending.begin(), pending.end(), image) == pending.end()) {
          pending.push_back(image);
        }
      }
      if (w > width) return {pos - from, startFloatHeight};
      ++pos;
    } else if (Buff[pos] == ControlMark) {
      if (const TFormControlObj* control = FormControls.FindControl(pos)) w += control->Width();
      atStart = false;
      if (w > width) return {pos - from, startFloatHeight};
      ++pos;
    } else {
      const int32_t end = PieceEnd(pos, limit);
      const int32_t overhang = Fonts.GetFontObjAt(pos)->Overhang;
      const int64_t room = int64_t(width) - w + overhang;
      if (Extent(pos, end) > room) {
        const auto first = sums_.begin() + pos;
        const auto fit = std::upper_bound(first, sums_.begin() + end + 1, sums_[static_cast<size_t>(pos)] + room);
        return {std::max<int32_t>(0, static_cast<int32_t>(fit - first) - 1) + pos - from, startFloatHeight};
      }
      w += Extent(pos, end) - overhang;
      atStart = false;
      pos = end;
    }
  }
  return {max, startFloatHeight};
}

int32_t TSection::ClearSpace(const IndentManager& indents, int32_t y) const {
  const auto bottoms = indents.FloatBottoms();
  const int32_t l = std::max(0, bottoms.Left - y - 1);
  const int32_t r = std::max(0, bottoms.Right - y - 1);
  switch (ClearMode) {
    case ClearSide::Left: return l;
    case ClearSide::Right: return r;
    case ClearSide::All: return std::max(l, r);
    case ClearSide::None: return 0;
  }
  return 0;
}

int32_t TSection::FinishLine(cl::TCanvas& canvas, IndentManager& indents, int32_t y, int32_t start, int32_t n,
                          std::vector<TImageObj*>& pending, int32_t startFloatHeight) {
  LineRec line;
  line.Start = start;
  line.Ln = n;
  const int32_t end = start + n;
  bool onlyMarks = true;
  for (int32_t i = start; i < end && onlyMarks; ++i) onlyMarks = IsMark(i);
  if (!onlyMarks) {
    const int last = Fonts.IndexAt(end - 1);
    for (int r = Fonts.IndexAt(start); r <= last; ++r) {
      line.LineHt = std::max(line.LineHt, Fonts[r]->LineHeight);
      line.LineDescent = std::max(line.LineDescent, Fonts[r]->Descent);
    }
  }
  for (int i = Images.FirstAtOrAfter(start); i < Images.Count() && Images[i]->Pos < end; ++i) {
    const TImageObj* image = Images[i];
    if (image->Floating()) continue;
    const int32_t h = image->ObjHeight;
    switch (image->ObjAlign) {
      case TImageObj::AlignTop: line.SpaceAfter = std::max(line.SpaceAfter, h - line.LineHt); break;
      case TImageObj::AlignMiddle: {
        const int32_t above = (h - line.LineHt) / 2;
        line.SpaceBefore = std::max(line.SpaceBefore, above);
        line.SpaceAfter = std::max(line.SpaceAfter, h - line.LineHt - above);
        break;
      }
      default: line.SpaceBefore = std::max(line.SpaceBefore, h + line.LineDescent - line.LineHt); break;
    }
  }
  for (int i = FormControls.FirstAtOrAfter(start); i < FormControls.Count() && FormControls[i]->TextPos < end; ++i) {
    TFormControlObj* control = FormControls[i];
    const int32_t h = control->Height();
    const int32_t need = control->AlignMode == 1 ? h + line.LineDescent - line.LineHt : h - line.LineHt;
    line.SpaceBefore = std::max(line.SpaceBefore, need);
    control->TopY = y;
  }
  const int32_t l = indents.LeftAt(y);
  const int32_t r = indents.RightAt(y);
  const int32_t t = TextWidth(canvas, start, true, n);
  switch (Justify) {
    case Justification::Center: line.LineIndent = std::max(l, (l + r - t) / 2); break;
    // An overflowing line still starts at the left edge.
    case Justification::Right: line.LineIndent = std::max(l, r - t - 1); break;
    case Justification::Left: line.LineIndent = l; break;
  }
  const int32_t height = line.Height();
  FlowHeight += height;
  y += height;
  line.LineDrawHeight = std::max(height, startFloatHeight);
  for (TImageObj* image : pending) {
    const int index = Images.FirstAtOrAfter(image->Pos);
    if (index < Images.Count()) floatPlaced_[static_cast<size_t>(index)] = true;
    indents.AddImageFloat(y, image);
    line.LineDrawHeight = std::max(line.LineDrawHeight, height + image->ObjHeight);
  }
  pending.clear();
  Lines.push_back(line);
  return y;
}

TLayoutResult TSection::Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) {
  PlacedY = y;
  FirstPos = curs;
  FlowHeight = 0;
  Lines.clear();
  indents.SetListLevel(y, ListLevel);
  if (PosCount == 0) {
    FlowHeight = PaintHeight = ClearSpace(indents, y);
    return {FlowHeight, 0, curs};
  }
  FirstLineIndent = indents.LeftAt(y);
  int32_t maxWidth = indents.LayoutWidth;
  const int32_t available = indents.RightAt(y) - indents.LeftAt(y);
  for (const auto& image : Images) {
    image->LayoutImage(*Document, canvas, Fonts.GetFontObjAt(image->Pos), available);
    maxWidth = std::max(maxWidth, image->ObjWidth + Indent);
  }
  for (int i = 0; i < FormControls.Count(); ++i)
    if (FormControls[i]->HasWindow()) maxWidth = std::max(maxWidth, FormControls[i]->Width() + Indent);
  Measure();
  floatPlaced_.assign(static_cast<size_t>(Images.Count()), false);

  std::vector<TImageObj*> pending;
  int32_t start = 0;
  const int32_t clear = ClearSpace(indents, y);
  if (clear > 0) {
    LineRec line;
    line.SpaceBefore = clear;
    line.LineDrawHeight = clear;
    line.LineIndent = FirstLineIndent;
    Lines.push_back(line);
    FlowHeight += clear;
    y += clear;
  }
  while (start < PosCount) {
    // A preformatted line never wraps, however wide it is.
    const int32_t width =
        Preformatted() ? std::numeric_limits<int32_t>::max() : indents.RightAt(y) - indents.LeftAt(y);
    const int32_t lineEnd = LineLimit(start);
    const int32_t remaining = lineEnd - start;
    const TFit fit = FitChars(canvas, width, pending, indents, y, remaining, start);
    const int32_t n = std::max(fit.Count, 1);
    int32_t take = n;
    if (n < remaining) {
      const int32_t last = start + n - 1;
      if (Buff[last] == ' ') {
        while (start + take < lineEnd && Buff[start + take] == ' ') ++take;
      } else if (!IsMark(start + n)) {
        int32_t back = last;
        while (back > start && Buff[back] != ' ' && !IsMark(back)) --back;
        if (back > start) {
          take = back - start + 1;
        } else {
          // A word longer than the line overflows rather than being split.
          int32_t e = start + n;
          while (e < lineEnd && Buff[e] != ' ' && !IsMark(e)) ++e;
          while (e < lineEnd && Buff[e] == ' ') ++e;
          take = e - start;
        }
      }
    }
    y = FinishLine(canvas, indents, y, start, take, pending, fit.StartFloatHeight);
    start += take;
  }
  PlaceLines(indents.OriginX);
  if (ListLevel > 0) FlowHeight = std::max(FlowHeight, indents.BelowDeeperLeft() - PlacedY);
  PaintHeight = std::max(indents.FloatBottom() - PlacedY, FlowHeight);
  // A preformatted section measures its width next and frees them then.
  if (!Preformatted()) ReleaseMeasures();
  return {FlowHeight, maxWidth, FirstPos + PosCount};
}

TWidths TSection::MeasureWidths(cl::TCanvas& canvas) {
  if (PosCount == 0) return {};
  Measure();
  int32_t min = 0;
  int32_t floats = 0;
  for (const auto& image : Images) {
    image->LayoutImage(*Document, canvas, Fonts.GetFontObjAt(image->Pos), 0);
    if (image->Floating())
      floats += image->ObjWidth + image->HSpace;
    else
      min = std::max(min, image->ObjWidth);
  }
  const int32_t max = floats + TextWidth(canvas, 0, false, PosCount) + Indent;
  int32_t pos = 0;
  while (pos < PosCount && Buff[pos] == ' ') ++pos;
  while (pos < PosCount) {
    int32_t end = pos;
    while (end < PosCount && Buff[end] != ' ' && Buff[end] != ImageMark) ++end;
    if (end > pos) min = std::max(min, TextWidth(canvas, pos, false, end - pos));
    pos = end;
    while (pos < PosCount && (Buff[pos] == ' ' || Buff[pos] == ImageMark)) ++pos;
  }
  min += floats + Indent;
  ReleaseMeasures();
  return {min, max};
}

std::string ListMarkerText(char style, int32_t number) {
  if ((style == 'a' || style == 'A') && number >= 1) {
    // Bijective base 26: a .. z, aa, ab ...
    std::string letters;
    for (int64_t n = number; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('a' + (n - 1) % 26));
    return style == 'A' ? cl::AnsiUpperCase(letters) : letters;
  }
  if ((style == 'i' || style == 'I') && number >= 1 && number <= 3999) {
    static const struct {
      int32_t value;
      const char* numeral;
    } table[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                 {40, "xl"},  {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},  {1, "i"}};
    std::string roman;
    int32_t n = number;
    for (const auto& entry : table)
      for (; n >= entry.value; n -= entry.value) roman += entry.numeral;
    return style == 'I' ? cl::AnsiUpperCase(roman) : roman;
  }
  return std::to_string(number);
}

}  // namespace html
