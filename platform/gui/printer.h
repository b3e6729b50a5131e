#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/gui/canvas.h"
#include "platform/gui/geometry.h"
#include "platform/gui/printer_context.h"

namespace cl {

// The class library's printer over Qt's: a CUPS queue, or a PDF file (the
// choice when there is no queue, and what tests use). Sizes are device pixels
// at Resolution dots per inch; the canvas's origin is the printable area's
// top-left corner, which lies PrintingOffset from the paper's.
class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The print queues; "PDF" stands last for a file.
  std::vector<std::string> Printers() const;
  int PrinterIndex() const { return printerIndex_; }
  void SetPrinterIndex(int index);
  // Printing into a PDF file: the file's native path (empty returns to the
  // chosen queue).
  void SetOutputFileName(const std::string& nativePath);
  std::string OutputFileName() const;
  int Resolution() const;
  void SetResolution(int dotsPerInch);

  std::string Title;
  // A job: pages are drawn on Canvas between BeginDoc and EndDoc.
  void BeginDoc();
  void NewPage();
  void EndDoc();
  // Ends the job at once; what was spooled is dropped where the device can.
  void Abort();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  // 1 on the first page, 0 when no job runs.
  int PageNumber() const { return pageNumber_; }
  // The page's canvas (only while printing).
  TCanvas& Canvas();

  // A context on the chosen printer, for measuring (device false) or for a
  // job of its own; null when the choice cannot give one (a PDF file
  // without a name cannot print).
  std::unique_ptr<TPrinterContext> CreateContext(bool device);
  // Tests: while set, contexts come from here instead of Qt's printer.
  using TContextFactory = std::function<std::unique_ptr<TPrinterContext>(bool device)>;
  void SetContextFactory(TContextFactory factory) { contextFactory_ = std::move(factory); }

  // The printable area (HORZRES, VERTRES).
  int PageWidth() const;
  int PageHeight() const;
  // The paper (GETPHYSPAGESIZE) and the printable area's offset on it
  // (GETPRINTINGOFFSET).
  TSize PhysicalPageSize() const;
  TPoint PrintingOffset() const;

  struct Impl;

 private:
  friend struct PrinterAccess;
  std::unique_ptr<Impl> impl_;
  TContextFactory contextFactory_;
  std::unique_ptr<TPrinterContext> job_;
  int printerIndex_ = 0;
  bool printing_ = false;
  bool aborted_ = false;
  int pageNumber_ = 0;
};

// The application's printer.
TPrinter& Printer();

// The PDF file the print dialog offers for a document: its title made a
// file name in dir, "document.pdf" for an empty title.
std::string DefaultPrintFileName(const std::string& dir, const std::string& title);

// The class library's printer errors.
class EPrinter : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace cl
