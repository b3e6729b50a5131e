#include "dialogs/bit_set_editor.h"

#include <algorithm>
#include <string>

#include "platform/core/string_list.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/label.h"
#include "platform/gui/panel.h"
#include "platform/gui/transparent_draw.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brangly/brangly.h"
#include "utility/bit_sets.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

constexpr std::uint16_t LabelCard1Text = 20482, LabelCard2Text = 20483, OriginalText = 20484, OkText = 4,
                        CancelText = 5;
constexpr int RowHeight = 18;
constexpr int ButtonWidth = 77, ButtonHeight = 27;
constexpr cl::TColor AddedColor = 0x00FF00, RemovedColor = 0x0000FF;

template <class T>
T* Place(cl::TForm& form, const char* name, int left, int top, int width, int height) {
  auto* control = cl::Make<T>(form);
  control->SetName(name);
  control->SetParent(&form);
  // Controls do not take their form's font by themselves.
  control->Font().Assign(form.Font());
  control->SetBounds(left, top, width, height);
  return control;
}

cl::TBitBtn* PlaceButton(cl::TForm& form, const char* name, cl::TBitBtnKind kind, std::uint16_t text, int left,
                         int top) {
  auto* button = Place<cl::TBitBtn>(form, name, left, top, ButtonWidth, ButtonHeight);
  button->SetKind(kind);
  button->SetCaption(SuiteText(text));
  return button;
}

// The elements counted: those in the bytes that hold listed items, never
// more than the set's 32 bytes.
std::uint16_t CountedBytes(int itemCount) {
  return static_cast<std::uint16_t>(std::min((itemCount + 7) / 8, int{utl::kBitSetBytes}));
}

}  // namespace

TBitSetEditor::TBitSetEditor(cl::TComponent* owner) : cl::TForm(owner) {
  SetName("BitSetEditor");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(280, 372);

  list_ = Place<cl::TDrawnListBox>(*this, "ListBox", 8, 8, 264, 292);
  list_->SetItemHeight(RowHeight);
  list_->OnDrawItem = [this](cl::TWinControl*, int index, cl::TRect rect, cl::TOwnerDrawState state) {
    DrawRow(index, rect, state);
  };
  list_->OnDblClick = [this](cl::TObject*) { ToggleMarked(); };
  list_->OnKeyDown = [this](cl::TObject*, std::uint16_t& key, cl::TShiftState shift) { ListKeyDown(key, shift); };

  auto* card1 = Place<cl::TLabel>(*this, "LabelCard1", 8, 312, 0, 0);
  card1->SetCaption(SuiteText(LabelCard1Text));
  cardinality_ = Place<cl::TPanel>(*this, "PanelCardinality", 84, 308, 72, 21);
  cardinality_->SetBevelOuter(cl::bvLowered);
  auto* card2 = Place<cl::TLabel>(*this, "LabelCard2", 164, 312, 0, 0);
  card2->SetCaption(SuiteText(LabelCard2Text));

  const int buttonTop = 337;
  originalButton_ = PlaceButton(*this, "BitBtnOriginal", cl::bkCustom, OriginalText, 8, buttonTop);
  originalButton_->OnClick = [this](cl::TObject*) { RestoreOriginal(); };
  ok_ = PlaceButton(*this, "BitBtnOK", cl::bkOK, OkText, 114, buttonTop);
  PlaceButton(*this, "BitBtnCancel", cl::bkCancel, CancelText, 195, buttonTop);
  SetActiveControl(list_);

  checkMark_.SetHandle(GLYPH("CHECKMARK"));
  Recount();
}

TBitSetEditor::~TBitSetEditor() = default;

void TBitSetEditor::SetEditable(bool editable) {
  editable_ = editable;
  ok_->SetEnabled(editable);
  originalButton_->SetEnabled(editable);
}

