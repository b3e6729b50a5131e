#pragma once

#include <cstdint>

#include "platform/gui/control.h"

namespace cl {

enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// A panel: its colour, an outer and an inner bevel of BevelWidth pixels, a
// border between them and a centred caption. Aligned children go inside the
// border and bevels.
class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  int32_t BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int32_t width);
  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Takes the parent's colour (and follows it at each paint) while set.
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  void AdjustClientRect(TRect& rect) const override;
  void Paint() override;

 private:
  void Changed();

  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int32_t bevelWidth_ = 1;
  int32_t borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
  bool parentColor_ = false;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};

}  // namespace cl
