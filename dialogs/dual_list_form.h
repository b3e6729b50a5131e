#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gui/form.h"

namespace cl {
class THeader;
}

namespace dlg {

class tTabListBox;

// The choice of SELECTFROMDUAL: the modal result, and on 1 the chosen pair.
struct DualChoice {
  cl::TModalResult result = cl::mrCancel;
  bool chosen = false;  // key and value hold the focused row's pair
  std::string key;
  std::string value;
};

// Shows the pairs of a "key # value" file in two columns at a screen point and
// lets the user pick one: Enter or a double click on a row chooses, Esc cancels.
DualChoice SelectFromDual(std::int32_t x, std::int32_t y, std::string_view fileName, std::string_view caption,
                          std::string_view keyCaption, std::string_view valueCaption, std::string_view current);

class TDualListForm : public cl::TForm {
 public:
  explicit TDualListForm(cl::TComponent* owner);

  // Places the form at the point, kept wholly on the screen, 8 pixels off its
  // right and bottom edges at most.
  void PlaceAt(std::int32_t x, std::int32_t y);
  void SetCaptions(std::string_view caption, std::string_view keyCaption, std::string_view valueCaption);
  // Rows of the file's pairs; a file that cannot be read to its end keeps
  // the rows read and forgets its name.
  void Load(std::string_view fileName);
  // Focuses the first row whose value is current, ignoring case.
  void Preselect(std::string_view current);
  DualChoice Choice() const;

  tTabListBox& List() { return *list_; }
  const std::string& FileName() const { return fileName_; }

 private:
  void FormKeyDown(std::uint16_t& key, cl::TShiftState shift);
  void ListDblClick();
  // The values' column starts where the header's second section does, also
  // after the user has dragged the sections' edge.
  void UpdateTabStop();

  cl::THeader* header_ = nullptr;
  tTabListBox* list_ = nullptr;
  std::string fileName_;
};

}  // namespace dlg
