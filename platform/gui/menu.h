#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/component.h"
#include "platform/gui/control.h"

namespace cl {

// A key with its shift state: the virtual-key code or-ed with these bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
TShortCut ShortCut(uint16_t key, TShiftState shift);

// A menu item; a caption of "-" is a separator. Items own their sub-items.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner = nullptr) : TComponent(owner) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
  bool IsLine() const { return caption_ == "-"; }

  TMenuItem* Add(std::unique_ptr<TMenuItem> item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TMenuItem* Parent() const { return parent_; }
  // An item with the name at any depth, ignoring case.
  TMenuItem* Find(std::string_view name) const;

  // Runs OnClick when the item is enabled.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  TShortCut shortCut_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

// A pop-up menu: shown by a right click on a control that names it (or a
// parent that does), or by Popup. Its items' shortcuts work while the focus
// is inside such a control.
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);

  TMenuItem& Items() { return items_; }
  // Shows the menu at a screen point and runs the chosen item. OnPopup runs
  // first. Tests replace the showing (SetPopupHandler).
  void Popup(int32_t x, int32_t y);
  // The enabled, visible item with the shortcut is clicked; true when found.
  bool IsShortCut(uint16_t key, TShiftState shift);
  TControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TControl* control) { popupComponent_ = control; }

  TNotifyEvent OnPopup;

  // Replaces showing menus (tests record the menu and the point); an empty
  // handler restores Qt's menu.
  using TPopupHandler = std::function<void(TPopupMenu& menu, TPoint screenPos)>;
  static void SetPopupHandler(TPopupHandler handler);

 private:
  TMenuItem items_;
  TControl* popupComponent_ = nullptr;
};

// Shortcuts of the pop-up menus of control and its parents; true when one ran.
bool MenuShortCut(TControl& control, uint16_t key, TShiftState shift);

}  // namespace cl
