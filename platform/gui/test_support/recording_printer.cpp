#include "platform/gui/test_support/recording_printer.h"

#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/gui/canvas_impl.h"
#include "platform/gui/printer.h"
#include "platform/gui/qt_bridge.h"

namespace cl::testing {

namespace {

class RecordingContext final : public TPrinterContext {
 public:
  RecordingContext(RecordingPrinter& owner, bool device) : owner_(owner), device_(device) {
    probePainter_.begin(&probe_);
    measure_ = CreatePainterCanvas(probePainter_, probe_.size(), DeviceKind::Printer, owner_.Resolution);
  }
  ~RecordingContext() override {
    if (job_ >= 0) AbortDoc();
  }

  bool IsDevice() const override { return device_; }
  int DeviceCaps(int index) const override {
    switch (index) {
      case win::LOGPIXELSX:
      case win::LOGPIXELSY: return owner_.Resolution;
      case win::HORZRES: return owner_.Printable.cx;
      case win::VERTRES: return owner_.Printable.cy;
      case win::PHYSICALWIDTH: return owner_.Paper.cx;
      case win::PHYSICALHEIGHT: return owner_.Paper.cy;
      case win::PHYSICALOFFSETX: return owner_.Offset.X;
      case win::PHYSICALOFFSETY: return owner_.Offset.Y;
      default: return 0;
    }
  }
  bool EscapeSupported(int escape) const override {
    return escape == win::QUERYESCSUPPORT || !owner_.NoEscapes;
  }
  TSize PhysicalPageSize() const override { return owner_.Paper; }
  TPoint PrintingOffset() const override { return owner_.Offset; }
  TCanvas& Canvas() override { return page_ != nullptr ? *page_ : *measure_; }

  bool StartDoc(const std::string& documentName) override {
    if (!device_ || job_ >= 0) return false;
    owner_.Jobs.push_back({documentName, {}, false, false});
    job_ = static_cast<int>(owner_.Jobs.size()) - 1;
    image_ = QImage(owner_.Printable.cx, owner_.Printable.cy, QImage::Format_RGB32);
    image_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&image_);
    page_ = CreatePainterCanvas(*painter_, image_.size(), DeviceKind::Printer, owner_.Resolution);
    CanvasAccess::SetTextSink(*page_, [this](const TRect& box, std::string_view text) {
      texts_.push_back({box, std::string(text)});
    });
    return true;
  }
  bool StartPage() override {
    if (job_ < 0 || pageOpen_) return false;
    painter_->save();
    painter_->resetTransform();
    painter_->setClipping(false);
    painter_->fillRect(image_.rect(), Qt::white);
    painter_->restore();
    texts_.clear();
    pageOpen_ = true;
    return true;
  }
  bool EndPage() override {
    if (job_ < 0 || !pageOpen_) return false;
    pageOpen_ = false;
    RecordingPrinter::Page page;
    page.Texts = std::move(texts_);
    texts_.clear();
    page.Width = image_.width();
    page.Height = image_.height();
    page.Pixels.reserve(static_cast<size_t>(page.Width) * static_cast<size_t>(page.Height));
    for (int y = 0; y < page.Height; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
      for (int x = 0; x < page.Width; ++x) page.Pixels.push_back(row[x] & 0xFFFFFF);
    }
    Job().Pages.push_back(std::move(page));
    if (owner_.OnEndPage) owner_.OnEndPage();
    return CallAbortProc();
  }
  bool EndDoc() override {
    if (job_ < 0) return false;
    Job().Ended = true;
    Finish();
    return true;
  }
  bool AbortDoc() override {
    if (job_ < 0) return false;
    Job().Aborted = true;
    Finish();
    return true;
  }

 private:
  RecordingPrinter::Job& Job() { return owner_.Jobs[static_cast<size_t>(job_)]; }
  void Finish() {
    page_.reset();
    painter_.reset();
    job_ = -1;
    pageOpen_ = false;
  }

  RecordingPrinter& owner_;
  const bool device_;
  QImage probe_{1, 1, QImage::Format_RGB32};
  QPainter probePainter_;
  std::unique_ptr<TCanvas> measure_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> page_;
  std::vector<RecordingPrinter::Text> texts_;
  int job_ = -1;
  bool pageOpen_ = false;
};

}  // namespace

RecordingPrinter::RecordingPrinter() {
  Printer().SetContextFactory([this](bool device) -> std::unique_ptr<TPrinterContext> {
    Contexts.push_back(device);
    return std::make_unique<RecordingContext>(*this, device);
  });
}

RecordingPrinter::~RecordingPrinter() { Printer().SetContextFactory(nullptr); }

TColor RecordingPrinter::Page::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return static_cast<TColor>(-1);
  const uint32_t rgb = Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
  // TColor is 0x00BBGGRR.
  return static_cast<TColor>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
}

std::string RecordingPrinter::Page::AllText() const {
  std::string all;
  for (const Text& text : Texts) {
    if (!all.empty()) all += ' ';
    all += text.Value;
  }
  return all;
}

}  // namespace cl::testing
