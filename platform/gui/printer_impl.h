#pragma once

// platform/gui's own: Qt's printer behind TPrinter.

#include <QPrinter>
#include <memory>

#include "platform/gui/printer.h"

namespace cl {

struct TPrinter::Impl {
  // The selection: what the dialog edits and each context copies.
  QPrinter printer{QPrinter::HighResolution};
  // What the queue index chose; a set output file overrides it.
  std::string fileName;
  // The file name the print dialog last offered of itself.
  QString offeredFileName;
};

struct PrinterAccess {
  static QPrinter& QtPrinter(TPrinter& printer) { return printer.impl_->printer; }
  static QString& OfferedFileName(TPrinter& printer) { return printer.impl_->offeredFileName; }
};

}  // namespace cl
