// The page-layout editor of libbrandlg.so.

#include <cstdint>

#include "brandlg/editors.h"
#include "platform/core/export_guard.h"
#include "dialogs/page_layout_form.h"

BRANNIK_EXPORT void EDITPAGELAYOUTS(std::int32_t startTab) {
  ExportGuardVoid([&] { dlg::EditPageLayouts(startTab); });
}
