#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "html/images/document_images.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/testing/layout_fixture.h"
#include "html/testing/stub_host.h"
#include "platform/core/ansi_case.h"
#include "platform/core/memory_stream.h"
#include "platform/core/test_support/temp_directory.h"

namespace html {

namespace {

// A 2 x 2 BMP of 24 bits: lower row red, upper row blue.
std::vector<char> TinyBmp() {
  std::vector<uint8_t> b = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,
                            1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const uint8_t rows[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0};
  b.insert(b.end(), rows, rows + sizeof rows);
  return {b.begin(), b.end()};
}

class FetchImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto bmp = TinyBmp();
    std::ofstream(dir_ / "tiny.bmp", std::ios::binary).write(bmp.data(), static_cast<std::streamsize>(bmp.size()));
  }
  std::string File(const char* name) const { return (dir_ / name).string(); }

  cl::TGraphic* Fetch(TSectionList& root, const std::string& name, TTransparency& transparency, bool& fromCache,
                      bool& delayed, cl::TBitmap*& mask) {
    const TFetchedImage fetched = DocumentImages().FetchImage(root, name, transparency);
    transparency = fetched.Transparency;
    fromCache = fetched.FromCache;
    delayed = fetched.Delayed;
    mask = fetched.Mask;
    return fetched.Image;
  }

  TImageUnitScope unit_;
  const cl::testing::TempDirectory temp_;
  const std::filesystem::path dir_ = temp_.Path();
};

TEST_F(FetchImageTest, AFileIsDecodedOnceAndThenComesFromTheCache) {
  LayoutFixture f(&DocumentImages());
  TTransparency transparency = trOpaque;
  bool fromCache = true, delayed = true;
  cl::TBitmap* mask = reinterpret_cast<cl::TBitmap*>(1);
  cl::TGraphic* first = Fetch(f.root, File("tiny.bmp"), transparency, fromCache, delayed, mask);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(fromCache);
  EXPECT_FALSE(delayed);
  EXPECT_EQ(mask, nullptr);
  EXPECT_EQ(first->Width(), 2);
  // The key is the name upper-cased and trimmed.
  transparency = trLowerLeft;
  cl::TGraphic* again = Fetch(f.root, "  " + File("tiny.bmp") + " ", transparency, fromCache, delayed, mask);
  EXPECT_EQ(again, first);
  EXPECT_TRUE(fromCache);
  ASSERT_NE(mask, nullptr);  // made on first need from the lower-left pixel
  int index = -1;
  ASSERT_TRUE(BitmapList().Find(cl::AnsiUpperCase(File("tiny.bmp")), index));
  EXPECT_EQ(BitmapList().Item(index)->TransparencyKind, trLowerLeft);
  EXPECT_EQ(Fetch(f.root, File("missing.bmp"), transparency, fromCache, delayed, mask), nullptr);
  EXPECT_EQ(Fetch(f.root, "", transparency, fromCache, delayed, mask), nullptr);
}

TEST_F(FetchImageTest, TheViewersEventsComeBeforeTheFile) {
  StubHost host;
  LayoutFixture f(&DocumentImages(), &host);
  int bitmapRequests = 0;
  host.OnBitmap = [&](const std::string& name) {
    ++bitmapRequests;
    EXPECT_EQ(name, "pic");
    HostBitmap given{std::make_unique<cl::TBitmap>(), cl::clWhite};
    given.Bitmap->SetSize(3, 3);
    return given;
  };
  TTransparency transparency = trOpaque;
  bool fromCache = false, delayed = false;
  cl::TBitmap* mask = nullptr;
  cl::TGraphic* image = Fetch(f.root, "pic", transparency, fromCache, delayed, mask);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(transparency, trGifColor);
  EXPECT_NE(mask, nullptr);
  EXPECT_EQ(Fetch(f.root, "PIC", transparency, fromCache, delayed, mask), image);
  EXPECT_EQ(bitmapRequests, 1);

  StubHost laterHost;
  LayoutFixture g(&DocumentImages(), &laterHost);
  laterHost.OnImage = [&](const std::string& name) -> cl::TStream* {
    return name == "later" ? ImageUnit().WaitStream.get() : nullptr;
  };
  EXPECT_EQ(Fetch(g.root, "later", transparency, fromCache, delayed, mask), nullptr);
  EXPECT_TRUE(delayed);
  EXPECT_EQ(Fetch(g.root, "none", transparency, fromCache, delayed, mask), nullptr);
  EXPECT_FALSE(delayed);
}

