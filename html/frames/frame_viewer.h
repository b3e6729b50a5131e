#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "html/viewer/doc_viewer.h"
#include "html/frames/frame_parse.h"
#include "platform/core/string_list.h"
#include "platform/gui/control.h"

namespace html {

class TFrame;
class TFrameSet;
class TSubFrameSet;

using THotSpotTargetEvent =
    std::function<void(cl::TObject* sender, const std::string& target, const std::string& url)>;
using THotSpotTargetClickEvent =
    std::function<void(cl::TObject* sender, const std::string& target, const std::string& url, bool& handled)>;
using TWindowRequestEvent =
    std::function<void(cl::TObject* sender, const std::string& target, const std::string& url)>;

// Documents the application supplies instead of files, asked by name with
// the top frame set as Sender; what they return stays the application's.
using TStringsRequestEvent =
    std::function<void(cl::TObject* sender, const std::string& src, cl::TStrings*& strings)>;
using TStreamRequestEvent = std::function<void(cl::TObject* sender, const std::string& src, cl::TStream*& stream)>;
using TBufferRequestEvent =
    std::function<void(cl::TObject* sender, const std::string& src, const char*& buffer, int32_t& size)>;
using TFileRequestEvent = std::function<void(cl::TObject* sender, const std::string& src, std::string& newName)>;

enum fvOptionEnum : uint8_t { fvMetaRefresh };
using TFrameSetViewerOptions = std::set<fvOptionEnum>;

// The control that shows local documents that may be frame sets: one current
// frame set fills it, each frame holding a viewer or a nested set. It routes
// link targets to frames, reports when it or any inner viewer is busy, and
// forwards selection, find and the default fonts and colours.
class TFrameSetViewer : public cl::TWinControl, public TViewerDefaultsProperties {
 public:
  explicit TFrameSetViewer(cl::TComponent* owner);
  ~TFrameSetViewer() override;

  // Refused while processing. The part before the first "#" must exist,
  // else EInOutError "Can't locate file: " + that part.
  void LoadFromFile(const std::string& name);
  // Shows name (with an optional "#anchor") as the whole document: the
  // shown file is reloaded in place, another file gets a new set, and a
  // failure keeps the old set current and raises.
  void LoadFromFileInternal(const std::string& name);
  // Every frame reloads its file and keeps its place.
  void Reload();
  // Refused while processing.
  void Clear();

  TFrameSet& CurrentSet() const { return *currentSet_; }
  // The set's only viewer, else the inner viewer last entered, else null.
  TDocViewer* ActiveViewer() const;
  const std::string& DocumentTitle() const;
  const std::string& CurrentFile() const;
  void SelectAll();
  int32_t SelLength() const;
  void SetSelLength(int32_t length);
  bool FindText(const std::string& s, bool matchCase);
  // The active viewer's selection, whole; nothing for an empty one.
  void CopyToClipboard();
  void SetFocus() override;
  virtual std::string ExpandLinkFileName(const std::string& url);

  bool IsProcessing() const { return loadingFlag_ || viewersBusyFlag_; }

  // History at two levels: whole documents, each entry holding the frame set
  // that showed it (index 0 newest), and per frame the files it showed
  // within one document. A step goes to the frame that changed last; only
  // when no frame can step does the whole document change. Refused while
  // processing.
  void GoBack();
  void GoForward();
  bool BackButtonEnabled() const;
  bool FwdButtonEnabled() const;
  void ClearHistory();
  void SetHistoryIndex(int32_t index);
  // After a new set replaced oldSet; after the only frame of a one-frame
  // document loaded another file; after the shown file loaded again.
  void BumpHistory(TFrameSet* oldSet, int32_t oldPos);
  void BumpHistory1(const std::string& fileName, const std::string& title, int32_t oldPos);
  void BumpHistory2(int32_t oldPos);
  // A frame navigated; a frame showed its first document.
  void AddVisit(TFrame& frame, const std::string& name, int32_t newPos, int32_t oldPos);
  void FirstVisit(TFrame& frame, const std::string& name, int32_t pos);
  // Frees set (once its events have returned) unless an entry or the view
  // still holds it.
  void FreeFrameSetIfDropped(TFrameSet* set);
  cl::TStringList HistoryFiles;  // objects: the frame sets, not owned by the list
  cl::TStringList HistoryTitles;
  std::vector<int32_t> HistoryPositions;
  int32_t HistoryPlace = 0;
  // Stamps the frame-level entries so their order across frames is known.
  int32_t HistorySeq = 10;
  const std::string& ClickedURL() const { return clickedUrl_; }
  const std::string& ClickedTarget() const { return clickedTarget_; }

