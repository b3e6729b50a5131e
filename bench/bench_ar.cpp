// AR block compression against zlib (deflate level 6, inflate) on the same
// 64 KB blocks: generated prose, generated executable-like bytes, zero blocks
// and random blocks.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "branutl/ar.h"

namespace {

using Block = std::vector<unsigned char>;
constexpr std::size_t kBlockSize = 65531;  // the largest source that is compressed
constexpr std::size_t kClassBytes = 96 * kBlockSize;

// Fixed seeds: the inputs, and with them the figures, are the same on every
// run and every tree. The engine's raw output is specified exactly, unlike
// the standard distributions, so the draws below are made by hand.
class Draw {
 public:
  explicit Draw(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine_() % n); }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  // A rank in [0, n) with weight 1 / (rank + 1): most draws are the top few.
  std::size_t Zipf(const std::vector<double>& cumulative) {
    const double at = static_cast<double>(engine_()) / 4294967296.0 * cumulative.back();
    const auto rank = std::upper_bound(cumulative.begin(), cumulative.end(), at) - cumulative.begin();
    return std::min(static_cast<std::size_t>(rank), cumulative.size() - 1);
  }

 private:
  std::mt19937 engine_;
};

std::vector<double> ZipfWeights(std::size_t n) {
  std::vector<double> cumulative(n);
  double sum = 0;
  for (std::size_t r = 0; r < n; ++r) cumulative[r] = sum += 1.0 / static_cast<double>(r + 1);
  return cumulative;
}

// Pronounceable words, short ones more often, as a vocabulary of prose.
std::vector<std::string> Vocabulary(Draw& draw, std::size_t count) {
  static const char consonants[] = "tnshrdlcmwfgypbvkjxqz";
  static const char vowels[] = "eaoiuy";
  std::vector<std::string> words;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t syllables = 1 + draw.Below(i < 100 ? 2 : 4);
    std::string word;
    for (std::uint32_t k = 0; k < syllables; ++k) {
      word += consonants[draw.Below(draw.Chance(70) ? 10 : 21)];
      word += vowels[draw.Below(draw.Chance(80) ? 4 : 6)];
      if (draw.Chance(40)) word += consonants[draw.Below(12)];
    }
    words.push_back(word);
  }
  return words;
}

std::vector<Block> Cut(const std::string& all) {
  std::vector<Block> blocks;
  for (std::size_t at = 0; at + kBlockSize <= all.size(); at += kBlockSize)
    blocks.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(at),
                        all.begin() + static_cast<std::ptrdiff_t>(at + kBlockSize));
  return blocks;
}

// Prose: sentences of words drawn from a Zipf-like vocabulary, with commas,
// capitals, sentence ends, lines wrapped at 72 columns and paragraphs.
std::vector<Block> Prose() {
  Draw draw(20240601);
  const std::vector<std::string> words = Vocabulary(draw, 8000);
  const std::vector<double> weights = ZipfWeights(words.size());
  std::string all;
  std::size_t column = 0;
  while (all.size() < kClassBytes + kBlockSize) {
    const std::uint32_t sentences = 2 + draw.Below(7);
    for (std::uint32_t s = 0; s < sentences; ++s) {
      const std::uint32_t length = 4 + draw.Below(22);
      for (std::uint32_t w = 0; w < length; ++w) {
        std::string word = words[draw.Zipf(weights)];
        if (w == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
        if (w + 1 == length) {
          word += draw.Chance(85) ? "." : draw.Chance(50) ? "?" : "!";
        } else if (draw.Chance(9)) {
          word += draw.Chance(85) ? "," : ";";
        }
        if (column > 0 && column + 1 + word.size() > 72) {
          all += '\n';
          column = 0;
        } else if (column > 0) {
          all += ' ';
          ++column;
        }
        all += word;
        column += word.size();
      }
    }
    all += "\n\n";
    column = 0;
  }
  return Cut(all);
}

void PutLittle(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Like an executable: code made of a Zipf-like set of opcode patterns with
// small immediates and near offsets, zero runs of padding, tables of nearby
// pointers, arrays of small integers and a table of symbol names.
std::vector<Block> Executable() {
  Draw draw(19930301);
  struct Opcode {
    std::string bytes;
    int immediate;  // 0, 1 or 4 bytes after the pattern
  };
  std::vector<Opcode> opcodes;
  for (int i = 0; i < 300; ++i) {
    Opcode op;
    const std::uint32_t length = 1 + draw.Below(draw.Chance(60) ? 2 : 4);
    if (draw.Chance(30)) op.bytes += static_cast<char>(0x48 + draw.Below(8));  // a prefix
    for (std::uint32_t k = 0; k < length; ++k) op.bytes += static_cast<char>(draw.Below(256));
    op.immediate = draw.Chance(50) ? 0 : draw.Chance(50) ? 1 : 4;
    opcodes.push_back(op);
  }
  const std::vector<double> opcodeWeights = ZipfWeights(opcodes.size());
  const std::vector<std::string> names = Vocabulary(draw, 2000);
  const std::vector<double> nameWeights = ZipfWeights(names.size());
  std::string all;
  while (all.size() < kClassBytes + kBlockSize) {
    const std::uint32_t kind = draw.Below(100);
    if (kind < 60) {
      const std::uint32_t count = 200 + draw.Below(3000);
      for (std::uint32_t i = 0; i < count; ++i) {
        const Opcode& op = opcodes[draw.Zipf(opcodeWeights)];
        all += op.bytes;
        if (op.immediate == 1) PutLittle(all, draw.Chance(70) ? draw.Below(16) : draw.Below(256), 1);
        if (op.immediate == 4) {
          const std::uint32_t near = draw.Below(4096);
          PutLittle(all, draw.Chance(50) ? near : 0u - near, 4);
        }
      }
    } else if (kind < 72) {
      all.append(16 + draw.Below(draw.Chance(80) ? 256 : 4096), '\0');
    } else if (kind < 84) {
      std::uint64_t address = 0x555555554000ull + draw.Below(1u << 20) * 16;
      const std::uint32_t count = 8 + draw.Below(400);
      for (std::uint32_t i = 0; i < count; ++i) {
        PutLittle(all, address, 8);
        address += 8 * (1 + draw.Below(draw.Chance(70) ? 4 : 64));
      }
    } else if (kind < 94) {
      const std::uint32_t count = 16 + draw.Below(600);
      for (std::uint32_t i = 0; i < count; ++i) PutLittle(all, draw.Chance(60) ? draw.Below(16) : draw.Below(1000), 4);
    } else {
      const std::uint32_t count = 20 + draw.Below(300);
      for (std::uint32_t i = 0; i < count; ++i) {
        all += "_Z";
        all += names[draw.Zipf(nameWeights)];
        if (draw.Chance(50)) all += names[draw.Zipf(nameWeights)];
        all += '\0';
      }
    }
  }
  return Cut(all);
}

double Seconds(const std::function<void()>& run) { return bench::BestOf(bench::kRuns, run); }

// Expansion is timed, and its speed taken, on the blocks that were expanded.
struct Result {
  double inBytes = 0, outBytes = 0, compressSeconds = 0, expandedBytes = 0, expandSeconds = 0;
};

Result RunAr(int type, const std::vector<Block>& blocks) {
  Result r;
  std::vector<Block> packed(blocks.size(), Block(65535));
  std::vector<std::uint16_t> sizes(blocks.size());
  Block work(65535), out(65535), dictionary(8192);
  r.compressSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i)
          sizes[i] = AR_COMPRESS(static_cast<uint8_t>(type), blocks[i].data(),
                                 static_cast<uint16_t>(blocks[i].size()), packed[i].data(), 65535,
                                 work.data(), 65535);
      });
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
      r.expandedBytes += blocks[i].size();
    }
  }
  r.expandSeconds = Seconds(
      [&] {
        for (std::size_t i = 0; i < blocks.size(); ++i)
          if (sizes[i] < blocks[i].size())
            AR_DECOMPRESS(packed[i].data(), sizes[i], out.data(), 65535, dictionary.data(), 8192);
      });
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
      });
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    r.inBytes += blocks[i].size();
    r.outBytes += sizes[i];
  }
  r.expandedBytes = r.inBytes;
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
      });
  deflateEnd(&def);
  inflateEnd(&inf);
  return r;
}

}  // namespace

