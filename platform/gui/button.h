#pragma once

#include <cstdint>

#include "platform/gui/control.h"
#include "platform/gui/form.h"

namespace cl {

// A push button. A click sets its form's modal result to the button's.
// Default is clicked by Enter on the form, Cancel by Esc.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  void Click() override;

 protected:
  void CaptionChanged() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

constexpr TModalResult mrAll = 8;

enum TBitBtnKind : uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

// A button of a standard kind with its glyph: OK and Yes are default
// buttons, Cancel and No cancel buttons; each kind brings its modal result
// (mrOk, mrCancel, mrYes, mrNo, mrAbort, mrRetry, mrIgnore, mrAll; none for
// Help and Close). A glyph set by the program replaces the kind's. Margin
// (-1 centres the glyph and caption) and Spacing (-1 centres the caption in
// the room beside the glyph) are kept as set; Qt lays the pair out itself.
class TBitBtn : public TButton {
 public:
  using TButton::TButton;
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);
  // The program's glyph; call GlyphChanged after drawing on it.
  TBitmap& Glyph() { return glyph_; }
  void GlyphChanged();
  // Whether a glyph (the kind's or the program's) is shown.
  bool HasGlyph() const;
  int Margin() const { return margin_; }
  void SetMargin(int margin) { margin_ = margin; }
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing) { spacing_ = spacing; }
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle style) { style_ = style; }

 private:
  TBitBtnKind kind_ = bkCustom;
  TBitmap glyph_;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonStyle style_ = bsAutoDetect;
};

}  // namespace cl
