#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "html/document/document_host.h"

namespace html {

// A document host for tests, tools and benchmarks: each request goes to its
// handler when one is set; background changes and errors are recorded.
class StubHost final : public TDocumentHost {
 public:
  std::function<HostBitmap(const std::string& name)> OnBitmap;
  // The stream stays the test's.
  std::function<cl::TStream*(const std::string& name)> OnImage;
  std::function<std::string(const std::string& name)> OnExpand;
  std::vector<cl::TColor> Backgrounds;
  std::vector<std::string> Errors;
  std::vector<cl::TRect> Invalidated;

  std::optional<HostBitmap> RequestBitmap(const std::string& name) override {
    if (!OnBitmap) return std::nullopt;
    return OnBitmap(name);
  }
  std::optional<cl::TStream*> RequestImage(const std::string& name) override {
    if (!OnImage) return std::nullopt;
    return OnImage(name);
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
