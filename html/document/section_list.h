#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "html/document/animated_image.h"
#include "html/document/cell.h"
#include "html/document/font_table.h"
#include "html/document/form_control_obj.h"
#include "html/document/map_item.h"
#include "html/document/selection_sinks.h"
#include "platform/core/list.h"
#include "platform/core/string_list.h"
#include "platform/gui/colors.h"
#include "platform/gui/timer.h"

namespace cl {
class TBitmap;
}  // namespace cl

namespace html {
class TDocumentHost;
class TImageSource;

// The document root: a cell that also holds everything document-wide.
class TSectionList : public TCell {
 public:
  static constexpr uint32_t AnimationInterval = 50;

  // Host and image side may be null: a document of its own (tests, tools)
  // keeps its errors and shows no pictures.
  explicit TSectionList(TDocumentHost* host = nullptr, TImageSource* images = nullptr);
  // The print copy: every section cloned, settings copied; no timer, no
  // form-control list, no background image.
  explicit TSectionList(const TSectionList& source);
  ~TSectionList() override;

  void ClearDocument();
  void SetDefaults(std::string_view fontName, std::string_view preFontName, int32_t fontSize, cl::TColor textColor,
                   cl::TColor linkColor, cl::TColor backgroundColor);
  void SetBackgroundColor(cl::TColor colour);
  void SetBackgroundName(std::string name);
  // The background picture, fetched once when images are on; null when
  // there is none, it is delayed or it is not a plain bitmap.
  cl::TBitmap* BackgroundBitmap();
  // A picture's name as the image side looks it up (the host's expansion).
  std::string ExpandImageName(const std::string& name) const;
  void SetScrollOffset(int32_t y);
  // Y of the top of section n (0-based), clamped to the last section.
  int32_t SectionTop(int n) const;
  int32_t SelectionLength();
  void CopySelectionToClipboard(std::function<void(std::string_view)> putOnClipboard);
  // The selection through the sink (used by the copies and counts).
  int32_t CopySelectionTo(SelTextCount& sink);

  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, int32_t curs, int32_t width) override;
  int32_t Draw(cl::TCanvas& canvas, const cl::TRect& clip, int32_t x, int32_t y, int32_t clipWidth) override;
  void AnimationTick();
  void PlaceFormControls();

  // A section's layout failed: reported once to the host (after the layout,
  // never from inside it), else kept in ProcessErrors.
  void ReportProcessError(const std::string& message);

  bool ImagesOn = true;
  bool IsPrintCopy = false;
  int32_t ScrollY = 0;
  bool ControlsNeedPlacing = false;
  int32_t SelFrom = 0, SelTo = 0;  // SelFrom inclusive, SelTo exclusive
  // The default faces keep this many characters of the names they are given.
  static constexpr std::size_t FaceNameLength = 33;
  std::string DefaultFontName = "Times New Roman";
  std::string DefaultPreFontName = "Courier New";
  cl::TColor DefaultTextColor = cl::clBlack;
  cl::TColor DefaultLinkColor = cl::clBlue;
  uint8_t FontCharset = 1;
  TDocumentHost* Host = nullptr;
  TImageSource* ImageSource = nullptr;
  cl::TColor BackgroundColor = cl::clWindow;
  cl::TBitmap* BgBitmap = nullptr;  // the image cache's
  std::string BgImageName;
  bool BgFetched = false;
  std::vector<std::unique_ptr<ThtmlForm>> Forms;
  cl::TList<TAnimatedImage> AnimatedImages;
  SelTextCount* SelectionSink = nullptr;
  int32_t PageLimitY = 0;
  std::vector<std::unique_ptr<TMapItem>> ImageMaps;
  std::unique_ptr<cl::TTimer> AnimationTimer;
  std::unique_ptr<cl::TList<TFormControlObj>> AllControls;
  cl::TStringList DelayedImages;
  // The document's fonts, shared by its runs and sections. Sharing changes
  // no font: it is open to the const paths that re-derive fonts.
  mutable FontTable SharedFonts;
  // Processing errors of the last layouts not yet reported.
  std::vector<std::string> ProcessErrors;

 private:
  void EnableTimer();
  void FlushProcessErrors();
  bool inLayout_ = false;
};

}  // namespace html
