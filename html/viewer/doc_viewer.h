#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/document/document_host.h"
#include "html/document/section_list.h"
#include "html/parse/document_parser.h"
#include "html/viewer/history/position_obj.h"
#include "html/viewer/viewer_defaults.h"
#include "platform/core/string_list.h"
#include "platform/gui/control.h"
#include "platform/gui/paint_box.h"
#include "platform/gui/scroll_bar.h"
#include "platform/gui/timer.h"

namespace cl {
class TBusyCursor;
}

namespace cl {
class TStream;
class TStrings;
}  // namespace cl

namespace html {
class TDocViewer;
class TImageObj;
class TPaintPanel;
class T32ScrollBar;

enum THTMLBorderStyle : uint8_t { htFocused, htNone, htSingle };

// The viewer's image events. A bitmap handed back goes to the image cache; a
// stream stays the application's.
using TGetBitmapEvent = std::function<void(TDocViewer* sender, const std::string& name,
                                           std::unique_ptr<cl::TBitmap>& bitmap, cl::TColor& color)>;
using TGetImageEvent = std::function<void(TDocViewer* sender, const std::string& name, cl::TStream*& stream)>;

// Made for one OnRightClick call and freed after it.
struct TRightClickParameters {
  std::string URL;
  std::string Target;
  TImageObj* Image = nullptr;
  int32_t ImageX = 0;
  int32_t ImageY = 0;
};

using THotSpotEvent = std::function<void(cl::TObject* sender, const std::string& src)>;
using THotSpotClickEvent = std::function<void(cl::TObject* sender, const std::string& src, bool& handled)>;
using TProcessingEvent = std::function<void(cl::TObject* sender, bool processingOn)>;
using TMetaType = std::function<void(cl::TObject* sender, const std::string& httpEq, const std::string& name,
                                     const std::string& content)>;
using TMetaRefreshType = std::function<void(cl::TObject* sender, int delay, const std::string& url)>;
using TImageClickEvent = std::function<void(cl::TObject* sender, cl::TObject* obj, cl::TMouseButton button,
                                            cl::TShiftState shift, int x, int y)>;
using TImageOverEvent =
    std::function<void(cl::TObject* sender, cl::TObject* obj, cl::TShiftState shift, int x, int y)>;
using TRightClickEvent = std::function<void(cl::TObject* sender, TRightClickParameters& parameters)>;
using TObjectClickEvent = std::function<void(cl::TObject* sender, cl::TObject* obj, const std::string& onClick)>;
// A page's header or footer band: Canvas in screen pixels with its origin at
// the band's top-left; W and H the band's size; stopPrinting ends the run
// after this page.
using TPagePrinted = std::function<void(cl::TObject* sender, cl::TCanvas& canvas, int32_t numPage, int32_t w,
                                        int32_t h, bool& stopPrinting)>;
using TFormSubmitEvent =
    std::function<void(cl::TObject* sender, const std::string& action, const std::string& target,
                       const std::string& encType, const std::string& method, cl::TStringList& results)>;

// The control that shows one HTML document, text file or image: it owns the
// document, lays it out for its width, scrolls it with its own bars and
// paints it double-buffered on its panel.
class TDocViewer : public cl::TWinControl, public TViewerDefaultsProperties {
 public:
  static constexpr uint32_t WM_DEFERRED_SUBMIT = 0x464;
  static constexpr uint32_t WM_AUTO_SCROLL = 0x466;
  // Shows the processing errors of the last layout.
  static constexpr uint32_t WM_PROCESS_ERROR = 0x467;
  // A size change that came while the viewer was busy, laid out afterwards.
  static constexpr uint32_t WM_DEFERRED_RESIZE = 0x468;
  static constexpr cl::TCursor LinkCursor = 1;
  static constexpr cl::TCursor TextCursor = 2;

  explicit TDocViewer(cl::TComponent* owner);
  ~TDocViewer() override;

