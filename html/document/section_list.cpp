#include "html/document/section_list.h"

#include <algorithm>

#include "html/document/document_host.h"
#include "html/document/html_common.h"
#include "html/document/image_source.h"
#include "html/document/transparency.h"
#include "platform/core/ansi_case.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

namespace html {

TSectionList::TSectionList(TDocumentHost* host, TImageSource* images)
    : TCell(this),
      Host(host),
      ImageSource(images),
      AnimationTimer(std::make_unique<cl::TTimer>()),
      AllControls(std::make_unique<cl::TList<TFormControlObj>>()) {
  AnimationTimer->SetEnabled(false);
  AnimationTimer->SetInterval(AnimationInterval);
  AnimationTimer->OnTimer = [this] { AnimationTick(); };
}

TSectionList::TSectionList(const TSectionList& source)
    : TCell(this),
      ImagesOn(source.ImagesOn),
      IsPrintCopy(true),
      ScrollY(source.ScrollY),
      ControlsNeedPlacing(source.ControlsNeedPlacing),
      SelFrom(source.SelFrom),
      SelTo(source.SelTo),
      DefaultFontName(source.DefaultFontName),
      DefaultPreFontName(source.DefaultPreFontName),
      DefaultTextColor(source.DefaultTextColor),
      DefaultLinkColor(source.DefaultLinkColor),
      FontCharset(source.FontCharset),
      Host(source.Host),
      ImageSource(source.ImageSource),
      BackgroundColor(source.BackgroundColor) {
  FontSizeSlot = source.FontSizeSlot;
  AddCopiesOf(source);
}

TSectionList::~TSectionList() {
  ClearDocument();
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
}

void TSectionList::ClearDocument() {
  // The animations and waiting images first, so that freed images find none
  // to take out of these lists; then the sections: their images and controls
  // point into the lists below.
  AnimatedImages.Clear();
  DelayedImages.Clear();
  ClearAndFree();
  if (BgFetched && !BgImageName.empty() && ImageSource)
    ImageSource->ReleaseUse(cl::AnsiUpperCase(TrimBlanks(BgImageName)));
  BgBitmap = nullptr;
  BgImageName.clear();
  BgFetched = false;
  if (AllControls) AllControls->Clear();
  Forms.clear();
  SelFrom = SelTo = 0;
  ImageMaps.clear();
  ProcessErrors.clear();
  SharedFonts.Clear();
}

void TSectionList::SetDefaults(std::string_view fontName, std::string_view preFontName, int32_t fontSize,
                               cl::TColor textColor, cl::TColor linkColor, cl::TColor backgroundColor) {
  DefaultFontName = std::string(fontName.substr(0, FaceNameLength));
  DefaultPreFontName = std::string(preFontName.substr(0, FaceNameLength));
  FontSizeSlot = fontSize;
  DefaultTextColor = textColor;
  DefaultLinkColor = linkColor;
  SetBackgroundColor(backgroundColor);
  RefreshAllFonts();
}

void TSectionList::SetBackgroundColor(cl::TColor colour) {
  BackgroundColor = colour;
  if (Host) Host->BackgroundChanged(colour);
}

void TSectionList::SetBackgroundName(std::string name) {
  BgBitmap = nullptr;
  BgImageName = std::move(name);
  BgFetched = false;
}

std::string TSectionList::ExpandImageName(const std::string& name) const {
  return Host ? Host->ExpandImageName(name) : name;
}

cl::TBitmap* TSectionList::BackgroundBitmap() {
  if (ImagesOn && !BgFetched && !BgImageName.empty() && !BgBitmap && ImageSource) {
    BgImageName = ExpandImageName(BgImageName);
    const TFetchedImage fetched = ImageSource->FetchImage(*this, BgImageName, trOpaque);
    BgBitmap = dynamic_cast<cl::TBitmap*>(fetched.Image);
    if (fetched.Delayed) DelayedImages.AddObject(cl::AnsiUpperCase(TrimBlanks(BgImageName)), this);
    BgFetched = true;
  }
  return BgBitmap;
}

void TSectionList::SetScrollOffset(int32_t y) {
  if (y == ScrollY) return;
  ScrollY = y;
  ControlsNeedPlacing = true;
  for (const auto& form : Forms)
    for (const auto& control : form->Controls) control->OnScreen = false;
}

int32_t TSectionList::SectionTop(int n) const {
  const int last = std::min(n - 1, Count() - 2);
  int32_t top = 0;
  for (int i = 0; i <= last; ++i) top += Items(i)->FlowHeight;
  return top;
}

int32_t TSectionList::CopySelectionTo(SelTextCount& sink) {
  SelectionSink = &sink;
  struct Reset {
    SelTextCount*& sink;
    ~Reset() { sink = nullptr; }
  } reset{SelectionSink};
  CopySelection();
  return sink.Finish();
}

int32_t TSectionList::SelectionLength() {
  if (SelFrom >= SelTo) return 0;
  SelTextCount counter;
  return CopySelectionTo(counter);
}

void TSectionList::CopySelectionToClipboard(std::function<void(std::string_view)> putOnClipboard) {
  if (SelFrom >= SelTo) return;
  ClipBuffer buffer(std::move(putOnClipboard));
  CopySelectionTo(buffer);
}

void TSectionList::EnableTimer() {
  if (AnimationTimer) AnimationTimer->SetEnabled(AnimatedImages.Count() > 0);
}

TLayoutResult TSectionList::Layout(cl::TCanvas& canvas, int32_t y, int32_t curs, int32_t width) {
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
  for (const auto& form : Forms)
    for (const auto& control : form->Controls) control->FitToFont(canvas);
  inLayout_ = true;
  TLayoutResult result;
  try {
    result = TCell::Layout(canvas, y, curs, width);
  } catch (...) {
    inLayout_ = false;
    throw;
  }
  inLayout_ = false;
  for (int i = 0; i < AnimatedImages.Count(); ++i) {
    TAnimatedImage* image = AnimatedImages[i];
    image->SetFirstFrame();
    image->StopAnimation();
    if (!IsPrintCopy) image->StartAnimation();
  }
  EnableTimer();
  PlaceFormControls();
  FlushProcessErrors();
  return result;
}

int32_t TSectionList::Draw(cl::TCanvas& canvas, const cl::TRect& clip, int32_t x, int32_t y, int32_t clipWidth) {
  PageLimitY = clip.Bottom;
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
  for (int i = 0; i < AnimatedImages.Count(); ++i) AnimatedImages[i]->Drawn = false;
  // The shared palette for the pictures, given back even when drawing fails.
  struct PaletteScope {
    cl::TCanvas& canvas;
    win::HPALETTE previous = nullptr;
    bool selected = false;
    ~PaletteScope() {
      if (selected) canvas.SelectPalette(previous, true);
    }
  } palette{canvas};
  if (const win::HPALETTE shared = ImageSource ? ImageSource->Palette() : nullptr) {
    palette.previous = canvas.SelectPalette(shared, true);
    palette.selected = true;
    canvas.RealizePalette();
  }
  const int32_t bottom = TCell::Draw(canvas, clip, x, y, clipWidth);
  if (ControlsNeedPlacing) {
    PlaceFormControls();
    ControlsNeedPlacing = false;
  }
  EnableTimer();
  return bottom;
}

void TSectionList::AnimationTick() {
  if (IsPrintCopy) return;
  for (int i = 0; i < AnimatedImages.Count(); ++i) {
    if (!AnimatedImages[i]->Drawn) continue;
    const std::optional<cl::TRect> changed = AnimatedImages[i]->AnimationStep();
    if (changed && Host) Host->InvalidateArea(*changed);
  }
  if (AnimationTimer) AnimationTimer->SetInterval(AnimationInterval);
}

void TSectionList::PlaceFormControls() {
  if (IsPrintCopy || !AllControls || AllControls->Count() == 0) return;
  bool focusHere = false;
  for (int i = 0; i < AllControls->Count(); ++i) focusHere = focusHere || AllControls->Items(i)->Focused();
  for (int i = 0; i < AllControls->Count(); ++i) {
    TFormControlObj* control = AllControls->Items(i);
    if (control->OnScreen) continue;
    if (focusHere)
      control->MoveAway();
    else
      control->Hide();
  }
}

void TSectionList::ReportProcessError(const std::string& message) {
  ProcessErrors.push_back(message);
  if (!inLayout_) FlushProcessErrors();
}

void TSectionList::FlushProcessErrors() {
  if (!Host) return;
  std::vector<std::string> errors = std::move(ProcessErrors);
  ProcessErrors.clear();
  for (auto& message : errors)
    if (!Host->ProcessError(message)) ProcessErrors.push_back(std::move(message));
}

}  // namespace html
