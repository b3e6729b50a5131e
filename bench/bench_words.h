#pragma once

// The prose the benchmarks generate: the same word sequence on every run.

#include <iterator>

namespace bench {

class WordStream {
 public:
  const char* Next() {
    seed_ = seed_ * 1103515245 + 12345;
    return kWords[(seed_ >> 16) % std::size(kWords)];
  }

 private:
  static constexpr const char* kWords[] = {"Lorem", "ipsum", "dolor", "sit", "amet,", "consectetur",
                                           "adipiscing", "elit,", "sed", "do", "eiusmod", "tempor",
                                           "incididunt", "ut", "labore", "et", "dolore", "magna"};
  unsigned seed_ = 12345;
};

}  // namespace bench
