#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gui/canvas.h"
#include "platform/gui/printer_context.h"

namespace html {

class TViewPrinter;

// The canvas bound to a TViewPrinter.
class TPrinterCanvas {
 public:
  explicit TPrinterCanvas(TViewPrinter& printer) : printer_(printer) {}

  // The context's canvas, for measuring: an information context at least.
  cl::TCanvas& Handle();
  // The canvas to draw on: only while a job is open.
  cl::TCanvas& Changing();

 private:
  TViewPrinter& printer_;
};

// A printer with a context of its own on what the application's printer has
// chosen, running one job: BeginDoc, pages, EndDoc or Abort.
class TViewPrinter {
 public:
  enum class TState : uint8_t { NoContext = 0, Information = 1, Device = 2 };

  TViewPrinter();
  // Ends an open job first.
  ~TViewPrinter();
  TViewPrinter(const TViewPrinter&) = delete;
  TViewPrinter& operator=(const TViewPrinter&) = delete;

  // An information context serves while a device context is open: asking
  // for one then keeps the device context.
  void SetState(TState newState);
  // EPrinter unless Printing equals value.
  void CheckPrinting(bool value) const;
  void BeginDoc();
  void NewPage();
  void EndDoc();
  void Abort();

  TPrinterCanvas& Canvas();
  // The context (an information context at least), for its device facts.
  cl::TPrinterContext& Context();
  int32_t PageWidth();
  int32_t PageHeight();

  // The spooler is given its first 31 characters.
  std::string Title;
  int32_t PageNumber() const { return pageNumber_; }
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  TState State() const { return state_; }

 private:
  std::unique_ptr<TPrinterCanvas> canvas_;
  int32_t pageNumber_ = 0;
  bool printing_ = false;
  bool aborted_ = false;
  TState state_ = TState::NoContext;
  std::unique_ptr<cl::TPrinterContext> context_;
};

// The printer of the job that runs, which the abort procedure asks; made on
// first request.
TViewPrinter& CurrentPrinter();
// Installs printer (kept by the caller) and answers the one it replaces.
TViewPrinter* SetCurrentPrinter(TViewPrinter* printer);

// The abort procedure of every job: runs the pending messages but the
// user's input, then answers whether the job goes on.
bool PrintAbortProc();

}  // namespace html
