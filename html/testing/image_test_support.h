#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/memory_stream.h"
#include "platform/gui/test_support/image_fixtures.h"

namespace html {

// A temporary directory of the test's own, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("html_image_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Write(const std::string& name, const fixtures::Bytes& bytes) const {
    const auto file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string Name(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

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
