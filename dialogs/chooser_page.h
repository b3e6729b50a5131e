#pragma once

#include <memory>
#include <string>

#include "platform/gui/component.h"
#include "platform/gui/geometry.h"

namespace cl {
class TMenuItem;
class TOwnerDrawListBox;
}  // namespace cl

namespace dlg {

class tBKAddressItem;

// A page of the recipient chooser's notebook: a list of rows whose marked
// rows the form adds to the selection. A page owns its controls (made on
// the notebook's page at construction), its column layout and its settings.
class tChooserPage : public cl::TComponent {
 public:
  tChooserPage() : cl::TComponent(nullptr) {}

  // The page's menu items under parent (they act only while it is shown).
  virtual void BuildMenu(cl::TMenuItem& parent) = 0;
  // The column layout of headerFile and the page's first rows.
  virtual void Prepare(const std::string& headerFile) = 0;

  virtual cl::TOwnerDrawListBox& List() const = 0;
  // True, after telling the user, for a row that is never to be added.
  virtual bool Refuses(const cl::TObject& row) const = 0;
  // The address a row stands for; none for a row that gives none.
  virtual std::unique_ptr<tBKAddressItem> AddressOfRow(const cl::TObject& row) const = 0;
  // The rows whose address is in the selection show as taken.
  virtual void RefreshMarks() = 0;
  virtual void DrawRow(int index, cl::TRect rect) = 0;

  virtual void LoadSettings() = 0;
  virtual void SaveSettings() const = 0;
};

}  // namespace dlg
