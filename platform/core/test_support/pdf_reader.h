#pragma once

// Printed PDF files read back through poppler's command-line tools.

#include <string>

namespace cl::testing {

// What pdfinfo says of PDF (title, page count, ...), its errors included.
std::string PdfInfo(const std::string& pdf);
// The page count pdfinfo gives, or -1 when it gives none.
int PdfPageCount(const std::string& pdf);
// The text pdftotext finds on PAGE (from 1), or on every page for 0, in UTF-8.
std::string PdfText(const std::string& pdf, int page = 0);

}  // namespace cl::testing
