#pragma once

#include <cstdint>
#include <vector>

namespace html {

// Two sparse trees over the whole 32-bit key range, so that the indentation
// manager answers its questions in O(32) steps however many records it holds.

// Ranges raised to at least a value; the value at one key is the largest
// raise of a range holding it (0 where none does).
class TRangeMaxIndex {
 public:
  // Every key in [from, to) becomes at least value.
  void Raise(int32_t from, int32_t to, int32_t value);
  int32_t ValueAt(int32_t key) const;
  void Clear() { nodes_.clear(); }

 private:
  struct Node {
    int32_t Value = 0;
    int32_t Child[2] = {-1, -1};
  };
  void Raise(int32_t node, int64_t low, int64_t high, int64_t from, int64_t to, int32_t value);
  int32_t NewNode();
  std::vector<Node> nodes_;
};

// Keys holding values; the largest value among the keys above a bound.
class TKeyMaxIndex {
 public:
  static constexpr int32_t None = INT32_MIN;
  // The key's value becomes at least value.
  void Raise(int32_t key, int32_t value);
  // The largest value of a key > bound; None when there is none.
  int32_t MaxAbove(int32_t bound) const;
  void Clear() { nodes_.clear(); }

 private:
  struct Node {
    int32_t Max = None;
    int32_t Child[2] = {-1, -1};
  };
  int32_t NewNode();
  std::vector<Node> nodes_;
};

}  // namespace html
