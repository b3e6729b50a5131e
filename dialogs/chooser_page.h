#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gui/component.h"
#include "platform/gui/geometry.h"

namespace cl {
class THeader;
class TMenuItem;
class TOwnerDrawListBox;
class TWinControl;
}  // namespace cl

namespace dlg {

class tBKAddressItem;
class tChooserHost;
class tDisk;
class tHeaderManager;

// A page of the recipient chooser's notebook: a list of rows under a column
// header, whose marked rows the form adds to the selection. A page owns its
// controls (made on the notebook's page at construction), its column layout
// and its settings.
class tChooserPage : public cl::TComponent {
 public:
  // The column widths are kept for the next use; the rows' objects go.
  ~tChooserPage() override;

  // The page's menu items under parent (they act only while it is shown).
  virtual void BuildMenu(cl::TMenuItem& parent) = 0;
  // The column layout of headerFile and the page's first rows.
  virtual void Prepare(const std::string& headerFile) = 0;

  cl::TOwnerDrawListBox& List() const { return *list_; }
  // True, after telling the user, for a row that is never to be added.
  virtual bool Refuses(const cl::TObject& row) const = 0;
  // The address a row stands for; none for a row that gives none.
  virtual std::unique_ptr<tBKAddressItem> AddressOfRow(const cl::TObject& row) const = 0;
  // The rows whose address is in the selection show as taken.
  virtual void RefreshMarks() = 0;
  virtual void DrawRow(int index, cl::TRect rect) = 0;

  virtual void LoadSettings() = 0;
  virtual void SaveSettings() const = 0;

 protected:
  tChooserPage(const tDisk& disk, tChooserHost& host);
  // The header and the list under it on page; a resized column repaints
  // the list.
  void MakeColumns(cl::TWinControl& page, const char* headerName, const char* listName, bool sorted);
  // The header shows the layout kept under textBase in headerFile.
  void ApplyLayout(const std::string& headerFile, std::uint16_t textBase);

  const tDisk& disk_;
  tChooserHost& host_;
  cl::THeader* header_ = nullptr;
  cl::TOwnerDrawListBox* list_ = nullptr;

 private:
  std::unique_ptr<tHeaderManager> layout_;
};

}  // namespace dlg
