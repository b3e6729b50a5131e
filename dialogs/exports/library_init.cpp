#include "dialogs/disk.h"

namespace {

// The directory layout is fixed when the library is loaded: a later change of
// BKU or of the current directory does not move the suite's files. Nothing
// may escape the load hook.
__attribute__((constructor)) void LibraryLoad() {
  try {
    static_cast<void>(dlg::GlobalDisk());
  } catch (...) {
  }
}

}  // namespace
