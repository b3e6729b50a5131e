#include "platform/gui/test_support/gui_test.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/QTest>

#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "platform/gui/application.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/menu_widget.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/qt_input.h"
#include "platform/gui/virtual_keys.h"

namespace cl::testing {

namespace {

Qt::MouseButton QtButton(TMouseButton button) {
  switch (button) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

Qt::KeyboardModifiers QtModifiers(TShiftState shift) {
  Qt::KeyboardModifiers modifiers;
  if (shift & ssShift) modifiers |= Qt::ShiftModifier;
  if (shift & ssCtrl) modifiers |= Qt::ControlModifier;
  if (shift & ssAlt) modifiers |= Qt::AltModifier;
  return modifiers;
}

// The control's window and the point in its coordinates.
QWindow* WindowAt(TControl& control, int x, int y, QPoint& windowPos) {
  QWidget* widget = TControl::Access::Widget(control);
  QWidget* top = widget->window();
  windowPos = widget->mapTo(top, QPoint(x, y));
  QWindow* window = top->windowHandle();
  if (window == nullptr) throw Exception("The control's form is not shown");
  return window;
}

QString TextOf(uint16_t vk, TShiftState shift, char text) {
  if (text != 0) return ToQString(std::string_view(&text, 1));
  if (vk >= 'A' && vk <= 'Z') return QString(QChar((shift & ssShift) ? vk : vk + 32));
  if (vk >= '0' && vk <= '9') return QString(QChar(vk));
  switch (vk) {
    case VK_RETURN: return QStringLiteral("\r");
    case VK_ESCAPE: return QString(QChar(27));
    case VK_BACK: return QStringLiteral("\b");
    case VK_TAB: return QStringLiteral("\t");
    case VK_SPACE: return QStringLiteral(" ");
    default: return {};
  }
}

}  // namespace

void EnsureGuiTestApplication() {
  EnsureQtApplication();
  static const bool fixed = [] {
    QApplication::setPalette(QApplication::style()->standardPalette());
    return true;
  }();
  (void)fixed;
}

bool QtApplicationExists() { return QCoreApplication::instance() != nullptr; }

void MakeConsoleQtApplication() {
  static int argc = 1;
  static char name[] = "console";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* const application = new QCoreApplication(argc, argv);
  (void)application;
}

namespace {

std::vector<std::function<void()>>& PendingStartActions() {
  static std::vector<std::function<void()>> actions;
  return actions;
}

void PostToApplication(std::function<void()> action) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(action), Qt::QueuedConnection);
}

// Called by Qt's application constructor.
void PostPendingStartActions() {
  for (auto& action : PendingStartActions()) PostToApplication(std::move(action));
  PendingStartActions().clear();
}

}  // namespace

void WhenQtApplicationRuns(std::function<void()> action) {
  if (QtApplicationExists()) {
    PostToApplication(std::move(action));
    return;
  }
  if (PendingStartActions().empty()) qAddPreRoutine(PostPendingStartActions);
  PendingStartActions().push_back(std::move(action));
}

void ProcessEvents() {
  EnsureGuiTestApplication();
  Application().ProcessMessages();
}

ExceptionRecorder::ExceptionRecorder() {
  Application().SetExceptionHandler([this](const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    messages_.push_back(own != nullptr ? own->Message() : error.what());
  });
}

ExceptionRecorder::~ExceptionRecorder() { Application().SetExceptionHandler(nullptr); }

void MouseDown(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  QTest::mousePress(window, QtButton(button), QtModifiers(shift), pos);
}

void MouseUp(TControl& control, int x, int y, TMouseButton button, TShiftState shift) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  QTest::mouseRelease(window, QtButton(button), QtModifiers(shift), pos);
}

void MouseMove(TControl& control, int x, int y, TShiftState) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  QTest::mouseMove(window, pos);
}

void Click(TControl& control, int x, int y, TMouseButton button) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  QTest::mouseClick(window, QtButton(button), Qt::KeyboardModifiers(), pos);
}

