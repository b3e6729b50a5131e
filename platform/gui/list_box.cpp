#include "platform/gui/list_box.h"

#include <algorithm>
#include <string_view>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/scroll_area_client.h"

namespace cl {

namespace {

QListWidget* ListOf(QWidget* widget) { return static_cast<QListWidget*>(widget); }

}  // namespace

// A double click anywhere in the rows' area is the list's, as on Windows, also
// where no row is: Qt reports only those on a row.
class TListBox::ViewportDoubleClicks : public QObject {
 public:
  ViewportDoubleClicks(QObject* parent, TListBox* list) : QObject(parent), list_(list) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      RunGuarded(list_, [this] { list_->DblClick(); });
    return QObject::eventFilter(watched, event);
  }

 private:
  TListBox* list_;
};

// Rows drawn with their TABs at the list's tab stops.
class TListBox::TabbedRows : public QStyledItemDelegate {
 public:
  TabbedRows(QObject* parent, const TListBox& list) : QStyledItemDelegate(parent), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (list_.TabStopPixels().empty()) return QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QStyle* style = item.widget != nullptr ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    QList<qreal> stops;
    for (const int pixels : list_.TabStopPixels()) stops.append(pixels);
    layout.setTabArray(stops);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                          : QPalette::Text));
    painter->drawText(QRectF(area), text, layout);
    painter->restore();
  }
  // A row is one line of the list's font high, as on Windows: a list sized
  // for n rows shows n rows.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), list_.ItemHeight()};
  }

 private:
  const TListBox& list_;
};

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
  list->setItemDelegate(new TabbedRows(list, *this));
  list->viewport()->installEventFilter(new ViewportDoubleClicks(list, this));
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

TRect TListBox::ClientRect() const {
  const QListWidget* list = ListOf(Widget());
  return ScrollAreaClientRect(*list, Width(), Height(), list->verticalScrollBar()->isVisibleTo(list),
                              list->horizontalScrollBar()->isVisibleTo(list));
}

int TListBox::ItemHeight() const { return Font().Metrics().tmHeight; }

void TListBox::SetTabStops(const std::vector<int>& dialogUnits) {
  static constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const int average = std::max(1, Canvas().TextWidth(alphabet) / 52);
  tabPixels_.clear();
  for (const int units : dialogUnits) tabPixels_.push_back(units * average / 4);
  Invalidate();
}

// The list scrolls its own rows.
bool TListBox::DoMouseWheel(TShiftState, int, TPoint) { return false; }

}  // namespace cl
