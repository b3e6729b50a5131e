// AR block compression against zlib (deflate level 6, inflate) on the same
// 64 KB blocks: the project's sources and documents, its object files, zero
// blocks and random blocks.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "branutl/ar.h"

namespace {

namespace fs = std::filesystem;
using Block = std::vector<unsigned char>;
constexpr std::size_t kBlockSize = 65531;  // the largest source that is compressed
constexpr std::size_t kClassLimit = 6u << 20;

bool IsText(const fs::path& p) {
  const std::string ext = p.extension().string();
  return ext == ".cpp" || ext == ".h" || ext == ".md" || ext == ".txt" || ext == ".cmake" ||
         ext == ".htm" || ext == ".html" || p.filename() == "CMakeLists.txt";
}

bool Skipped(const fs::path& p) {
  const std::string name = p.filename().string();
  return name.rfind("build", 0) == 0 || name == ".git";
}

// Concatenated files cut into blocks.
std::vector<Block> Collect(const fs::path& root, const std::function<bool(const fs::path&)>& want,
                           bool skipBuildTrees) {
  std::string all;
  std::vector<fs::path> files;
  for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied);
       it != fs::recursive_directory_iterator(); ++it) {
    if (skipBuildTrees && it->is_directory() && it.depth() == 0 && Skipped(it->path())) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file() && want(it->path())) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary);
    all.append(std::istreambuf_iterator<char>(in), {});
    if (all.size() >= kClassLimit) break;
  }
  std::vector<Block> blocks;
  for (std::size_t at = 0; at + kBlockSize <= all.size() && at < kClassLimit; at += kBlockSize)
    blocks.emplace_back(all.begin() + at, all.begin() + at + kBlockSize);
  return blocks;
}

double Seconds(const std::function<void()>& run, int& repeats) {
  using clock = std::chrono::steady_clock;
  repeats = 0;
  const auto start = clock::now();
  double elapsed = 0;
  do {
    run();
    ++repeats;
    elapsed = std::chrono::duration<double>(clock::now() - start).count();
  } while (elapsed < 0.4);
  return elapsed / repeats;
}

struct Result {
  double inBytes = 0, outBytes = 0, compressSeconds = 0, expandSeconds = 0;
};

Result RunAr(int type, const std::vector<Block>& blocks) {
  Result r;
  std::vector<Block> packed(blocks.size(), Block(65535));
  std::vector<std::uint16_t> sizes(blocks.size());
  Block work(65535), out(65535), dictionary(8192);
  int n = 0;
  r.compressSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i)
          sizes[i] = AR_COMPRESS(static_cast<uint8_t>(type), blocks[i].data(),
                                 static_cast<uint16_t>(blocks[i].size()), packed[i].data(), 65535,
                                 work.data(), 65535);
      },
      n);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    r.inBytes += blocks[i].size();
    r.outBytes += sizes[i];
    if (sizes[i] < blocks[i].size()) {
      const auto got = AR_DECOMPRESS(packed[i].data(), sizes[i], out.data(), 65535,
                                     dictionary.data(), 8192);
      if (got != blocks[i].size() || std::memcmp(out.data(), blocks[i].data(), got) != 0) {
        std::printf("round trip failed: type %d block %zu\n", type, i);
        std::exit(1);
      }
    }
  }
  r.expandSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i)
          if (sizes[i] < blocks[i].size())
            AR_DECOMPRESS(packed[i].data(), sizes[i], out.data(), 65535, dictionary.data(), 8192);
      },
      n);
  return r;
}

