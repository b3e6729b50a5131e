// Arbitrary bytes as a BK file: loading, checking, truncating and appending
// never crash; a truncated file passes its check, and so does an appended one
// that passed before.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "utility/bk_file.h"

namespace {

const std::string& FileName() {
  static const std::string name = "/tmp/fuzz_bk_file_" + std::to_string(getpid()) + ".bk";
  return name;
}

void Write(const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(FileName().c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

bool Passes() {
  tBKHeader header;
  try {
    utl::CheckBKFile(FileName(), header);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the lengths; the rest is the file.
  const std::int32_t cut = data[0] * 3;
  const std::int32_t extra = std::min<std::int32_t>(data[1], static_cast<std::int32_t>(size));
  Write(data + 2, size - 2);
  const std::string& name = FileName();
  tBKHeader header;
  std::vector<std::uint8_t> buffer(cut);
  try {
    utl::LoadBKFile(name, header, buffer.data(), buffer.size());
  } catch (const std::exception&) {
  }
  try {
    utl::TruncateBKFile(name, cut);
    if (!Passes()) std::abort();
  } catch (const std::exception&) {
  }
  const bool goodNow = Passes();
  try {
    utl::AppendToBKFile(name, data, extra);
    if (goodNow && !Passes()) std::abort();
  } catch (const std::exception&) {
  }
  std::remove(name.c_str());
  return 0;
}
