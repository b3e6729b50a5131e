#pragma once

#include <cstdint>
#include <functional>

#include "platform/gui/control.h"

namespace cl {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
// Which scroll bars a control may show.
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// Windows' scroll notification codes (SB_LINEUP ... SB_ENDSCROLL).
enum TScrollCode : uint8_t {
  scLineUp = 0,
  scLineDown = 1,
  scPageUp = 2,
  scPageDown = 3,
  scPosition = 4,
  scTrack = 5,
  scTop = 6,
  scBottom = 7,
  scEndScroll = 8
};

// SetScrollInfo's record: the range Min..Max holds the page, so the highest
// position is Max - Page + 1 (Max with no page).
struct TScrollInfo {
  int32_t Min = 0;
  int32_t Max = 100;
  uint32_t Page = 0;
  int32_t Pos = 0;
  int32_t TrackPos = 0;
};
constexpr uint32_t SIF_RANGE = 1, SIF_PAGE = 2, SIF_POS = 4, SIF_ALL = 7;

using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& scrollPos)>;

// A scroll bar with Windows' range rules. A user's action arrives as a
// notification (ScrollNotify) before anything moves; the position is what
// the notification's handling sets.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int32_t Min() const { return info_.Min; }
  int32_t Max() const { return info_.Max; }
  uint32_t PageSize() const { return info_.Page; }
  void SetPageSize(uint32_t page);
  int32_t Position() const { return info_.Pos; }
  // Kept inside Min..the highest position; OnChange fires when it moved.
  void SetPosition(int32_t position);
  void SetParams(int32_t position, int32_t min, int32_t max);
  int32_t SmallChange() const { return smallChange_; }
  void SetSmallChange(int32_t change) { smallChange_ = change; }
  int32_t LargeChange() const { return largeChange_; }
  void SetLargeChange(int32_t change) { largeChange_ = change; }
  // The highest position the range and page allow.
  int32_t MaxPosition() const;

  void SetScrollInfo(const TScrollInfo& info, uint32_t mask);
  // TrackPos is the thumb's place while it is dragged, else Pos.
  TScrollInfo GetScrollInfo() const;

  TScrollEvent OnScroll;
  TNotifyEvent OnChange;

  // A scroll notification, as a user's action on the bar sends it. The
  // class library's handling: the new position by the code (a line is
  // SmallChange, a page LargeChange, thumb codes the track position), then
  // OnScroll may change it, then Position takes it.
  virtual void ScrollNotify(TScrollCode code);
  // The thumb dragged to position: scTrack with that track position.
  void TrackTo(int32_t position);
  // The wheel: three line steps a notch (120), rests carried to the next turn.
  void WheelScroll(int wheelDelta);

 protected:
  virtual void Scroll(TScrollCode code, int& scrollPos);
  virtual void Change();

 private:
  void ApplyRange();
  void ApplyPosition();

  TScrollBarKind kind_ = sbHorizontal;
  TScrollInfo info_;
  int32_t trackPos_ = 0;
  bool tracking_ = false;
  int32_t smallChange_ = 1;
  int32_t largeChange_ = 1;
  int wheelRest_ = 0;
};

}  // namespace cl
