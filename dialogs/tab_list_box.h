#pragma once

#include <string>
#include <string_view>

#include "platform/gui/list_box.h"

namespace dlg {

// A list of "key TAB value" rows whose values line up at one tab stop.
class tTabListBox : public cl::TListBox {
 public:
  explicit tTabListBox(cl::TComponent* owner);

  void AddPair(std::string_view key, std::string_view value);
  // The first row whose value equals value without regard to case, or -1.
  int IndexOfValue(std::string_view value) const;
  // The trimmed text before and after the row's first TAB; false when the
  // row is out of range or has no TAB.
  bool PairAt(int index, std::string& key, std::string& value) const;
};

}  // namespace dlg
