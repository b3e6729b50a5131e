#include "html/forms/list_controls.h"

#include <algorithm>

#include "html/document/frame_drawing.h"
#include "platform/gui/canvas.h"
#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

constexpr int32_t MaxRows = 2000;

}  // namespace

TListBoxFormControlObj::TListBoxFormControlObj(TSectionList* document, const TAttributeList& attributes, NoList)
    : TWindowedControlObj(document, attributes) {
  VisibleRows = AttributeNumber(attributes, SizeSy, -1, 0, MaxRows);
}

TListBoxFormControlObj::TListBoxFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TListBoxFormControlObj(document, attributes, NoList{}) {
  auto list = std::make_unique<cl::TListBox>(nullptr);
  UsePreFont(*list);
  if (FindAttribute(attributes, MultipleSy)) {
    list->SetMultiSelect(true);
    list->SetExtendedSelect(true);
  }
  SetWindow(std::move(list));
}

void TListBoxFormControlObj::AddOption(const std::string& text, const std::string& value, bool selected) {
  Options.push_back({text, TOptionObj(value, selected)});
  LongestText = std::max(LongestText, static_cast<int32_t>(std::min<size_t>(text.size(), MaxRows)));
}

std::string TListBoxFormControlObj::PairOf(int index) const {
  const TOptionEntry& entry = Options[static_cast<size_t>(index)];
  return ControlName + "=" + (entry.Option.OptionValue.empty() ? entry.Text : entry.Option.OptionValue);
}

void TListBoxFormControlObj::ResetValue() {
  cl::TListBox& list = List();
  list.Items().Clear();
  for (const TOptionEntry& entry : Options) list.Items().Add(entry.Text);
  int current = -1;
  for (size_t i = 0; i < Options.size(); ++i) {
    if (!Options[i].Option.Selected) continue;
    if (list.MultiSelect())
      list.SetSelected(static_cast<int>(i), true);
    else
      current = static_cast<int>(i);
  }
  if (current >= 0) list.SetItemIndex(current);
  if (list.ItemIndex() < 0 && list.Count() > 0) list.SetItemIndex(0);
  list.SetTopIndex(0);
}

bool TListBoxFormControlObj::SubmitPair(int index, std::string& s) {
  const cl::TListBox& list = List();
  if (index < 0 || index >= list.Count() || static_cast<size_t>(index) >= Options.size()) return false;
  const bool chosen = list.MultiSelect() ? list.Selected(index) : index == list.ItemIndex();
  s = chosen ? PairOf(index) : "";
  return true;
}

void TListBoxFormControlObj::FitToFont(cl::TCanvas&) {
  if (VisibleRows == -1) VisibleRows = std::max(1, std::min(8, static_cast<int32_t>(Options.size())));
  cl::TCanvas& own = List().Canvas();
  List().SetClientSize(own.TextWidth("A") * LongestText + 15, own.TextHeight("A") * VisibleRows);
}

void TListBoxFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  DrawSunkenBox(canvas, x, y, x + Width(), y + Height(), false);
  canvas.Font().Assign(List().Font());
  canvas.SetBkMode(win::TRANSPARENT);
  const int32_t lineHeight = canvas.TextHeight("A");
  const int top = std::max(0, List().TopIndex());
  for (int i = top, row = 0; i < List().Count() && row < std::max(VisibleRows, 1); ++i, ++row)
    canvas.TextOut(x + 4, y + 4 + row * lineHeight, List().Items()[i]);
}

// Made as a drop-down from the start: a list window made only to be thrown
// away would cost a walk of the window's whole focus chain.
TComboFormControlObj::TComboFormControlObj(TSectionList* document, const TAttributeList& attributes)
    : TListBoxFormControlObj(document, attributes, NoList{}) {
  auto combo = std::make_unique<cl::TComboBox>(nullptr);
  combo->SetStyle(cl::csDropDownList);
  UsePreFont(*combo);
  SetWindow(std::move(combo));
}

void TComboFormControlObj::ResetValue() {
  cl::TComboBox& combo = Combo();
  combo.Items().Clear();
  int current = -1;
  for (size_t i = 0; i < Options.size(); ++i) {
    combo.Items().Add(Options[i].Text);
    if (Options[i].Option.Selected) current = static_cast<int>(i);
  }
  if (current < 0 && !Options.empty()) current = 0;
  combo.SetItemIndex(current);
}

bool TComboFormControlObj::SubmitPair(int index, std::string& s) {
  cl::TComboBox& combo = Combo();
  if (index < 0 || index >= combo.Items().Count() || static_cast<size_t>(index) >= Options.size()) return false;
  s = index == combo.ItemIndex() ? PairOf(index) : "";
  return true;
}

void TComboFormControlObj::FitToFont(cl::TCanvas& canvas) {
  // Measured in the system font, as the drop-down's own width is.
  cl::TFont saved;
  saved.Assign(canvas.Font());
  canvas.Font().Assign(cl::TFont());
  canvas.Font().SetName("System");
  const int32_t width = canvas.TextWidth("A") * LongestText + 30;
  canvas.Font().Assign(saved);
  Combo().SetClientSize(width, Combo().ClientHeight());
}

void TComboFormControlObj::DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) {
  DrawSunkenBox(canvas, x, y, x + Width(), y + Height(), false);
  canvas.Font().Assign(Combo().Font());
  canvas.SetBkMode(win::TRANSPARENT);
  const int index = Combo().ItemIndex();
  if (index >= 0 && index < Combo().Items().Count()) canvas.TextOut(x + 4, y + 4, Combo().Items()[index]);
}

}  // namespace html
