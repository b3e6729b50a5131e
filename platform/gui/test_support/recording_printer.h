#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace cl::testing {

// While it lives, the contexts of Printer() are its own: a printer of the
// given paper, printable area and resolution whose pages are painted into
// images and whose texts are written down with their device boxes.
class RecordingPrinter {
 public:
  RecordingPrinter();
  ~RecordingPrinter();
  RecordingPrinter(const RecordingPrinter&) = delete;
  RecordingPrinter& operator=(const RecordingPrinter&) = delete;

  int Resolution = 192;
  TSize Paper{1000, 1400};
  // The printable area's place on the paper.
  TPoint Offset{20, 30};
  TSize Printable{940, 1320};
  // The driver answers no escapes: no paper size, no offset.
  bool NoEscapes = false;
  // Runs inside the abort procedure's call at the end of each page.
  std::function<void()> OnEndPage;

  struct Text {
    TRect Box;
    std::string Value;
  };
  struct Page {
    std::vector<Text> Texts;
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;  // 0xRRGGBB, row by row
    // The RGB value at a device pixel, -1 outside.
    TColor Pixel(int x, int y) const;
    // The texts joined by blanks, in drawing order.
    std::string AllText() const;
  };
  struct Job {
    std::string Name;
    std::vector<Page> Pages;
    bool Ended = false;
    bool Aborted = false;
  };
  std::vector<Job> Jobs;
  // One entry a context made: true for a device context.
  std::vector<bool> Contexts;

  struct Impl;
};

}  // namespace cl::testing
