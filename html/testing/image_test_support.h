#pragma once

#include <filesystem>
#include <string>

#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/test_support/image_fixtures.h"

namespace html {

inline std::unique_ptr<cl::TMemoryStream> StreamOf(const fixtures::Bytes& bytes) {
  auto stream = std::make_unique<cl::TMemoryStream>();
  if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

// A GIF of two frames: the one the options describe, then the same image again
// without the blocks before it.
inline fixtures::Bytes TwoFrameGif(fixtures::GifOptions o) {
  fixtures::Bytes out = fixtures::Gif(o);
  out.pop_back();  // the trailer
  o.blocksBeforeImage.clear();
  const fixtures::Bytes plain = fixtures::Gif(o);
  const std::size_t image = 13 + ((plain[10] & 0x80) ? 3 * (std::size_t{2} << (plain[10] & 7)) : 0);
  out.insert(out.end(), plain.begin() + static_cast<long>(image), plain.end());
  return out;
}

}  // namespace html
