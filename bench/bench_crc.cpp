// CRC-32 throughput against zlib's crc32 on the same bytes: EVALUATECRC over
// 256 MB in calls of 65535 bytes (the largest length), and FILECRC of a
// 256 MB file against reading it in the same blocks into crc32.
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "branutl/crc.h"

namespace {

constexpr std::size_t kTotal = 256u << 20;
constexpr std::size_t kCall = 65535;

double Best(const std::function<void()>& run) { return bench::BestOf(bench::kRuns, run); }

}  // namespace

int main() {
  std::vector<unsigned char> data(kTotal);
  std::uint32_t x = 1;
  for (auto& b : data) b = static_cast<unsigned char>((x = x * 1103515245u + 12345u) >> 23);

  std::uint32_t ours = 0;
  const double oursBuffer = Best([&] {
    INITCRC(&ours);
    for (std::size_t at = 0; at < kTotal; at += kCall)
      EVALUATECRC(1, data.data() + at, static_cast<uint16_t>(std::min(kCall, kTotal - at)), &ours);
  });
  uLong theirs = 0;
  const double zlibBuffer = Best([&] {
    theirs = crc32(0, nullptr, 0);
    for (std::size_t at = 0; at < kTotal; at += kCall)
      theirs = crc32(theirs, data.data() + at, static_cast<uInt>(std::min(kCall, kTotal - at)));
  });

  const std::string path = (std::filesystem::temp_directory_path() /
                            ("bench_crc_" + std::to_string(getpid()) + ".dat")).string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), kTotal);
  const ShortString name = ShortString::From(path);
  std::uint32_t oursFile = 0;
  bool failed = false;
  const double oursFileTime = Best([&] { failed |= FILECRC(1, &name, &oursFile); });
  uLong theirsFile = 0;
  const double zlibFileTime = Best([&] {
    const int fd = open(path.c_str(), O_RDONLY);
    std::vector<unsigned char> block(32768);
    theirsFile = crc32(0, nullptr, 0);
    ssize_t got;
    while ((got = read(fd, block.data(), block.size())) > 0)
      theirsFile = crc32(theirsFile, block.data(), static_cast<uInt>(got));
    close(fd);
  });
  std::filesystem::remove(path);

  const double mb = kTotal / 1e6;
  bench::PrintClock();
  std::printf("%-22s %10s %10s %12s %12s\n", "case", "ours MB/s", "zlib MB/s", "ours reg", "~zlib crc");
  std::printf("%-22s %10.0f %10.0f %12.8X %12.8X\n", "EVALUATECRC 64 KB calls", mb / oursBuffer,
              mb / zlibBuffer, ours, static_cast<std::uint32_t>(~theirs));
  std::printf("%-22s %10.0f %10.0f %12.8X %12.8X\n", "FILECRC 256 MB file", mb / oursFileTime,
              mb / zlibFileTime, oursFile, static_cast<std::uint32_t>(~theirsFile));
  if (failed || ours != static_cast<std::uint32_t>(~theirs) ||
      oursFile != static_cast<std::uint32_t>(~theirsFile)) {
    std::printf("registers differ from zlib\n");
    return 1;
  }
  std::printf("RATIO crc_buffer_speed %.3f\n", zlibBuffer / oursBuffer);
  std::printf("RATIO crc_file_speed %.3f\n", zlibFileTime / oursFileTime);
  return 0;
}
