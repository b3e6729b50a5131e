#pragma once

#include <functional>
#include <string>
#include <vector>

#include "html/document/document_host.h"

namespace html {

// A document host for tests, tools and benchmarks: each request goes to its
// handler when one is set; background changes and errors are recorded.
class StubHost final : public TDocumentHost {
 public:
  std::function<void(const std::string& name, cl::TBitmap*& bitmap, cl::TColor& colour)> OnBitmap;
  std::function<void(const std::string& name, cl::TStream*& stream)> OnImage;
  std::function<std::string(const std::string& name)> OnExpand;
  std::vector<cl::TColor> Backgrounds;
  std::vector<std::string> Errors;
  std::vector<cl::TRect> Invalidated;

  bool RequestBitmap(const std::string& name, cl::TBitmap*& bitmap, cl::TColor& colour) override {
    if (!OnBitmap) return false;
    OnBitmap(name, bitmap, colour);
    return true;
  }
  bool RequestImage(const std::string& name, cl::TStream*& stream) override {
    if (!OnImage) return false;
    OnImage(name, stream);
    return true;
  }
  std::string ExpandImageName(const std::string& name) override { return OnExpand ? OnExpand(name) : name; }
  void BackgroundChanged(cl::TColor colour) override { Backgrounds.push_back(colour); }
  void InvalidateArea(const cl::TRect& rect) override { Invalidated.push_back(rect); }
  bool ProcessError(const std::string& message) override {
    Errors.push_back(message);
    return true;
  }
};

}  // namespace html
