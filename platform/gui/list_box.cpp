#include "platform/gui/list_box.h"

#include <QListWidget>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QListWidget* ListOf(QWidget* widget) { return static_cast<QListWidget*>(widget); }

}  // namespace

struct TListBox::Rows : TControlItems::Host {
  explicit Rows(QListWidget* list) : list(list) {}
  // Changes by the program are no user's choice: no signals.
  void HostInsert(int index, const std::string& text) override {
    const QSignalBlocker block(list);
    list->insertItem(index, ToQString(text));
  }
  void HostPut(int index, const std::string& text) override { list->item(index)->setText(ToQString(text)); }
  void HostDelete(int index) override {
    const QSignalBlocker block(list);
    delete list->takeItem(index);
  }
  void HostClear() override {
    const QSignalBlocker block(list);
    list->clear();
  }
  QListWidget* list;
};

TListBox::TListBox(TComponent* owner) : TWinControl(owner, new Bridged<QListWidget>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  QListWidget* list = ListOf(Widget());
  rows_ = std::make_unique<Rows>(list);
  items_ = std::make_unique<TControlItems>(*rows_);
  list->setUniformItemSizes(true);
  ApplySelectionMode();
  // The user's choice of an item (mouse or keys) is the list's click; the
  // program's changes block the signal.
  QObject::connect(list, &QListWidget::itemSelectionChanged, [this] { RunGuarded(this, [this] { Click(); }); });
}

TListBox::~TListBox() = default;

int TListBox::ItemIndex() const {
  const QListWidget* list = ListOf(Widget());
  if (!multiSelect_) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
  }
  return list->currentRow();
}

void TListBox::SetItemIndex(int index) {
  QListWidget* list = ListOf(Widget());
  const QSignalBlocker block(list);
  if (index < 0 || index >= Count()) {
    if (!multiSelect_) list->clearSelection();
    list->setCurrentRow(-1);
    return;
  }
  list->setCurrentRow(index, multiSelect_ ? QItemSelectionModel::Current : QItemSelectionModel::ClearAndSelect);
}

void TListBox::SetMultiSelect(bool multi) {
  multiSelect_ = multi;
  ApplySelectionMode();
}

void TListBox::SetExtendedSelect(bool extended) {
  extendedSelect_ = extended;
  ApplySelectionMode();
}

void TListBox::ApplySelectionMode() {
  QListWidget* list = ListOf(Widget());
  if (!multiSelect_) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
  } else {
    list->setSelectionMode(extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                           : QAbstractItemView::MultiSelection);
  }
}

bool TListBox::Selected(int index) const {
  const QListWidgetItem* item = ListOf(Widget())->item(index);
  return item != nullptr && item->isSelected();
}

void TListBox::SetSelected(int index, bool selected) {
  QListWidget* list = ListOf(Widget());
  QListWidgetItem* item = list->item(index);
  if (item == nullptr) return;
  const QSignalBlocker block(list);
  if (!multiSelect_ && selected) {
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return;
  }
  item->setSelected(selected);
}

int TListBox::SelCount() const { return static_cast<int>(ListOf(Widget())->selectedItems().size()); }

int TListBox::TopIndex() const {
  const QListWidget* list = ListOf(Widget());
  const QListWidgetItem* top = list->itemAt(0, 0);
  return top != nullptr ? list->row(top) : 0;
}

void TListBox::SetTopIndex(int index) {
  QListWidget* list = ListOf(Widget());
  if (QListWidgetItem* item = list->item(index)) list->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TListBox::ItemHeight() const { return Font().Metrics().tmHeight; }

// The list scrolls its own rows.
bool TListBox::DoMouseWheel(TShiftState, int, TPoint) { return false; }

}  // namespace cl
