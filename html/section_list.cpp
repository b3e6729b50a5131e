#include "html/section_list.h"

#include <algorithm>

#include "html/engine_palette.h"
#include "html/html_common.h"
#include "html/image_decode.h"
#include "html/image_sniff.h"
#include "html/image_unit.h"
#include "html/masks.h"
#include "platform/core/ansi_case.h"
#include "platform/core/memory_stream.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/canvas.h"

TSectionList::TSectionList(TDocViewer* owner, TPaintPanel* panel)
    : TCell(this),
      OwnerViewer(owner),
      ViewerPanel(panel),
      AnimationTimer(std::make_unique<cl::TTimer>()),
      AllControls(std::make_unique<cl::TList<TFormControlObj>>()) {
  AnimationTimer->SetEnabled(false);
  AnimationTimer->SetInterval(AnimationInterval);
  AnimationTimer->OnTimer = [this] { AnimationTick(); };
}

TSectionList::TSectionList(const TSectionList& source)
    : TCell(this, source),
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
      OwnerViewer(source.OwnerViewer),
      ViewerPanel(source.ViewerPanel),
      OnBitmapRequest(source.OnBitmapRequest),
      OnImageRequest(source.OnImageRequest),
      BackgroundColor(source.BackgroundColor),
      OnProcessError(source.OnProcessError) {}

TSectionList::~TSectionList() {
  ClearDocument();
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
}

void TSectionList::ClearDocument() {
  // Sections first: their images and controls point into the lists below.
  ClearAndFree();
  if (BgFetched && !BgImageName.empty()) BitmapList().DecUsage(cl::AnsiUpperCase(TrimBlanks(BgImageName)));
  BgBitmap = nullptr;
  BgImageName.clear();
  BgFetched = false;
  if (AllControls) AllControls->Clear();
  Forms.clear();
  AnimatedImages.Clear();
  SelFrom = SelTo = 0;
  ImageMaps.clear();
  DelayedImages.Clear();
  ProcessErrors.clear();
}

void TSectionList::SetDefaults(std::string_view fontName, std::string_view preFontName, int32_t fontSize,
                               cl::TColor textColor, cl::TColor linkColor, cl::TColor backgroundColor) {
  DefaultFontName = std::string(fontName.substr(0, 33));
  DefaultPreFontName = std::string(preFontName.substr(0, 33));
  FontSizeSlot = fontSize;
  DefaultTextColor = textColor;
  DefaultLinkColor = linkColor;
  SetBackgroundColor(backgroundColor);
  RefreshAllFonts();
}

void TSectionList::SetBackgroundColor(cl::TColor colour) {
  BackgroundColor = colour;
  if (BackgroundChanged) BackgroundChanged(this);
}

void TSectionList::SetBackgroundName(std::string name) {
  BgBitmap = nullptr;
  BgImageName = std::move(name);
  BgFetched = false;
}

cl::TGraphic* TSectionList::FetchImage(const std::string& name, uint8_t& transparency, bool& fromCache,
                                       bool& delayed, cl::TBitmap*& mask) {
  mask = nullptr;
  fromCache = delayed = false;
  if (name.empty()) return nullptr;
  const std::string key = cl::AnsiUpperCase(TrimBlanks(name));
  TStringBitmapList& cache = BitmapList();
  int index = -1;
  if (cache.Find(key, index)) {
    fromCache = true;
    TBitmapItem* item = cache.Item(index);
    // Failed before in this document: not asked for again.
    if (item == nullptr || item->Failed()) return nullptr;
    cl::TGraphic* image = cache.GetImage(index);
    if (auto* bitmap = dynamic_cast<cl::TBitmap*>(image)) {
      if (item->TransparencyKind == trGifColor || item->TransparencyKind == trPngColor) {
        transparency = item->TransparencyKind;
      } else if (transparency == trLowerLeft) {
        if (!item->MaskImage) item->MaskImage = MakeMask(*bitmap, false, 0);
        item->TransparencyKind = trLowerLeft;
      }
    }
    mask = item->MaskImage.get();
    return image;
  }

  std::unique_ptr<cl::TBitmap> picture;
  std::unique_ptr<cl::TBitmap> newMask;
  if (OnBitmapRequest) {
    cl::TBitmap* given = nullptr;
    cl::TColor colour = -1;
    OnBitmapRequest(OwnerViewer, name, given, colour);
    if (given) {
      // The application hands the bitmap over.
      picture.reset(given);
      if (colour != -1) {
        newMask = MakeMask(*picture, true, colour);
        transparency = trGifColor;
      } else if (transparency == trLowerLeft) {
        newMask = MakeMask(*picture, false, 0);
      }
    }
  } else if (OnImageRequest) {
    cl::TStream* stream = nullptr;
    OnImageRequest(OwnerViewer, name, stream);
    if (stream && stream == ImageUnit().WaitStream.get()) {
      delayed = true;
      return nullptr;
    }
    if (auto* memory = dynamic_cast<cl::TMemoryStream*>(stream); memory && memory->Size() > 0)
      picture = DecodeImageStreamMasked(memory, transparency, newMask);
  } else {
    picture = DecodeImageFileMasked(name, transparency, newMask);
  }
  if (!picture) {
    cache.AddFailure(key);
    return nullptr;
  }
  const uint8_t kind = newMask ? transparency : uint8_t{trOpaque};
  TBitmapItem& stored = cache.AddItem(key, std::make_unique<TBitmapItem>(std::move(picture), std::move(newMask), kind));
  // A fetch that ran while messages were pumped may have cached the name first.
  mask = stored.MaskImage.get();
  return stored.Image.get();
}

cl::TBitmap* TSectionList::BackgroundBitmap() {
  if (ImagesOn && !BgFetched && !BgImageName.empty() && !BgBitmap) {
    if (!OnBitmapRequest && !OnImageRequest && ExpandFileName) BgImageName = ExpandFileName(BgImageName);
    uint8_t transparency = trOpaque;
    bool fromCache = false, delayed = false;
    cl::TBitmap* mask = nullptr;
    cl::TGraphic* image = FetchImage(BgImageName, transparency, fromCache, delayed, mask);
    BgBitmap = dynamic_cast<cl::TBitmap*>(image);
    if (delayed) DelayedImages.AddObject(cl::AnsiUpperCase(TrimBlanks(BgImageName)), this);
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

int32_t TSectionList::Layout(cl::TCanvas& canvas, int32_t y, int32_t& curs, int32_t& maxWidth, int32_t width) {
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
  for (const auto& form : Forms)
    for (const auto& control : form->Controls) control->FitToFont(canvas);
  inLayout_ = true;
  int32_t height = 0;
  try {
    height = TCell::Layout(canvas, y, curs, maxWidth, width);
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
  return height;
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
  if (ImageUnit().EnginePalette) {
    palette.previous = canvas.SelectPalette(ImageUnit().EnginePalette.get(), true);
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
  for (int i = 0; i < AnimatedImages.Count(); ++i)
    if (AnimatedImages[i]->Drawn) AnimatedImages[i]->AnimationStep();
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
  if (!OnProcessError) return;
  const std::vector<std::string> errors = std::move(ProcessErrors);
  ProcessErrors.clear();
  for (const auto& message : errors) OnProcessError(message);
}
