#pragma once

#include <cstdint>

#include "platform/gui/scroll_bar.h"

namespace html {

class TDocViewer;

// The viewer's vertical bar: 32-bit positions, and the range handed to the
// bar only when one of its four values changed. Its notifications scroll the
// viewer it sits on.
class T32ScrollBar : public cl::TScrollBar {
 public:
  using cl::TScrollBar::TScrollBar;

  void SetParams(int32_t position, int32_t page, int32_t min, int32_t max);
  void SetPosition(int32_t position);
  void SetMax(int32_t max);
  int32_t Position() const { return position_; }
  int32_t Max() const { return max_; }
  int32_t Page() const { return page_; }

  void ScrollNotify(cl::TScrollCode code) override;

 private:
  void Apply();

  int32_t position_ = 0;
  int32_t min_ = 0;
  int32_t max_ = 0;
  int32_t page_ = 0;
  bool applied_ = false;
};

}  // namespace html