struct PressedMouseButton::Press {
  QPointer<QWindow> window;
  QPoint pos;
  Qt::MouseButton button;
  Qt::KeyboardModifiers modifiers;
  bool released = false;
};

PressedMouseButton::PressedMouseButton(TControl& control, int x, int y, TMouseButton button, TShiftState shift)
    : press_(std::make_unique<Press>()) {
  press_->window = WindowAt(control, x, y, press_->pos);
  press_->button = QtButton(button);
  press_->modifiers = QtModifiers(shift);
  QTest::mousePress(press_->window, press_->button, press_->modifiers, press_->pos);
}

PressedMouseButton::~PressedMouseButton() {
  if (press_->released) return;
  if (press_->window != nullptr) {
    QTest::mouseRelease(press_->window, press_->button, press_->modifiers, press_->pos);
    return;
  }
  // The pressed window went with what the test freed: any window takes the
  // release of the held button.
  QWindow standIn;
  standIn.resize(1, 1);
  QTest::mouseRelease(&standIn, press_->button, press_->modifiers, QPoint(0, 0));
}

void PressedMouseButton::Release(TControl& control, int x, int y) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  press_->released = true;
  QTest::mouseRelease(window, press_->button, press_->modifiers, pos);
}

void DoubleClick(TControl& control, int x, int y) {
  QPoint pos;
  QWindow* window = WindowAt(control, x, y, pos);
  QTest::mouseDClick(window, Qt::LeftButton, Qt::KeyboardModifiers(), pos);
}

void Wheel(TControl& control, int x, int y, int delta) {
  QWidget* widget = TControl::Access::Widget(control);
  const QPointF local(x, y);
  const QPointF global = widget->mapToGlobal(local);
  QWheelEvent event(local, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(widget, &event);
}

void PressKey(TControl& control, uint16_t virtualKey, TShiftState shift, char text) {
  QWidget* widget = TControl::Access::Widget(control);
  const int key = QtKeyOf(virtualKey);
  const QString typed = TextOf(virtualKey, shift, text);
  QKeyEvent press(QEvent::KeyPress, key, QtModifiers(shift), typed);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, QtModifiers(shift), typed);
  QApplication::sendEvent(widget, &release);
}

void TypeKey(TForm& form, uint16_t virtualKey, TShiftState shift) {
  QWindow* const window = TControl::Access::Widget(form)->windowHandle();
  if (window == nullptr) throw Exception("The form is not shown");
  QTest::sendKeyEvent(QTest::Click, window, static_cast<Qt::Key>(QtKeyOf(virtualKey)),
                      TextOf(virtualKey, shift, 0), QtModifiers(shift));
}

void CloseByTitleBar(TForm& form) { TControl::Access::Widget(form)->close(); }

namespace {

std::vector<ShownMenuItem> ShownItems(const QMenu& menu) {
  std::vector<ShownMenuItem> items;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    ShownMenuItem item;
    item.caption = FromQString(action->text());
    item.shortCut = FromQString(action->shortcut().toString(QKeySequence::PortableText));
    item.enabled = action->isEnabled();
    if (const QMenu* sub = action->menu()) {
      item.enabled = sub->isEnabled();
      item.items = ShownItems(*sub);
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace

std::vector<ShownMenuItem> ShownMenu(TPopupMenu& menu) {
  QMenu qt;
  FillQtMenu(qt, menu.Items());
  return ShownItems(qt);
}

std::string ShownWindowTitle(TForm& form) {
  const QString title = TControl::Access::Widget(form)->windowTitle();
  return FromQString(title.isEmpty() ? QCoreApplication::applicationName() : title);
}

bool UserCanResize(TForm& form) {
  const QWidget* const widget = TControl::Access::Widget(form);
  return widget->minimumSize() != widget->maximumSize();
}

namespace {

QWidget* FindWindowWidget() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QStringLiteral("FindDialog") && top->isVisible()) return top;
  }
  return nullptr;
}

QWindow& FindWindowHandle() {
  QWidget* const window = FindWindowWidget();
  if (window == nullptr || window->windowHandle() == nullptr) throw Exception("The find window is not shown");
  return *window->windowHandle();
}

}  // namespace

