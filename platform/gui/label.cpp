#include "platform/gui/label.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "platform/gui/draw_text.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 65, 17);
  // The parent shows through around the text.
  Widget()->setAttribute(Qt::WA_OpaquePaintEvent, false);
  // Qt's shortcut map sees the key before any control does (a text field
  // would take Alt with a letter as that letter) and shares it with the
  // buttons' own access keys.
  accessKey_ = new QShortcut(Widget());
  accessKey_->setContext(Qt::WindowShortcut);
  QObject::connect(accessKey_, &QShortcut::activated, [this] { AccessKeyPressed(); });
  QObject::connect(accessKey_, &QShortcut::activatedAmbiguously, [this] { AccessKeyPressed(); });
}

void TLabel::AccessKeyPressed() {
  RunGuarded(this, [this] {
    if (focusControl_ != nullptr && Enabled() && focusControl_->CanFocus()) focusControl_->SetFocus();
  });
}

std::string TLabel::ShownText() const {
  std::string shown;
  const std::string& caption = Caption();
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') shown += '&', ++i;
      continue;
    }
    shown += caption[i];
  }
  return shown;
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void TLabel::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  AdjustSize();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::CaptionChanged() {
  accessKey_->setKey(QKeySequence::mnemonic(ToQString(Caption())));
  AdjustSize();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustSize();
  Invalidate();
}

void TLabel::AdjustSize() {
  if (!autoSize_) return;
  if (wordWrap_) {
    const TRect lines = DrawText(Canvas(), Caption(), TRect{0, 0, Width(), 0}, DT_WORDBREAK | DT_CALCRECT);
    SetBounds(Left(), Top(), Width(), lines.Height());
    return;
  }
  const TSize extent = Canvas().TextExtent(ShownText().empty() ? std::string(" ") : ShownText());
  SetBounds(Left(), Top(), extent.cx, extent.cy);
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  if (wordWrap_) {
    const uint32_t align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawText(canvas, Caption(), ClientRect(), DT_WORDBREAK | align);
    return;
  }
  const std::string text = ShownText();
  const int32_t width = canvas.TextWidth(text);
  int32_t x = 0;
  if (alignment_ == taCenter) x = (Width() - width) / 2;
  if (alignment_ == taRightJustify) x = Width() - width;
  canvas.TextOut(x, 0, text);
}

}  // namespace cl
