#include "dialogs/chooser_page.h"

#include "dialogs/chooser_controls.h"
#include "dialogs/header_manager.h"
#include "dialogs/owned_rows.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"

namespace dlg {

tChooserPage::tChooserPage(const tDisk& disk, tChooserHost& host)
    : cl::TComponent(nullptr), disk_(disk), host_(host) {}

tChooserPage::~tChooserPage() {
  if (layout_) layout_->StoreHeaderWidths(*header_, 0);
  layout_.reset();
  if (list_ != nullptr) ClearOwnedRows(list_->Items());
}

void tChooserPage::MakeColumns(cl::TWinControl& page, const char* headerName, const char* listName, bool sorted) {
  header_ = MakeChooserHeader(*this, page, headerName, cl::Rect(4, 30, 620, 48));
  list_ = MakeChooserList(*this, page, listName, cl::Rect(4, 48, 620, 240), sorted);
  header_->OnSized = [this](cl::TObject*, int, std::int32_t) { list_->Invalidate(); };
  header_->OnSizing = [this](cl::TObject*, int, std::int32_t) { list_->Invalidate(); };
}

void tChooserPage::ApplyLayout(const std::string& headerFile, std::uint16_t textBase) {
  layout_ = std::make_unique<tHeaderManager>(headerFile, textBase);
  layout_->ApplyToHeader(*header_, 0, 0);
}

}  // namespace dlg
