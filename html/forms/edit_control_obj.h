#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html/forms/windowed_control_obj.h"
#include "platform/gui/edit.h"
#include "platform/gui/memo.h"

namespace html {

// INPUT TYPE=text or password (and any type the parser does not know).
class TEditFormControlObj : public TWindowedControlObj {
 public:
  TEditFormControlObj(TSectionList* document, const TAttributeList& attributes, const std::string& typeText);

  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  void FitToFont(cl::TCanvas& canvas) override;
  cl::TEdit& Edit() const { return static_cast<cl::TEdit&>(Window()); }

  int32_t SizeChars = 20;
};

// TEXTAREA: a memo filled with the element's lines.
class TTextAreaFormControlObj : public TWindowedControlObj {
 public:
  TTextAreaFormControlObj(TSectionList* document, const TAttributeList& attributes);

  void AddLine(const std::string& text) { InitialLines.push_back(text); }
  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  void FitToFont(cl::TCanvas& canvas) override;
  cl::TMemo& Memo() const { return static_cast<cl::TMemo&>(Window()); }

  int32_t Rows = 5;
  int32_t Cols = 30;
  std::vector<std::string> InitialLines;

 private:
  std::vector<std::string> submitted_;  // the memo's lines, read once a submission
};

}  // namespace html
