#include "platform/gui/button.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

#include "platform/gui/control_widget.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QPushButton* ButtonOf(QWidget* widget) { return static_cast<QPushButton*>(widget); }

}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner, new Bridged<QPushButton>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  // Enter and Esc are the form's (DialogKey), never Qt's auto-default.
  ButtonOf(Widget())->setAutoDefault(false);
  QObject::connect(ButtonOf(Widget()), &QPushButton::clicked, [this] { RunGuarded(this, [this] { Click(); }); });
}

void TButton::SetDefault(bool value) {
  default_ = value;
  ButtonOf(Widget())->setDefault(value);
}

void TButton::Click() {
  if (TForm* form = ParentForm(); form != nullptr && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::CaptionChanged() { ButtonOf(Widget())->setText(ToQString(Caption())); }

namespace {

// The glyph of each kind, from the style's standard pictures; the second
// stands in where a style has none of the first (Fusion lacks the newer ones).
QStyle::StandardPixmap FallbackPixmap(TBitBtnKind kind) {
  switch (kind) {
    case bkAbort: return QStyle::SP_BrowserStop;
    case bkRetry: return QStyle::SP_BrowserReload;
    case bkIgnore: return QStyle::SP_ArrowForward;
    case bkAll: return QStyle::SP_DialogApplyButton;
    default: return QStyle::SP_CustomBase;
  }
}

QStyle::StandardPixmap KindPixmap(TBitBtnKind kind) {
  switch (kind) {
    case bkOK: return QStyle::SP_DialogOkButton;
    case bkCancel: return QStyle::SP_DialogCancelButton;
    case bkHelp: return QStyle::SP_DialogHelpButton;
    case bkYes: return QStyle::SP_DialogYesButton;
    case bkNo: return QStyle::SP_DialogNoButton;
    case bkClose: return QStyle::SP_DialogCloseButton;
    case bkAbort: return QStyle::SP_DialogAbortButton;
    case bkRetry: return QStyle::SP_DialogRetryButton;
    case bkIgnore: return QStyle::SP_DialogIgnoreButton;
    case bkAll: return QStyle::SP_DialogYesToAllButton;
    default: return QStyle::SP_CustomBase;
  }
}

}  // namespace

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  switch (kind) {
    case bkOK: SetDefault(true); SetModalResult(mrOk); break;
    case bkYes: SetDefault(true); SetModalResult(mrYes); break;
    case bkCancel: SetCancel(true); SetModalResult(mrCancel); break;
    case bkNo: SetCancel(true); SetModalResult(mrNo); break;
    case bkAbort: SetModalResult(mrAbort); break;
    case bkRetry: SetModalResult(mrRetry); break;
    case bkIgnore: SetModalResult(mrIgnore); break;
    case bkAll: SetModalResult(mrAll); break;
    default: break;
  }
  GlyphChanged();
}

void TBitBtn::GlyphChanged() {
  QPushButton* const button = ButtonOf(Widget());
  if (!glyph_.Empty()) {
    button->setIcon(QIcon(QPixmap::fromImage(glyph_.Handle()->image)));
  } else if (kind_ != bkCustom && QApplication::instance() != nullptr) {
    QIcon icon = button->style()->standardIcon(KindPixmap(kind_), nullptr, button);
    if (icon.isNull() && FallbackPixmap(kind_) != QStyle::SP_CustomBase)
      icon = button->style()->standardIcon(FallbackPixmap(kind_), nullptr, button);
    button->setIcon(icon);
  } else {
    button->setIcon(QIcon());
  }
}

bool TBitBtn::HasGlyph() const { return !ButtonOf(Widget())->icon().isNull(); }

}  // namespace cl
