#include <memory>
#include <string>

#include "html/parse/html_parser_impl.h"
#include "platform/core/ansi_case.h"

namespace html {

void THtmlParser::DoForm() {
  auto form = std::make_unique<ThtmlForm>(&document_);
  for (const auto& a : Attrs()) {
    switch (a->Code) {
      case MethodSy: form->Method = a->StrValue.substr(0, 4); break;
      case ActionSy: form->Action = a->StrValue; break;
      case TargetSy: form->Target = a->StrValue; break;
      case EncTypeSy: form->EncType = a->StrValue; break;
      default: break;
    }
  }
  currentForm_ = form.get();
  document_.Forms.push_back(std::move(form));
}

TFormControlObj* THtmlParser::AddFormControl(HtmlSymbol code) {
  const TAttributeList attributes = Clamped(Attrs());
  std::unique_ptr<TFormControlObj> control = controls_.Create(code, document_, &Cell(), attributes);
  if (!control) return nullptr;
  if (!currentForm_) {
    document_.Forms.push_back(std::make_unique<ThtmlForm>(&document_));
    currentForm_ = document_.Forms.back().get();
  }
  const std::string type = code == InputSy ? InputType(attributes) : std::string();
  const bool hidden = type == "hidden";
  TFormControlObj* added = control.get();
  // A hidden input stands nowhere in the text; an image input is its image.
  if (type == "image")
    section_->AddImage(attributes, &Cell())->ImageFormControl = added;
  else if (!hidden)
    section_->AddControl(added);
  document_.AllControls->Add(added);
  currentForm_->InsertControl(std::move(control), hidden);
  return added;
}

void THtmlParser::DoSelect(TFormControlObj* control) {
  TSelectOption option;
  bool inOption = false;
  auto finish = [&] {
    option.Text = TrimBlanks(option.Text);
    if (inOption && !option.Text.empty() && control) controls_.AddOption(*control, option);
    option = TSelectOption{};
    inOption = false;
  };
  Tok.Next();
  while (Sym() != SelectEndSy && Sym() != EofSy) {
    if (Sym() == TextSy) {
      if (inOption) option.Text += Tok.TokenText();
    } else if (Sym() == OptionSy || Sym() == OptionEndSy) {
      finish();
      if (Sym() == OptionSy) {
        inOption = true;
        option.Selected = FindAttribute(Attrs(), SelectedSy) != nullptr;
        if (const TAttribute* value = FindAttribute(Attrs(), ValueSy)) option.Value = value->StrValue;
      }
    }
    Tok.Next();
  }
  finish();
  if (control) control->ResetValue();
}

void THtmlParser::DoTextArea(TFormControlObj* control) {
  std::string line;
  Tok.NextTextAreaToken();
  while (Sym() != TextAreaEndSy && Sym() != EofSy) {
    if (Sym() == EolSy) {
      if (control) controls_.AddLine(*control, line);
      line.clear();
    } else {
      line += Tok.TokenText();
    }
    Tok.NextTextAreaToken();
  }
  while (Tok.CurrentChar() != '>' && Tok.CurrentChar() != 26) Tok.GetCh();
  if (Tok.CurrentChar() == '>') Tok.GetCh();
  if (control) {
    if (!line.empty()) controls_.AddLine(*control, line);
    control->ResetValue();
  }
}

}  // namespace html