  // Loading. Each is refused while Processing; file loads also for an empty
  // name. A missing file raises EInOutError "Can't locate file: " + name and
  // keeps the document shown.
  void LoadFromFile(const std::string& fileName);
  void LoadTextFile(const std::string& fileName);
  void LoadImageFile(const std::string& fileName);
  void LoadFromBuffer(const char* buffer, int32_t bufSize);
  void LoadFromStream(cl::TStream& stream);
  void LoadStrings(const cl::TStrings& strings);
  void LoadStringsAs(const cl::TStrings& strings, THtmlFileType fileType);
  // Title, base and target from the parse; background picture; layout.
  void FinishLoad(const TParseResult& parsed);
  virtual void Clear();
  // Lays out again at the kept Position.
  void Relayout();
  void DoLayout();
  void UpdateScrollBars();
  void ScrollToY(int32_t y);

  // Top section index shl 16 or the offset in it (at most 0xFFFF); the
  // index is read unsigned.
  int32_t Position();
  void SetPosition(int32_t position);
  int32_t VScrollBarPosition() const;
  void SetVScrollBarPosition(int32_t position);
  int32_t HScrollBarPosition() const;

  virtual std::string ExpandLinkFileName(const std::string& link);
  // The parser's meta callback.
  void HandleMetaRefresh(const std::string& httpEq, const std::string& name, const std::string& content);

