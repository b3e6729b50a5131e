#pragma once

#include <cstdint>
#include <random>

namespace utl {

// Pseudo-random values for keys and filler bytes, seeded from the system for
// each use; nothing depends on the values.
class RandomSource {
 public:
  RandomSource() : engine_(std::random_device{}()) {}

  // 0 .. bound - 1.
  std::uint32_t Below(std::uint32_t bound) {
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace utl
