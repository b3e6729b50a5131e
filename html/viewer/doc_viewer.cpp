#include "html/viewer/doc_viewer.h"

#include <algorithm>

#include "html/parse/document_parser.h"
#include "html/images/image_unit.h"
#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "html/viewer/paint_panel.h"
#include "html/viewer/scroll_bar_32.h"
#include "html/document/html_common.h"
#include "html/document/process_error.h"
#include "platform/core/ansi_case.h"
#include "platform/gui/application.h"
#include "platform/gui/busy_cursor.h"
#include "platform/gui/messages.h"
#include "platform/gui/virtual_keys.h"

namespace html {

namespace {

constexpr int32_t VSmallChange = 16;
constexpr int32_t HSmallChange = 15;
constexpr int32_t MaxHorzCap = 2000;

// Keeps a flag on for a scope, off again however the scope is left.
struct FlagOn {
  explicit FlagOn(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagOn() { flag_ = false; }
  bool& flag_;
};

}  // namespace

TDocViewer::TDocViewer(cl::TComponent* owner) : cl::TWinControl(owner), TViewerDefaultsProperties({}) {
  SetBounds(0, 0, 150, 150);
  borderBox_ = cl::Make<cl::TPaintBox>(*this);
  borderBox_->SetParent(this);
  borderBox_->SetAlign(cl::alClient);
  borderBox_->OnPaint = [this](cl::TObject*) {
    cl::TCanvas& canvas = borderBox_->Canvas();
    const bool dark = (Focused() && borderStyle_ == htFocused) || borderStyle_ == htSingle;
    canvas.Brush().SetColor(dark ? cl::clBtnText : paintPanel_->Color());
    canvas.FrameRect(borderBox_->ClientRect());
  };
  paintPanel_ = cl::Make<TPaintPanel>(*this, this);
  paintPanel_->SetParent(this);
  paintPanel_->SetBounds(1, 1, Width() - 2, Height() - 2);
  SetCursor(TextCursor);
  paintPanel_->SetCursor(Cursor());
  paintPanel_->OnPaintDocument = [this](cl::TCanvas& canvas) { DrawDocument(canvas); };
  paintPanel_->OnMouseDown = [this](cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x,
                                    int y) { PanelMouseDown(sender, button, shift, x, y); };
  paintPanel_->OnMouseMove = [this](cl::TObject* sender, cl::TShiftState shift, int x, int y) {
    PanelMouseMove(sender, shift, x, y);
  };
  paintPanel_->OnMouseUp = [this](cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x,
                                  int y) { PanelMouseUp(sender, button, shift, x, y); };

  vScrollBar_ = cl::Make<T32ScrollBar>(*this);
  vScrollBar_->SetParent(this);
  vScrollBar_->SetKind(cl::sbVertical);
  vScrollBar_->SetSmallChange(VSmallChange);
  vScrollBar_->Hide();
  vScrollBar_->SetTabStop(false);
  scrollWidth_ = vScrollBar_->Width();
  hScrollBar_ = cl::Make<cl::TScrollBar>(*this);
  hScrollBar_->SetParent(this);
  hScrollBar_->SetKind(cl::sbHorizontal);
  hScrollBar_->SetSmallChange(HSmallChange);
  hScrollBar_->OnScroll = [this](cl::TObject*, cl::TScrollCode, int& position) {
    SetFocus();
    position = std::max(0, std::min(position, MaxHScroll()));
    paintPanel_->Invalidate();
  };
  hScrollBar_->Hide();
  hScrollBar_->SetTabStop(false);
  // Qt's paint box is a window of its own: behind the panel, not over it.
  borderBox_->SendToBack();

  sectionList_ = std::make_unique<TSectionList>(&host_, &DocumentImages());
  nameList_.SetSorted(true);
  Parser = ParseDocument;

  autoScrollTimer_ = std::make_unique<cl::TTimer>();
  autoScrollTimer_->SetEnabled(false);
  autoScrollTimer_->SetInterval(100);
  autoScrollTimer_->OnTimer = [this] { AutoScrollStep(); };

  defaults_.Background = cl::clBtnFace;
  sectionList_->SetBackgroundColor(defaults_.Background);
  SetDefFontColor(cl::clBtnText);
  SetDefHotSpotColor(0xFF0000);
  SetDefFontSize(12);
  SetDefFontName("Times New Roman");
  SetDefPreFontName("Courier New");
  SetImageCacheCount(5);
  sectionList_->ImagesOn = false;
}

TDocViewer::~TDocViewer() {
  autoScrollTimer_.reset();
  sectionList_.reset();
}

// ------------------------------------------------------------ layout

void TDocViewer::DoLayout() {
  maxHorz_ = 0;
  FlagOn layouting(layouting_);
  const int32_t reserve = borderStyle_ == htNone ? 1 : 3;
  const bool vertical = scrollBars_ == cl::ssVertical || scrollBars_ == cl::ssBoth;
  lastWidth_ = Width();
  const int32_t width =
      std::max(0, Width() - (vertical ? scrollWidth_ : 0) - reserve - 2 * marginWidth_);
  // Where DrawDocument will put the cell's left edge.
  sectionList_->Indents->OriginX = marginWidth_ - HScrollBarPosition();
  const TLayoutResult laid = sectionList_->Layout(paintPanel_->Canvas(), marginHeight_, 0, width);
  maxHorz_ = laid.MaxWidth;
  docHeight_ = laid.Height + (vertical ? 2 : 1) * marginHeight_;
  UpdateScrollBars();
}

void TDocViewer::UpdateScrollBars() {
  maxHorz_ = std::min(maxHorz_, MaxHorzCap);
  const int32_t inset = borderStyle_ == htNone ? 0 : 1;
  const int32_t need = 2 * marginWidth_ + maxHorz_;
  bool vertical = false, horizontal = false;
  if (scrollBars_ == cl::ssNone || scrollBars_ == cl::ssHorizontal) {
    horizontal = scrollBars_ == cl::ssHorizontal && need > Width();
  } else {
    vertical = docHeight_ >= Height() - 2 ||
               (scrollBars_ == cl::ssBoth && docHeight_ >= Height() - 2 - scrollWidth_ && need > Width() - scrollWidth_);
    horizontal = scrollBars_ == cl::ssBoth && (need > Width() || (vertical && need > Width() - scrollWidth_));
  }
  const int32_t w = vertical ? Width() - scrollWidth_ : Width();
  const int32_t panelHeight = std::max(0, Height() - 2 * inset - (horizontal ? scrollWidth_ : 0));
  paintPanel_->SetBounds(inset, inset, std::max(0, w - 2 * inset), panelHeight);

  hScrollBar_->SetVisible(horizontal);
  hScrollBar_->SetLargeChange(std::max(1, w - 20));
  hScrollBar_->SetBounds(inset, Height() - scrollWidth_ - inset, std::max(0, w - inset), scrollWidth_);
  cl::TScrollInfo range;
  range.Min = 0;
  range.Max = std::max(need, w - 2 * inset);
  range.Page = static_cast<uint32_t>(std::max(0, w));
  hScrollBar_->SetScrollInfo(range, cl::SIF_RANGE | cl::SIF_PAGE);

  vScrollBar_->SetBounds(Width() - scrollWidth_ - inset, inset, scrollWidth_, panelHeight);
  vScrollBar_->SetLargeChange(panelHeight - VSmallChange);
  vScrollBar_->SetVisible(vertical);
  vScrollBar_->SetParams(vScrollBar_->Position(), panelHeight + 1, 0, docHeight_);
}

void TDocViewer::Relayout() {
  if (processing_) return;
  const TProcessingBracket processing(*this);
  const int32_t position = Position();
  DoLayout();
  SetPosition(position);
}

void TDocViewer::Resize() {
  cl::TWinControl::Resize();
  if (!sectionList_) return;  // still being made
  if (processing_) {
    // A load that pumps messages (decoding images) may be resized midway,
    // after its layout: that layout is redone once the load is over.
    resizePending_ = resizePending_ || Width() != lastWidth_;
    UpdateScrollBars();
  } else if (Width() == lastWidth_) {
    UpdateScrollBars();
  } else {
    paintPanel_->SizeChanged = true;
    Relayout();
    lastWidth_ = Width();
  }
  if (docHeight_ < PanelHeight()) {
    SetPosition(0);
  } else {
    ScrollToY(VScrollBarPosition());
  }
  HScrollTo(HScrollBarPosition());
}

int32_t TDocViewer::PanelHeight() const { return paintPanel_->Height(); }

int32_t TDocViewer::MaxVScroll() const { return std::max(0, docHeight_ - PanelHeight()); }

int32_t TDocViewer::MaxHScroll() const { return std::max(0, hScrollBar_->Max() - paintPanel_->Width()); }

// ------------------------------------------------------------ scrolling

void TDocViewer::ScrollToY(int32_t y) {
  y = std::max(0, std::min(y, MaxVScroll()));
  vScrollBar_->SetPosition(y);
  sectionList_->SetScrollOffset(y);
  Invalidate();
  paintPanel_->Invalidate();
}

void TDocViewer::HScrollTo(int32_t position) {
  const int32_t x = std::max(0, std::min(position, MaxHScroll()));
  if (x == hScrollBar_->Position()) return;
  cl::TScrollInfo info;
  info.Pos = x;
  hScrollBar_->SetScrollInfo(info, cl::SIF_POS);
  paintPanel_->Invalidate();
}

int32_t TDocViewer::VScrollBarPosition() const { return sectionList_->ScrollY; }

void TDocViewer::SetVScrollBarPosition(int32_t position) {
  position = std::max(0, std::min(position, MaxVScroll()));
  if (position != VScrollBarPosition()) ScrollToY(position);
}

int32_t TDocViewer::HScrollBarPosition() const { return hScrollBar_->Position(); }

int32_t TDocViewer::Position() {
  const int count = sectionList_->Count();
  if (count == 0) return 0;
  const auto at = sectionList_->SectionAtY(sectionList_->ScrollY);
  const int index = at ? at->Index : count - 1;
  const int32_t top = at ? at->Top : sectionList_->SectionTop(index);
  // The offset has 16 bits: a deeper place inside one tall section is kept
  // as the deepest the format can say.
  const int32_t offset = std::clamp(sectionList_->ScrollY - top, 0, 0xFFFF);
  return static_cast<int32_t>((static_cast<uint32_t>(index) << 16) | static_cast<uint32_t>(offset));
}

void TDocViewer::SetPosition(int32_t position) {
  const uint32_t packed = static_cast<uint32_t>(position);
  const uint32_t index = packed >> 16;
  if (index >= static_cast<uint32_t>(sectionList_->Count())) return;
  ScrollToY(sectionList_->SectionTop(static_cast<int>(index)) + static_cast<int32_t>(packed & 0xFFFF));
}

void TDocViewer::VScrollNotify(cl::TScrollCode code, int32_t trackPos) {
  SetFocus();
  const int32_t old = VScrollBarPosition();
  int32_t position = old;
  switch (code) {
    case cl::scTrack: position = trackPos; break;
    case cl::scLineUp: position -= vScrollBar_->SmallChange(); break;
    case cl::scLineDown: position += vScrollBar_->SmallChange(); break;
    case cl::scPageUp: position -= vScrollBar_->LargeChange(); break;
    case cl::scPageDown: position += vScrollBar_->LargeChange(); break;
    case cl::scTop: position = 0; break;
    case cl::scBottom: position = MaxVScroll(); break;
    default: break;
  }
  position = std::max(0, std::min(position, MaxVScroll()));
  vScrollBar_->SetPosition(position);
  sectionList_->SetScrollOffset(position);
  if (position != old) {
    ScrollPanel(old - position);
    paintPanel_->Update();
  }
}

void TDocViewer::KeyDown(uint16_t& key, cl::TShiftState shift) {
  cl::TWinControl::KeyDown(key, shift);
  const int32_t old = VScrollBarPosition();
  int32_t position = old;
  bool vertical = true;
  switch (key) {
    case cl::VK_PRIOR: position -= vScrollBar_->LargeChange(); break;
    case cl::VK_NEXT: position += vScrollBar_->LargeChange(); break;
    case cl::VK_END: position = docHeight_; break;
    case cl::VK_HOME: position = 0; break;
    case cl::VK_UP: position -= VSmallChange; break;
    case cl::VK_DOWN: position += VSmallChange; break;
    default: vertical = false; break;
  }
  if (vertical) {
    position = std::max(0, std::min(position, MaxVScroll()));
    vScrollBar_->SetPosition(position);
    sectionList_->SetScrollOffset(position);
    if (std::abs(position - old) == VSmallChange) {
      ScrollPanel(old - position);
      paintPanel_->Update();
    } else if (position != old) {
      paintPanel_->Invalidate();
    }
    return;
  }
  if (key == cl::VK_LEFT || key == cl::VK_RIGHT) {
    const int32_t step = key == cl::VK_LEFT ? -HSmallChange : HSmallChange;
    HScrollTo(HScrollBarPosition() + step);
  }
}

void TDocViewer::ScrollPanel(int32_t dy) {
  if (HasFormControls())
    paintPanel_->Invalidate();
  else
    paintPanel_->ScrollWindow(0, dy);
}

void TDocViewer::WndProc(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_AUTO_SCROLL:
      if (autoScrolling_) autoScrollTimer_->SetEnabled(true);
      return;
    case WM_PROCESS_ERROR: {
      const std::vector<std::string> errors = std::move(processErrors_);
      processErrors_.clear();
      for (const std::string& error : errors) cl::Application().HandleException(EProcessError(error));
      return;
    }
    case WM_DEFERRED_RESIZE:
      if (processing_) resizePending_ = true;
      else if (Width() != lastWidth_) Resize();
      return;
    case WM_DEFERRED_SUBMIT: DeferredSubmit(); return;
    default: cl::TWinControl::WndProc(message);
  }
}

void TDocViewer::DoEnter() {
  cl::TWinControl::DoEnter();
  DrawBorder();
}

void TDocViewer::DoExit() {
  cl::TWinControl::DoExit();
  DrawBorder();
}

void TDocViewer::DrawBorder() { borderBox_->Invalidate(); }

void TDocViewer::Paint() { Canvas().FillRect(ClientRect(), paintPanel_->Color()); }

void TDocViewer::DrawDocument(cl::TCanvas& canvas) {
  if (layouting_) return;
  const cl::TRect rect{marginWidth_, 1, paintPanel_->Width(), paintPanel_->Height()};
  sectionList_->Draw(canvas, rect, marginWidth_ - HScrollBarPosition(), marginHeight_, MaxHorzCap);
}

void TDocViewer::DoProcessing(bool value) {
  if (processing_ == value) return;
  processing_ = value;
  if (!value && resizePending_) {
    resizePending_ = false;
    cl::PostMessage(*this, WM_DEFERRED_RESIZE, 0, 0);
  }
  if (OnProcessing) OnProcessing(this, value);
}

TDocViewer::TProcessingBracket::TProcessingBracket(TDocViewer& viewer, cl::TBusyCursor* busy)
    : viewer_(viewer), busy_(busy) {
  viewer_.DoProcessing(true);
}

TDocViewer::TProcessingBracket::~TProcessingBracket() {
  if (busy_ != nullptr) busy_->End();
  viewer_.DoProcessing(false);
}

// ------------------------------------------------------------ properties

void TDocViewer::FontsChanged(bool relayout) {
  sectionList_->RefreshAllFonts();
  if (relayout && sectionList_->Count() > 0) Relayout();
  Invalidate();
  paintPanel_->Invalidate();
}

// A name that differs only in case names the same face: nothing to lay out again.
void TDocViewer::TakeFaceName(std::string& held, const std::string& offered, std::string& documentDefault) {
  if (!held.empty() && cl::AnsiCompareText(offered, held) == 0) return;
  held = offered;
  documentDefault = held.substr(0, TSectionList::FaceNameLength);
  FontsChanged(true);
}

void TDocViewer::OfferDefault(TViewerDefault changed, const TViewerDefaults& offered) {
  TViewerDefaults& now = defaults_;
  switch (changed) {
    case TViewerDefault::Background:
      if (processing_) return;
      now.Background = offered.Background;
      sectionList_->SetBackgroundColor(now.Background);
      paintPanel_->SetColor(now.Background);
      paintPanel_->Invalidate();
      break;
    case TViewerDefault::FontColor:
      now.FontColor = offered.FontColor;
      sectionList_->DefaultTextColor = now.FontColor;
      sectionList_->RefreshAllFonts();
      break;
    case TViewerDefault::HotSpotColor:
      now.HotSpotColor = offered.HotSpotColor;
      sectionList_->DefaultLinkColor = now.HotSpotColor;
      sectionList_->RefreshAllFonts();
      paintPanel_->Invalidate();
      break;
    case TViewerDefault::FontSize:
      now.FontSize = std::max(offered.FontSize, 6);
      sectionList_->FontSizeSlot = now.FontSize;
      FontsChanged(true);
      break;
    case TViewerDefault::FontName:
      TakeFaceName(now.FontName, offered.FontName, sectionList_->DefaultFontName);
      break;
    case TViewerDefault::PreFontName:
      TakeFaceName(now.PreFontName, offered.PreFontName, sectionList_->DefaultPreFontName);
      break;
  }
}

void TDocViewer::SetCharSet(uint8_t charSet) {
  charSet_ = charSet;
  sectionList_->FontCharset = charSet;
  FontsChanged(true);
}

bool TDocViewer::ViewImages() const { return sectionList_->ImagesOn; }

void TDocViewer::SetViewImages(bool view) {
  if (view == ViewImages() || processing_) return;
  cl::TBusyCursor busy;
  const TProcessingBracket processing(*this, &busy);
  sectionList_->ImagesOn = view;
  if (sectionList_->Count() == 0) return;
  const int32_t position = Position();
  {
    FlagOn layouting(layouting_);
    sectionList_->BgFetched = false;
    sectionList_->BackgroundBitmap();
  }
  DoLayout();
  SetPosition(position);
  paintPanel_->Invalidate();
}

void TDocViewer::SetImageCacheCount(int32_t count) {
  count = std::clamp(count, 0, 20);
  if (count == imageCacheCount_) return;
  imageCacheCount_ = count;
  BitmapList().SetCacheLimit(count);
}

void TDocViewer::SetScrollBars(cl::TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  if (processing_) return;
  {
    const TProcessingBracket processing(*this);
    DoLayout();
  }
  paintPanel_->Invalidate();
}

void TDocViewer::SetBorderStyle(THTMLBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  DrawBorder();
}

namespace {

bool SetMargin(int32_t& margin, int32_t value) {
  if (value < 0 || value > 50 || value == margin) return false;
  margin = value;
  return true;
}

}  // namespace

void TDocViewer::SetMarginWidth(int32_t width) {
  if (processing_ || !SetMargin(marginWidth_, width)) return;
  {
    const cl::TBusyCursor busy;
    Relayout();
  }
  paintPanel_->Invalidate();
}

void TDocViewer::SetMarginHeight(int32_t height) {
  if (processing_ || !SetMargin(marginHeight_, height)) return;
  {
    const cl::TBusyCursor busy;
    Relayout();
  }
  paintPanel_->Invalidate();
}

void TDocViewer::SetServerRoot(const std::string& root) {
  std::string trimmed = TrimBlanks(root);
  if (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  serverRoot_ = std::move(trimmed);
}

void TDocViewer::SetBase(const std::string& base) {
  base_ = base;
  baseEx_ = base;
}

void TDocViewer::SetOnFormSubmit(TFormSubmitEvent handler) { OnFormSubmit = std::move(handler); }

void TDocViewer::PostSubmit(const std::string& action, const std::string& target, const std::string& encType,
                            const std::string& method, std::unique_ptr<cl::TStringList> results) {
  if (!OnFormSubmit) return;
  const bool posted = SubmitList != nullptr;
  SubmitAction = action;
  SubmitTarget = target;
  SubmitEncType = encType;
  SubmitMethod = method;
  SubmitList = std::move(results);
  // One message carries the latest submission.
  if (!posted) cl::PostMessage(*this, WM_DEFERRED_SUBMIT, 0, 0);
}

void TDocViewer::DeferredSubmit() {
  std::unique_ptr<cl::TStringList> results = std::move(SubmitList);
  if (!results) return;
  const std::string action = std::move(SubmitAction), target = std::move(SubmitTarget),
                    encType = std::move(SubmitEncType), method = std::move(SubmitMethod);
  SubmitAction.clear();
  SubmitTarget.clear();
  SubmitEncType.clear();
  SubmitMethod.clear();
  if (OnFormSubmit) OnFormSubmit(this, action, target, encType, method, *results);
}

void TDocViewer::ScrollToControl(TFormControlObj& control) {
  const int32_t top = VScrollBarPosition();
  const int32_t height = paintPanel_->ClientHeight();
  if (control.TopY >= top && control.TopY <= top + height - 20) return;
  SetVScrollBarPosition(control.TopY - height / 2);
  Invalidate();
  paintPanel_->Invalidate();
}

void TDocViewer::SetOnBitmapRequest(TGetBitmapEvent handler) { onBitmapRequest_ = std::move(handler); }

void TDocViewer::SetOnImageRequest(TGetImageEvent handler) { onImageRequest_ = std::move(handler); }

bool TDocViewer::InsertImage(const std::string& src, cl::TStream* stream) {
  if (!DocumentImages().InsertDelayedImage(*sectionList_, src, stream)) return false;
  Relayout();
  paintPanel_->Invalidate();
  return true;
}

std::optional<HostBitmap> TDocViewer::DocumentHost::RequestBitmap(const std::string& name) {
  if (!viewer_.onBitmapRequest_) return std::nullopt;
  HostBitmap given;
  viewer_.onBitmapRequest_(&viewer_, name, given.Bitmap, given.Colour);
  return given;
}

std::optional<cl::TStream*> TDocViewer::DocumentHost::RequestImage(const std::string& name) {
  if (!viewer_.onImageRequest_) return std::nullopt;
  cl::TStream* stream = nullptr;
  viewer_.onImageRequest_(&viewer_, name, stream);
  return stream;
}

std::string TDocViewer::DocumentHost::ExpandImageName(const std::string& name) {
  // Pictures the application hands out go by the names the document gives.
  if (viewer_.onBitmapRequest_ || viewer_.onImageRequest_) return name;
  return viewer_.ExpandLinkFileName(name);
}

void TDocViewer::DocumentHost::InvalidateArea(const cl::TRect& rect) {
  if (viewer_.paintPanel_) viewer_.paintPanel_->InvalidateRect(rect);
}

void TDocViewer::DocumentHost::BackgroundChanged(cl::TColor colour) {
  viewer_.paintPanel_->SetColor((colour & 0xFF000000) == 0 ? colour | 0x02000000 : colour);
}

bool TDocViewer::DocumentHost::ProcessError(const std::string& message) {
  // Shown once the layout or paint that met the error has returned: a
  // modal box inside them would let the loop repaint a half-built document.
  if (viewer_.processErrors_.empty()) cl::PostMessage(viewer_, WM_PROCESS_ERROR, 0, 0);
  viewer_.processErrors_.push_back(message);
  return true;
}

cl::TWinControl* TDocViewer::DocumentHost::ControlParent() { return viewer_.paintPanel_; }

void TDocViewer::DocumentHost::SubmitForm(const std::string& action, const std::string& target,
                                          const std::string& encType, const std::string& method,
                                          std::unique_ptr<cl::TStringList> results) {
  viewer_.PostSubmit(action, target, encType, method, std::move(results));
}

void TDocViewer::DocumentHost::ObjectClick(TFormControlObj& control, const std::string& onClick) {
  if (viewer_.OnObjectClick) viewer_.OnObjectClick(&viewer_, &control, onClick);
}

}  // namespace html
