#pragma once

#include <functional>

#include "platform/gui/panel.h"

namespace html {

class TDocViewer;

// The viewer's drawing surface. Each paint draws the clip rectangle into an
// off-screen bitmap (background, then the document) and copies it in one blit.
class TPaintPanel : public cl::TCustomPanel {
 public:
  TPaintPanel(cl::TComponent* owner, TDocViewer* viewer);

  // Fills the canvas's clip box with the background colour or tiles the
  // document's background picture at the scroll position.
  void DrawBackground(cl::TCanvas& canvas, bool firstTime);
  void Paint() override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

  bool SizeChanged = false;
  // The document's drawing into the off-screen canvas.
  std::function<void(cl::TCanvas& canvas)> OnPaintDocument;

 private:
  TDocViewer* viewer_;
};

}  // namespace html
