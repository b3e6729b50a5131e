#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "html/document/html_symbol.h"
#include "html/document/my_font.h"

namespace html {

// The fonts in force while a document is parsed. Entry 0 is the base font
// and is never popped. Each pushed font remembers the start tag that pushed
// it, so an end tag pops only a font its own kind of start tag pushed: an
// unbalanced end tag (after a push that failed on a full stack, or with no
// start tag at all) leaves the fonts of other tags alone.
class TFontStack {
 public:
  static constexpr int Capacity = 25;

  explicit TFontStack(std::unique_ptr<TMyFont> baseFont);

  TMyFont& Top() const { return *entries_.back().Font; }
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Full() const { return Count() >= Capacity; }
  // A copy of the top becomes the top, remembered as pushed by pusher;
  // false on a full stack (the tag then counts as one that pushed nothing).
  bool Push(HtmlSymbol pusher);
  // A start tag of pusher's kind that pushed nothing: its end tag pops nothing.
  void NotPushed(HtmlSymbol pusher) { ++unpushed_[pusher]; }
  // The end tag of pusher's kind: after a start tag that pushed nothing it
  // pops nothing; else it removes the font most recently pushed by pusher.
  // Fonts pushed later stay (they are copies and keep what they took from
  // it). False when nothing was removed.
  bool Pop(HtmlSymbol pusher);
  // True when pusher's end tag would remove a font.
  bool WillPop(HtmlSymbol pusher) const;
  // Back to count entries (at least the base font).
  void PopTo(int count);
  // End tags pop only fonts above the first floor entries (a table keeps
  // the fonts in force where it starts); answers the previous floor.
  int SetFloor(int floor);

 private:
  struct Entry {
    std::unique_ptr<TMyFont> Font;
    HtmlSymbol Pusher;
  };
  std::vector<Entry> entries_;
  size_t floor_ = 1;
  std::array<int, 256> unpushed_{};
};

}  // namespace html
