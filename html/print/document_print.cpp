#include "html/print/document_print.h"

#include <algorithm>
#include <memory>

#include "html/print/view_printer.h"
#include "html/viewer/doc_viewer.h"
#include "platform/core/mul_div.h"
#include "platform/gui/font.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/printer.h"
#include "platform/gui/region.h"
#include "platform/gui/screen.h"

namespace html {

namespace {

// The canvas's font, pen and brush, put back when it goes.
class SavedTools {
 public:
  explicit SavedTools(cl::TCanvas& canvas) : canvas_(canvas), pen_(canvas.Pen()) {
    font_.Assign(canvas.Font());
    brushColor_ = canvas.Brush().Color();
    brushStyle_ = canvas.Brush().Style();
  }
  ~SavedTools() {
    canvas_.Font().Assign(font_);
    canvas_.Pen() = pen_;
    canvas_.Brush().SetColor(brushColor_);
    canvas_.Brush().SetStyle(brushStyle_);
  }
  SavedTools(const SavedTools&) = delete;
  SavedTools& operator=(const SavedTools&) = delete;

 private:
  cl::TCanvas& canvas_;
  cl::TFont font_;
  cl::TPen pen_;
  cl::TColor brushColor_;
  cl::TBrushStyle brushStyle_;
};

// Where the printable area of a page lies: printer pixels, then the same in
// the screen pixels the document is drawn in.
struct PageGeometry {
  int32_t logPixX = 0, logPixY = 0, ppi = 96;
  int32_t left = 0, top = 0, printableWidth = 0, printableHeight = 0;
  int32_t xOrigin = 0, width = 0, topS = 0, height = 0, pageWidth = 0, pageHeight = 0;
};

int32_t MarginPixels(double centimetres, int32_t dotsPerInch) {
  return static_cast<int32_t>(centimetres / 2.54 * dotsPerInch);
}

PageGeometry Measure(const TDocViewer& viewer, cl::TPrinterContext& context) {
  PageGeometry g;
  g.logPixX = context.DeviceCaps(win::LOGPIXELSX);
  g.logPixY = context.DeviceCaps(win::LOGPIXELSY);
  g.ppi = cl::Screen().PixelsPerInch();
  const int32_t horz = context.DeviceCaps(win::HORZRES);
  const int32_t vert = context.DeviceCaps(win::VERTRES);
  // The paper's edges the printer cannot reach: the printable area's offset
  // on the left and top, the rest of the paper on the right and bottom.
  cl::TSize paper{-1, -1};
  if (context.EscapeSupported(win::GETPHYSPAGESIZE)) paper = context.PhysicalPageSize();
  cl::TPoint offset{0, 0};
  if (context.EscapeSupported(win::GETPRINTINGOFFSET)) offset = context.PrintingOffset();
  const int32_t rightUnprintable = std::max(0, paper.cx - horz - offset.X);
  const int32_t bottomUnprintable = std::max(0, paper.cy - vert - offset.Y);
  g.left = MarginPixels(viewer.PrintMarginLeft, g.logPixX) - offset.X;
  const int32_t right = MarginPixels(viewer.PrintMarginRight, g.logPixX) - rightUnprintable;
  g.top = MarginPixels(viewer.PrintMarginTop, g.logPixY) - offset.Y;
  const int32_t bottom = MarginPixels(viewer.PrintMarginBottom, g.logPixY) - bottomUnprintable;
  g.printableWidth = horz - g.left - right;
  g.printableHeight = vert - g.top - bottom;
  g.xOrigin = win::MulDiv(g.left, g.ppi, g.logPixX);
  g.width = win::MulDiv(g.printableWidth, g.ppi, g.logPixX);
  g.topS = win::MulDiv(g.top, g.ppi, g.logPixY);
  g.height = win::MulDiv(g.printableHeight, g.ppi, g.logPixY);
  g.pageHeight = win::MulDiv(vert, g.ppi, g.logPixY);
  g.pageWidth = win::MulDiv(horz, g.ppi, g.logPixX);
  return g;
}

// Screen pixels onto the printer's.
void MapToPrinter(cl::TCanvas& canvas, const PageGeometry& g) {
  canvas.SetMapMode(win::MM_ANISOTROPIC);
  canvas.SetWindowExt(g.ppi, g.ppi);
  canvas.SetViewportExt(g.logPixX, g.logPixY);
}

// One run: owns the print copy and the printer, holds the current-printer
// slot and the viewer's busy state, and always ends what it began.
class PrintRun {
 public:
  PrintRun(TDocViewer& viewer, int32_t fromPage, int32_t toPage)
      : viewer_(viewer), fromPage_(fromPage), toPage_(toPage), copy_(std::make_unique<TSectionList>(viewer.SectionList())) {
    copy_->SetScrollOffset(0);
    // Set directly: the copy's host is the viewer's, whose panel keeps its colour.
    copy_->BackgroundColor = cl::clWhite;
    previous_ = SetCurrentPrinter(&printer_);
    viewer_.PrintedPage = 1;
  }

