#include "platform/gui/control.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/application.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/control_hooks.h"
#include "platform/gui/menu.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/qt_input.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

constexpr const char* kControlProperty = "brannikControl";

// The control a button press went to: it keeps the mouse (Windows' implicit
// capture) until the last button is released.
TControl* pressedControl = nullptr;

class MessageEvent : public QEvent {
 public:
  explicit MessageEvent(const TMessage& message) : QEvent(kMessageEvent), message_(message) {}
  TMessage message_;
};

QWidget* NewGenericWidget(TControl* control) { return new Bridged<QWidget>(control); }

void PaintControl(TControl& control, QWidget& widget, const QPaintEvent& event, TCanvas*& paintCanvas,
                  bool& paintFailed) {
  QPainter painter(&widget);
  const QRect area = event.rect();
  try {
    std::unique_ptr<TCanvas> canvas = CreatePainterCanvas(painter, widget.size(), DeviceKind::Screen);
    canvas->Font().Assign(control.Font());
    canvas->Brush().SetColor(control.Color());
    canvas->IntersectClipRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    paintCanvas = canvas.get();
    control.Paint();
    paintCanvas = nullptr;
    paintFailed = false;
  } catch (...) {
    paintCanvas = nullptr;
    // The window must still show something; the failure is told once, not
    // at every repaint that fails the same way.
    painter.setClipping(false);
    painter.fillRect(area, ToQColor(control.Color()));
    if (paintFailed) return;
    paintFailed = true;
    throw;
  }
}

}  // namespace

// ---------------------------------------------------------------- TControl

void TControl::WidgetDeleter::operator()(QWidget* widget) const { delete widget; }

TControl::TControl(TComponent* owner) : TControl(owner, nullptr) {}

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner) {
  EnsureQtApplication();
  if (widget == nullptr) {
    widget = NewGenericWidget(this);
    paintsItself_ = true;
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
  }
  widget_.reset(widget);
  widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
  widget_->setMouseTracking(true);
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->hide();
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  if (pressedControl == this) pressedControl = nullptr;
  font_.OnChange = nullptr;
  // Only the place in the parent's list goes here: the widget is deleted
  // with this object and Qt takes it from its parent then. Reparenting it
  // first would walk the window's whole focus chain, for every control freed.
  if (parent_ != nullptr) {
    TWinControl* const old = parent_;
    auto& list = old->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    parent_ = nullptr;
    if (align_ != alNone) old->Realign();
  }
  widget_->setProperty(kControlProperty, QVariant());
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  TWinControl* const old = parent_;
  if (old != nullptr) {
    auto& list = old->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  parent_ = parent;
  if (parent != nullptr) parent->controls_.push_back(this);
  if (!window_) widget_->setParent(parent != nullptr ? parent->widget_.get() : nullptr);
  ApplyGeometry();
  widget_->setVisible(visible_ && (parent_ != nullptr || window_));
  if (align_ != alNone && old != nullptr) old->Realign();
  if (align_ != alNone && parent != nullptr) parent->Realign();
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c != nullptr && !c->window_) c = c->parent_;
  return c != nullptr ? FormOf(const_cast<TControl*>(c)) : nullptr;
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  const TRect bounds = Bounds(left, top, width, height);
  if (bounds == bounds_) return;
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  ApplyGeometry();
  BoundsChanged();
  if (align_ != alNone || (parent_ != nullptr && !parent_->aligning_)) RequestAlign();
  if (resized) {
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->Realign();
    Resize();
  }
}

void TControl::MakeWindow() {
  window_ = true;
  CaptionChanged();
}

void TControl::SetFixedWindowSize(bool fixed) {
  if (fixed == fixedWindowSize_) return;
  fixedWindowSize_ = fixed;
  if (!fixed) {
    widget_->setMinimumSize(0, 0);
    widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  ApplyGeometry();
}

void TControl::ApplyGeometry() {
  const QRect geometry(bounds_.Left, bounds_.Top, bounds_.Width(), bounds_.Height());
  if (window_) {
    if (fixedWindowSize_)
      widget_->setFixedSize(geometry.size());
    else
      widget_->resize(geometry.size());
    widget_->move(geometry.topLeft());
  } else {
    widget_->setGeometry(geometry);
  }
}

void TControl::RequestAlign() {
  if (parent_ != nullptr && align_ != alNone) parent_->Realign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, Width(), Height()); }