int main() {
  struct Class {
    const char* name;
    std::vector<Block> blocks;
  } classes[] = {
      {"text", Prose()},
      {"binary", Executable()},
      {"zero", std::vector<Block>(8, Block(kBlockSize, 0))},
      {"random", {}},
  };
  std::mt19937 gen(1);
  for (int i = 0; i < 8; ++i) {
    Block b(kBlockSize);
    for (auto& x : b) x = static_cast<unsigned char>(gen());
    classes[3].blocks.push_back(b);
  }

  bench::PrintClock();
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
      if (r.expandedBytes == 0)
        std::printf(" %10s\n", "stored");
      else
        std::printf(" %10.1f\n", r.expandedBytes / r.expandSeconds / 1e6);
    };
    row("deflate6", z);
    // The same level with AR type 7's window, to tell the window from the coder.
    row("defl6-8K", RunZlib(c.blocks, 13));
    zlibTotal.compressSeconds += z.compressSeconds;
    const bool expandable = std::string(c.name) != "random";
    if (expandable) {
      zlibTotal.expandedBytes += z.expandedBytes;
      zlibTotal.expandSeconds += z.expandSeconds;
    }
    zlibTotal.inBytes += z.inBytes;
    for (int type = 6; type <= 8; ++type) {
      const Result r = RunAr(type, c.blocks);
      const std::string coder = "ar" + std::to_string(type);
      row(coder.c_str(), r);
      Result& t = totals[type - 6];
      t.compressSeconds += r.compressSeconds;
      if (expandable) {
        t.expandedBytes += r.expandedBytes;
        t.expandSeconds += r.expandSeconds;
      }
      t.inBytes += r.inBytes;
      if (std::string(c.name) == "text" || std::string(c.name) == "binary")
        ratios.push_back("RATIO " + coder + "_" + c.name + "_size " +
                         std::to_string(r.outBytes / z.outBytes));
    }
  }
  // Random blocks are stored, not expanded, by AR: the expansion speeds leave
  // them out on both sides, and each side's speed counts the bytes it expanded.
  for (int type = 6; type <= 8; ++type) {
    const Result& t = totals[type - 6];
    const std::string coder = "ar" + std::to_string(type);
    ratios.push_back("RATIO " + coder + "_compress_speed " +
                     std::to_string(zlibTotal.compressSeconds / t.compressSeconds));
    ratios.push_back("RATIO " + coder + "_expand_speed " +
                     std::to_string((t.expandedBytes / t.expandSeconds) /
                                    (zlibTotal.expandedBytes / zlibTotal.expandSeconds)));
  }
  for (const auto& line : ratios) std::printf("%s\n", line.c_str());
  return 0;
}
