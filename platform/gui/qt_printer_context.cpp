#include "platform/gui/qt_printer_context.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <cerrno>
#include <cstdint>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include "platform/core/file_handle.h"
#include "platform/core/file_names.h"
#include "platform/core/last_error.h"
#include "platform/core/replacing_write.h"
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
    DropOutput();
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
    fileFailed_ = false;
    if (!target_.empty() && !OpenOutput()) {
      fileFailed_ = true;
      return false;
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      DropOutput();
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
    if (output_ == nullptr) return true;
    const bool written = CopyScratch() && output_->Commit();
    fileFailed_ = !written;
    DropOutput();
    return written;
  }

  std::string FailedFile() const override {
    return fileFailed_ ? win::SystemName(target_).value_or(target_) : std::string();
  }

  bool AbortDoc() override {
    if (!started_) return false;
    printer_.abort();
    Finish();
    DropOutput();
    return true;
  }

 private:
  void Finish() {
    page_.reset();
    if (painter_ != nullptr && painter_->isActive()) painter_->end();
    painter_.reset();
    started_ = false;
  }
  // Qt's printer writes to a named file and keeps the failures of those
  // writes to itself: it writes into an unnamed scratch file, which is copied
  // into the replacing write at the end, each write checked. The target may
  // be a device or a FIFO, written in place; a killed job leaves nothing.
  bool OpenOutput() {
    output_ = std::make_unique<win::ReplacingWrite>(target_);
    if (output_->Ready()) {
      scratch_ = memfd_create("print", MFD_CLOEXEC);
      if (scratch_ < 0) win::SetLastErrorFromErrno(errno);
    }
    if (!output_->Ready() || scratch_ < 0) {
      DropOutput();
      return false;
    }
    printer_.setOutputFileName(QString::fromStdString("/proc/self/fd/" + std::to_string(scratch_)));
    return true;
  }
  bool CopyScratch() const {
    std::vector<char> block(64 * 1024);
    for (off_t at = 0;;) {
      const ssize_t n = pread(scratch_, block.data(), block.size(), at);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        win::SetLastErrorFromErrno(errno);
        return false;
      }
      if (n == 0) return true;
      std::uint32_t done = 0;
      if (!win::WriteFile(output_->Handle(), block.data(), static_cast<std::uint32_t>(n), &done)) return false;
      at += n;
    }
  }
  void DropOutput() {
    if (scratch_ >= 0) close(scratch_);
    scratch_ = -1;
    output_.reset();
    printer_.setOutputFileName(QString::fromStdString(target_));
  }

  const bool device_;
  QPrinter printer_{QPrinter::HighResolution};
  std::string target_;
  std::unique_ptr<win::ReplacingWrite> output_;
  int scratch_ = -1;
  QImage probe_{1, 1, QImage::Format_RGB32};
  QPainter probePainter_;
  std::unique_ptr<TCanvas> measure_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> page_;
  bool started_ = false;
  int pages_ = 0;
  bool fileFailed_ = false;
};

}  // namespace

std::unique_ptr<TPrinterContext> CreateQtPrinterContext(const QPrinter& selection, bool device) {
  return std::make_unique<QtPrinterContext>(selection, device);
}

}  // namespace cl
