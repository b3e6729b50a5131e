#pragma once

#include <string>
#include <vector>

#include "platform/core/stream.h"

namespace cl {

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
 public:
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

  // The bytes, Size() of them; null while empty.
  char* Memory() { return data_.empty() ? nullptr : data_.data(); }
  const char* Memory() const { return data_.empty() ? nullptr : data_.data(); }
  void Clear();

  // The whole of the other stream / file replaces the contents; position 0.
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& fileName);
  // Writes the whole contents.
  void SaveToStream(TStream& target);
  void SaveToFile(const std::string& fileName);

 private:
  std::vector<char> data_;
  std::int64_t position_ = 0;
};

}  // namespace cl
