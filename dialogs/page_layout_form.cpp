#include "dialogs/page_layout_form.h"

#include <cmath>
#include <memory>
#include <string>

#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/notebook.h"
#include "platform/gui/paint_box.h"
#include "platform/gui/spin_edit.h"
#include "platform/gui/tab_set.h"
#include "platform/gui/virtual_keys.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

// Texts: the caption of the form by tab; per page its caption, then the
// top, left, right and bottom labels.
constexpr std::uint16_t FirstCaptionText = 20614, GroupBoxText = 20632, DefaultText = 20633, UndoText = 20634,
                        OkText = 4, CancelText = 5;
constexpr std::array<std::uint16_t, TPageLayoutForm::kTabs> PageTexts{20617, 20622, 20627};
constexpr int ButtonWidth = 77, ButtonHeight = 27;
constexpr cl::TColor PreviewBackground = 0x808080;

template <class T>
T* Place(cl::TWinControl& parent, cl::TForm& form, const char* name, int left, int top, int width, int height) {
  auto* control = cl::Make<T>(form);
  control->SetName(name);
  control->SetParent(&parent);
  // Controls do not take their form's font by themselves.
  control->Font().Assign(form.Font());
  control->SetBounds(left, top, width, height);
  return control;
}

cl::TBitBtn* PlaceButton(cl::TForm& form, const char* name, cl::TBitBtnKind kind, std::uint16_t text, int left,
                         int top) {
  auto* button = Place<cl::TBitBtn>(form, form, name, left, top, ButtonWidth, ButtonHeight);
  button->SetKind(kind);
  button->SetCaption(SuiteText(text));
  return button;
}

// A margin's share of the box: the class library's Round, halves to even.
int Scale(std::int32_t value, std::int32_t total, int size) {
  if (total == 0) return 0;
  return static_cast<int>(std::nearbyint(static_cast<double>(value) / total * size));
}

}  // namespace

TPageLayoutForm::TPageLayoutForm(cl::TComponent* owner) : cl::TForm(owner) {
  SetName("PageLayoutForm");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  SetKeyPreview(true);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(400, 226);

  notebook_ = Place<cl::TNotebook>(*this, *this, "Notebook", 8, 8, 220, 150);
  BuildPage(0, "PrintText", PageTexts[0]);
  BuildPage(1, "CreateFax", PageTexts[1]);
  BuildPage(2, "PrintFax", PageTexts[2]);

  tabSet_ = Place<cl::TTabSet>(*this, *this, "TabSet", 8, 160, 220, 21);
  for (const std::string& caption : notebook_->PageCaptions()) tabSet_->Tabs().Add(caption);
  // Only the printed text's layout is offered as a tab.
  tabSet_->Tabs().Delete(2);
  tabSet_->Tabs().Delete(1);
  tabSet_->OnChange = [this](cl::TObject*) { ShowTab(); };

  auto* group = Place<cl::TGroupBox>(*this, *this, "GroupBox", 236, 8, 156, 173);
  group->SetCaption(SuiteText(GroupBoxText));
  preview_ = Place<cl::TPaintBox>(*group, *this, "PaintBox", 12, 22, 132, 140);
  preview_->OnPaint = [this](cl::TObject*) { PaintPreview(); };

  const int buttonTop = 191;
  auto* defaults = PlaceButton(*this, "BitBtnDefault", cl::bkCustom, DefaultText, 8, buttonTop);
  defaults->OnClick = [this](cl::TObject*) {
    const int tab = ShownTab();
    if (tab < 0) return;
    tPageLayout layout{};
    CFGDEFAULTPAGELAYOUT(kLayoutIds[static_cast<std::size_t>(tab)], &layout);
    PutLayout(tab, layout);
  };
  undoButton_ = PlaceButton(*this, "BitBtnUndo", cl::bkCustom, UndoText, 89, buttonTop);
  undoButton_->SetEnabled(false);
  undoButton_->OnClick = [this](cl::TObject*) {
    if (const int tab = ShownTab(); tab >= 0) PutLayout(tab, undo_[static_cast<std::size_t>(tab)]);
  };
  PlaceButton(*this, "BitBtnOK", cl::bkOK, OkText, 234, buttonTop);
  PlaceButton(*this, "BitBtnCancel", cl::bkCancel, CancelText, 315, buttonTop);

  OnKeyDown = [this](cl::TObject*, std::uint16_t& key, cl::TShiftState shift) { FormKeyDown(key, shift); };
  OnShow = [this](cl::TObject*) {
    // The class library's tab set refuses a tab it does not hold.
    const bool held = startTab_ >= 0 && startTab_ < tabSet_->Tabs().Count();
    tabSet_->SetTabIndex(held ? startTab_ : 0);
    ShowTab();
  };
}

TPageLayoutForm::~TPageLayoutForm() = default;

