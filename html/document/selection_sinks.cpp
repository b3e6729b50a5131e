#include "html/document/selection_sinks.h"

namespace html {

namespace {

bool IsPlaceholder(char ch) { return ch == 2 || ch == 4; }

// ClipBuffer's first capacity; it doubles from there.
constexpr std::int32_t initialClipSize = 32500;

}  // namespace

void SelTextCount::AddText(const char* text, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i)
    if (!IsPlaceholder(text[i])) ++CharCount;
}

std::int32_t SelTextCount::Finish() { return CharCount; }

SelTextBuf::SelTextBuf(char* buffer, std::int32_t bufferSize) {
  TextBuffer = buffer;
  // Negative sizes count as none, so BufferSize - 1 never wraps.
  BufferSize = buffer && bufferSize > 0 ? bufferSize : 0;
}

void SelTextBuf::AddText(const char* text, std::int32_t count) {
  for (std::int32_t i = 0; i < count && CharCount < BufferSize - 1; ++i)
    if (!IsPlaceholder(text[i])) TextBuffer[CharCount++] = text[i];
}

std::int32_t SelTextBuf::Finish() {
  if (BufferSize <= 0) return 0;
  TextBuffer[CharCount] = '\0';
  return CharCount + 1;
}

ClipBuffer::ClipBuffer(std::function<void(std::string_view)> putOnClipboard)
    : SelTextBuf(nullptr, 0),
      storage_(initialClipSize),
      putOnClipboard_(std::move(putOnClipboard)) {
  TextBuffer = storage_.data();
  BufferSize = initialClipSize;
}

void ClipBuffer::AddText(const char* text, std::int32_t count) {
  if (count <= 0) return;
  const std::int64_t needed = std::int64_t{CharCount} + count + 1;
  if (needed > BufferSize) {
    std::int64_t size = BufferSize;
    while (size < needed) size *= 2;
    if (size > INT32_MAX) size = INT32_MAX;
    storage_.resize(static_cast<std::size_t>(size));
    TextBuffer = storage_.data();
    BufferSize = static_cast<std::int32_t>(size);
  }
  SelTextBuf::AddText(text, count);
}

std::int32_t ClipBuffer::Finish() {
  const std::int32_t result = SelTextBuf::Finish();
  if (putOnClipboard_) putOnClipboard_(std::string_view(TextBuffer, static_cast<std::size_t>(CharCount)));
  return result;
}

void AddTextCR(SelTextCount& sink, const char* text, std::int32_t count) {
  sink.AddText(text, count);
  sink.AddText("\r\n", 2);
}

}  // namespace html
