#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html/forms/windowed_control_obj.h"
#include "platform/core/object.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/list_box.h"

namespace html {

// One OPTION: its VALUE (empty when absent) and SELECTED.
class TOptionObj : public cl::TObject {
 public:
  TOptionObj(std::string value, bool selected) : OptionValue(std::move(value)), Selected(selected) {}
  std::string OptionValue;
  bool Selected = false;
};

// An option's text with its object.
struct TOptionEntry {
  std::string Text;
  TOptionObj Option;
};

// SELECT shown as a list; MULTIPLE selects several.
class TListBoxFormControlObj : public TWindowedControlObj {
 public:
  TListBoxFormControlObj(TSectionList* document, const TAttributeList& attributes);

  void AddOption(const std::string& text, const std::string& value, bool selected);
  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  void FitToFont(cl::TCanvas& canvas) override;

  int32_t VisibleRows = -1;  // SIZE; -1: from the option count
  int32_t LongestText = 3;
  std::vector<TOptionEntry> Options;

 protected:
  // For the drop-down: the fields without a list window of their own.
  struct NoList {};
  TListBoxFormControlObj(TSectionList* document, const TAttributeList& attributes, NoList);
  // The pair of option index (the value, else the text).
  std::string PairOf(int index) const;
  cl::TListBox& List() const { return static_cast<cl::TListBox&>(Window()); }
};

// SELECT shown as a drop-down: a choice list in place of the list box.
class TComboFormControlObj : public TListBoxFormControlObj {
 public:
  TComboFormControlObj(TSectionList* document, const TAttributeList& attributes);

  void DrawStatic(cl::TCanvas& canvas, int32_t x, int32_t y) override;
  void ResetValue() override;
  bool SubmitPair(int index, std::string& s) override;
  void FitToFont(cl::TCanvas& canvas) override;
  cl::TComboBox& Combo() const { return static_cast<cl::TComboBox&>(Window()); }
};

}  // namespace html
