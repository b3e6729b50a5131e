#pragma once

#include <functional>
#include <string>

#include "platform/gui/canvas.h"
#include "platform/gui/geometry.h"

namespace win {

// GetDeviceCaps indexes a printer context answers.
constexpr int HORZRES = 8, VERTRES = 10, LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110,
              PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
// The printer escapes: QUERYESCSUPPORT asks for the other two.
constexpr int QUERYESCSUPPORT = 8, GETPHYSPAGESIZE = 12, GETPRINTINGOFFSET = 13;

}  // namespace win

namespace cl {

// A context on a printer (Windows' CreateIC or CreateDC): an information
// context measures; a device context also runs a job. Sizes are device
// pixels; the canvas's device origin is the printable area's top-left.
class TPrinterContext {
 public:
  virtual ~TPrinterContext() = default;

  virtual bool IsDevice() const = 0;
  virtual int DeviceCaps(int index) const = 0;
  // QUERYESCSUPPORT for an escape.
  virtual bool EscapeSupported(int escape) const = 0;
  // GETPHYSPAGESIZE and GETPRINTINGOFFSET.
  virtual TSize PhysicalPageSize() const = 0;
  virtual TPoint PrintingOffset() const = 0;
  // Measures in an information context; draws on the page of a job.
  virtual TCanvas& Canvas() = 0;

  // Called between the parts of a page the device spools (at each EndPage
  // here); false asks the job to stop.
  void SetAbortProc(std::function<bool()> proc) { abortProc_ = std::move(proc); }
  // The job; each answers false where Windows' call fails. A job that is
  // neither ended nor aborted is aborted when the context goes.
  virtual bool StartDoc(const std::string& documentName) = 0;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDoc() = 0;
  virtual bool AbortDoc() = 0;
  // After StartDoc or EndDoc failed: the file the job writes, as the system
  // names it, when creating or writing it was the failure (the last error then
  // tells why); empty when the device failed.
  virtual std::string FailedFile() const { return std::string(); }

 protected:
  bool CallAbortProc() const { return !abortProc_ || abortProc_(); }

 private:
  std::function<bool()> abortProc_;
};

}  // namespace cl
