#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "html/doc_viewer.h"

namespace brw {

// Asked before the viewer follows a link: handled true keeps it from it.
using THotSpotTargetClickEvent =
    std::function<void(cl::TObject* sender, const std::string& target, const std::string& url, bool& handled)>;

// The browser's document viewer. It shows one document at a time through
// the viewer control and offers the operations the main window uses, so the
// window does not depend on how documents are held.
class tDocFileViewer : public TDocViewer {
 public:
  explicit tDocFileViewer(cl::TComponent* owner);

  // Loads a document by its kind: ".txt" as text, pictures as an image,
  // anything else as HTML. Raises as the viewer control does.
  void LoadFromFile(const std::string& fileName);
  // Loads the current document again, at the same position.
  void Reload();
  // The viewer showing the current document, or null when there is none.
  TDocViewer* ActiveViewer();
  // The file shown; empty when there is none (also after Clear).
  std::string CurrentFile() const;
  // Leaves no document shown.
  void Clear() override;
  void FollowLink() override;

  // The active viewer's file, at most 255 characters.
  std::string GetDocumentName();
  // The active viewer's position, 0 without one.
  int32_t GetPosition();
  void SetPosition(int32_t position);

  // History and printing: there is no history of whole documents, so both
  // directions stay off, and printing is not offered.
  bool BackButtonEnabled() const { return false; }
  bool FwdButtonEnabled() const { return false; }
  void GoBack() {}
  void GoForward() {}
  bool CanPrint() const { return false; }
  void Print(int32_t fromPage, int32_t toPage);

  THotSpotTargetClickEvent OnHotSpotTargetClick;

 private:
  bool hasDocument_ = false;
};

}  // namespace brw