  ~PrintRun() {
    SetCurrentPrinter(previous_);
  }
  PrintRun(const PrintRun&) = delete;
  PrintRun& operator=(const PrintRun&) = delete;

  void Run() {
    try {
      PrintPages();
    } catch (...) {
      try {
        Finish();
      } catch (const cl::Exception&) {
        // The first failure is the one to report.
      }
      throw;
    }
    Finish();
  }

 private:
  void PrintPages() {
    if (!viewer_.DocumentTitle().empty()) printer_.Title = viewer_.DocumentTitle();
    printer_.BeginDoc();
    cl::TCanvas& canvas = printer_.Canvas().Changing();
    const PageGeometry g = Measure(viewer_, printer_.Context());
    MapToPrinter(canvas, g);

    copy_->Indents->OriginX = g.xOrigin;
    const int32_t documentHeight = copy_->Layout(canvas, 0, 0, g.width).Height;
    // Printer pixels: the page's printable band, a little beyond each edge.
    const win::Region clip =
        win::CreateRectRgn(0, g.top - 1, g.printableWidth + g.left + 2, g.top + g.printableHeight + 2);

    int32_t y = 0;
    bool done = false;
    while (viewer_.PrintedPage <= toPage_ && !done) {
      MapToPrinter(canvas, g);
      canvas.SetWindowOrg(0, y - g.topS);
      canvas.SelectClipRgn(&clip);
      if (viewer_.PrintedPage < fromPage_) {
        // Drawn beyond the page's right edge: nothing shows, but the copy
        // finds where this page ends.
        const int32_t x = g.xOrigin + 3 * g.width;
        copy_->Draw(canvas, cl::TRect{x, y, x + g.width, y + g.height}, x, 0, g.width);
      } else {
        copy_->Draw(canvas, cl::TRect{g.xOrigin, y, g.xOrigin + g.width, y + g.height}, g.xOrigin, 0, g.width);
        drewPage_ = true;
        FinishPage(canvas, g, y, done);
      }
      // A page end that does not advance would print this page again and
      // again: go on by a whole page instead.
      const int32_t pageEnd = copy_->PageLimitY;
      y = pageEnd > y ? pageEnd : y + g.height;
      if (y > documentHeight) done = true;
      if (!done && fromPage_ <= viewer_.PrintedPage && viewer_.PrintedPage < toPage_) printer_.NewPage();
      ++viewer_.PrintedPage;
    }
  }

  // Clears what continues on the next page and the top margin band, then
  // lets the handlers draw the header and the footer.
  void FinishPage(cl::TCanvas& canvas, const PageGeometry& g, int32_t y, bool& done) {
    const SavedTools saved(canvas);
    canvas.SelectClipRgn(nullptr);
    canvas.Pen().SetStyle(cl::TPenStyle::psClear);
    canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
    canvas.Brush().SetColor(cl::clWhite);
    canvas.FillRect(cl::TRect{g.xOrigin, copy_->PageLimitY, g.xOrigin + g.width, y + g.height});
    canvas.FillRect(cl::TRect{g.xOrigin, y - g.topS, g.xOrigin + g.width, y});
    if (!viewer_.OnPrintHeader && !viewer_.OnPrintFooter) return;
    const uint32_t align = canvas.SetTextAlign(0);
    if (viewer_.OnPrintHeader) {
      canvas.SetWindowOrg(0, 0);
      viewer_.OnPrintHeader(&viewer_, canvas, viewer_.PrintedPage, g.pageWidth, g.topS, done);
    }
    if (viewer_.OnPrintFooter) {
      canvas.SetWindowOrg(0, -(g.topS + g.height));
      viewer_.OnPrintFooter(&viewer_, canvas, viewer_.PrintedPage, g.pageWidth, g.pageHeight - g.topS - g.height,
                            done);
    }
    canvas.SetTextAlign(align);
  }

  // A range in which no page was drawn prints nothing: the job is dropped
  // instead of ending with a blank sheet.
  void Finish() {
    const bool open = printer_.Printing();
    --viewer_.PrintedPage;
    if (!open) return;
    if (drewPage_)
      printer_.EndDoc();
    else
      printer_.Abort();
  }

  TDocViewer& viewer_;
  const int32_t fromPage_;
  const int32_t toPage_;
  std::unique_ptr<TSectionList> copy_;
  TViewPrinter printer_;
  TViewPrinter* previous_ = nullptr;
  bool drewPage_ = false;
  // The pump of the abort procedure runs paint and timers: a load into the
  // viewer meanwhile would free the sections the copy shares pictures with.
  // Made last, so it is on before the run begins and off once it has ended.
  const TDocViewer::TProcessingBracket processing_{viewer_};
};

}  // namespace

void PrintDocument(TDocViewer& viewer, int32_t fromPage, int32_t toPage) {
  if (viewer.Processing() || viewer.SectionList().Count() == 0) return;
  PrintRun(viewer, fromPage, toPage).Run();
}

}  // namespace html
