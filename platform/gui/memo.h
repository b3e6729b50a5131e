#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/control.h"
#include "platform/gui/scroll_bar.h"

namespace cl {

// A multi-line edit. Enter makes a new line (never the form's default button).
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);

  // The lines, each without its line end.
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  int LineCount() const;
  std::string Text() const;
  void SetText(const std::string& text);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  int32_t SelStart() const;
  int32_t SelLength() const;
  void SetSelection(int32_t start, int32_t length);

  TNotifyEvent OnChange;

  // The text's area: inside the frame and the scroll bars, which SetClientSize
  // puts around it.
  TRect ClientRect() const override;
  bool WantsKey(uint16_t key) const override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

 private:
  bool wordWrap_ = true;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = ssNone;
};

}  // namespace cl
