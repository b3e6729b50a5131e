#include "html/document/y_index.h"

#include <algorithm>

namespace html {

namespace {

constexpr int64_t KeyLow = INT32_MIN;
constexpr int64_t KeyHigh = int64_t(INT32_MAX) + 1;  // exclusive

}  // namespace

int32_t TRangeMaxIndex::NewNode() {
  nodes_.emplace_back();
  return static_cast<int32_t>(nodes_.size() - 1);
}

void TRangeMaxIndex::Raise(int32_t from, int32_t to, int32_t value) {
  if (from >= to) return;
  if (nodes_.empty()) NewNode();
  Raise(0, KeyLow, KeyHigh, from, to, value);
}

void TRangeMaxIndex::Raise(int32_t node, int64_t low, int64_t high, int64_t from, int64_t to, int32_t value) {
  if (from <= low && high <= to) {
    nodes_[node].Value = std::max(nodes_[node].Value, value);
    return;
  }
  const int64_t mid = low + (high - low) / 2;
  for (int side = 0; side < 2; ++side) {
    const int64_t childLow = side == 0 ? low : mid;
    const int64_t childHigh = side == 0 ? mid : high;
    if (to <= childLow || childHigh <= from) continue;
    if (nodes_[node].Child[side] < 0) {
      const int32_t child = NewNode();  // may move nodes_
      nodes_[node].Child[side] = child;
    }
    Raise(nodes_[node].Child[side], childLow, childHigh, from, to, value);
  }
}

int32_t TRangeMaxIndex::ValueAt(int32_t key) const {
  int32_t result = 0;
  int32_t node = nodes_.empty() ? -1 : 0;
  int64_t low = KeyLow, high = KeyHigh;
  while (node >= 0) {
    result = std::max(result, nodes_[node].Value);
    const int64_t mid = low + (high - low) / 2;
    const int side = key < mid ? 0 : 1;
    (side == 0 ? high : low) = mid;
    node = nodes_[node].Child[side];
  }
  return result;
}

int32_t TKeyMaxIndex::NewNode() {
  nodes_.emplace_back();
  return static_cast<int32_t>(nodes_.size() - 1);
}

void TKeyMaxIndex::Raise(int32_t key, int32_t value) {
  if (nodes_.empty()) NewNode();
  int32_t node = 0;
  int64_t low = KeyLow, high = KeyHigh;
  while (true) {
    nodes_[node].Max = std::max(nodes_[node].Max, value);
    if (high - low == 1) return;
    const int64_t mid = low + (high - low) / 2;
    const int side = key < mid ? 0 : 1;
    (side == 0 ? high : low) = mid;
    if (nodes_[node].Child[side] < 0) {
      const int32_t child = NewNode();
      nodes_[node].Child[side] = child;
    }
    node = nodes_[node].Child[side];
  }
}

int32_t TKeyMaxIndex::MaxAbove(int32_t bound) const {
  // Walk towards bound + 1; every right sibling passed lies wholly above it.
  if (nodes_.empty() || bound == INT32_MAX) return None;
  const int64_t from = int64_t(bound) + 1;
  int32_t result = None;
  int32_t node = 0;
  int64_t low = KeyLow, high = KeyHigh;
  while (node >= 0) {
    if (from <= low) return std::max(result, nodes_[node].Max);
    if (high - low == 1) return result;
    const int64_t mid = low + (high - low) / 2;
    if (from < mid) {
      const int32_t right = nodes_[node].Child[1];
      if (right >= 0) result = std::max(result, nodes_[right].Max);
      high = mid;
      node = nodes_[node].Child[0];
    } else {
      low = mid;
      node = nodes_[node].Child[1];
    }
  }
  return result;
}

}  // namespace html