void TPageLayoutForm::BuildPage(int tab, const char* prefix, std::uint16_t firstText) {
  cl::TPage& page = notebook_->AddPage(SuiteText(firstText));
  page.SetName(std::string(prefix) + "Page");
  static constexpr const char* sides[] = {"Top", "Left", "Right", "Bottom"};
  Margins& margins = margins_[static_cast<std::size_t>(tab)];
  cl::TSpinEdit** edits[] = {&margins.top, &margins.left, &margins.right, &margins.bottom};
  for (int i = 0; i < 4; ++i) {
    const std::string spinName = std::string("SpnEdt") + prefix + sides[i];
    const std::string labelName = std::string("Label") + prefix + sides[i];
    auto* spin = Place<cl::TSpinEdit>(page, *this, spinName.c_str(), 140, 10 + 34 * i, 64, 22);
    spin->SetRange(0, 100);
    spin->OnChange = [this](cl::TObject*) {
      if (preview_ != nullptr) preview_->Repaint();
    };
    auto* label = Place<cl::TLabel>(page, *this, labelName.c_str(), 8, 14 + 34 * i, 0, 0);
    label->SetCaption(SuiteText(static_cast<std::uint16_t>(firstText + 1 + i)));
    label->SetFocusControl(spin);
    *edits[i] = spin;
  }
}

void TPageLayoutForm::LoadLayouts() {
  for (int tab = 0; tab < kTabs; ++tab) {
    tPageLayout layout{};
    CFGGETPAGELAYOUT(kLayoutIds[static_cast<std::size_t>(tab)], &layout);
    PutLayout(tab, layout);
  }
  undo_ = layouts_;
  undoButton_->SetEnabled(true);
}

void TPageLayoutForm::StoreLayouts() const {
  for (int tab = 0; tab < kTabs; ++tab) {
    const tPageLayout layout = EditedLayout(tab);
    CFGPUTPAGELAYOUT(kLayoutIds[static_cast<std::size_t>(tab)], &layout);
  }
}

tPageLayout TPageLayoutForm::EditedLayout(int tab) const {
  if (tab < 0 || tab >= kTabs) return {};
  tPageLayout layout = layouts_[static_cast<std::size_t>(tab)];
  const Margins& margins = margins_[static_cast<std::size_t>(tab)];
  layout.top = margins.top->Value();
  layout.left = margins.left->Value();
  layout.right = margins.right->Value();
  layout.bottom = margins.bottom->Value();
  return layout;
}

void TPageLayoutForm::PutLayout(int tab, const tPageLayout& layout) {
  layouts_[static_cast<std::size_t>(tab)] = layout;
  const Margins& margins = margins_[static_cast<std::size_t>(tab)];
  margins.top->SetValue(layout.top);
  margins.left->SetValue(layout.left);
  margins.right->SetValue(layout.right);
  margins.bottom->SetValue(layout.bottom);
  preview_->Repaint();
}

int TPageLayoutForm::ShownTab() const {
  const int tab = tabSet_->TabIndex();
  return tab >= 0 && tab < kTabs ? tab : -1;
}

void TPageLayoutForm::ShowTab() {
  const int tab = tabSet_->TabIndex();
  notebook_->SetPageIndex(tab);
  SetCaption(tab >= 0 && tab < kTabs ? SuiteText(static_cast<std::uint16_t>(FirstCaptionText + tab)) : "");
  preview_->Repaint();
}

void TPageLayoutForm::PaintPreview() {
  cl::TCanvas& canvas = preview_->Canvas();
  const cl::TRect box = preview_->ClientRect();
  const int width = box.Width(), height = box.Height();
  canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
  canvas.Brush().SetColor(cl::clBlack);
  canvas.FrameRect(box);
  canvas.FillRect(cl::Rect(1, 1, width - 1, height - 1), PreviewBackground);
  const tPageLayout layout = EditedLayout(ShownTab());
  const cl::TRect page = cl::Rect(Scale(layout.left, layout.width, width) + 1,
                                  Scale(layout.top, layout.height, height) + 1,
                                  width - Scale(layout.right, layout.width, width) - 1,
                                  height - Scale(layout.bottom, layout.height, height) - 1);
  canvas.FillRect(page, cl::clWhite);
}

void TPageLayoutForm::FormKeyDown(std::uint16_t& key, cl::TShiftState) {
  // Esc cancels whatever modifier is held.
  if (key != cl::VK_ESCAPE) return;
  SetModalResult(cl::mrCancel);
  key = 0;
}

void EditPageLayouts(std::int32_t startTab) {
  cl::EnsureQtApplication();
  const auto form = std::make_unique<TPageLayoutForm>(nullptr);
  form->LoadLayouts();
  form->SetStartTab(startTab);
  if (form->ShowModal() == cl::mrOk) form->StoreLayouts();
}

}  // namespace dlg
