#pragma once

// platform/gui's own: the context on Qt's printer.

#include <QPrinter>
#include <memory>

#include "platform/gui/printer_context.h"

namespace cl {

// A context on a printer like selection. A PDF job writes a file beside the
// one chosen and renames it when the job ends, so an aborted or failed job
// leaves no file and never half-overwrites an old one.
std::unique_ptr<TPrinterContext> CreateQtPrinterContext(const QPrinter& selection, bool device);

}  // namespace cl
