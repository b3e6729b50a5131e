#pragma once

// Another program's step put, deterministically, between two system calls of
// a routine under test: a seccomp trap stops the calling thread before one of
// its calls and lets it go on once the step has run. Meant for a forked child.

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace cl::testing {

// Before the calling thread's Nth call (counted from now, from 1) that opens
// or looks up the status of PATH (named whole, or by its last component
// relative to a directory), MEANWHILE runs in a thread of its own that the
// trap does not hold. The flag turns true once it has run; null where the
// trap cannot be set. The trap lasts for the thread.
std::shared_ptr<const std::atomic<bool>> ActBeforeNthUse(const std::string& path, unsigned n,
                                                        std::function<void()> meanwhile);

}  // namespace cl::testing
