#include "dialogs/dual_list_form.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "dialogs/dual_list_file.h"
#include "dialogs/tab_list_box.h"
#include "platform/core/short_string.h"
#include "platform/gui/application.h"
#include "platform/gui/header.h"
#include "platform/gui/screen.h"
#include "platform/gui/virtual_keys.h"

namespace dlg {
namespace {

constexpr int FormWidth = 260, FormHeight = 240, HeaderHeight = 17, ScreenMargin = 8;
constexpr std::string_view Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

}  // namespace

TDualListForm::TDualListForm(cl::TComponent* owner) : cl::TForm(owner) {
  SetName("DualListForm");
  SetBorderStyle(cl::bsDialog);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(FormWidth, FormHeight);

  header_ = cl::Make<cl::THeader>(*this);
  header_->SetName("Header");
  header_->SetParent(this);
  header_->Font().Assign(Font());
  header_->SetHeight(HeaderHeight);
  header_->SetAlign(cl::alTop);
  const int keyWidth = static_cast<int>(std::lround(header_->Width() * 0.7));
  header_->AddSection("", keyWidth);
  header_->AddSection("", header_->Width() - keyWidth);
  header_->OnSized = [this](cl::TObject*, int, std::int32_t) {
    UpdateTabStop();
    list_->Invalidate();
  };

  list_ = cl::Make<tTabListBox>(*this);
  list_->SetName("List");
  list_->SetParent(this);
  list_->SetAlign(cl::alClient);
  list_->OnDblClick = [this](cl::TObject*) { ListDblClick(); };
  OnKeyDown = [this](cl::TObject*, std::uint16_t& key, cl::TShiftState shift) { FormKeyDown(key, shift); };
  SetActiveControl(list_);
}

void TDualListForm::PlaceAt(std::int32_t x, std::int32_t y) {
  // In 32 bits: a point right of 32767 is no point left of the screen.
  const std::int64_t right = std::int64_t{cl::Screen().Width()} - Width() - ScreenMargin;
  const std::int64_t bottom = std::int64_t{cl::Screen().Height()} - Height() - ScreenMargin;
  // The point is in the screen's own pixels, whatever Qt scales the screen by.
  const cl::TPoint at = cl::Screen().FromScreenPixels({x, y});
  const auto left = std::max<std::int64_t>(0, std::min<std::int64_t>(at.X, right));
  const auto top = std::max<std::int64_t>(0, std::min<std::int64_t>(at.Y, bottom));
  SetBounds(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), Width(), Height());
}

void TDualListForm::SetCaptions(std::string_view caption, std::string_view keyCaption, std::string_view valueCaption) {
  SetCaption(std::string(caption));
  const std::int32_t keyWidth = header_->SectionWidth(0), valueWidth = header_->SectionWidth(1);
  header_->ClearSections();
  header_->AddSection(std::string(keyCaption), keyWidth);
  header_->AddSection(std::string(valueCaption), valueWidth);
}

void TDualListForm::Load(std::string_view fileName) {
  fileName_ = std::string(fileName.substr(0, ShortString::MaxLength));
  list_->Items().Clear();
  const DualListFile file = ReadDualListFile(fileName);
  if (!file.complete) fileName_.clear();
  {
    const cl::TStringsUpdate update(list_->Items());
    for (const DualPair& pair : file.pairs) list_->AddPair(pair.key, pair.value);
  }
  UpdateTabStop();
}

void TDualListForm::UpdateTabStop() {
  if (list_->Count() == 0) return;
  const int average = std::max(1, Canvas().TextWidth(Alphabet) / 52);
  list_->SetTabStops({header_->SectionWidth(0) * 4 / average});
}

void TDualListForm::Preselect(std::string_view current) { list_->SetItemIndex(list_->IndexOfValue(current)); }

DualChoice TDualListForm::Choice() const {
  DualChoice choice;
  choice.result = ModalResult();
  if (choice.result == cl::mrOk) choice.chosen = list_->PairAt(list_->ItemIndex(), choice.key, choice.value);
  return choice;
}

void TDualListForm::FormKeyDown(std::uint16_t& key, cl::TShiftState shift) {
  if ((shift & (cl::ssShift | cl::ssAlt | cl::ssCtrl)) != 0) return;
  if (key == cl::VK_RETURN && list_->ItemIndex() >= 0) {
    key = 0;
    SetModalResult(cl::mrOk);
  } else if (key == cl::VK_ESCAPE) {
    key = 0;
    SetModalResult(cl::mrCancel);
  }
}

// Only a chosen row is an answer: a double click where no row is would close
// with OK and leave the caller's key and value as they were.
void TDualListForm::ListDblClick() {
  if (list_->ItemIndex() >= 0) SetModalResult(cl::mrOk);
}

DualChoice SelectFromDual(std::int32_t x, std::int32_t y, std::string_view fileName, std::string_view caption,
                          std::string_view keyCaption, std::string_view valueCaption, std::string_view current) {
  cl::EnsureQtApplication();
  const auto form = std::make_unique<TDualListForm>(nullptr);
  form->PlaceAt(x, y);
  form->SetCaptions(caption, keyCaption, valueCaption);
  form->Load(fileName);
  form->Preselect(current);
  form->ShowModal();
  return form->Choice();
}

}  // namespace dlg
