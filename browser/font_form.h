#pragma once

#include <cstdint>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "platform/gui/button.h"
#include "platform/gui/color_grid.h"
#include "platform/gui/form.h"
#include "platform/gui/label.h"
#include "platform/gui/list_box.h"
#include "platform/gui/spin_edit.h"

namespace brw {

// The modal dialog for the viewer's defaults: text face, text, link and
// background colours and text size, shown at once in a sample document.
// The main window fills it, shows it and on OK reads the choices back.
class TFontForm : public cl::TForm {
 public:
  explicit TFontForm(cl::TComponent* owner);

  // Selects the face in the list (adding it first when the list lacks it, so
  // any face the viewer uses can be kept) and shows it in the sample.
  void SetFontName(const std::string& name);
  void SetFontColor(cl::TColor color);
  void SetHotSpotColor(cl::TColor color);
  void SetFontSize(int32_t size);
  // Selects the colour's name in the background list, adding it when absent.
  void SetBackground(cl::TColor color);
  // The selected face; raises cl::Exception when none is selected.
  std::string GetSelectedFontName() const;
  // The selected background; raises cl::Exception when none is selected.
  cl::TColor GetSelectedBackground() const;

  cl::TColor FontColor() const { return fontColor_; }
  cl::TColor HotSpotColor() const { return hotSpotColor_; }
  int32_t FontSize() const { return fontSize_; }

  // Handlers.
  void ResetButtonClick();
  void ListBoxClicks(cl::TObject* sender);
  void FontColorGridChange();
  void HotSpotColorGridChange();

  html::TDocViewer& FontViewer() { return *fontViewer_; }
  cl::TListBox& FontListBox() { return *fontListBox_; }
  cl::TListBox& BackListBox() { return *backListBox_; }
  cl::TColorGrid& FontColorGrid() { return *fontColorGrid_; }
  cl::TColorGrid& HotSpotColorGrid() { return *hotSpotColorGrid_; }
  cl::TSpinEdit& FontSizeEdit() { return *fontSizeEdit_; }

 private:
  void FormCreate();

  html::TDocViewer* fontViewer_ = nullptr;
  cl::TListBox* fontListBox_ = nullptr;
  cl::TListBox* backListBox_ = nullptr;
  cl::TColorGrid* fontColorGrid_ = nullptr;
  cl::TColorGrid* hotSpotColorGrid_ = nullptr;
  cl::TSpinEdit* fontSizeEdit_ = nullptr;
  cl::TButton* resetButton_ = nullptr;
  cl::TBitBtn* okButton_ = nullptr;
  cl::TBitBtn* cancelButton_ = nullptr;
  cl::TColor fontColor_ = cl::clBlack;
  cl::TColor hotSpotColor_ = cl::clBlue;
  int32_t fontSize_ = 12;
  bool showingSize_ = false;
  std::string sampleText_;
};

}  // namespace brw
