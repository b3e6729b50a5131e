#include <gtest/gtest.h>

#include <memory>

#include "html/testing/viewer_fixture.h"
#include "platform/core/exception.h"
#include "platform/gui/screen.h"

namespace html {

namespace {

// A section whose layout raises once the test arms it, after a load that
// laid it out normally.
class ArmedSection : public SpacerSection {
 public:
  ArmedSection(int32_t height, const bool& armed) : SpacerSection(height), armed_(armed) {}
  TLayoutResult Layout(cl::TCanvas& canvas, int32_t y, IndentManager& indents, int32_t curs) override {
    if (armed_) throw cl::Exception("layout failed");
    return SpacerSection::Layout(canvas, y, indents, curs);
  }

 private:
  const bool& armed_;
};

TEST_F(ViewerTest, AMarginChangeWhoseRelayoutRaisesGivesTheCursorBack) {
  struct Case {
    const char* name;
    void (TDocViewer::*set)(int32_t);
  };
  const Case cases[] = {{"width", &TDocViewer::SetMarginWidth}, {"height", &TDocViewer::SetMarginHeight}};
  bool armed = false;
  viewer->Parser = [&armed](const TParseRequest& request) {
    request.Document->AddSection(std::make_unique<ArmedSection>(40, armed));
    return TParseResult{};
  };
  LoadText("x\n");
  ASSERT_EQ(viewer->SectionList().Count(), 1);
  int32_t margin = 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cl::Screen().SetCursor(cl::crCross);
    armed = true;
    TDocViewer& target = *viewer;
    EXPECT_THROW((target.*c.set)(margin++), cl::Exception);
    armed = false;
    EXPECT_EQ(cl::Screen().Cursor(), cl::crCross);
    EXPECT_FALSE(viewer->Processing());
  }
  cl::Screen().SetCursor(cl::crDefault);
}

}  // namespace

}  // namespace html
