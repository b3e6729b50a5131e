#pragma once

#include <utility>

// Marks a routine as an export of one of the suite's libraries.
#define BRANNIK_EXPORT extern "C" __attribute__((visibility("default")))

// Runs an export's body so that nothing is thrown across the boundary:
// any exception becomes the export's failure value.
template <typename Result, typename Body>
Result ExportGuard(Result failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return failure;
  }
}

// The same for exports without a result: exceptions are swallowed.
template <typename Body>
void ExportGuardVoid(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}