TEST_F(FetchImageTest, AFailedNameIsNotDecodedAgainUntilTheNextDocument) {
  // A GIF cut after its header: every decoder refuses it.
  const std::vector<char> cut = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, static_cast<char>(0x80), 0, 0};
  const std::string name = File("cut.gif");
  std::ofstream(name, std::ios::binary).write(cut.data(), static_cast<std::streamsize>(cut.size()));
  LayoutFixture f(&DocumentImages());
  TTransparency transparency = trOpaque;
  bool fromCache = false, delayed = false;
  cl::TBitmap* mask = nullptr;
  EXPECT_EQ(Fetch(f.root, name, transparency, fromCache, delayed, mask), nullptr);
  int index = -1;
  ASSERT_TRUE(BitmapList().Find(cl::AnsiUpperCase(name), index));
  EXPECT_TRUE(BitmapList().Item(index)->Failed());
  // The file now holds a good picture; the document still knows the name failed.
  const auto bmp = TinyBmp();
  std::ofstream(name, std::ios::binary).write(bmp.data(), static_cast<std::streamsize>(bmp.size()));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Fetch(f.root, name, transparency, fromCache, delayed, mask), nullptr);
    EXPECT_TRUE(fromCache);
  }
  BitmapList().NewDocumentPass();
  cl::TGraphic* image = Fetch(f.root, name, transparency, fromCache, delayed, mask);
  ASSERT_NE(image, nullptr);
  EXPECT_FALSE(fromCache);
  EXPECT_EQ(image->Width(), 2);

  // The application's answer counts the same way: it is asked once.
  StubHost host;
  LayoutFixture g(&DocumentImages(), &host);
  int requests = 0;
  auto stream = std::make_unique<cl::TMemoryStream>();
  stream->WriteBuffer(cut.data(), static_cast<int32_t>(cut.size()));
  host.OnImage = [&](const std::string&) -> cl::TStream* {
    ++requests;
    return stream.get();
  };
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Fetch(g.root, "cut", transparency, fromCache, delayed, mask), nullptr);
  EXPECT_EQ(requests, 1);
}

TEST_F(FetchImageTest, TheBackgroundIsFetchedOnceAndDelayedNamesWait) {
  StubHost host;
  LayoutFixture f(&DocumentImages(), &host);
  int expansions = 0;
  host.OnExpand = [&](const std::string& name) {
    ++expansions;
    return (dir_ / name).string();
  };
  f.root.SetBackgroundName("tiny.bmp");
  cl::TBitmap* background = f.root.BackgroundBitmap();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(f.root.BackgroundBitmap(), background);
  EXPECT_EQ(expansions, 1);
  EXPECT_TRUE(f.root.BgFetched);
  f.root.ClearDocument();
  EXPECT_EQ(f.root.BgBitmap, nullptr);
  EXPECT_TRUE(f.root.BgImageName.empty());

  StubHost laterHost;
  LayoutFixture g(&DocumentImages(), &laterHost);
  laterHost.OnImage = [&](const std::string&) -> cl::TStream* { return ImageUnit().WaitStream.get(); };
  g.root.SetBackgroundName("back.gif");
  EXPECT_EQ(g.root.BackgroundBitmap(), nullptr);
  ASSERT_EQ(g.root.DelayedImages.Count(), 1);
  EXPECT_EQ(g.root.DelayedImages.GetObject(0), &g.root);
  LayoutFixture h(&DocumentImages());
  h.root.ImagesOn = false;
  h.root.SetBackgroundName((dir_ / "tiny.bmp").string());
  EXPECT_EQ(h.root.BackgroundBitmap(), nullptr);
  EXPECT_FALSE(h.root.BgFetched);
}

}  // namespace

}  // namespace html
