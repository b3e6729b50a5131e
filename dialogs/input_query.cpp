#include "dialogs/input_query.h"

#include <memory>

#include "platform/core/short_string.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/edit.h"
#include "platform/gui/form.h"
#include "platform/gui/label.h"
#include "platform/gui/screen.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

constexpr int ButtonWidth = 77, ButtonHeight = 27;
constexpr std::uint16_t OkText = 4, CancelText = 5;

cl::TBitBtn* MakeButton(cl::TForm& form, cl::TBitBtnKind kind, std::uint16_t captionText, const char* name) {
  auto* button = cl::Make<cl::TBitBtn>(form);
  button->SetParent(&form);
  button->Font().Assign(form.Font());
  button->SetKind(kind);
  button->SetMargin(2);
  button->SetSpacing(-1);
  button->SetStyle(cl::bsAutoDetect);
  button->SetCaption(SuiteText(captionText));
  button->SetName(name);
  return button;
}

}  // namespace

std::optional<std::string> InputQuery(std::string_view caption, std::string_view prompt, std::string_view value) {
  cl::EnsureQtApplication();
  const auto form = std::make_unique<cl::TForm>(nullptr);
  form->SetName("InputQueryForm");
  form->SetBorderStyle(cl::bsDialog);
  form->SetBounds(0, 0, 280, 160);
  form->SetCaption(std::string(caption));
  form->Font().SetName("MS Sans Serif");
  form->Font().SetSize(8);
  form->Font().SetStyle(cl::fsBold);

  auto* label = cl::Make<cl::TLabel>(*form);
  label->SetName("Prompt");
  label->SetParent(form.get());
  // Controls do not take their form's font by themselves.
  label->Font().Assign(form->Font());
  label->SetAutoSize(true);
  label->SetCaption(std::string(prompt));
  label->SetLeft(10);
  label->SetTop(10);

  auto* edit = cl::Make<cl::TEdit>(*form);
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->Font().Assign(form->Font());
  edit->SetMaxLength(ShortString::MaxLength);
  edit->SetBounds(10, label->Top() + label->Height() + 5, form->ClientWidth() - 20, edit->Height());
  edit->SetText(std::string(value.substr(0, ShortString::MaxLength)));
  edit->SelectAll();
  label->SetFocusControl(edit);
  form->SetActiveControl(edit);

  const int buttonTop = edit->Top() + edit->Height() + 10;
  cl::TBitBtn* cancel = MakeButton(*form, cl::bkCancel, CancelText, "CANCEL");
  cancel->SetBounds(edit->Left() + edit->Width() - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
  cl::TBitBtn* ok = MakeButton(*form, cl::bkOK, OkText, "OK");
  ok->SetBounds(cancel->Left() - 10 - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
  form->SetClientSize(form->ClientWidth(), ok->Top() + ok->Height() + 10);
  form->SetPosition(cl::poScreenCenter);

  if (form->ShowModal() != cl::mrOk) return std::nullopt;
  std::string edited = edit->Text();
  if (edited.size() > ShortString::MaxLength) edited.resize(ShortString::MaxLength);
  return edited;
}

std::string InputBox(std::string_view caption, std::string_view prompt, std::string_view defaultValue) {
  const std::string value(defaultValue);
  return InputQuery(caption, prompt, value).value_or(value);
}

}  // namespace dlg
