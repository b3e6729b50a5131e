#pragma once

// The desktop's sound service as the dialog tests see it: every play request
// of the process (the dialogs' own and libbranutl.so's sound slots) arrives
// here instead of at libcanberra, as "file <name>" or "event <id>".

#include <functional>
#include <string>

namespace dlg::testing {

// Receives each request while set; an empty function stops recording.
void OnSoundRequest(std::function<void(const std::string&)> sink);

}  // namespace dlg::testing