void TControl::SetClientSize(int32_t width, int32_t height) {
  const TRect client = ClientRect();
  SetBounds(Left(), Top(), Width() - client.Width() + width, Height() - client.Height() + height);
}

TPoint TControl::ClientToScreen(TPoint point) const {
  const QPoint global = widget_->mapToGlobal(QPoint(point.X, point.Y));
  return {global.x(), global.y()};
}

TPoint TControl::ScreenToClient(TPoint point) const {
  const QPoint local = widget_->mapFromGlobal(QPoint(point.X, point.Y));
  return {local.x(), local.y()};
}

void TControl::ScaleBy(int m, int d) {
  if (d == 0 || m == d) return;
  SetBounds(win::MulDiv(Left(), m, d), win::MulDiv(Top(), m, d), win::MulDiv(Width(), m, d),
            win::MulDiv(Height(), m, d));
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  widget_->setVisible(visible_ && (parent_ != nullptr || window_));
  if (align_ != alNone && parent_ != nullptr) parent_->Realign();
}

bool TControl::Showing() const { return widget_->isVisible(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

void TControl::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  CaptionChanged();
}

void TControl::CaptionChanged() {
  // Qt shows the program's name on a window with an empty title; Windows
  // shows an empty title bar.
  if (window_) widget_->setWindowTitle(caption_.empty() ? QStringLiteral(" ") : ToQString(caption_));
  if (paintsItself_) widget_->update();
}

void TControl::SetHint(std::string hint) {
  hint_ = std::move(hint);
  widget_->setToolTip(showHint_ ? ToQString(hint_) : QString());
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  widget_->setToolTip(showHint_ ? ToQString(hint_) : QString());
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::ColorChanged() { widget_->update(); }

void TControl::FontChanged() {
  if (!paintsItself_) widget_->setFont(ToQFont(font_));
  widget_->update();
}

void TControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  ApplyCursor();
}

void TControl::ApplyCursor() {
  if (cursor_ == crDefault) {
    widget_->unsetCursor();
  } else {
    widget_->setCursor(ToQCursor(cursor_));
  }
}

void TControl::Invalidate() { widget_->update(); }

void TControl::InvalidateRect(const TRect& rect) {
  widget_->update(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

void TControl::Update() {
  if (widget_->isVisible()) widget_->repaint(widget_->visibleRegion());
}

void TControl::Repaint() {
  widget_->update();
  Update();
}

void TControl::BringToFront() {
  widget_->raise();
  if (parent_ != nullptr) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
  }
}

void TControl::SendToBack() {
  widget_->lower();
  if (parent_ != nullptr) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

bool TControl::MouseCapture() const {
  return QWidget::mouseGrabber() == widget_.get() || pressedControl == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (capture) {
    widget_->grabMouse();
  } else {
    if (QWidget::mouseGrabber() == widget_.get()) widget_->releaseMouse();
    if (pressedControl == this) pressedControl = nullptr;
  }
}

TCanvas& TControl::Canvas() {
  if (paintCanvas_ != nullptr) return *paintCanvas_;
  if (measureCanvas_ == nullptr) measureCanvas_ = TCanvas::CreateCompatible();
  measureCanvas_->Font().Assign(font_);
  return *measureCanvas_;
}

void TControl::WndProc(TMessage& message) {
  if (message.Msg == WM_SETREDRAW) widget_->setUpdatesEnabled(message.WParam != 0);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  return parent_ != nullptr && parent_->DoMouseWheel(shift, wheelDelta, mousePos);
}

// -------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { Widget()->setFocusPolicy(Qt::ClickFocus); }

TWinControl::TWinControl(TComponent* owner, QWidget* widget) : TControl(owner, widget) {}

TWinControl::~TWinControl() {
  // Children belong to their owners; they only lose their place here.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

TControl* TWinControl::FindChildControl(std::string_view name) const {
  for (TControl* child : controls_) {
    if (!name.empty() && AnsiCompareText(child->Name(), name) == 0) return child;
  }
  for (TControl* child : controls_) {
    if (const auto* win = dynamic_cast<const TWinControl*>(child)) {
      if (TControl* found = win->FindChildControl(name)) return found;
    }
  }
  return nullptr;
}

void TWinControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  Widget()->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return ParentForm() != nullptr;
}

bool TWinControl::Focused() const {
  const QWidget* window = Widget()->window();
  return window->focusWidget() == Widget() && (window->isActiveWindow() || Widget()->hasFocus());
}

void TWinControl::SetFocus() {
  QWidget* window = Widget()->window();
  if (window->isVisible() && !window->isActiveWindow()) window->activateWindow();
  Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::ScrollWindow(int dx, int dy, const TRect* clip) {
  if (clip != nullptr) {
    Widget()->scroll(dx, dy, QRect(clip->Left, clip->Top, clip->Width(), clip->Height()));
  } else {
    Widget()->scroll(dx, dy);
  }
}

void TWinControl::SetRedraw(bool redraw) { Perform(WM_SETREDRAW, redraw ? 1 : 0, 0); }

void TWinControl::Realign() { AlignControls(); }

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  // Among controls of one alignment the earlier place goes first; ties keep
  // the children's order.
  auto ordered = [this](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* child : controls_) {
      if (child->Align() == align && child->Visible()) list.push_back(child);
    }
    std::stable_sort(list.begin(), list.end(), [align](const TControl* a, const TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    return list;
  };
  for (TControl* c : ordered(alTop)) {
    c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
    rect.Top += c->Height();
  }
  for (TControl* c : ordered(alBottom)) {
    c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
    rect.Bottom -= c->Height();
  }
  for (TControl* c : ordered(alLeft)) {
    c->SetBounds(rect.Left, rect.Top, c->Width(), std::max(0, rect.Height()));
    rect.Left += c->Width();
  }
  for (TControl* c : ordered(alRight)) {
    c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), std::max(0, rect.Height()));
    rect.Right -= c->Width();
  }
  for (TControl* c : ordered(alClient)) {
    c->SetBounds(rect.Left, rect.Top, std::max(0, rect.Width()), std::max(0, rect.Height()));
  }
  aligning_ = false;
}

void TWinControl::Resize() { TControl::Resize(); }

void TWinControl::ScaleBy(int m, int d) {
  if (d == 0 || m == d) return;
  const std::vector<TControl*> children = controls_;
  for (TControl* child : children) child->ScaleBy(m, d);
  TControl::ScaleBy(m, d);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  for (TControl* child : controls_) {
    if (child->Visible() && WheelScrollsBar(*child, wheelDelta)) return true;
  }
  return TControl::DoMouseWheel(shift, wheelDelta, mousePos);
}

// ----------------------------------------------------------------- dispatch

TControl* ControlOf(const QWidget* widget) {
  if (widget == nullptr) return nullptr;
  return static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
}

void PostMessage(TControl& control, uint32_t msg, intptr_t wParam, intptr_t lParam) {
  EnsureQtApplication();
  QCoreApplication::postEvent(TControl::Access::Widget(control), new MessageEvent({msg, wParam, lParam, 0}));
}

intptr_t SendMessage(TControl& control, uint32_t msg, intptr_t wParam, intptr_t lParam) {
  return control.Perform(msg, wParam, lParam);
}

void TControl::Access::TakeWindowGeometry(TControl& control) {
  const QRect geometry(control.widget_->pos(), control.widget_->size());
  const TRect bounds = Bounds(geometry.x(), geometry.y(), geometry.width(), geometry.height());
  if (bounds == control.bounds_) return;
  const bool resized = bounds.Width() != control.bounds_.Width() || bounds.Height() != control.bounds_.Height();
  control.bounds_ = bounds;
  if (resized) {
    if (auto* win = dynamic_cast<TWinControl*>(&control)) win->Realign();
    control.Resize();
  }
}

namespace {

bool DispatchKey(TControl& control, QKeyEvent& event, bool press) {
  auto* target = dynamic_cast<TWinControl*>(&control);
  if (target == nullptr) return false;
  uint16_t key = VirtualKeyOf(event);
  const TShiftState shift = ShiftOf(event.modifiers(), Qt::NoButton);
  TForm* const form = control.ParentForm();
  TWinControl* const preview = form != nullptr && FormKeyPreview(*form) ? FormControl(*form) : nullptr;
  if (key != 0) {
    if (press && MenuShortCut(control, key, shift)) return true;
    if (preview != nullptr && preview != target) {
      RunGuarded(preview, [&] { press ? preview->KeyDown(key, shift) : preview->KeyUp(key, shift); });
      if (key == 0) return true;
    }
    press ? target->KeyDown(key, shift) : target->KeyUp(key, shift);
    if (key == 0) return true;
    if (press && form != nullptr && !control.WantsKey(key) && FormDialogKey(*form, key, shift)) return true;
  }
  if (!press) return false;
  const std::string text = FromQString(event.text());
  if (text.size() != 1 || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
  char ch = text[0];
  if (preview != nullptr && preview != target) {
    RunGuarded(preview, [&] { preview->KeyPress(ch); });
    if (ch == 0) return true;
  }
  target->KeyPress(ch);
  return ch == 0;
}

}  // namespace

bool TControl::Access::Dispatch(TControl& control, QWidget& widget, QEvent* event) {
  const bool own = control.paintsItself_;
  // Disabled controls get no input, as in Windows; Qt's own handling drops it.
  if (!widget.isEnabled()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease: return false;
      default: break;
    }
  }
  if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
      event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick) {
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    NoteMousePosition({global.x(), global.y()});
  }
  if (event->type() == kMessageEvent) {
    TMessage message = static_cast<MessageEvent*>(event)->message_;
    control.WndProc(message);
    return true;
  }
  switch (event->type()) {
    case QEvent::Paint:
      if (!own) return false;
      PaintControl(control, widget, *static_cast<QPaintEvent*>(event), control.paintCanvas_, control.paintFailed_);
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto& mouse = *static_cast<QMouseEvent*>(event);
      const QPoint p = mouse.position().toPoint();
      const TMouseButton button = MouseButtonOf(mouse.button());
      TShiftState shift = ShiftOf(mouse.modifiers(), mouse.buttons());
      pressedControl = &control;
      if (event->type() == QEvent::MouseButtonDblClick) {
        shift |= ssDouble;
        control.clickPending_ = false;
        control.DblClick();
      } else {
        control.clickPending_ = button == mbLeft;
      }
      control.MouseDown(button, shift, p.x(), p.y());
      if (own) event->accept();
      return own;
    }
    case QEvent::MouseButtonRelease: {
      auto& mouse = *static_cast<QMouseEvent*>(event);
      const QPoint p = mouse.position().toPoint();
      const TMouseButton button = MouseButtonOf(mouse.button());
      if (mouse.buttons() == Qt::NoButton && pressedControl == &control) pressedControl = nullptr;
      control.MouseUp(button, ShiftOf(mouse.modifiers(), mouse.buttons()), p.x(), p.y());
      // Native buttons click through Qt's signal; the layer's own controls
      // click when the left button comes up where it went down.
      if (own && button == mbLeft && control.clickPending_) {
        control.clickPending_ = false;
        if (widget.rect().contains(p)) control.Click();
      }
      if (own) event->accept();
      return own;
    }
    case QEvent::MouseMove: {
      auto& mouse = *static_cast<QMouseEvent*>(event);
      const QPoint p = mouse.position().toPoint();
      control.MouseMove(ShiftOf(mouse.modifiers(), mouse.buttons()), p.x(), p.y());
      if (own) event->accept();
      return own;
    }
    case QEvent::Wheel: {
      auto& wheel = *static_cast<QWheelEvent*>(event);
      const int delta = wheel.angleDelta().y();
      if (delta == 0) return false;
      const QPoint global = wheel.globalPosition().toPoint();
      const bool handled =
          control.DoMouseWheel(ShiftOf(wheel.modifiers(), wheel.buttons()), delta, {global.x(), global.y()});
      if (handled || own) event->accept();
      return handled || own;
    }
    case QEvent::Enter:
      control.MouseEnter();
      return false;
    case QEvent::Leave:
      control.MouseLeave();
      return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      auto* win = dynamic_cast<TWinControl*>(&control);
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // The class library's enter and exit follow the form's active control,
      // not the window system's activation of whole windows.
      if (win != nullptr && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        if (event->type() == QEvent::FocusIn) {
          win->DoEnter();
        } else {
          win->DoExit();
        }
      }
      return false;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return DispatchKey(control, *static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
    case QEvent::Resize:
    case QEvent::Move:
      if (control.window_) TakeWindowGeometry(control);
      return false;
    case QEvent::Close:
      if (!control.window_) return false;
      if (!FormCloseRequested(control)) event->ignore();
      return true;
    case QEvent::ContextMenu: {
      auto& menu = *static_cast<QContextMenuEvent*>(event);
      const QPoint global = menu.globalPos();
      return ShowPopupMenuOf(control, {global.x(), global.y()});
    }
    default:
      return false;
  }
}

}  // namespace cl
