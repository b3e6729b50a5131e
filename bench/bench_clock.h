#pragma once

// The one clock of every benchmark: CPU time of the measuring thread, so that
// other processes on a busy machine count against neither side, taking the
// best of several runs, so that a cold cache does not either.

#include <time.h>

#include <algorithm>
#include <cstdio>

namespace bench {

// Runs a benchmark takes its best of, unless it says otherwise.
constexpr int kRuns = 5;

inline double ThreadCpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds of one call of work.
template <class Work>
double CpuSeconds(Work&& work) {
  const double start = ThreadCpuSeconds();
  work();
  return ThreadCpuSeconds() - start;
}

// The least CPU time of work over runs calls; setup runs untimed before each.
template <class Setup, class Work>
double BestOf(int runs, Setup&& setup, Work&& work) {
  double best = 1e30;
  for (int run = 0; run < runs; ++run) {
    setup();
    best = std::min(best, CpuSeconds(work));
  }
  return best;
}

template <class Work>
double BestOf(int runs, Work&& work) {
  return BestOf(runs, [] {}, work);
}

// The line that tells a reader how the figures were taken.
inline void PrintClock(int runs = kRuns) {
  std::printf("clock: CPU time of the measuring thread, best of %d runs\n", runs);
}

}  // namespace bench
