#pragma once

#include <cstdint>
#include <functional>

#include "platform/gui/bitmap.h"
#include "platform/gui/control.h"

namespace cl {

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A window's state and its rectangle when neither minimised nor maximised.
struct TWindowPlacement {
  TWindowState State = wsNormal;
  TRect Normal;
};

// A top-level window. Bounds are the client area's place on the screen.
// ShowModal runs a nested loop until ModalResult is set: Esc clicks the
// cancel button, Enter the default (or focused) button, and the title bar's
// close gives mrCancel.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Shows the form modally and answers its modal result.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  bool Modal() const { return modal_; }
  // The form shown modally last (innermost), or null.
  static TForm* ActiveModalForm();

  // As the title bar's close: OnCloseQuery, then OnClose with caHide (caFree
  // releases the form); a modal form gets mrCancel.
  void Close();
  // The deferred release of the form (safe inside its own events).
  void Release();

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool preview) { keyPreview_ = preview; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  TWindowPlacement Placement() const;
  void SetPlacement(const TWindowPlacement& placement);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  // The pixel density the form was designed at; when Scaled, the first show
  // scales bounds by the screen's pixels per inch over it.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }

  // fsStayOnTop keeps the window above the others of the desktop.
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  bool StaysOnTop() const;
  // The help topic of the form (kept for the caller's help system).
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t context) { helpContext_ = context; }

  // The focused control of the form (or the one to focus when it shows).
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);

  // The window's icon (the bitmap's bottom-left colour is transparent).
  void SetIcon(TBitmap& icon);

  void SetVisible(bool visible) override;
  void Paint() override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // Esc and Enter: clicks the cancel or default button; true when handled.
  virtual bool DialogKey(uint16_t key, TShiftState shift);
  virtual bool CloseQuery();

 private:
  friend bool FormCloseRequested(TControl& window);
  void PrepareFirstShow();
  // The end of a modal loop or a close: false when OnClose refused it.
  bool DoClose(TCloseAction& action);

  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  bool keyPreview_ = false;
  bool shownOnce_ = false;
  bool scaled_ = true;
  int pixelsPerInch_ = 96;
  TWindowState windowState_ = wsNormal;
  TRect normalBounds_;
  TPosition position_ = poDesigned;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TFormStyle formStyle_ = fsNormal;
  int32_t helpContext_ = 0;
  void ApplyWindowFlags();
  TWinControl* activeControl_ = nullptr;
  class ModalLoop* loop_ = nullptr;
};

}  // namespace cl
