#include "platform/gui/qt_printer_context.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

class QtPrinterContext final : public TPrinterContext {
 public:
  QtPrinterContext(const QPrinter& selection, bool device) : device_(device) {
    printer_.setOutputFormat(selection.outputFormat());
    if (selection.outputFormat() == QPrinter::NativeFormat) printer_.setPrinterName(selection.printerName());
    target_ = selection.outputFileName().toStdString();
    printer_.setOutputFileName(selection.outputFileName());
    printer_.setResolution(selection.resolution());
    printer_.setPageLayout(selection.pageLayout());
    printer_.setCopyCount(selection.copyCount());
    printer_.setColorMode(selection.colorMode());
    printer_.setDuplex(selection.duplex());
    probePainter_.begin(&probe_);
    measure_ = CreatePainterCanvas(probePainter_, probe_.size(), DeviceKind::Printer, printer_.resolution());
  }

  ~QtPrinterContext() override {
    if (started_) AbortDoc();
  }

  bool IsDevice() const override { return device_; }

  int DeviceCaps(int index) const override {
    const int dpi = printer_.resolution();
    const QPageLayout layout = printer_.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    switch (index) {
      case win::LOGPIXELSX:
      case win::LOGPIXELSY: return dpi;
      case win::HORZRES: return paint.width();
      case win::VERTRES: return paint.height();
      case win::PHYSICALWIDTH: return paper.width();
      case win::PHYSICALHEIGHT: return paper.height();
      case win::PHYSICALOFFSETX: return paint.left() - paper.left();
      case win::PHYSICALOFFSETY: return paint.top() - paper.top();
      default: return 0;
    }
  }

  bool EscapeSupported(int escape) const override {
    return escape == win::QUERYESCSUPPORT || escape == win::GETPHYSPAGESIZE || escape == win::GETPRINTINGOFFSET;
  }
  TSize PhysicalPageSize() const override { return {DeviceCaps(win::PHYSICALWIDTH), DeviceCaps(win::PHYSICALHEIGHT)}; }
  TPoint PrintingOffset() const override { return {DeviceCaps(win::PHYSICALOFFSETX), DeviceCaps(win::PHYSICALOFFSETY)}; }

  TCanvas& Canvas() override { return page_ != nullptr ? *page_ : *measure_; }

  bool StartDoc(const std::string& documentName) override {
    if (!device_ || started_) return false;
    const bool pdf = printer_.outputFormat() == QPrinter::PdfFormat;
    if (pdf && target_.empty()) return false;
    printer_.setDocName(ToQString(documentName));
    if (!target_.empty()) {
      partial_ = target_ + ".part" + std::to_string(::getpid());
      printer_.setOutputFileName(QString::fromStdString(partial_));
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      RemovePartial();
      return false;
    }
    page_ = CreatePainterCanvas(*painter_, QSize(DeviceCaps(win::HORZRES), DeviceCaps(win::VERTRES)),
                                DeviceKind::Printer, printer_.resolution());
    started_ = true;
    pages_ = 0;
    return true;
  }

  bool StartPage() override {
    if (!started_) return false;
    // Qt's printer opens the first page itself.
    if (pages_ > 0 && !printer_.newPage()) return false;
    ++pages_;
    return true;
  }

  bool EndPage() override { return started_ && CallAbortProc(); }

  bool EndDoc() override {
    if (!started_) return false;
    Finish();
    if (partial_.empty()) return true;
    std::error_code error;
    std::filesystem::rename(partial_, target_, error);
    if (error) RemovePartial();
    partial_.clear();
    return !error;
  }

  bool AbortDoc() override {
    if (!started_) return false;
    printer_.abort();
    Finish();
    RemovePartial();
    return true;
  }

 private:
  void Finish() {
    page_.reset();
    if (painter_ != nullptr && painter_->isActive()) painter_->end();
    painter_.reset();
    started_ = false;
  }
  void RemovePartial() {
    if (partial_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
    partial_.clear();
  }

  const bool device_;
  QPrinter printer_{QPrinter::HighResolution};
  std::string target_;
  std::string partial_;
  QImage probe_{1, 1, QImage::Format_RGB32};
  QPainter probePainter_;
  std::unique_ptr<TCanvas> measure_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> page_;
  bool started_ = false;
  int pages_ = 0;
};

}  // namespace

std::unique_ptr<TPrinterContext> CreateQtPrinterContext(const QPrinter& selection, bool device) {
  return std::make_unique<QtPrinterContext>(selection, device);
}

}  // namespace cl
