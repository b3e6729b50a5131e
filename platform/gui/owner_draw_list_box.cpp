#include "platform/gui/owner_draw_list_box.h"

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

QListWidget* ListOf(QWidget* widget) { return static_cast<QListWidget*>(widget); }

}  // namespace

// Qt's item painting turned into the list's OnDrawItem on a canvas over the
// viewport's painter.
class TOwnerDrawListBox::Delegate : public QStyledItemDelegate {
 public:
  Delegate(TOwnerDrawListBox& list, QObject* parent) : QStyledItemDelegate(parent), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), list_.ItemHeight()};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    RunGuarded(&list_, [&] {
      const QRect r = option.rect;
      const TRect rect = Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
      TOwnerDrawState state = 0;
      if (option.state & QStyle::State_Selected) state |= odSelected;
      if (option.state & QStyle::State_HasFocus) state |= odFocused;
      if (!list_.Enabled()) state |= odDisabled;
      const QSize size = painter->device() != nullptr
                             ? QSize(painter->device()->width(), painter->device()->height())
                             : r.size();
      const std::unique_ptr<TCanvas> canvas = CreatePainterCanvas(*painter, size, DeviceKind::Screen);
      canvas->IntersectClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
      PrepareRowCanvas(*canvas, list_, (state & odSelected) != 0);
      list_.drawCanvas_ = canvas.get();
      struct Reset {
        TOwnerDrawListBox& list;
        ~Reset() { list.drawCanvas_ = nullptr; }
      } const reset{list_};
      if (list_.OnDrawItem) {
        list_.OnDrawItem(&list_, index.row(), rect, state);
      } else {
        DrawPlainRow(*canvas, rect, list_.Items().Get(index.row()));
      }
    });
  }

 private:
  TOwnerDrawListBox& list_;
};

TOwnerDrawListBox::TOwnerDrawListBox(TComponent* owner) : TListBox(owner) {
  QListWidget* list = ListOf(Widget());
  list->setItemDelegate(new Delegate(*this, list));
}

TOwnerDrawListBox::~TOwnerDrawListBox() = default;

void TOwnerDrawListBox::SetItemHeight(int height) {
  itemHeight_ = height < 1 ? 1 : height;
  QListWidget* list = ListOf(Widget());
  // The view asks the delegate again only after a layout change.
  list->doItemsLayout();
  Invalidate();
}

TRect TOwnerDrawListBox::ItemRect(int index) const {
  const QListWidget* list = ListOf(Widget());
  const QListWidgetItem* item = list->item(index);
  if (item == nullptr) return {};
  const QRect r = list->visualItemRect(item);
  if (!r.isValid()) return {};
  const QPoint offset = list->viewport()->mapTo(list, QPoint(0, 0));
  return Rect(r.left() + offset.x(), r.top() + offset.y(), r.right() + 1 + offset.x(), r.bottom() + 1 + offset.y());
}

int TOwnerDrawListBox::ItemAtPos(TPoint point) const {
  const QListWidget* list = ListOf(Widget());
  const QPoint inViewport = list->viewport()->mapFrom(list, QPoint(point.X, point.Y));
  const QListWidgetItem* item = list->itemAt(inViewport);
  return item != nullptr ? list->row(item) : -1;
}

void TOwnerDrawListBox::Invalidate() {
  TListBox::Invalidate();
  ListOf(Widget())->viewport()->update();
}

}  // namespace cl
