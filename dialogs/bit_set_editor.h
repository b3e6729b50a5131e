#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/gui/bitmap.h"
#include "platform/gui/form.h"
#include "platform/gui/drawn_list_box.h"
#include "dialogs/bit_set_256.h"

namespace cl {
class TBitBtn;
class TLabel;
class TPanel;
}  // namespace cl

namespace dlg {

// Shows a set of numbered flags as a list of texts with a check mark on each
// member; what the user adds is green, what he removes red and struck out.
class TBitSetEditor : public cl::TForm {
 public:
  explicit TBitSetEditor(cl::TComponent* owner);
  ~TBitSetEditor() override;

  // A read-only editor can only be cancelled.
  void SetEditable(bool editable);
  // The element texts, one a line.
  void SetItems(std::string_view lines);
  void SetOriginal(const tBitSet256& original);
  void SetCurrent(const tBitSet256& current);
  const tBitSet256& Current() const { return current_; }

 private:
  void Recount();
  void DrawRow(int index, cl::TRect rect, cl::TOwnerDrawState state);
  void ToggleMarked();
  void ListKeyDown(std::uint16_t& key, cl::TShiftState shift);
  void RestoreOriginal();

  bool editable_ = true;
  tBitSet256 original_, current_, added_, removed_;
  cl::TBitmap checkMark_;
  cl::TDrawnListBox* list_ = nullptr;
  cl::TPanel* cardinality_ = nullptr;
  cl::TBitBtn* ok_ = nullptr;
  cl::TBitBtn* originalButton_ = nullptr;
};

// The whole dialog: current takes the edited set only when the user confirms
// an editable editor. Answers the modal result.
int EditBitSet(bool editable, std::string_view caption, const tBitSet256& original, tBitSet256& current,
               std::string_view items);

}  // namespace dlg
