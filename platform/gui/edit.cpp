#include "platform/gui/edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QLineEdit* EditOf(QWidget* widget) { return static_cast<QLineEdit*>(widget); }

// Qt hides a password behind its style's bullet; the edit shows its own
// character. Over the application's style, owned by the edit's widget.
class PasswordStyle final : public QProxyStyle {
 public:
  PasswordStyle(QWidget* edit, QChar mask)
      : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), mask_(mask) {
    setParent(edit);
  }
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return mask_.unicode();
    return QProxyStyle::styleHint(hint, option, widget, data);
  }

 private:
  const QChar mask_;
};

}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner, new Bridged<QLineEdit>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  QObject::connect(EditOf(Widget()), &QLineEdit::textChanged, [this] {
    RunGuarded(this, [this] {
      if (OnChange) OnChange(this);
    });
  });
}

std::string TEdit::Text() const { return FromQString(EditOf(Widget())->text()); }

void TEdit::SetText(const std::string& text) { EditOf(Widget())->setText(ToQString(text)); }

void TEdit::SetMaxLength(int32_t length) {
  maxLength_ = length < 0 ? 0 : length;
  EditOf(Widget())->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void TEdit::SetPasswordChar(char ch) {
  passwordChar_ = ch;
  QLineEdit* edit = EditOf(Widget());
  QStyle* const old = edit->findChild<PasswordStyle*>(QString(), Qt::FindDirectChildrenOnly);
  edit->setStyle(ch != 0 ? new PasswordStyle(edit, ToQString(std::string(1, ch)).at(0)) : nullptr);
  delete old;
  edit->setEchoMode(ch != 0 ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  EditOf(Widget())->setReadOnly(readOnly);
}

int32_t TEdit::SelStart() const {
  const QLineEdit* edit = EditOf(Widget());
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int32_t TEdit::SelLength() const { return static_cast<int32_t>(EditOf(Widget())->selectedText().size()); }

void TEdit::SetSelection(int32_t start, int32_t length) { EditOf(Widget())->setSelection(start, length); }

void TEdit::SelectAll() { EditOf(Widget())->selectAll(); }

}  // namespace cl