bool FindWindowShowing() { return FindWindowWidget() != nullptr; }

void TypeIntoFindWindow(std::string_view cp1250) {
  for (const QChar typed : ToQString(cp1250)) {
    // The key of a letter is its capital's code, as the window system gives it.
    const auto key = static_cast<Qt::Key>(typed.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, &FindWindowHandle(), key, QString(typed), Qt::NoModifier);
  }
}

void PressKeyInFindWindow(uint16_t virtualKey, TShiftState shift) {
  QTest::sendKeyEvent(QTest::Click, &FindWindowHandle(), static_cast<Qt::Key>(QtKeyOf(virtualKey)),
                      TextOf(virtualKey, shift, 0), QtModifiers(shift));
}

std::vector<std::string> FindWindowTexts() {
  std::vector<std::string> texts;
  QWidget* const window = FindWindowWidget();
  if (window == nullptr) return texts;
  texts.push_back(FromQString(window->windowTitle()));
  for (const QLabel* label : window->findChildren<QLabel*>()) texts.push_back(FromQString(label->text()));
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
    texts.push_back(FromQString(button->text()));
  return texts;
}

std::string FindWindowText() {
  QWidget* const window = FindWindowWidget();
  const QLineEdit* const edit = window != nullptr ? window->findChild<QLineEdit*>() : nullptr;
  return edit != nullptr ? FromQString(edit->text()) : std::string();
}

struct ModalDriver::Poll {
  QTimer timer;
  TForm* ranOn = nullptr;
};

ModalDriver::ModalDriver(std::string formName, std::function<void(TForm&)> action, std::chrono::milliseconds timeout)
    : formName_(std::move(formName)),
      action_(std::move(action)),
      timeout_(timeout),
      start_(std::chrono::steady_clock::now()),
      poll_(std::make_unique<Poll>()) {
  EnsureGuiTestApplication();
  QObject::connect(&poll_->timer, &QTimer::timeout, [this] { Tick(); });
  poll_->timer.start(10);
}

ModalDriver::~ModalDriver() {
  poll_->timer.stop();
  if (!ran_ && !failed_) ADD_FAILURE() << "The modal form " << formName_ << " was never shown";
}

void ModalDriver::Tick() {
  const auto now = std::chrono::steady_clock::now();
  TForm* const active = TForm::ActiveModalForm();
  if (!ran_) {
    if (active != nullptr && AnsiCompareText(active->Name(), formName_) == 0) {
      ran_ = true;
      ranAt_ = now;
      poll_->ranOn = active;
      try {
        action_(*active);
      } catch (const std::exception& error) {
        ADD_FAILURE() << "The action on " << formName_ << " raised: " << error.what();
        if (TForm::ActiveModalForm() == active) active->SetModalResult(mrCancel);
      }
      return;
    }
    if (!failed_ && now - start_ > timeout_) {
      failed_ = true;
      if (active != nullptr) {
        ADD_FAILURE() << "The modal form " << active->Name() << " showed instead of " << formName_;
        active->SetModalResult(mrCancel);
      }
    }
    return;
  }
  if (!failed_ && active != nullptr && active == poll_->ranOn && now - ranAt_ > timeout_) {
    failed_ = true;
    ADD_FAILURE() << "The modal form " << formName_ << " hung; the watchdog closed it";
    active->SetModalResult(mrCancel);
  }
}

TControl* FindNamedControl(TForm& form, std::string_view name) {
  if (TControl* found = form.FindChildControl(name)) return found;
  return dynamic_cast<TControl*>(form.FindComponent(name));
}

void FailMissingChild(std::string_view name) {
  ADD_FAILURE() << "No child named " << name;
  throw Exception("No child named " + std::string(name));
}

}  // namespace cl::testing
