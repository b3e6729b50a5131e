#pragma once

#include <cstdint>
#include <string>

#include "platform/gui/control.h"

namespace cl {

// A one-line edit; its text is code page 1250 on this side.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);

  std::string Text() const;
  void SetText(const std::string& text);
  // 0 means no limit.
  int32_t MaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t length);
  // 0 shows the text; any other character is shown for each character.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char ch);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  int32_t SelStart() const;
  int32_t SelLength() const;
  void SetSelection(int32_t start, int32_t length);
  void SelectAll();

  TNotifyEvent OnChange;

 private:
  int32_t maxLength_ = 0;
  char passwordChar_ = 0;
  bool readOnly_ = false;
};

}  // namespace cl
