#include "platform/core/memory_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/core/file_stream.h"

namespace cl {

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
  const auto size = static_cast<std::int64_t>(data_.size());
  if (count <= 0 || position_ >= size) return 0;
  const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, size - position_));
  std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  if (end > static_cast<std::int64_t>(data_.size())) data_.resize(static_cast<std::size_t>(end));
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case TSeekOrigin::soBeginning: position_ = offset; break;
    case TSeekOrigin::soCurrent: position_ += offset; break;
    case TSeekOrigin::soEnd: position_ = static_cast<std::int64_t>(data_.size()) + offset; break;
  }
  if (position_ < 0) position_ = 0;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) size = 0;
  data_.resize(static_cast<std::size_t>(size));
  if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const std::int64_t size = source.Size();
  SetSize(size);
  if (size > 0) source.ReadBuffer(data_.data(), static_cast<std::int32_t>(size));
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) {
  if (!data_.empty()) target.WriteBuffer(data_.data(), static_cast<std::int32_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

}  // namespace cl
