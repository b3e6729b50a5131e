#include "utility/ar_huffman.h"

#include <algorithm>
#include <array>

#include "utility/ar_format.h"

namespace ar {

namespace {

constexpr int MaxSymbols = MaxNC;

}  // namespace

int BuildCodeLengths(const std::uint32_t* freq, int count, std::uint8_t* lengths) {
  std::array<int, MaxSymbols> used{};  // used symbols, by rising frequency
  int n = 0;
  for (int s = 0; s < count; ++s) {
    lengths[s] = 0;
    if (freq[s] != 0) used[n++] = s;
  }
  if (n < 2) return n == 1 ? used[0] : 0;
  std::stable_sort(used.begin(), used.begin() + n,
                   [freq](int a, int b) { return freq[a] < freq[b]; });

  // Two-queue construction: leaves in frequency order, internal nodes in the
  // order they are made (which is also frequency order).
  std::array<std::uint64_t, 2 * MaxSymbols> weight{};
  std::array<int, 2 * MaxSymbols> parent{};
  for (int i = 0; i < n; ++i) weight[i] = freq[used[i]];
  int nextLeaf = 0, nextNode = n, made = n;
  auto takeSmallest = [&]() {
    if (nextLeaf < n && (nextNode == made || weight[nextLeaf] <= weight[nextNode]))
      return nextLeaf++;
    return nextNode++;
  };
  while (made < 2 * n - 1) {
    const int a = takeSmallest();
    const int b = takeSmallest();
    weight[made] = weight[a] + weight[b];
    parent[a] = parent[b] = made;
    ++made;
  }

  // Depths from the root down; lengths above the limit are clamped and the
  // excess is repaid by pushing shorter leaves one level deeper.
  std::array<int, 2 * MaxSymbols> depth{};
  depth[made - 1] = 0;
  for (int node = made - 2; node >= 0; --node) depth[node] = depth[parent[node]] + 1;
  std::array<int, MaxCodeBits + 1> lengthCount{};
  for (int i = 0; i < n; ++i) ++lengthCount[std::min(depth[i], MaxCodeBits)];
  std::uint32_t kraft = 0;
  for (int len = 1; len <= MaxCodeBits; ++len)
    kraft += static_cast<std::uint32_t>(lengthCount[len]) << (MaxCodeBits - len);
  while (kraft > (1u << MaxCodeBits)) {
    --lengthCount[MaxCodeBits];
    for (int len = MaxCodeBits - 1; len > 0; --len) {
      if (lengthCount[len] != 0) {
        --lengthCount[len];
        lengthCount[len + 1] += 2;
        break;
      }
    }
    --kraft;
  }

  // The most frequent symbols get the shortest codes.
  int i = n - 1;
  for (int len = 1; len <= MaxCodeBits; ++len)
    for (int k = 0; k < lengthCount[len]; ++k) lengths[used[i--]] = static_cast<std::uint8_t>(len);
  return -1;
}

void CanonicalCodes(const std::uint8_t* lengths, int count, std::uint16_t* codes) {
  std::array<int, MaxCodeBits + 1> lengthCount{};
  for (int s = 0; s < count; ++s) ++lengthCount[lengths[s]];
  std::array<std::uint32_t, MaxCodeBits + 2> next{};
  std::uint32_t code = 0;
  for (int len = 1; len <= MaxCodeBits; ++len) {
    next[len] = code;
    code = (code + lengthCount[len]) << 1;
  }
  for (int s = 0; s < count; ++s)
    codes[s] = lengths[s] ? static_cast<std::uint16_t>(next[lengths[s]]++) : 0;
}

}  // namespace ar
