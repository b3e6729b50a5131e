#include "utility/ar_format.h"

namespace ar {

namespace {

constexpr Params MakeParams(char letter, int dicbit, int maxmatch) {
  return Params{letter, dicbit, 1 << dicbit, maxmatch, maxmatch + 254, dicbit + 1};
}

constexpr Params kTypes[] = {
    MakeParams('N', 12, 256),  // type 6
    MakeParams('M', 13, 256),  // type 7
    MakeParams('F', 11, 60),   // type 8
};

}  // namespace

std::optional<Params> ParamsForType(int type) {
  if (type < 6 || type > 8) return std::nullopt;
  return kTypes[type - 6];
}

std::optional<Params> ParamsForLetter(char letter) {
  for (const Params& p : kTypes)
    if (p.letter == letter) return p;
  return std::nullopt;
}

}  // namespace ar
