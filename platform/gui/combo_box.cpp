#include "platform/gui/combo_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QComboBox* ComboOf(QWidget* widget) { return static_cast<QComboBox*>(widget); }

}  // namespace

struct TComboBox::Rows : TControlItems::Host {
  explicit Rows(QComboBox* combo) : combo(combo) {}
  void HostInsert(int index, const std::string& text) override {
    const QSignalBlocker block(combo);
    const QString keep = combo->isEditable() ? combo->currentText() : QString();
    combo->insertItem(index, ToQString(text));
    // Windows' combo boxes select nothing until told to.
    if (combo->count() == 1) combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(keep);
  }
  void HostPut(int index, const std::string& text) override { combo->setItemText(index, ToQString(text)); }
  void HostDelete(int index) override {
    const QSignalBlocker block(combo);
    combo->removeItem(index);
  }
  void HostClear() override {
    const QSignalBlocker block(combo);
    combo->clear();
  }
  QComboBox* combo;
};

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner, new Bridged<QComboBox>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  QComboBox* combo = ComboOf(Widget());
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  rows_ = std::make_unique<Rows>(combo);
  items_ = std::make_unique<TControlItems>(*rows_);
  QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), [this] {
    RunGuarded(this, [this] {
      Click();
      if (OnChange) OnChange(this);
    });
  });
  QObject::connect(combo, &QComboBox::editTextChanged, [this, combo] {
    if (!combo->lineEdit() || !combo->lineEdit()->hasFocus()) return;
    RunGuarded(this, [this] {
      if (OnChange) OnChange(this);
    });
  });
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(TComboBoxStyle style) {
  style_ = style;
  QComboBox* combo = ComboOf(Widget());
  const QSignalBlocker block(combo);
  const int index = combo->currentIndex();
  combo->setEditable(style == csDropDown);
  if (style == csDropDown) combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCurrentIndex(index);
}

int TComboBox::ItemIndex() const {
  const QComboBox* combo = ComboOf(Widget());
  const int index = combo->currentIndex();
  if (index < 0) return -1;
  // An edited text that no longer matches its item selects nothing.
  if (combo->isEditable() && combo->currentText() != combo->itemText(index)) return -1;
  return index;
}

void TComboBox::SetItemIndex(int index) {
  QComboBox* combo = ComboOf(Widget());
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  if (index < 0 && combo->isEditable()) combo->setEditText(QString());
}

std::string TComboBox::Text() const { return FromQString(ComboOf(Widget())->currentText()); }

void TComboBox::SetText(const std::string& text) {
  QComboBox* combo = ComboOf(Widget());
  const QSignalBlocker block(combo);
  if (combo->isEditable()) {
    combo->setEditText(ToQString(text));
  } else {
    combo->setCurrentIndex(combo->findText(ToQString(text)));
  }
}

// A closed combo box leaves the wheel to the control it sits on.
bool TComboBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  return TWinControl::DoMouseWheel(shift, wheelDelta, mousePos);
}

}  // namespace cl