  // Published properties; the defaults' setters push a changed value into
  // every inner viewer of the current set.
  uint8_t CharSet() const { return charSet_; }
  void SetCharSet(uint8_t charSet);
  bool ViewImages() const { return viewImages_; }
  void SetViewImages(bool view);
  int32_t ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int32_t count);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool noSelect);
  int32_t HistoryMaxCount() const { return historyMaxCount_; }
  void SetHistoryMaxCount(int32_t count);
  const std::string& ServerRoot() const { return serverRoot_; }
  void SetServerRoot(const std::string& root);
  void SetViewerCursor(cl::TCursor cursor);
  cl::TCursor ViewerCursor() const { return viewerCursor_; }
  void SetOnFormSubmit(TFormSubmitEvent handler);
  void SetOnBitmapRequest(TGetBitmapEvent handler);
  void SetOnImageRequest(TGetImageEvent handler);
  void SetOnMeta(TMetaType handler);
  void SetOnScript(TScriptEvent handler);
  void SetOnImageClick(TImageClickEvent handler);
  void SetOnImageOver(TImageOverEvent handler);
  void SetOnObjectClick(TObjectClickEvent handler);
  void SetOnRightClick(TRightClickEvent handler);

  THotSpotTargetEvent OnHotSpotTargetCovered;
  THotSpotTargetClickEvent OnHotSpotTargetClick;
  TWindowRequestEvent OnBlankWindowRequest;
  cl::TNotifyEvent OnHistoryChange;
  TProcessingEvent OnProcessing;
  // Given to inner viewers made later.
  TIncludeType OnInclude;
  TSoundType OnSoundRequest;
  TFrameSetViewerOptions fvOptions;
  TStringsRequestEvent OnStringsRequest;
  TStreamRequestEvent OnStreamRequest;
  TBufferRequestEvent OnBufferRequest;
  TFileRequestEvent OnFileRequest;
  // The parse step the inner viewers load through; unset, their own.
  TDocumentParser DocumentParser;

  // What the frame tree calls.
  // Gives a new inner viewer the defaults, events and hooks.
  void SetupViewer(TDocViewer& viewer, TFrame& frame);
  // The OnHotSpotClick of every inner viewer.
  void ViewerHotSpotClick(TDocViewer& viewer, const std::string& url, bool& handled);
  // The busy hook of every inner viewer.
  void ViewerBusy(TDocViewer& viewer, bool busy);
  void ViewerGone(const TDocViewer& viewer);
  // The handlers of the frame-set check: includes only.
  TFrameParseHandlers CheckHandlers();
  // The handlers of a frame-set parse into set.
  TFrameParseHandlers ParseHandlers(TSubFrameSet& set);
  bool MetaRefreshOn() const { return fvOptions.contains(fvMetaRefresh); }
  bool HasRequestEvents() const {
    return OnStringsRequest || OnStreamRequest || OnBufferRequest || OnFileRequest;
  }
  // Asks the first assigned request event for name; nothing when it gives
  // no document.
  std::optional<TDocumentSource> RequestDocument(const std::string& name, TFrameSet& sender) const;
  // Runs a load of part of the tree inside the processing bracket.
  void RunLoading(const std::function<void()>& load);

  // The background colour wherever no set covers the viewer.
  void Paint() override;
  void OfferDefault(TViewerDefault changed, const TViewerDefaults& offered) override;

 private:
  class TLoadingBracket;
  TFrameSet* NewFrameSet();
  void SetProcessing(bool loading, bool busy);
  void StopSound();
  std::string ActiveLinkTarget(TDocViewer& viewer) const;
  std::string ActiveBase() const;
  template <typename F>
  void ForEachViewer(F f) const;
  void PushHistory();
  TFrameSet* PutShownEntry(const std::string& file, TFrameSet* set, const std::string& title, int32_t position);
  void DeleteHistoryEntry(int index);
  void HistoryChanged();
  void ShowSet(TFrameSet& target, int32_t position);
  void StepTo(int32_t index);

  TFrameSet* currentSet_ = nullptr;  // owned as a component
  std::string clickedUrl_;
  std::string clickedTarget_;
  std::vector<TDocViewer*> busyViewers_;
  bool loadingFlag_ = false;
  bool viewersBusyFlag_ = false;

  uint8_t charSet_ = 1;
  bool viewImages_ = true;
  int32_t imageCacheCount_ = 5;
  bool noSelect_ = false;
  int32_t historyMaxCount_ = 0;
  std::string serverRoot_;
  cl::TCursor viewerCursor_ = TDocViewer::TextCursor;
  TFormSubmitEvent onFormSubmit_;
  TGetBitmapEvent onBitmapRequest_;
  TGetImageEvent onImageRequest_;
  TMetaType onMeta_;
  TScriptEvent onScript_;
  TImageClickEvent onImageClick_;
  TImageOverEvent onImageOver_;
  TObjectClickEvent onObjectClick_;
  TRightClickEvent onRightClick_;
};

}  // namespace html
