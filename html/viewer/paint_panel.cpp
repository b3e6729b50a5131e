#include "html/viewer/paint_panel.h"

#include "html/viewer/doc_viewer.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/gdi_constants.h"

namespace html {

TPaintPanel::TPaintPanel(cl::TComponent* owner, TDocViewer* viewer) : cl::TCustomPanel(owner), viewer_(viewer) {
  SetBevelOuter(cl::bvNone);
  SetBevelInner(cl::bvNone);
}

void TPaintPanel::Paint() {
  if (viewer_->Layouting()) return;
  SizeChanged = false;
  cl::TCanvas& canvas = Canvas();
  const cl::TRect clip = canvas.GetClipBox();
  if (clip.Width() <= 0 || clip.Height() <= 0) return;
  cl::TBitmap offScreen;
  offScreen.SetSize(clip.Width(), clip.Height());
  cl::TCanvas& target = offScreen.Canvas();
  target.Font().Assign(Font());
  target.Brush().SetColor(Color());
  target.SetWindowOrg(clip.Left, clip.Top);
  DrawBackground(target, false);
  if (OnPaintDocument) OnPaintDocument(target);
  canvas.BitBlt(clip.Left, clip.Top, clip.Width(), clip.Height(), target, clip.Left, clip.Top, win::SRCCOPY);
}

void TPaintPanel::DrawBackground(cl::TCanvas& canvas, bool) {
  const cl::TRect clip = canvas.GetClipBox();
  TSectionList& document = viewer_->SectionList();
  cl::TBitmap* picture = document.ImagesOn && !document.IsPrintCopy ? document.BackgroundBitmap() : nullptr;
  if (picture != nullptr && picture->Width() > 0 && picture->Height() > 0) {
    try {
      const int32_t w = picture->Width(), h = picture->Height();
      const int32_t x0 = -(viewer_->HScrollBarPosition() % w);
      const int32_t y0 = -(viewer_->VScrollBarPosition() % h);
      // From the tile holding the clip's top-left corner to its far edges.
      const int32_t firstX = x0 + (clip.Left - x0) / w * w - (clip.Left < x0 ? w : 0);
      const int32_t firstY = y0 + (clip.Top - y0) / h * h - (clip.Top < y0 ? h : 0);
      for (int32_t y = firstY; y < clip.Bottom; y += h)
        for (int32_t x = firstX; x < clip.Right; x += w) canvas.BitBlt(x, y, w, h, picture->Canvas(), 0, 0, win::SRCCOPY);
      return;
    } catch (const std::exception&) {
      // A picture that cannot be drawn leaves the plain colour.
    }
  }
  canvas.FillRect(clip, Color());
}

void TPaintPanel::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  // The second press of a double click selects a word and starts no new
  // selection: the word must survive it.
  if ((shift & cl::ssDouble) != 0 && button == cl::mbLeft) {
    viewer_->SelectWord(x, y);
    return;
  }
  cl::TCustomPanel::MouseDown(button, shift, x, y);
}

}  // namespace html
