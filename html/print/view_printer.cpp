#include "html/print/view_printer.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/gui/application.h"
#include "platform/gui/printer.h"
#include "utility/bk_exception.h"

namespace html {

namespace {

constexpr const char* kNotPrinting = "Printer is not currently printing";
constexpr const char* kPrinting = "Printing in progress";
constexpr const char* kNotValid = "Printer selected is not valid";

// The process's current-printer slot: the one made on first request, and the
// one installed, which a print run puts back when it ends.
struct PrinterSlot {
  std::unique_ptr<TViewPrinter> own;
  TViewPrinter* current = nullptr;
};

PrinterSlot& Slot() {
  static PrinterSlot slot;
  return slot;
}

}  // namespace

cl::TCanvas& TPrinterCanvas::Handle() { return printer_.Context().Canvas(); }

cl::TCanvas& TPrinterCanvas::Changing() {
  printer_.CheckPrinting(true);
  return Handle();
}

TViewPrinter::TViewPrinter() = default;

TViewPrinter::~TViewPrinter() {
  if (printing_) {
    try {
      EndDoc();
    } catch (const cl::Exception&) {
      // A destructor cannot report a job that failed to end.
    }
  }
  context_.reset();
  canvas_.reset();
}

void TViewPrinter::CheckPrinting(bool value) const {
  if (printing_ == value) return;
  throw cl::EPrinter(value ? kNotPrinting : kPrinting);
}

void TViewPrinter::SetState(TState newState) {
  if (newState == state_) return;
  switch (newState) {
    case TState::NoContext:
      CheckPrinting(false);
      context_.reset();
      state_ = newState;
      return;
    case TState::Information:
      if (state_ == TState::Device) return;
      break;
    case TState::Device: context_.reset(); break;
  }
  std::unique_ptr<cl::TPrinterContext> context = cl::Printer().CreateContext(newState == TState::Device);
  if (context == nullptr) {
    state_ = TState::NoContext;
    throw cl::EPrinter(kNotValid);
  }
  context_ = std::move(context);
  state_ = newState;
}

cl::TPrinterContext& TViewPrinter::Context() {
  SetState(TState::Information);
  return *context_;
}

TPrinterCanvas& TViewPrinter::Canvas() {
  if (canvas_ == nullptr) canvas_ = std::make_unique<TPrinterCanvas>(*this);
  return *canvas_;
}

int32_t TViewPrinter::PageWidth() { return Context().DeviceCaps(win::HORZRES); }

int32_t TViewPrinter::PageHeight() { return Context().DeviceCaps(win::VERTRES); }

void TViewPrinter::BeginDoc() {
  CheckPrinting(false);
  SetState(TState::Device);
  context_->SetAbortProc(PrintAbortProc);
  // A job the device refuses is no job: nothing to end or abort.
  if (!context_->StartDoc(Title.substr(0, 31)) || !context_->StartPage()) {
    const std::string file = context_->FailedFile();
    // Made first: the message takes the last error before anything else runs.
    std::optional<xIOCreate> notCreated;
    if (!file.empty()) notCreated.emplace(file);
    context_->AbortDoc();
    if (notCreated) throw *notCreated;
    throw cl::EPrinter(kNotValid);
  }
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
}

void TViewPrinter::NewPage() {
  CheckPrinting(true);
  context_->EndPage();
  context_->StartPage();
  ++pageNumber_;
}

void TViewPrinter::EndDoc() {
  CheckPrinting(true);
  context_->EndPage();
  const bool ended = aborted_ || context_->EndDoc();
  printing_ = false;
  aborted_ = false;
  pageNumber_ = 0;
  // The file of a PDF job comes into being here; failing that is no success,
  // and a file that could not be written is no fault of the printer.
  if (ended) return;
  const std::string file = context_->FailedFile();
  if (!file.empty()) throw xIOWrite(file);
  throw cl::EPrinter(kNotValid);
}

void TViewPrinter::Abort() {
  CheckPrinting(true);
  context_->AbortDoc();
  aborted_ = true;
  EndDoc();
}

TViewPrinter& CurrentPrinter() {
  PrinterSlot& slot = Slot();
  if (slot.current == nullptr) {
    if (slot.own == nullptr) slot.own = std::make_unique<TViewPrinter>();
    slot.current = slot.own.get();
  }
  return *slot.current;
}

TViewPrinter* SetCurrentPrinter(TViewPrinter* printer) { return std::exchange(Slot().current, printer); }

bool PrintAbortProc() {
  cl::Application().ProcessMessagesExceptInput();
  return !CurrentPrinter().Aborted();
}

}  // namespace html
