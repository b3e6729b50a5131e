#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace html {

// Sinks that collect selected text. Section text holds placeholder characters
// (4 for an image, 2 for a form control) that every sink skips.

// Counts the characters.
class SelTextCount : public cl::TObject {
 public:
  virtual void AddText(const char* text, std::int32_t count);
  // The number of characters (for the buffer sinks: stored, terminator included).
  virtual std::int32_t Finish();

 protected:
  char* TextBuffer = nullptr;
  std::int32_t BufferSize = 0;  // capacity of TextBuffer, terminator included
  std::int32_t CharCount = 0;
};

// Copies into the caller's buffer of bufferSize characters, terminator
// included; text beyond it is dropped. A size of 0 or less stores nothing.
class SelTextBuf : public SelTextCount {
 public:
  SelTextBuf(char* buffer, std::int32_t bufferSize);
  void AddText(const char* text, std::int32_t count) override;
  // Writes the terminator; CharCount + 1, or 0 when there is no room at all.
  std::int32_t Finish() override;
};

// Collects the whole selection in a buffer of its own that grows as needed,
// and hands it to putOnClipboard (the clipboard's SetTextBuf) on Finish.
class ClipBuffer : public SelTextBuf {
 public:
  explicit ClipBuffer(std::function<void(std::string_view)> putOnClipboard);
  void AddText(const char* text, std::int32_t count) override;
  std::int32_t Finish() override;

 private:
  std::vector<char> storage_;
  std::function<void(std::string_view)> putOnClipboard_;
};

// sink.AddText(text, count), then a CR LF.
void AddTextCR(SelTextCount& sink, const char* text, std::int32_t count);

}  // namespace html
