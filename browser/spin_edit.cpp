#include "browser/spin_edit.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace brw {

TSpinEdit::TSpinEdit(cl::TComponent* owner)
    : cl::TWinControl(owner),
      edit_(cl::Make<cl::TEdit>(*this)),
      up_(cl::Make<cl::TSpeedButton>(*this)),
      down_(cl::Make<cl::TSpeedButton>(*this)) {
  edit_->SetName("Edit");
  up_->SetName("UpButton");
  down_->SetName("DownButton");
  for (cl::TControl* part : {static_cast<cl::TControl*>(edit_), static_cast<cl::TControl*>(up_),
                             static_cast<cl::TControl*>(down_)})
    part->SetParent(this);
  up_->SetCaption("+");
  down_->SetCaption("-");
  edit_->SetText("0");
  edit_->OnChange = [this](cl::TObject*) {
    if (OnChange) OnChange(this);
  };
  up_->OnClick = [this](cl::TObject*) { Step(1); };
  down_->OnClick = [this](cl::TObject*) { Step(-1); };
  SetBounds(0, 0, 57, 26);
}

int32_t TSpinEdit::Value() const {
  const std::string text = edit_->Text();
  int32_t value = minValue_;
  const char* const first = text.data();
  const char* const last = text.data() + text.size();
  if (std::from_chars(first, last, value).ec != std::errc()) value = minValue_;
  return std::clamp(value, minValue_, maxValue_);
}

void TSpinEdit::SetValue(int32_t value) {
  const std::string text = std::to_string(std::clamp(value, minValue_, maxValue_));
  if (edit_->Text() != text) edit_->SetText(text);
}

void TSpinEdit::SetRange(int32_t minValue, int32_t maxValue) {
  minValue_ = minValue;
  maxValue_ = std::max(minValue, maxValue);
  SetValue(Value());
}

void TSpinEdit::Step(int32_t delta) { SetValue(Value() + delta); }

void TSpinEdit::Resize() {
  cl::TWinControl::Resize();
  const int32_t buttonWidth = 15;
  const int32_t half = Height() / 2;
  edit_->SetBounds(0, 0, std::max(0, Width() - buttonWidth), Height());
  up_->SetBounds(Width() - buttonWidth, 0, buttonWidth, half);
  down_->SetBounds(Width() - buttonWidth, half, buttonWidth, Height() - half);
}

}  // namespace brw