void TBitSetEditor::SetItems(std::string_view lines) {
  cl::TStringList parsed;
  parsed.SetText(lines);
  list_->Items().Assign(parsed);
  Recount();
}

void TBitSetEditor::SetOriginal(const tBitSet256& original) {
  original_ = original;
  Recount();
}

void TBitSetEditor::SetCurrent(const tBitSet256& current) {
  current_ = current;
  Recount();
}

void TBitSetEditor::Recount() {
  added_ = current_.Minus(original_);
  removed_ = original_.Minus(current_);
  const std::uint16_t bytes = CountedBytes(list_->Count());
  const int now = bytes == 0 ? 0 : utl::CARDINALITY(current_.bytes.data(), bytes);
  const int before = bytes == 0 ? 0 : utl::CARDINALITY(original_.bytes.data(), bytes);
  cardinality_->SetCaption(std::to_string(now) + "/" + std::to_string(before));
  list_->Invalidate();
}

void TBitSetEditor::DrawRow(int index, cl::TRect rect, cl::TOwnerDrawState state) {
  cl::TCanvas& canvas = list_->Canvas();
  canvas.FillRect(rect);
  canvas.Font().SetStyle(0);
  if ((state & cl::odSelected) != 0) {
    canvas.Font().SetColor(cl::clHighlightText);
    if (removed_.Contains(index)) canvas.Font().SetStyle(cl::fsStrikeOut);
  } else if (added_.Contains(index)) {
    canvas.Font().SetColor(AddedColor);
  } else if (removed_.Contains(index)) {
    canvas.Font().SetColor(RemovedColor);
    canvas.Font().SetStyle(cl::fsStrikeOut);
  } else {
    canvas.Font().SetColor(cl::clWindowText);
  }
  const int glyph = checkMark_.Empty() ? 0 : checkMark_.Height();
  if (current_.Contains(index) && glyph > 0) {
    cl::DrawTransparent(canvas, cl::Bounds(rect.Left + 4, rect.Top + 2, glyph, glyph), checkMark_,
                        cl::Rect(0, 0, glyph, glyph), GlyphTransparent);
  }
  canvas.TextOut(rect.Left + glyph + 10, rect.Top, list_->Items().Get(index));
}

void TBitSetEditor::ToggleMarked() {
  if (!editable_) return;
  const int index = list_->ItemIndex();
  if (index < 0 || index >= tBitSet256::kElements) return;
  current_.Toggle(index);
  Recount();
}

void TBitSetEditor::ListKeyDown(std::uint16_t& key, cl::TShiftState shift) {
  const cl::TShiftState modifiers = shift & (cl::ssShift | cl::ssAlt | cl::ssCtrl);
  if (modifiers == cl::ssAlt && key == cl::VK_BACK) {
    if (editable_) RestoreOriginal();
    key = 0;
    return;
  }
  if (modifiers != 0 || !editable_) return;
  if (key == cl::VK_SPACE) {
    ToggleMarked();
    key = 0;
  } else if (key == cl::VK_INSERT) {
    ToggleMarked();
    if (list_->ItemIndex() + 1 < list_->Count()) list_->SetItemIndex(list_->ItemIndex() + 1);
    key = 0;
  }
}

void TBitSetEditor::RestoreOriginal() {
  current_ = original_;
  Recount();
}

int EditBitSet(bool editable, std::string_view caption, const tBitSet256& original, tBitSet256& current,
               std::string_view items) {
  cl::EnsureQtApplication();
  const auto form = std::make_unique<TBitSetEditor>(nullptr);
  form->SetEditable(editable);
  form->SetCaption(std::string(caption));
  try {
    form->SetItems(items);
  } catch (const cl::Exception&) {
    // The list stays as it is.
  }
  form->SetOriginal(original);
  form->SetCurrent(current);
  const int result = form->ShowModal();
  if (result == cl::mrOk && editable) current = form->Current();
  return result;
}

}  // namespace dlg
