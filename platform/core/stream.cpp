#include "platform/core/stream.h"

#include <algorithm>
#include <vector>

namespace cl {

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(position, TSeekOrigin::soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr std::int32_t blockSize = 61440;
  std::vector<char> block(static_cast<std::size_t>(std::min<std::int64_t>(count, blockSize)));
  const std::int64_t total = count;
  while (count > 0) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, blockSize));
    source.ReadBuffer(block.data(), n);
    WriteBuffer(block.data(), n);
    count -= n;
  }
  return total;
}

}  // namespace cl