  // Selection, links and find.
  virtual void PanelMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y);
  virtual void PanelMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y);
  virtual void PanelMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y);
  virtual void FollowLink();
  virtual bool HotSpotClickHandled();
  // The link or image form control at a panel point.
  std::optional<TLinkHit> GetLinkAt(int x, int y);
  void SelectWord(int x, int y);
  void SelectAll();
  void CopyToClipboard();
  int32_t SelLength();
  void SetSelLength(int32_t length);
  int32_t SelStart() const;
  bool FindText(const std::string& s, bool matchCase);
  bool PositionTo(std::string dest);

  virtual void DrawDocument(cl::TCanvas& canvas);
  void DrawBorder();

  // Published properties (the defaults come from TViewerDefaultsProperties).
  uint8_t CharSet() const { return charSet_; }
  void SetCharSet(uint8_t charSet);
  bool ViewImages() const;
  void SetViewImages(bool view);
  int32_t ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int32_t count);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool noSelect);
  cl::TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(cl::TScrollStyle style);
  THTMLBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(THTMLBorderStyle style);
  int32_t MarginWidth() const { return marginWidth_; }
  void SetMarginWidth(int32_t width);
  int32_t MarginHeight() const { return marginHeight_; }
  void SetMarginHeight(int32_t height);
  const std::string& ServerRoot() const { return serverRoot_; }
  void SetServerRoot(const std::string& root);
  const std::string& Base() const { return base_; }
  void SetBase(const std::string& base);
  void SetOnFormSubmit(TFormSubmitEvent handler);
  void SetOnBitmapRequest(TGetBitmapEvent handler);
  void SetOnImageRequest(TGetImageEvent handler);
  // The picture an image request put off (answered with the image unit's
  // WaitStream) has come: the images waiting for src show it and the
  // document is laid out again. False when nothing waited for src.
  bool InsertImage(const std::string& src, cl::TStream* stream);
  void SetOnScript(TScriptEvent handler) { OnScript = std::move(handler); }
  void SetOnObjectClick(TObjectClickEvent handler) { OnObjectClick = std::move(handler); }
  bool HasFormControls() const { return sectionList_->AllControls && sectionList_->AllControls->Count() > 0; }

  const std::string& DocumentTitle() const { return documentTitle_; }
  const std::string& CurrentFile() const { return currentFile_; }
  const std::string& BaseTarget() const { return baseTarget_; }
  const std::string& URL() const { return url_; }
  const std::string& Target() const { return target_; }
  THtmlFileType FileType() const { return fileType_; }
  bool Processing() const { return processing_; }
  bool Layouting() const { return layouting_; }
  int32_t DocHeight() const { return docHeight_; }
  int32_t MaxHorz() const { return maxHorz_; }
  int32_t CaretPos() const { return caretPos_; }
  int32_t ScrollWidth() const { return scrollWidth_; }
  bool AutoScrolling() const { return autoScrolling_; }

  TSectionList& SectionList() { return *sectionList_; }
  cl::TStringList& NameList() { return nameList_; }
  TPaintPanel& PaintPanel() { return *paintPanel_; }
  cl::TPaintBox& BorderBox() { return *borderBox_; }
  T32ScrollBar& VScrollBar() { return *vScrollBar_; }
  cl::TScrollBar& HScrollBar() { return *hScrollBar_; }

  // The parse step of every load; the HTML parser's entry points by default.
  TDocumentParser Parser;

  THotSpotEvent OnHotSpotCovered;
  THotSpotClickEvent OnHotSpotClick;
  TScriptEvent OnScript;
  TFormSubmitEvent OnFormSubmit;
  cl::TNotifyEvent OnHistoryChange;
  TProcessingEvent OnProcessing;
  TIncludeType OnInclude;
  TSoundType OnSoundRequest;
  TMetaType OnMeta;
  TMetaRefreshType OnMetaRefresh;
  TRightClickEvent OnRightClick;
  TImageClickEvent OnImageClick;
  TImageOverEvent OnImageOver;
  TObjectClickEvent OnObjectClick;

  std::string MetaRefreshURL;
  int32_t MetaRefreshDelay = 0;

  // The documents shown, newest first: files, titles and places, parallel.
  // Loads and anchor jumps record through BumpHistory; HistoryIndex is the
  // entry of the document shown.
  cl::TStringList History{false};
  cl::TStringList TitleHistory{false};
  std::vector<PositionObj> PositionHistory;
  int32_t HistoryIndex = 0;
  int32_t HistoryMaxCount() const { return historyMaxCount_; }
  // Negative or unchanged: ignored; lowering it clears the history first.
  void SetHistoryMaxCount(int32_t count);
  void ClearHistory();
  double PrintMarginLeft = 2.0, PrintMarginRight = 2.0, PrintMarginTop = 2.0, PrintMarginBottom = 2.0;
  int32_t PrintedPage = 0;
  TPagePrinted OnPrintHeader;
  TPagePrinted OnPrintFooter;
  cl::TObject* FrameOwner = nullptr;
  // A form submission waiting for the deferred-submit message; no list:
  // nothing waits.
  std::string SubmitAction, SubmitTarget, SubmitEncType, SubmitMethod;
  std::unique_ptr<cl::TStringList> SubmitList;

  // Where the document's submissions go while OnFormSubmit is assigned: keeps the
  // submission (replacing one still waiting) and posts its delivery, so the
  // control's handler has returned before the application sees it.
  void PostSubmit(const std::string& action, const std::string& target, const std::string& encType,
                  const std::string& method, std::unique_ptr<cl::TStringList> results);
  // Delivers the waiting submission once; nothing when none waits.
  void DeferredSubmit();
  // A form control got the focus: scrolled into view when outside it.
  void ScrollToControl(TFormControlObj& control);

  // The busy bracket of loads, layouts and print runs: loads are refused
  // while it is on, and OnProcessing hears of each change.
  void DoProcessing(bool value);
  // The bracket on while the object lives and off on every way out. A busy
  // cursor given ends first: the cursor is back before OnProcessing hears of
  // the end.
  class TProcessingBracket {
   public:
    explicit TProcessingBracket(TDocViewer& viewer, cl::TBusyCursor* busy = nullptr);
    ~TProcessingBracket();
    TProcessingBracket(const TProcessingBracket&) = delete;
    TProcessingBracket& operator=(const TProcessingBracket&) = delete;

   private:
    TDocViewer& viewer_;
    cl::TBusyCursor* busy_;
  };

  // Where a load or a jump records the page left: file, title, position, kind.
  virtual void BumpHistory(const std::string& fileName, const std::string& title, int32_t oldPos,
                           THtmlFileType fileType);

  // Handlers.
  void VScrollNotify(cl::TScrollCode code, int32_t trackPos);
  void WndProc(cl::TMessage& message) override;
  void KeyDown(uint16_t& key, cl::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  // What the panel and scroll bars leave uncovered: the background colour.
  void Paint() override;
  void OfferDefault(TViewerDefault changed, const TViewerDefaults& offered) override;

 private:
  friend class TPaintPanel;
  void LoadFile(const std::string& fileName, THtmlFileType fileType);
  void LoadFromMemory(const std::function<void(TParseRequest&)>& source, THtmlFileType fileType,
                      bool metaRefresh);
  void ResetForLoad();
  void ResetDocument(bool newDocument);
  TParseResult Parse(TParseRequest& request);
  TParseRequest Request(THtmlFileType kind);
  void StopSound();
  void ReportMetaRefresh();
  void FontsChanged(bool relayout);
  void TakeFaceName(std::string& held, const std::string& offered, std::string& documentDefault);
  void HScrollTo(int32_t position);
  // Moves the panel's pixels, or paints it whole where form controls are
  // placed by the paint (a strip would leave the others hidden).
  void ScrollPanel(int32_t dy);
  int32_t PanelHeight() const;
  int32_t MaxVScroll() const;
  int32_t MaxHScroll() const;
  void ExtendSelection(int x, int y);
  void AutoScrollStep();
  void StopAutoScroll();
  int32_t DocumentY(int y) const;
  bool IsWordChar(int32_t position, TSectionBase* owner);

  bool layouting_ = false;
  int32_t historyMaxCount_ = 0;
  std::string documentTitle_;
  std::string url_;
  std::string target_;
  std::string base_;
  std::string baseEx_;
  std::string baseTarget_;
  std::string currentFile_;
  // Upper-case anchor names, each with the section that holds it; the
  // document owns the sections, the list only points at them.
  cl::TStringList nameList_{false};
  THtmlFileType fileType_ = ftHTML;
  bool processing_ = false;
  int32_t lastWidth_ = -1;  // the width of the last layout
  bool resizePending_ = false;
  int32_t imageCacheCount_ = -1;
  bool noSelect_ = false;
  cl::TScrollStyle scrollBars_ = cl::ssBoth;
  THTMLBorderStyle borderStyle_ = htFocused;
  int32_t caretPos_ = 0;
  int32_t scrollWidth_ = 16;
  int32_t maxHorz_ = 0;
  int32_t docHeight_ = 0;
  bool autoScrolling_ = false;
  bool linkPressed_ = false;
  bool mouseSelecting_ = false;
  uint8_t charSet_ = 1;
  bool linkActivated_ = false;
  int32_t marginHeight_ = 5;
  int32_t marginWidth_ = 10;
  std::string serverRoot_;
  int32_t selAnchor_ = -1;
  cl::TPoint lastMouse_;  // viewer coordinates of the last move while selecting
  std::vector<std::string> processErrors_;  // waiting for WM_PROCESS_ERROR
  TGetBitmapEvent onBitmapRequest_;
  TGetImageEvent onImageRequest_;

  // What the document asks of this viewer.
  class DocumentHost final : public TDocumentHost {
   public:
    explicit DocumentHost(TDocViewer& viewer) : viewer_(viewer) {}
    cl::TObject* EventSender() override { return &viewer_; }
    std::optional<HostBitmap> RequestBitmap(const std::string& name) override;
    std::optional<cl::TStream*> RequestImage(const std::string& name) override;
    std::string ExpandImageName(const std::string& name) override;
    void BackgroundChanged(cl::TColor colour) override;
    void InvalidateArea(const cl::TRect& rect) override;
    bool ProcessError(const std::string& message) override;
    cl::TWinControl* ControlParent() override;
    bool TakesSubmissions() override { return static_cast<bool>(viewer_.OnFormSubmit); }
    void SubmitForm(const std::string& action, const std::string& target, const std::string& encType,
                    const std::string& method, std::unique_ptr<cl::TStringList> results) override;
    void ObjectClick(TFormControlObj& control, const std::string& onClick) override;
    void ControlFocused(TFormControlObj& control) override { viewer_.ScrollToControl(control); }

   private:
    TDocViewer& viewer_;
  };
  DocumentHost host_{*this};

  // Children first: the document refers to the panel.
  cl::TPaintBox* borderBox_ = nullptr;
  TPaintPanel* paintPanel_ = nullptr;
  T32ScrollBar* vScrollBar_ = nullptr;
  cl::TScrollBar* hScrollBar_ = nullptr;
  std::unique_ptr<TSectionList> sectionList_;
  std::unique_ptr<cl::TTimer> autoScrollTimer_;
};

}  // namespace html
