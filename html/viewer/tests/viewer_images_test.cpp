#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/document/image_obj.h"
#include "html/document/text_section.h"
#include "html/images/image_unit.h"
#include "html/parse/document_parser.h"
#include "html/testing/image_test_support.h"
#include "html/testing/viewer_fixture.h"

namespace html {

namespace {

TImageObj* FirstImage(TDocViewer& viewer) {
  for (const auto& section : viewer.SectionList())
    if (auto* text = dynamic_cast<TSection*>(section.get()); text && text->Images.Count() > 0) return text->Images[0];
  return nullptr;
}

TEST_F(ViewerTest, APictureThatComesLaterIsShownAndLaidOut) {
  viewer->Parser = ParseDocument;
  viewer->SetViewImages(true);
  std::vector<std::string> asked;
  viewer->SetOnImageRequest([&](TDocViewer*, const std::string& name, cl::TStream*& stream) {
    asked.push_back(name);
    stream = ImageUnit().WaitStream.get();
  });
  const std::string page = "<P><IMG SRC=\"later.bmp\" ALT=\"coming\"> text</P>";
  viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
  TImageObj* image = FirstImage(*viewer);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(asked, std::vector<std::string>{"later.bmp"});
  EXPECT_GE(image->ObjWidth, 24);  // the placeholder

  const auto bytes = StreamOf(fixtures::Bmp24(60, 50, std::vector<fixtures::Rgb>(60 * 50, {0, 0, 255})));
  EXPECT_FALSE(viewer->InsertImage("nothing.bmp", bytes.get()));
  ASSERT_TRUE(viewer->InsertImage("later.bmp", bytes.get()));
  EXPECT_EQ(image->ObjWidth, 60);
  EXPECT_EQ(image->ObjHeight, 50);
  EXPECT_EQ(asked.size(), 1u);  // from the cache, not asked again
  EXPECT_FALSE(viewer->InsertImage("later.bmp", bytes.get()));
}

}  // namespace

}  // namespace html
