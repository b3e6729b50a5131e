#pragma once

// platform/gui's own: Qt's printer behind TPrinter.

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "platform/gui/printer.h"

namespace cl {

struct TPrinter::Impl {
  QPrinter printer{QPrinter::HighResolution};
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<TCanvas> canvas;
  // What the queue index chose; a set output file overrides it.
  std::string fileName;
};

struct PrinterAccess {
  static QPrinter& QtPrinter(TPrinter& printer) { return printer.impl_->printer; }
};

}  // namespace cl