Result RunZlib(const std::vector<Block>& blocks, int windowBits = 15) {
  Result r;
  std::vector<Block> packed(blocks.size(), Block(compressBound(kBlockSize)));
  std::vector<uLong> sizes(blocks.size());
  Block out(65535);
  z_stream def{}, inf{};
  deflateInit2(&def, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  inflateInit(&inf);
  int n = 0;
  r.compressSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
          deflateReset(&def);
          def.next_in = const_cast<Bytef*>(blocks[i].data());
          def.avail_in = static_cast<uInt>(blocks[i].size());
          def.next_out = packed[i].data();
          def.avail_out = static_cast<uInt>(packed[i].size());
          deflate(&def, Z_FINISH);
          sizes[i] = def.total_out;
        }
      },
      n);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    r.inBytes += blocks[i].size();
    r.outBytes += sizes[i];
  }
  r.expandSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
          inflateReset(&inf);
          inf.next_in = packed[i].data();
          inf.avail_in = static_cast<uInt>(sizes[i]);
          inf.next_out = out.data();
          inf.avail_out = static_cast<uInt>(out.size());
          inflate(&inf, Z_FINISH);
        }
      },
      n);
  deflateEnd(&def);
  inflateEnd(&inf);
  return r;
}

}  // namespace

int main() {
  const fs::path source = BRANNIK_SOURCE_ROOT;
  const fs::path binary = BRANNIK_BINARY_ROOT;
  struct Class {
    const char* name;
    std::vector<Block> blocks;
  } classes[] = {
      {"text", Collect(source, [](const fs::path& p) { return IsText(p); }, true)},
      {"binary", Collect(binary, [](const fs::path& p) { return p.extension() == ".o"; }, false)},
      {"zero", std::vector<Block>(8, Block(kBlockSize, 0))},
      {"random", {}},
  };
  std::mt19937 gen(1);
  for (int i = 0; i < 8; ++i) {
    Block b(kBlockSize);
    for (auto& x : b) x = static_cast<unsigned char>(gen());
    classes[3].blocks.push_back(b);
  }

  std::printf("%-7s %-8s %7s %9s %9s %10s %10s\n", "class", "coder", "blocks", "in KB", "out KB",
              "comp MB/s", "exp MB/s");
  std::vector<std::string> ratios;
  Result totals[3], zlibTotal;
  for (const Class& c : classes) {
    if (c.blocks.empty()) continue;
    const Result z = RunZlib(c.blocks);
    auto row = [&](const char* coder, const Result& r) {
      std::printf("%-7s %-8s %7zu %9.0f %9.0f %10.1f", c.name, coder, c.blocks.size(),
                  r.inBytes / 1024, r.outBytes / 1024, r.inBytes / r.compressSeconds / 1e6);
      if (r.outBytes >= r.inBytes && std::string(coder).rfind("ar", 0) == 0)
        std::printf(" %10s\n", "stored");
      else
        std::printf(" %10.1f\n", r.inBytes / r.expandSeconds / 1e6);
    };
    row("deflate6", z);
    // The same level with AR type 7's window, to tell the window from the coder.
    row("defl6-8K", RunZlib(c.blocks, 13));
    zlibTotal.compressSeconds += z.compressSeconds;
    if (std::string(c.name) != "random") zlibTotal.expandSeconds += z.expandSeconds;
    zlibTotal.inBytes += z.inBytes;
    for (int type = 6; type <= 8; ++type) {
      const Result r = RunAr(type, c.blocks);
      const std::string coder = "ar" + std::to_string(type);
      row(coder.c_str(), r);
      Result& t = totals[type - 6];
      t.compressSeconds += r.compressSeconds;
      if (std::string(c.name) != "random") t.expandSeconds += r.expandSeconds;
      t.inBytes += r.inBytes;
      if (std::string(c.name) == "text" || std::string(c.name) == "binary")
        ratios.push_back("RATIO " + coder + "_" + c.name + "_size " +
                         std::to_string(r.outBytes / z.outBytes));
    }
  }
  // Random blocks are stored, not expanded, by AR: the expansion speeds leave them out.
  for (int type = 6; type <= 8; ++type) {
    const Result& t = totals[type - 6];
    const std::string coder = "ar" + std::to_string(type);
    ratios.push_back("RATIO " + coder + "_compress_speed " +
                     std::to_string(zlibTotal.compressSeconds / t.compressSeconds));
    ratios.push_back("RATIO " + coder + "_expand_speed " +
                     std::to_string(zlibTotal.expandSeconds / t.expandSeconds));
  }
  for (const auto& line : ratios) std::printf("%s\n", line.c_str());
  return 0;
}
