#include "platform/gui/printer.h"

#include <QPageLayout>
#include <QPrinterInfo>
#include <filesystem>

#include "platform/gui/application.h"
#include "platform/gui/printer_impl.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/qt_printer_context.h"

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
  if (!printing_) return;
  try {
    EndDoc();
  } catch (const EPrinter&) {
    // A destructor cannot report a file that failed to be written.
  }
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

std::unique_ptr<TPrinterContext> TPrinter::CreateContext(bool device) {
  if (contextFactory_) return contextFactory_(device);
  if (device && impl_->printer.outputFormat() == QPrinter::PdfFormat && impl_->printer.outputFileName().isEmpty())
    return nullptr;
  return CreateQtPrinterContext(impl_->printer, device);
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  std::unique_ptr<TPrinterContext> job = CreateContext(true);
  // The spooler sees at most 31 characters of the title.
  if (job == nullptr || !job->StartDoc(Title.substr(0, 31)) || !job->StartPage())
    throw EPrinter("Printer selected is not valid");
  job_ = std::move(job);
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
}

void TPrinter::NewPage() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  job_->EndPage();
  job_->StartPage();
  ++pageNumber_;
}

void TPrinter::EndDoc() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  job_->EndPage();
  const bool written = job_->EndDoc();
  job_.reset();
  printing_ = false;
  pageNumber_ = 0;
  if (!written) throw EPrinter("Printer selected is not valid");
}

void TPrinter::Abort() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  job_->AbortDoc();
  job_.reset();
  aborted_ = true;
  printing_ = false;
  pageNumber_ = 0;
}

TCanvas& TPrinter::Canvas() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  return job_->Canvas();
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

std::string DefaultPrintFileName(const std::string& dir, const std::string& title) {
  QString name = ToQString(title).trimmed();
  for (QChar& c : name)
    if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) c = u'_';
  if (name.isEmpty() || name == u"." || name == u"..") name = QStringLiteral("document");
  return (std::filesystem::path(dir) / (name + QStringLiteral(".pdf")).toStdString()).string();
}

}  // namespace cl
