#include "platform/gui/menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "platform/core/ansi_case.h"
#include "platform/gui/control_hooks.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/menu_widget.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

TPopupMenu::TPopupHandler& PopupHandler() {
  static TPopupMenu::TPopupHandler handler;
  return handler;
}

// Qt's portable name of a key a shortcut may use; empty for none.
QString KeyName(uint16_t vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return QChar(vk);
  if (vk >= VK_F1 && vk <= 0x87) return QStringLiteral("F%1").arg(vk - VK_F1 + 1);
  switch (vk) {
    case VK_BACK: return QStringLiteral("Backspace");
    case VK_TAB: return QStringLiteral("Tab");
    case VK_RETURN: return QStringLiteral("Return");
    case VK_ESCAPE: return QStringLiteral("Esc");
    case VK_SPACE: return QStringLiteral("Space");
    case VK_PRIOR: return QStringLiteral("PgUp");
    case VK_NEXT: return QStringLiteral("PgDown");
    case VK_END: return QStringLiteral("End");
    case VK_HOME: return QStringLiteral("Home");
    case VK_LEFT: return QStringLiteral("Left");
    case VK_UP: return QStringLiteral("Up");
    case VK_RIGHT: return QStringLiteral("Right");
    case VK_DOWN: return QStringLiteral("Down");
    case VK_INSERT: return QStringLiteral("Ins");
    case VK_DELETE: return QStringLiteral("Del");
    default: return {};
  }
}

QKeySequence SequenceOf(TShortCut shortCut) {
  const QString key = KeyName(shortCut & 0xFF);
  if (key.isEmpty()) return {};
  QString text;
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  if (shortCut & scShift) text += "Shift+";
  return QKeySequence(text + key);
}

}  // namespace

void FillQtMenu(QMenu& menu, TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      menu.addSeparator();
      continue;
    }
    if (item->Count() > 0) {
      QMenu* sub = menu.addMenu(ToQString(item->Caption()));
      sub->setEnabled(item->Enabled());
      FillQtMenu(*sub, *item);
      continue;
    }
    QAction* action = menu.addAction(ToQString(item->Caption()));
    action->setEnabled(item->Enabled());
    action->setCheckable(item->Checked());
    action->setChecked(item->Checked());
    // Shown only: the layer runs shortcuts itself (MenuShortCut).
    action->setShortcut(SequenceOf(item->ShortCut()));
    action->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(action, &QAction::triggered, [item] { RunGuarded(item, [item] { item->Click(); }); });
  }
}

namespace {

TMenuItem* FindShortCut(TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == shortCut && !item->IsLine()) return item;
    if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
  item->parent_ = this;
  items_.push_back(std::move(item));
  return items_.back().get();
}

TMenuItem* TMenuItem::Find(std::string_view name) const {
  for (const auto& item : items_) {
    if (!name.empty() && AnsiCompareText(item->Name(), name) == 0) return item.get();
    if (TMenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

void TPopupMenu::SetPopupHandler(TPopupHandler handler) { PopupHandler() = std::move(handler); }

void TPopupMenu::Popup(int32_t x, int32_t y) {
  if (OnPopup) OnPopup(this);
  if (PopupHandler()) {
    PopupHandler()(*this, {x, y});
    return;
  }
  QMenu menu;
  FillQtMenu(menu, items_);
  if (!menu.isEmpty()) menu.exec(QPoint(x, y));
}

bool TPopupMenu::IsShortCut(uint16_t key, TShiftState shift) {
  const TShortCut shortCut = ShortCut(key, shift);
  if ((shortCut & 0xFF) == 0) return false;
  TMenuItem* item = FindShortCut(items_, shortCut);
  if (item == nullptr) return false;
  item->Click();
  return true;
}

bool MenuShortCut(TControl& control, uint16_t key, TShiftState shift) {
  for (TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (TPopupMenu* menu = c->PopupMenu()) {
      bool ran = false;
      RunGuarded(menu, [&] { ran = menu->IsShortCut(key, shift); });
      if (ran) return true;
    }
  }
  return false;
}

bool ShowPopupMenuOf(TControl& control, TPoint screenPos) {
  for (TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (TPopupMenu* menu = c->PopupMenu()) {
      menu->SetPopupComponent(&control);
      menu->Popup(screenPos.X, screenPos.Y);
      return true;
    }
  }
  return false;
}

}  // namespace cl
