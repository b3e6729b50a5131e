#pragma once

// platform/gui's own: the context on Qt's printer.

#include <QPrinter>
#include <memory>

#include "platform/gui/printer_context.h"

namespace cl {

// A context on a printer like selection. A PDF job replaces its file through
// the layer's replacing write when the job ends, so an aborted, failed or
// killed job leaves no file and never half-overwrites an old one; a device
// or FIFO named as the file is written in place.
std::unique_ptr<TPrinterContext> CreateQtPrinterContext(const QPrinter& selection, bool device);

}  // namespace cl
