// Arbitrary bytes through the image sniffer and both transparency probes: no
// read outside the data, a bounded chunk walk, the stream position kept.
#include <cstdint>
#include <cstdlib>

#include "html/images/image_probes.h"
#include "html/images/image_sniff.h"
#include "platform/core/memory_stream.h"

using namespace html;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)SniffImageType(data, size);
  cl::TMemoryStream stream;
  if (size > 0) stream.WriteBuffer(data, static_cast<std::int32_t>(size));
  const std::int64_t position = static_cast<std::int64_t>(size / 2);
  stream.SetPosition(position);
  cl::TColor colour = 0;
  (void)GifTransparentColor(stream, colour);
  if (stream.Position() != position) std::abort();
  (void)PngHasTransparentColor(stream, colour);
  if (stream.Position() != position) std::abort();
  return 0;
}
