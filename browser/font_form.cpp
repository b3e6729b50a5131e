#include "browser/font_form.h"

#include "browser/texts.h"
#include "html/parse/document_parser.h"
#include "platform/core/exception.h"
#include "platform/gui/color_names.h"
#include "platform/gui/screen_facts.h"

namespace brw {

namespace {

template <class T>
T* Place(cl::TForm& form, const char* name, int32_t left, int32_t top, int32_t width, int32_t height) {
  T* const control = cl::Make<T>(form);
  control->SetName(name);
  control->SetParent(&form);
  control->SetBounds(left, top, width, height);
  return control;
}

cl::TLabel* PlaceLabel(cl::TForm& form, const char* name, int32_t left, int32_t top, TextNumber text,
                       cl::TWinControl* focus) {
  auto* const label = Place<cl::TLabel>(form, name, left, top, 0, 0);
  label->SetCaption(TextByNumber(text));
  label->SetFocusControl(focus);
  return label;
}

}  // namespace

TFontForm::TFontForm(cl::TComponent* owner) : cl::TForm(owner) {
  SetName("FontForm");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  Font().SetName("System");
  SetClientSize(313, 388);

  fontViewer_ = Place<html::TDocViewer>(*this, "FontViewer", 8, 24, 217, 161);
  fontViewer_->Parser = html::ParseDocument;
  fontViewer_->SetCursor(cl::crIBeam);
  fontViewer_->SetViewImages(false);
  fontViewer_->SetBorderStyle(html::htSingle);
  fontViewer_->SetHistoryMaxCount(0);
  fontViewer_->SetDefFontName("Times New Roman");
  fontViewer_->SetDefPreFontName("Courier New");
  fontViewer_->SetNoSelect(false);
  fontViewer_->SetCharSet(1);  // DEFAULT_CHARSET

  // Made in the order of the layout, which is the order of Tab. A click
  // enables a colour; the markers start off.
  fontColorGrid_ = Place<cl::TColorGrid>(*this, "FontColorGrid", 232, 24, 72, 72);
  fontColorGrid_->OnChange = [this](cl::TObject*) { FontColorGridChange(); };
  hotSpotColorGrid_ = Place<cl::TColorGrid>(*this, "HotSpotColorGrid", 232, 112, 72, 72);
  hotSpotColorGrid_->OnChange = [this](cl::TObject*) { HotSpotColorGridChange(); };
  for (cl::TColorGrid* grid : {fontColorGrid_, hotSpotColorGrid_}) {
    grid->SetClickEnablesColor(true);
    grid->SetForegroundEnabled(false);
  }
  fontListBox_ = Place<cl::TListBox>(*this, "FontListBox", 8, 216, 217, 115);
  fontListBox_->SetSorted(true);
  backListBox_ = Place<cl::TListBox>(*this, "BackListBox", 232, 216, 73, 115);
  for (cl::TListBox* list : {fontListBox_, backListBox_}) {
    list->Font().SetName("MS Sans Serif");
    list->Font().SetHeight(-11);
    list->OnClick = [this](cl::TObject* sender) { ListBoxClicks(sender); };
  }
  fontSizeEdit_ = Place<cl::TSpinEdit>(*this, "FontSizeEdit", 8, 352, 57, 26);
  fontSizeEdit_->SetRange(6, 24);
  fontSizeEdit_->SetValue(12);
  fontSizeEdit_->OnChange = [this](cl::TObject* sender) { ListBoxClicks(sender); };
  resetButton_ = Place<cl::TButton>(*this, "ResetButton", 232, 352, 73, 26);
  resetButton_->OnClick = [this](cl::TObject*) { ResetButtonClick(); };
  okButton_ = Place<cl::TBitBtn>(*this, "BitBtnOK", 72, 352, 73, 26);
  okButton_->SetKind(cl::bkOK);
  cancelButton_ = Place<cl::TBitBtn>(*this, "BitBtnCancel", 152, 352, 73, 26);
  cancelButton_->SetKind(cl::bkCancel);

  PlaceLabel(*this, "LabelInkColor", 232, 8, txtFontInkLabel, fontColorGrid_);
  PlaceLabel(*this, "LabelRefColor", 232, 96, txtFontLinkLabel, hotSpotColorGrid_);
  PlaceLabel(*this, "LabelSize", 8, 336, txtFontSizeLabel, fontSizeEdit_);
  PlaceLabel(*this, "LabelFont", 8, 200, txtFontFaceLabel, fontListBox_);
  PlaceLabel(*this, "LabelBackground", 232, 200, txtFontBackgroundLabel, backListBox_);

  FormCreate();
}

void TFontForm::FormCreate() {
  SetCaption(TextByNumber(txtFontCaption));
  resetButton_->SetCaption(TextByNumber(txtFontReset));
  okButton_->SetCaption(TextByNumber(txtOK));
  cancelButton_->SetCaption(TextByNumber(txtCancel));
  sampleText_ = TextByNumber(txtFontSample);

  {
    const cl::TStringsUpdate update(fontListBox_->Items());
    for (const std::string& face : cl::ScreenFontNames()) fontListBox_->Items().Add(face);
  }
  for (const cl::TColorName& named : cl::ColorNames())
    if (named.Value >= 0) backListBox_->Items().Add(named.Name);

  try {
    fontViewer_->LoadFromBuffer(sampleText_.data(), static_cast<int32_t>(sampleText_.size()));
  } catch (const cl::Exception&) {
    // Without the sample the choices still work; the dialog stays usable.
  }
}

void TFontForm::SetFontName(const std::string& name) {
  cl::TStrings& items = fontListBox_->Items();
  int index = items.IndexOf(name);
  // A face the list lacks ("MS Sans Serif" is a substitute here) is added,
  // so that OK applies what is shown.
  if (index < 0 && !name.empty()) index = items.Add(name);
  fontListBox_->SetItemIndex(index);
  fontViewer_->SetDefFontName(name);
}

void TFontForm::SetFontColor(cl::TColor color) {
  fontViewer_->SetDefFontColor(color);
  fontColor_ = color;
  fontColorGrid_->SetForegroundEnabled(false);
}

void TFontForm::SetHotSpotColor(cl::TColor color) {
  fontViewer_->SetDefHotSpotColor(color);
  hotSpotColor_ = color;
  hotSpotColorGrid_->SetForegroundEnabled(false);
}

void TFontForm::SetFontSize(int32_t size) {
  fontViewer_->SetDefFontSize(size);
  fontSize_ = size;
  // The edit shows the size within its range; its echo of a cut value is no
  // choice of the user's and must not replace the size.
  showingSize_ = true;
  fontSizeEdit_->SetValue(size);
  showingSize_ = false;
}

void TFontForm::SetBackground(cl::TColor color) {
  std::string name = cl::ColorToString(color);
  if (name.size() > 80) name.resize(80);
  cl::TStrings& items = backListBox_->Items();
  int index = items.IndexOf(name);
  if (index < 0) index = items.Add(name);
  backListBox_->SetItemIndex(index);
  fontViewer_->SetDefBackground(color);
}

std::string TFontForm::GetSelectedFontName() const {
  const int index = fontListBox_->ItemIndex();
  if (index < 0) throw cl::Exception("List index out of bounds (-1)");
  return fontListBox_->Items().Strings(index);
}

cl::TColor TFontForm::GetSelectedBackground() const {
  const int index = backListBox_->ItemIndex();
  if (index < 0) throw cl::Exception("List index out of bounds (-1)");
  const std::string name = backListBox_->Items().Strings(index);
  const auto color = cl::StringToColor(name);
  if (!color) throw cl::Exception("'" + name + "' is not a valid integer value");
  return *color;
}

void TFontForm::ResetButtonClick() {
  SetBackground(cl::clWindow);
  SetHotSpotColor(0xFF0000);
  SetFontColor(cl::clWindowText);
  SetFontName("MS Sans Serif");
  SetFontSize(10);
}

void TFontForm::ListBoxClicks(cl::TObject* sender) {
  if (sender == fontListBox_) {
    if (fontListBox_->ItemIndex() >= 0) SetFontName(GetSelectedFontName());
  } else if (sender == backListBox_) {
    if (backListBox_->ItemIndex() >= 0) SetBackground(GetSelectedBackground());
  } else if (sender == fontSizeEdit_ && !showingSize_) {
    SetFontSize(fontSizeEdit_->Value());
  }
}

void TFontForm::FontColorGridChange() { SetFontColor(fontColorGrid_->ForegroundColor()); }

void TFontForm::HotSpotColorGridChange() { SetHotSpotColor(hotSpotColorGrid_->ForegroundColor()); }

}  // namespace brw
