#pragma once

#include <map>
#include <string>
#include <vector>

#include "html/viewer/doc_viewer.h"
#include "html/frames/sub_frame_set.h"

namespace html {

class TFrame;
class TFrameSetViewer;

// The top of a frame-set tree: the tables of the whole tree (frame names,
// frames), the drag in progress and the document's title and file.
class TFrameSet : public TSubFrameSet {
 public:
  explicit TFrameSet(cl::TComponent* owner);
  ~TFrameSet() override;

  void UpdateFrameList() override;
  void FrameMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y) override;
  void EndFrameSet(const TFrameDocumentInfo& info) override;
  void Clear() override;
  void RefreshTimerTick() override;

  // The frame a target names, ignoring case; null for none.
  TFrame* FindFrame(const std::string& name) const;
  // Frame names are kept in upper case; a name is removed only while it
  // still maps to that frame.
  void AddFrameName(const std::string& name, TFrame& frame);
  void RemoveFrameName(const std::string& name, const TFrame& frame);
  void RemoveFrame(const TFrame& frame);

  // Sizes everything again when the inner size really changed.
  void CheckResize();
  void Resize() override;

  // Shows a file: a frame-set document in this set, any other document in
  // one frame. A file that cannot be opened raises.
  void LoadFromFile(const std::string& fileName, const std::string& anchor);
  // The only viewer when there is exactly one, else the one last entered.
  TDocViewer* ActiveViewer() const;
  void RemoveViewer(const TDocViewer& viewer);
  // In every frame of the set, the entries newer than the one shown go.
  void DropNewerVisits();

  // Nesting of running frame loads; deeper loads leave their frames empty.
  static constexpr int MaxLoadDepth = 4;

  // The frame viewer showing this set; null for a set on its own.
  TFrameSetViewer* OwnerViewer = nullptr;
  std::map<std::string, TFrame*> NamedFrames;
  std::vector<TDocViewer*> AllViewers;
  TDocViewer* FocusedViewer = nullptr;
  // The parse step the inner viewers load through; unset, their own.
  TDocumentParser DocumentParser;
  std::vector<TFrame*> AllFrames;
  TSubFrameSet* DraggingSet = nullptr;
  std::string SetTitle;
  std::string SetFile;
  int LoadDepth = 0;
  std::int32_t LastClientWidth = 0;
  std::int32_t LastClientHeight = 0;
  // What the frame viewer tells the tree: the cursor of panels away from a
  // border, the server root and whether the application supplies documents.
  cl::TCursor FrameCursor = cl::crDefault;
  std::string ServerRoot;
  bool HasRequestEvents = false;
};

}  // namespace html
