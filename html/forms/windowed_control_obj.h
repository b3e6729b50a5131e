#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "html/document/attributes.h"
#include "html/document/form_control_obj.h"
#include "platform/gui/control.h"

namespace html {

// A form control with a window of the class library on the document's
// panel. The window is made off the panel (top -400) until the layout places
// it, and goes away with the object.
class TWindowedControlObj : public TFormControlObj {
 public:
  TWindowedControlObj(TSectionList* document, const TAttributeList& attributes);
  ~TWindowedControlObj() override;

  bool HasWindow() const override { return true; }
  int32_t Width() const override { return win_->Width(); }
  int32_t Height() const override { return win_->Height(); }
  void ShowAt(int32_t x, int32_t y) override;
  void Hide() override;
  // Visible, off the panel's left edge.
  void MoveAway() override;
  bool Focused() const override;
  cl::TWinControl* WinControl() const override { return win_.get(); }
  cl::TWinControl& Window() const { return *win_; }

 protected:
  // Takes the window, puts it on the panel and binds its focus events.
  void SetWindow(std::unique_ptr<cl::TWinControl> window);
  // The document's preformatted face at 10 points (edits, lists, text areas).
  void UsePreFont(cl::TWinControl& window) const;
  // The object-click callback; false when the object was freed meanwhile
  // (the application loaded another document from it).
  bool ObjectClicked(const std::string& onClick);
  // Expires when the object starts going; handlers check it after calling out.
  std::weak_ptr<const char> Alive() const { return alive_; }
  // From here on the window's handlers do nothing.
  void Dying() { alive_.reset(); }
  // A window handler that runs only while this object lives (a window
  // released to finish its own click fires events as it is taken away).
  template <class... Args, class F>
  std::function<void(Args...)> WhileAlive(F handler) {
    return [alive = Alive(), handler = std::move(handler)](Args... args) {
      if (!alive.expired()) handler(std::forward<Args>(args)...);
    };
  }

 private:
  void EnterEvent();
  void ExitEvent();

  std::unique_ptr<cl::TWinControl> win_;
  std::shared_ptr<const char> alive_ = std::make_shared<const char>(0);
};

// Attribute helpers the control classes share.
std::string AttributeText(const TAttributeList& attributes, HtmlSymbol code, const std::string& missing = "");
// The attribute's integer kept within [low, high]; missing when absent.
int32_t AttributeNumber(const TAttributeList& attributes, HtmlSymbol code, int32_t missing, int32_t low,
                        int32_t high);

}  // namespace html
