#pragma once

#include <cstddef>
#include <cstdint>

namespace cl {

// What decoding one picture may cost. Generous for real pictures (a
// 30-megapixel photograph fits); a header that claims more is refused before
// any pixel is made, so a few hostile bytes cannot ask for gigabytes.
#ifdef BRANNIK_FUZZING
// Fuzz builds cap pictures at a quarter megapixel, as image-decoder fuzzing
// does: an input that claims more is refused at once, so runs stay fast.
constexpr int64_t MaxPicturePixels = int64_t{1} << 18;
constexpr int64_t MaxPictureBytes = int64_t{4} << 20;
#else
constexpr int64_t MaxPicturePixels = 30'000'000;
constexpr int64_t MaxPictureBytes = int64_t{128} << 20;
#endif

// A picture of width x height, held at bytesPerPixel, stays within the budget.
bool FitsPictureBudget(int64_t width, int64_t height, int64_t bytesPerPixel = 4);

// The Windows bitmap file's header claims a size within the budget and, when
// its rows are stored uncompressed, no more rows than the file holds. Run-length
// compressed rows cannot be told from the header; they get the budget alone.
bool BmpClaimIsPlausible(const uint8_t* data, std::size_t size);

}  // namespace cl
