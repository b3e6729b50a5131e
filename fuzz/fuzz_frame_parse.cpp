// Arbitrary bytes through the frame-set check and the frame-set parse, into a
// tree that keeps only what a layout would need to know of it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "html/frames/frame_parse.h"

using namespace html;

namespace {

class TCountingSet : public TFrameSetBuilder {
 public:
  void ParseFrameDimensions(const TAttributeList& attributes) override {
    dimensions_ += static_cast<std::size_t>(attributes.Count());
  }
  TFrameSetBuilder& AddChildSet() override {
    children_.push_back(std::make_unique<TCountingSet>());
    return *children_.back();
  }
  void AddFrame(const TAttributeList&, const std::string& fileName, const TFrameDocumentInfo& info) override {
    frames_ += fileName.size() + info.BaseHref.size();
  }
  void EndFrameSet(const TFrameDocumentInfo& info) override { ends_ += info.Title.size() + 1; }

 private:
  std::vector<std::unique_ptr<TCountingSet>> children_;
  std::size_t dimensions_ = 0;
  std::size_t frames_ = 0;
  std::size_t ends_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TDocumentSource source =
      TDocumentSource::FromBuffer(reinterpret_cast<const char*>(data), static_cast<std::int32_t>(size));
  TFrameParseHandlers handlers;
  handlers.Include = [](cl::TObject*, const std::string& command, cl::TStrings&) {
    return command.empty() ? std::string() : "<FRAMESET ROWS=*,*><FRAME SRC=" + command + ">";
  };
  if (!IsFrameDocument(source, handlers)) return 0;
  TCountingSet set;
  TFrameDocumentInfo info;
  FrameParse(source, set, handlers, "C:\\fuzz\\top.htm", info);
  return 0;
}
