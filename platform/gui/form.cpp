#include "platform/gui/form.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/core/exception.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/control_hooks.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/screen.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

class ModalLoop {
 public:
  QEventLoop loop;
};

namespace {

// The forms in ShowModal, innermost last. GUI thread only.
std::vector<TForm*>& ModalForms() {
  static std::vector<TForm*> forms;
  return forms;
}

// The first enabled, visible button below control that passes the test.
TButton* FindButton(TWinControl& control, bool (*test)(const TButton&)) {
  for (int i = 0; i < control.ControlCount(); ++i) {
    TControl* child = control.Controls(i);
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto* button = dynamic_cast<TButton*>(child); button != nullptr && test(*button)) return button;
    if (auto* win = dynamic_cast<TWinControl*>(child)) {
      if (TButton* found = FindButton(*win, test)) return found;
    }
  }
  return nullptr;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  MakeWindow();
  Widget()->setParent(nullptr, Qt::Window);
  Widget()->setFocusPolicy(Qt::NoFocus);
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  normalBounds_ = BoundsRect();
}

TForm::~TForm() {
  auto& forms = ModalForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

TForm* TForm::ActiveModalForm() { return ModalForms().empty() ? nullptr : ModalForms().back(); }

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw Exception("Cannot make a visible window modal");
  EnsureQtApplication();
  modalResult_ = mrNone;
  modal_ = true;
  ModalForms().push_back(this);
  Widget()->setWindowModality(Qt::ApplicationModal);
  ModalLoop loop;
  loop_ = &loop;
  struct Restore {
    TForm& form;
    ~Restore() {
      form.loop_ = nullptr;
      auto& forms = ModalForms();
      forms.erase(std::remove(forms.begin(), forms.end(), &form), forms.end());
      form.modal_ = false;
      form.Hide();
      form.Widget()->setWindowModality(Qt::NonModal);
    }
  } restore{*this};
  Show();
  Widget()->activateWindow();
  while (true) {
    if (modalResult_ == mrNone && !Application().Terminated()) loop.loop.exec();
    if (Application().Terminated() && modalResult_ == mrNone) modalResult_ = mrCancel;
    if (modalResult_ == mrNone) continue;
    TCloseAction action = caHide;
    if (DoClose(action)) break;
    modalResult_ = mrNone;
  }
  return modalResult_;
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (modal_ && result != mrNone && loop_ != nullptr) loop_->loop.quit();
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

bool TForm::DoClose(TCloseAction& action) {
  if (!CloseQuery()) return false;
  if (OnClose) OnClose(this, action);
  return action != caNone;
}

void TForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  TCloseAction action = caHide;
  if (!DoClose(action)) return;
  switch (action) {
    case caMinimize: SetWindowState(wsMinimized); return;
    case caFree: Hide(); Release(); break;
    default: Hide(); break;
  }
  if (Application().MainForm() == this) Application().Terminate();
}

void TForm::Release() {
  if (Owner() != nullptr) {
    cl::Release(this);
  } else {
    // An ownerless form is its maker's to free; it only goes away from view.
    Hide();
  }
}

void TForm::PrepareFirstShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  const int screenPpi = Screen().PixelsPerInch();
  if (scaled_ && pixelsPerInch_ > 0 && screenPpi != pixelsPerInch_) {
    ScaleBy(screenPpi, pixelsPerInch_);
    pixelsPerInch_ = screenPpi;
  }
  if (position_ == poScreenCenter) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(),
                Height());
    }
  }
  normalBounds_ = BoundsRect();
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) PrepareFirstShow();
  TWinControl::SetVisible(visible);
  if (visible) {
    switch (windowState_) {
      case wsMaximized: Widget()->showMaximized(); break;
      case wsMinimized: Widget()->showMinimized(); break;
      default: break;
    }
    Realign();
    if (activeControl_ != nullptr && activeControl_->CanFocus()) activeControl_->SetFocus();
    if (OnShow) OnShow(this);
  } else if (OnHide) {
    OnHide(this);
  }
}

TWindowState TForm::WindowState() const {
  if (!Visible()) return windowState_;
  const Qt::WindowStates states = Widget()->windowState();
  if (states & Qt::WindowMinimized) return wsMinimized;
  if (states & Qt::WindowMaximized) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  if (WindowState() == wsNormal) normalBounds_ = BoundsRect();
  windowState_ = state;
  if (!Visible()) return;
  switch (state) {
    case wsMaximized: Widget()->showMaximized(); break;
    case wsMinimized: Widget()->showMinimized(); break;
    default:
      Widget()->showNormal();
      SetBoundsRect(normalBounds_);
      break;
  }
}

TWindowPlacement TForm::Placement() const {
  return {WindowState(), WindowState() == wsNormal ? BoundsRect() : normalBounds_};
}

void TForm::SetPlacement(const TWindowPlacement& placement) {
  normalBounds_ = placement.Normal;
  if (WindowState() == wsNormal) SetBoundsRect(placement.Normal);
  SetWindowState(placement.State);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  ApplyWindowFlags();
}

bool TForm::StaysOnTop() const { return (Widget()->windowFlags() & Qt::WindowStaysOnTopHint) != 0; }

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog:
      flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
      break;
    case bsToolWindow: flags = Qt::Tool; break;
    default: break;
  }
  if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  SetFixedWindowSize(borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow);
  const bool shown = Widget()->isVisible();
  Widget()->setWindowFlags(flags);
  if (shown) Widget()->show();
}

TWinControl* TForm::ActiveControl() const {
  // The focus may sit in a part of a control's widget (a spin edit's text).
  for (const QWidget* widget = Widget()->focusWidget(); widget != nullptr && widget != Widget();
       widget = widget->parentWidget()) {
    if (auto* win = dynamic_cast<TWinControl*>(ControlOf(widget)); win != nullptr && win->ParentForm() == this)
      return win;
  }
  return activeControl_;
}

void TForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control != nullptr && Visible() && control->CanFocus()) control->SetFocus();
}

void TForm::SetIcon(TBitmap& icon) {
  if (icon.Empty()) {
    Widget()->setWindowIcon(QIcon());
    return;
  }
  QImage image = icon.Handle()->image.convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == transparent) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
  }
  Widget()->setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

void TForm::Paint() { Canvas().FillRect(ClientRect(), Color()); }

bool TForm::DialogKey(uint16_t key, TShiftState shift) {
  if ((shift & (ssAlt | ssCtrl)) != 0) return false;
  TButton* button = nullptr;
  if (key == VK_ESCAPE && shift == 0) {
    button = FindButton(*this, [](const TButton& b) { return b.Cancel(); });
  } else if (key == VK_RETURN) {
    button = dynamic_cast<TButton*>(ActiveControl());
    if (button == nullptr) button = FindButton(*this, [](const TButton& b) { return b.Default(); });
  }
  if (button == nullptr) return false;
  button->Click();
  return true;
}

// ---------------------------------------------------------------- hooks

TForm* FormOf(TControl* window) { return dynamic_cast<TForm*>(window); }

TWinControl* FormControl(TForm& form) { return &form; }

bool FormKeyPreview(const TForm& form) { return form.KeyPreview(); }

bool FormDialogKey(TForm& form, uint16_t key, TShiftState shift) {
  if (key != VK_ESCAPE && key != VK_RETURN) return false;
  bool handled = false;
  RunGuarded(&form, [&] { handled = form.DialogKey(key, shift); });
  return handled;
}

bool FormCloseRequested(TControl& window) {
  if (TForm* form = FormOf(&window)) form->Close();
  return false;
}

}  // namespace cl
