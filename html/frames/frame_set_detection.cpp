#include "html/frames/frame_set_detection.h"

#include "html/frames/frame_set.h"
#include "html/frames/frame_source.h"
#include "html/frames/frame_viewer.h"

namespace html {

namespace {

// A FRAMESET may come from an include, so the check reads them as the parse will.
TFrameParseHandlers CheckHandlers(const TFrameSet* top) {
  return top != nullptr && top->OwnerViewer != nullptr ? top->OwnerViewer->CheckHandlers() : TFrameParseHandlers{};
}

}  // namespace

bool IsFrameSetFile(const std::string& name, const TFrameSet* top) {
  return !IsImageFileName(name) && !IsTextFileName(name) &&
         IsFrameDocument(TDocumentSource::File(name), CheckHandlers(top));
}

bool IsFrameSetSource(const TDocumentSource& source, const TFrameSet* top) {
  return source.Kind == SourceFile ? IsFrameSetFile(source.FileName, top)
                                   : IsFrameDocument(source, CheckHandlers(top));
}

}  // namespace html
