#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/control.h"

namespace cl {

using TSectionEvent = std::function<void(TObject* sender, int section, int32_t width)>;

// A column header: sections side by side from the left, each with a caption
// and a width in pixels. Dragging a section's right edge resizes it (OnSizing
// while the mouse moves, OnSized when it comes up); owner-drawn lists below
// take their column widths from it.
class THeader : public TWinControl {
 public:
  static constexpr int32_t MinSectionWidth = 1;
  // How far from a section's right edge a press grabs it.
  static constexpr int32_t GripPixels = 3;

  explicit THeader(TComponent* owner);

  int SectionCount() const { return static_cast<int>(sections_.size()); }
  const std::string& SectionText(int index) const;
  int32_t SectionWidth(int index) const;
  void SetSectionWidth(int index, int32_t width);
  // The x where section index starts (the sum of the widths before it).
  int32_t SectionLeft(int index) const;
  void AddSection(std::string caption, int32_t width);
  void ClearSections();
  bool AllowResize() const { return allowResize_; }
  void SetAllowResize(bool allow) { allowResize_ = allow; }
  // The section whose right edge lies within GripPixels of x, or -1.
  int GripAt(int32_t x) const;

  TSectionEvent OnSizing;
  TSectionEvent OnSized;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  struct Section {
    std::string caption;
    int32_t width;
  };
  const Section& At(int index) const;

  std::vector<Section> sections_;
  bool allowResize_ = true;
  int dragged_ = -1;
};

}  // namespace cl
