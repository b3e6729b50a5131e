#pragma once

#include <cstdint>

namespace html {

class TDocViewer;

// Prints pages fromPage..toPage (from 1) of the document viewer shows, on
// the printer the application's printer has chosen: a copy of the document
// laid out for the printable width in screen pixels, scaled to the printer,
// within the viewer's margins, with no line cut by a page end, and the
// viewer's header and footer handlers called for every page printed. The
// viewer is busy meanwhile; PrintedPage holds the last page processed.
// Nothing while the viewer is busy or the document is empty. A range that
// holds no page of the document prints nothing: the job is aborted.
void PrintDocument(TDocViewer& viewer, int32_t fromPage, int32_t toPage);

}  // namespace html
