#pragma once

#include <string>

namespace win {

// open(2) that never waits for a FIFO's peer, which may never come: a FIFO
// read end opens at once (and reads as ended while no one writes), a write
// end without a reader fails (ENXIO). The descriptor blocks as usual after.
int OpenWithoutWaiting(const std::string& path, int flags, int mode = 0666);

}  // namespace win
