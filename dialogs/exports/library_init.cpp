#include "dialogs/disk.h"
#include "dialogs/suite_texts.h"
#include "utility/code_pages.h"

namespace {

// The directory layout is fixed when the library is loaded: a later change of
// BKU or of the current directory does not move the suite's files. Nothing
// may escape the load hook.
__attribute__((constructor)) void LibraryLoad() {
  try {
    static_cast<void>(dlg::GlobalDisk());
  } catch (...) {
    // The layout is worked out again at the first use, whose export answers
    // the failure.
  }
  // The library's own copy of the utility pieces draws weekday marks (the
  // chooser's day columns) from its own tables.
  try {
    utl::LoadTextTables(dlg::SuiteText);
  } catch (...) {
    // Without the tables the day columns show no marks; the dialogs work.
  }
}

}  // namespace
