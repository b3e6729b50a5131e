#include "dialogs/phone_item_form.h"

#include <memory>
#include <string_view>

#include "dialogs/disk.h"
#include "dialogs/dual_list_form.h"
#include "dialogs/suite_texts.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/check_box.h"
#include "platform/gui/edit.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/virtual_keys.h"
#include "utility/phone_text.h"
#include "utility/short_strings.h"

namespace dlg {
namespace {

constexpr int ButtonWidth = 77, ButtonHeight = 27, EditHeight = 21, ChooserWidth = 21;
constexpr std::uint8_t AllowNetwork = 0x02, AllowFax = 0x04, AllowSms = 0x08;

std::string Cut(std::string text, std::size_t n) {
  if (text.size() > n) text.resize(n);
  return text;
}

template <class T>
T* MakeChild(cl::TForm& form, cl::TWinControl& parent, const char* name) {
  auto* control = cl::Make<T>(form);
  control->SetName(name);
  control->SetParent(&parent);
  control->Font().Assign(form.Font());
  return control;
}

cl::TEdit* MakeEdit(cl::TForm& form, const char* name, int left, int top, int width) {
  auto* edit = MakeChild<cl::TEdit>(form, form, name);
  edit->SetBounds(left, top, width, EditHeight);
  return edit;
}

cl::TLabel* MakeLabel(cl::TForm& form, const char* name, std::uint16_t text, int left, int top,
                      cl::TWinControl* focus) {
  auto* label = cl::Make<cl::TLabel>(form);
  label->SetName(name);
  label->SetParent(&form);
  label->Font().Assign(form.Font());
  label->SetAutoSize(true);
  label->SetCaption(SuiteText(text));
  label->SetLeft(left);
  label->SetTop(top);
  label->SetFocusControl(focus);
  return label;
}

cl::TBitBtn* MakeButton(cl::TForm& form, const char* name, cl::TBitBtnKind kind, std::uint16_t text) {
  auto* button = MakeChild<cl::TBitBtn>(form, form, name);
  button->SetKind(kind);
  button->SetCaption(SuiteText(text));
  return button;
}

}  // namespace

TPhoneItemForm::TPhoneItemForm(cl::TComponent* owner, const tDisk& disk) : cl::TForm(owner), disk_(disk) {
  SetName("PhoneItemForm");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(324, 232);
  SetCaption(SuiteText(20545));

  editSureName_ = MakeEdit(*this, "EditSureName", 8, 24, 150);
  editName_ = MakeEdit(*this, "EditName", 166, 24, 150);
  editCompany_ = MakeEdit(*this, "EditCompany", 8, 68, 308);
  editState_ = MakeEdit(*this, "EditState", 8, 112, 60);
  editCity_ = MakeEdit(*this, "EditCity", 100, 112, 60);
  editPhone_ = MakeEdit(*this, "EditPhone", 192, 112, 124);
  MakeLabel(*this, "LabelSureName", 20547, 8, 8, editSureName_);
  MakeLabel(*this, "LabelName", 20546, 166, 8, editName_);
  MakeLabel(*this, "LabelCompany", 20548, 8, 52, editCompany_);
  MakeLabel(*this, "LabelState", 20549, 8, 96, editState_);
  MakeLabel(*this, "LabelPrefix", 20550, 100, 96, editCity_);
  MakeLabel(*this, "LabelPhone", 20551, 192, 96, editPhone_);

  bitBtnState_ = MakeChild<cl::TBitBtn>(*this, *this, "BitBtnState");
  bitBtnState_->SetBounds(editState_->Left() + editState_->Width() + 2, 112, ChooserWidth, EditHeight);
  bitBtnState_->SetCaption("...");
  bitBtnState_->SetTabStop(false);
  bitBtnState_->OnClick = [this](cl::TObject*) { ChooseCountry(); };
  bitBtnCity_ = MakeChild<cl::TBitBtn>(*this, *this, "BitBtnCity");
  bitBtnCity_->SetBounds(editCity_->Left() + editCity_->Width() + 2, 112, ChooserWidth, EditHeight);
  bitBtnCity_->SetCaption("...");
  bitBtnCity_->SetTabStop(false);
  bitBtnCity_->OnClick = [this](cl::TObject*) { ChooseArea(); };
  const cl::TKeyEvent dropDown = [this](cl::TObject* sender, std::uint16_t& key, cl::TShiftState shift) {
    EditDropDown(sender, key, shift);
  };
  editState_->OnKeyDown = dropDown;
  editCity_->OnKeyDown = dropDown;

  gBoxUseFor_ = MakeChild<cl::TGroupBox>(*this, *this, "GBoxUseFor");
  gBoxUseFor_->SetBounds(8, 144, 308, 44);
  gBoxUseFor_->SetCaption(SuiteText(20552));
  const auto makeRadio = [this](const char* name, std::uint16_t text, int left) {
    auto* radio = MakeChild<cl::TRadioButton>(*this, *gBoxUseFor_, name);
    radio->SetBounds(left, 18, 95, 17);
    radio->SetCaption(SuiteText(text));
    radio->OnClick = [this, radio](cl::TObject*) { CheckUseFor(radio); };
    return radio;
  };
  rBtnBrannik_ = makeRadio("RBtnBrannik", 20553, 8);
  rBtnFAX_ = makeRadio("RBtnFAX", 20554, 108);
  rBtnSMS_ = makeRadio("RBtnSMS", 20555, 208);

  cl::TBitBtn* cancel = MakeButton(*this, "BitBtnCancel", cl::bkCancel, 5);
  cancel->SetBounds(316 - ButtonWidth, 197, ButtonWidth, ButtonHeight);
  cl::TBitBtn* ok = MakeButton(*this, "BitBtnOK", cl::bkOK, 4);
  ok->SetBounds(cancel->Left() - 8 - ButtonWidth, 197, ButtonWidth, ButtonHeight);
  SetActiveControl(editSureName_);
}

void TPhoneItemForm::LoadItem(const tPhoneBookItem& item, std::uint8_t allowedUseFor) {
  allowedUseFor_ = allowedUseFor;
  const std::string name = item.Name.Str();
  const auto blank = name.find(' ');
  if (blank != std::string::npos) {
    editSureName_->SetText(utl::STRTRIM(name.substr(0, blank)));
    const auto first = name.find_first_not_of(' ', blank);
    editName_->SetText(first == std::string::npos ? std::string() : name.substr(first));
  } else {
    editSureName_->SetText(name);
    editName_->SetText({});
  }
  editCompany_->SetText(item.Company.Str());
  editState_->SetText(utl::URIINTERNATIONALSTATE(item.Country.View()));
  editCity_->SetText(item.Area.Str());
  editPhone_->SetText(item.Number.Str());
  rBtnBrannik_->SetEnabled((allowedUseFor & AllowNetwork) != 0);
  rBtnFAX_->SetEnabled((allowedUseFor & AllowFax) != 0);
  rBtnSMS_->SetEnabled((allowedUseFor & AllowSms) != 0);
  // A disabled radio left checked would be stored as a use the caller refuses.
  tPhoneBookItem limited;
  limited.UseFor = item.UseFor;
  limited.LimitUseFor(allowedUseFor);
  CheckUseFor(limited.UseFor == 2 ? rBtnFAX_ : limited.UseFor == 3 ? rBtnSMS_ : rBtnBrannik_);
}

std::uint8_t TPhoneItemForm::CheckedUseFor() const {
  if (rBtnFAX_->Checked() && (allowedUseFor_ & AllowFax)) return 2;
  if (rBtnSMS_->Checked() && (allowedUseFor_ & AllowSms)) return 3;
  return 1;
}

void TPhoneItemForm::StoreItem(tPhoneBookItem& item) const {
  item.Name.Assign(Cut(utl::STRTRIM(editSureName_->Text()) + " " + utl::STRTRIM(editName_->Text()), 31));
  item.Company.Assign(Cut(utl::STRTRIM(editCompany_->Text()), 63));
  item.Country.Assign(Cut(utl::URIINTERNATIONALSTATE(utl::STRTRIM(editState_->Text())), 6));
  item.Area.Assign(Cut(utl::STRTRIM(editCity_->Text()), 6));
  item.Number.Assign(Cut(utl::STRTRIM(editPhone_->Text()), 13));
  item.UseFor = CheckedUseFor();
  item.LimitUseFor(allowedUseFor_);
}

// The radios are not exclusive by themselves.
void TPhoneItemForm::CheckUseFor(cl::TRadioButton* radio) {
  for (cl::TRadioButton* other : {rBtnBrannik_, rBtnFAX_, rBtnSMS_})
    if (other != radio) other->SetChecked(false);
  radio->SetChecked(true);
}

void TPhoneItemForm::ChooseCountry() {
  const cl::TPoint below = ClientToScreen({editState_->Left(), editState_->Top() + editState_->Height()});
  const DualChoice choice =
      SelectFromDual(below.X, below.Y, disk_.StatesListFile(), SuiteText(45), SuiteText(47), SuiteText(49),
                     utl::URIINTERNATIONALSTATE(utl::STRTRIM(editState_->Text())));
  if (choice.result == cl::mrOk && choice.chosen) editState_->SetText(utl::URIINTERNATIONALSTATE(choice.value));
}

void TPhoneItemForm::ChooseArea() {
  const cl::TPoint below = ClientToScreen({editCity_->Left(), editCity_->Top() + editCity_->Height()});
  const DualChoice choice =
      SelectFromDual(below.X, below.Y, disk_.AreaListFile(utl::STRTRIM(editState_->Text())), SuiteText(46),
                     SuiteText(48), SuiteText(49), editCity_->Text());
  if (choice.result == cl::mrOk && choice.chosen) editCity_->SetText(choice.value);
}

void TPhoneItemForm::EditDropDown(cl::TObject* sender, std::uint16_t& key, cl::TShiftState shift) {
  if (key != cl::VK_DOWN || (shift & (cl::ssShift | cl::ssAlt | cl::ssCtrl)) != 0) return;
  key = 0;
  if (sender == editState_) ChooseCountry();
  else if (sender == editCity_) ChooseArea();
}

cl::TModalResult EditPhoneItem(tPhoneBookItem& item, std::uint8_t allowedUseFor, const tDisk& disk) {
  cl::EnsureQtApplication();
  const auto form = std::make_unique<TPhoneItemForm>(nullptr, disk);
  form->LoadItem(item, allowedUseFor);
  const cl::TModalResult result = form->ShowModal();
  if (result == cl::mrOk) form->StoreItem(item);
  return result;
}

}  // namespace dlg
