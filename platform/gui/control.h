#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/canvas.h"
#include "platform/gui/colors.h"
#include "platform/gui/component.h"
#include "platform/gui/cursors.h"
#include "platform/gui/font.h"
#include "platform/gui/geometry.h"
#include "platform/gui/messages.h"

class QWidget;

namespace cl {

class TWinControl;
class TForm;
class TPopupMenu;

// The layer's own alignment: children are placed in this order inside their
// parent's client rectangle (top ones by their Top, bottom ones from the
// bottom up, then left, right, and the client one in what is left).
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

using TShiftState = uint16_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// A control: owner (lifetime) and parent (placement) apart, bounds in pixels
// of the parent's client area, visibility, colour, font, cursor and the mouse
// handlers. Each control owns its Qt widget; Qt's events arrive at the
// virtual handlers below, each inside the handler guard.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form the control sits on (itself for a form), or null.
  TForm* ParentForm() const;

  int32_t Left() const { return bounds_.Left; }
  int32_t Top() const { return bounds_.Top; }
  int32_t Width() const { return bounds_.Width(); }
  int32_t Height() const { return bounds_.Height(); }
  void SetLeft(int32_t left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int32_t top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int32_t width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int32_t height) { SetBounds(Left(), Top(), Width(), height); }
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TRect BoundsRect() const { return bounds_; }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area in the control's own coordinates (frames excluded).
  virtual TRect ClientRect() const;
  int32_t ClientWidth() const { return ClientRect().Width(); }
  int32_t ClientHeight() const { return ClientRect().Height(); }
  void SetClientSize(int32_t width, int32_t height);
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;
  // Multiplies bounds (and the children's) by m / d, as a form designed at
  // another pixel density is scaled to the screen's.
  virtual void ScaleBy(int m, int d);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent up to a shown window visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::string& Text() const { return Caption(); }
  void SetText(std::string text) { SetCaption(std::move(text)); }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // Marks the whole control for repainting; Update paints what is marked now.
  virtual void Invalidate();
  void InvalidateRect(const TRect& rect);
  void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Runs the Click handling as a user's click would.
  virtual void Click();
  // A message sent straight to the control (SendMessage).
  intptr_t Perform(uint32_t msg, intptr_t wParam, intptr_t lParam);
  // Whether the mouse is captured by this control: on while a button is held
  // after a press on it (Windows' implicit capture), or set by the program.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The canvas: during Paint the one drawing on the control; otherwise a
  // measuring canvas with the control's font (what it draws goes nowhere).
  TCanvas& Canvas();

  // Handlers of the control's events; overrides call the base to keep the
  // class library's events firing.
  virtual void WndProc(TMessage& message);
  virtual void Paint() {}
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void DblClick();
  virtual void Resize();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // A wheel turn over the control (delta 120 a notch, positive away from the
  // user); true when handled. The base scrolls the nearest vertical scroll
  // bar by three line steps a notch (TWinControl).
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  // A control that uses Enter or Esc itself (a memo's Enter) keeps the form
  // from clicking its default or cancel button.
  virtual bool WantsKey(uint16_t key) const {
    (void)key;
    return false;
  }

  struct Access;  // platform/gui's own

 protected:
  // For controls that bring their own Qt widget (buttons, edits, ...): the
  // control owns widget from now on.
  TControl(TComponent* owner, QWidget* widget);
  // Controls painting themselves get Paint calls; native ones paint as Qt.
  void SetPaintsItself(bool paints) { paintsItself_ = paints; }
  // Text and colour changes reach the native widget here.
  virtual void CaptionChanged();
  virtual void ColorChanged();
  virtual void FontChanged();
  virtual void BoundsChanged() {}
  QWidget* Widget() const { return widget_.get(); }
  // Forms: the widget is a top-level window, shown without a parent.
  void MakeWindow();
  bool IsWindow() const { return window_; }
  // A window whose border the user cannot drag: its size changes from code
  // only, and the window system is told so (no resize hints).
  void SetFixedWindowSize(bool fixed);

 private:
  friend class TWinControl;
  friend struct Access;
  struct WidgetDeleter {
    void operator()(QWidget* widget) const;
  };
  void ApplyGeometry();
  void ApplyCursor();
  void RequestAlign();

  std::unique_ptr<QWidget, WidgetDeleter> widget_;
  TWinControl* parent_ = nullptr;
  TRect bounds_;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  bool paintsItself_ = false;
  bool showHint_ = false;
  bool window_ = false;
  bool fixedWindowSize_ = false;
  bool clickPending_ = false;
  bool paintFailed_ = false;
  std::string caption_;
  std::string hint_;
  TColor color_ = clBtnFace;
  TFont font_;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  std::unique_ptr<TCanvas> measureCanvas_;
  TCanvas* paintCanvas_ = nullptr;
};

// A control that holds children, takes the focus and sees the keys.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // A child (at any depth) with the name, ignoring case.
  TControl* FindChildControl(std::string_view name) const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  // Moves the client area's pixels by (dx, dy) and marks the uncovered strip
  // for repainting (ScrollWindow); a clip rectangle limits both.
  void ScrollWindow(int dx, int dy, const TRect* clip = nullptr);
  // WM_SETREDRAW: off keeps the control from painting until switched on.
  void SetRedraw(bool redraw);
  // Places the aligned children again.
  void Realign();
  // Shrinks rect (the client rectangle) to where aligned children go.
  virtual void AdjustClientRect(TRect& rect) const { (void)rect; }

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void DoEnter();
  virtual void DoExit();
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void ScaleBy(int m, int d) override;

 protected:
  TWinControl(TComponent* owner, QWidget* widget);
  void Resize() override;

 private:
  friend class TControl;
  void AlignControls();

  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  bool aligning_ = false;
};

}  // namespace cl
