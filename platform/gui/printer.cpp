#include "platform/gui/printer.h"

#include <QPageLayout>
#include <QPrinterInfo>

#include "platform/gui/application.h"
#include "platform/gui/printer_impl.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

constexpr const char* kPdf = "PDF";
// PDF files are laid out at a printer's usual density.
constexpr int kPdfResolution = 300;

}  // namespace

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

// Qt's printer needs the application first.
TPrinter::TPrinter() : impl_((EnsureQtApplication(), std::make_unique<Impl>())) {
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    impl_->printer.setOutputFormat(QPrinter::PdfFormat);
    impl_->printer.setResolution(kPdfResolution);
  }
}

TPrinter::~TPrinter() {
  if (printing_) EndDoc();
}

std::vector<std::string> TPrinter::Printers() const {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(FromQString(name));
  names.push_back(kPdf);
  return names;
}

void TPrinter::SetPrinterIndex(int index) {
  if (printing_) throw EPrinter("Printing in progress");
  const std::vector<std::string> names = Printers();
  if (index < 0 || index >= static_cast<int>(names.size())) throw EPrinter("Printer selected is not valid");
  printerIndex_ = index;
  if (names[static_cast<size_t>(index)] == kPdf) {
    impl_->printer.setOutputFormat(QPrinter::PdfFormat);
    impl_->printer.setResolution(kPdfResolution);
  } else {
    impl_->printer.setOutputFormat(QPrinter::NativeFormat);
    impl_->printer.setPrinterName(ToQString(names[static_cast<size_t>(index)]));
  }
}

void TPrinter::SetOutputFileName(const std::string& nativePath) {
  if (printing_) throw EPrinter("Printing in progress");
  impl_->fileName = nativePath;
  if (!nativePath.empty()) {
    impl_->printer.setOutputFormat(QPrinter::PdfFormat);
    impl_->printer.setResolution(kPdfResolution);
  }
  impl_->printer.setOutputFileName(QString::fromStdString(nativePath));
}

std::string TPrinter::OutputFileName() const { return impl_->printer.outputFileName().toStdString(); }

int TPrinter::Resolution() const { return impl_->printer.resolution(); }

void TPrinter::SetResolution(int dotsPerInch) {
  if (printing_) throw EPrinter("Printing in progress");
  impl_->printer.setResolution(dotsPerInch);
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  QPrinter& printer = impl_->printer;
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
    throw EPrinter("Printer selected is not valid");
  }
  // The spooler sees at most 31 characters of the title.
  printer.setDocName(ToQString(Title.substr(0, 31)));
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(&printer)) throw EPrinter("Printer selected is not valid");
  impl_->painter = std::move(painter);
  impl_->canvas = CreatePainterCanvas(*impl_->painter, QSize(PageWidth(), PageHeight()), DeviceKind::Printer,
                                      printer.resolution());
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
}

void TPrinter::NewPage() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  impl_->printer.newPage();
  // Each page starts with a fresh context, as Windows' StartPage gives.
  impl_->canvas = CreatePainterCanvas(*impl_->painter, QSize(PageWidth(), PageHeight()), DeviceKind::Printer,
                                      impl_->printer.resolution());
  ++pageNumber_;
}

void TPrinter::EndDoc() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  impl_->canvas.reset();
  if (impl_->painter != nullptr) impl_->painter->end();
  impl_->painter.reset();
  printing_ = false;
  pageNumber_ = 0;
}

void TPrinter::Abort() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  impl_->printer.abort();
  aborted_ = true;
  impl_->canvas.reset();
  if (impl_->painter != nullptr && impl_->painter->isActive()) impl_->painter->end();
  impl_->painter.reset();
  printing_ = false;
  pageNumber_ = 0;
}

TCanvas& TPrinter::Canvas() {
  if (!printing_ || impl_->canvas == nullptr) throw EPrinter("Printer is not currently printing");
  return *impl_->canvas;
}

int TPrinter::PageWidth() const {
  return impl_->printer.pageLayout().paintRectPixels(impl_->printer.resolution()).width();
}

int TPrinter::PageHeight() const {
  return impl_->printer.pageLayout().paintRectPixels(impl_->printer.resolution()).height();
}

TSize TPrinter::PhysicalPageSize() const {
  const QRect paper = impl_->printer.pageLayout().fullRectPixels(impl_->printer.resolution());
  return {paper.width(), paper.height()};
}

TPoint TPrinter::PrintingOffset() const {
  const QPageLayout layout = impl_->printer.pageLayout();
  const int dpi = impl_->printer.resolution();
  const QRect paper = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  return {paint.left() - paper.left(), paint.top() - paper.top()};
}

}  // namespace cl
