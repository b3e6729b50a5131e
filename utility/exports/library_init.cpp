#include "utility/library_units.h"

// The shared library's load and unload hooks. Nothing may escape them: a unit
// that fails to start leaves its defaults in place.
__attribute__((constructor)) static void LibraryLoad() {
  try {
    StartLibraryUnits();
  } catch (...) {
  }
}

__attribute__((destructor)) static void LibraryUnload() {
  try {
    StopLibraryUnits();
  } catch (...) {
  }
}
