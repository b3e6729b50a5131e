#include "utility/library_units.h"

namespace {

// The units live as long as this object. It is made by the load hook, so its
// destructor joins the library's static destructors, after every static its
// start-up made: at dlclose, and at exit while the library is still open, the
// units stop before anything they use is destroyed, and stop only once.
// Nothing may escape: a unit that fails to start leaves its defaults in place.
class LoadedUnits {
 public:
  LoadedUnits() {
    try {
      StartLibraryUnits();
    } catch (...) {
    }
  }
  ~LoadedUnits() {
    try {
      StopLibraryUnits();
    } catch (...) {
    }
  }
  LoadedUnits(const LoadedUnits&) = delete;
  LoadedUnits& operator=(const LoadedUnits&) = delete;
};

__attribute__((constructor)) void LibraryLoad() { static const LoadedUnits units; }

}  // namespace
