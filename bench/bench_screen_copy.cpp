// The copy that ends every paint: an off-screen picture of a 1250 x 950 view
// put on the window as the viewer puts it (a window's paint, BitBlt SRCCOPY
// from a bitmap whose origin is the clip's corner), against a Qt widget of
// the same size whose paint draws a QImage of the same pixels. Then the
// viewer itself: a full-window paint of a long document (the off-screen
// buffer made, the background and text drawn, the copy) and one line-step
// scroll with its paint, each against a plain QImage copy of that size.
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "bench/bench_clock.h"
#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "html/viewer/scroll_bar_32.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"
#include "platform/gui/form.h"
#include "platform/gui/gdi_constants.h"

namespace {

constexpr int kWidth = 1250, kHeight = 950;
constexpr int kRuns = 20;

// Blocks of 8 x 8 pixels in colours drawn from a fixed sequence.
QImage Noise() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  std::uint32_t seed = 7;
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      if (x % 8 == 0) seed = seed * 1103515245u + 12345u;
      row[x] = 0xFF000000u | (seed >> 8);
    }
  }
  return image;
}

// Qt's side: a widget whose paint draws its picture.
class QtPicture : public QWidget {
 public:
  explicit QtPicture(QImage picture) : picture_(std::move(picture)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kWidth, kHeight);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.drawImage(0, 0, picture_);
  }

 private:
  QImage picture_;
};

// Ours: a control whose paint copies its off-screen bitmap as the viewer's
// panel does.
class OffScreenCopy : public cl::TControl {
 public:
  OffScreenCopy(cl::TComponent* owner, const QImage& picture) : cl::TControl(owner) {
    offScreen_.SetSize(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const QRgb p = picture.pixel(x, y);
        offScreen_.Canvas().SetPixel(x, y, static_cast<cl::TColor>(qRed(p) | qGreen(p) << 8 | qBlue(p) << 16));
      }
  }

  void Paint() override {
    cl::TCanvas& canvas = Canvas();
    const cl::TRect clip = canvas.GetClipBox();
    offScreen_.Canvas().SetWindowOrg(clip.Left, clip.Top);
    canvas.BitBlt(clip.Left, clip.Top, clip.Width(), clip.Height(), offScreen_.Canvas(), clip.Left, clip.Top,
                  win::SRCCOPY);
  }

 private:
  cl::TBitmap offScreen_;
};

// A document of numbered paragraphs, far longer than the view.
std::string LongDocument() {
  std::string html = "<HTML><BODY>";
  for (int i = 0; i < 2000; ++i)
    html += "<P>Paragraph " + std::to_string(i) +
            ": the quick brown fox jumps over the lazy dog, <B>again</B> and <I>again</I>.</P>";
  return html + "</BODY></HTML>";
}

double Ms(double seconds) { return seconds * 1000; }

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  const QImage picture = Noise();

  QtPicture qtWidget(picture);
  qtWidget.show();
  cl::Application().ProcessMessages();
  const double qtPaint = bench::BestOf(kRuns, [&] { qtWidget.repaint(); });
  QImage copied;
  const double qtCopy = bench::BestOf(kRuns, [&] { copied = picture.copy(); });
  qtWidget.hide();

  cl::TForm copyForm(nullptr);
  copyForm.SetBounds(0, 0, kWidth, kHeight);
  OffScreenCopy* const copier = cl::Make<OffScreenCopy>(copyForm, picture);
  copier->SetParent(&copyForm);
  copier->SetBounds(0, 0, kWidth, kHeight);
  copyForm.Show();
  cl::Application().ProcessMessages();
  const double ourPaint = bench::BestOf(kRuns, [&] { copier->Repaint(); });
  copyForm.Hide();

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("bench_screen_copy." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string page = (dir / "long.htm").string();
  std::ofstream(page, std::ios::binary) << LongDocument();
  cl::TForm viewerForm(nullptr);
  viewerForm.SetBounds(0, 0, kWidth, kHeight);
  html::TDocViewer* const viewer = cl::Make<html::TDocViewer>(viewerForm);
  viewer->SetParent(&viewerForm);
  viewer->SetBounds(0, 0, kWidth, kHeight);
  viewerForm.Show();
  viewer->LoadFromFile(page);
  cl::Application().ProcessMessages();
  const double viewerPaint = bench::BestOf(kRuns, [&] { viewer->PaintPanel().Repaint(); });
  // Each run one step further down the document, as a held arrow button.
  const double scrollStep = bench::BestOf(kRuns, [&] { viewer->VScrollBar().ScrollNotify(cl::scLineDown); });
  const bool scrolled = viewer->VScrollBarPosition() > 0;
  std::filesystem::remove_all(dir);

  bench::PrintClock(kRuns);
  std::printf("%-44s %10s\n", "1250 x 950", "ms");
  std::printf("%-44s %10.3f\n", "QImage copy", Ms(qtCopy));
  std::printf("%-44s %10.3f\n", "Qt widget paint drawing a QImage", Ms(qtPaint));
  std::printf("%-44s %10.3f\n", "window paint copying an off-screen bitmap", Ms(ourPaint));
  std::printf("%-44s %10.3f\n", "viewer full-window paint of a long document", Ms(viewerPaint));
  std::printf("%-44s %10.3f\n", "viewer line-step scroll, paint included", Ms(scrollStep));
  std::printf("RATIO screen_copy_vs_qt %.2f\n", ourPaint / qtPaint);
  std::printf("RATIO viewer_paint_1250x950_vs_qt %.2f\n", viewerPaint / qtCopy);
  std::printf("RATIO scroll_step_1250x950_vs_qt %.2f\n", scrollStep / qtCopy);
  return scrolled ? 0 : 1;
}
