// A page of pictures whose files claim far more than they hold: 30 distinct
// GIFs of 70 bytes, each claiming 255 x 65,537 pixels, against the benign
// twin page of 30 small GIFs. Both are loaded and painted by the viewer as
// the browser shows them; the hostile page should cost about what the
// benign one does, and the pictures the cache holds stay within its budget.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/bench_clock.h"
#include "html/images/image_cache.h"
#include "html/images/image_unit.h"
#include "html/viewer/doc_viewer.h"
#include "platform/gui/application.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/image_fixtures.h"

using namespace html;

namespace {

constexpr int kPictures = 30;

// A 2 x 2 GIF made to claim 255 x 65,537: its screen is one row high and its
// one image, 255 x 2, stands at row 65,535. The image data is that of the
// 2 x 2 picture.
fixtures::Bytes Hostile(int n) {
  fixtures::GifOptions o;
  o.globalTable = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {static_cast<uint8_t>(n), 255, 255}};
  fixtures::Bytes b = fixtures::Gif(o);
  const std::size_t descriptor = 13 + 3 * 4 + 1;
  const uint8_t screen[] = {255, 0, 1, 0};
  std::copy(std::begin(screen), std::end(screen), b.begin() + 6);
  const uint8_t image[] = {0, 0, 0xFF, 0xFF, 255, 0, 2, 0};
  std::copy(std::begin(image), std::end(image), b.begin() + static_cast<long>(descriptor));
  return b;
}

// A 16 x 16 picture of four colours.
fixtures::Bytes Benign(int n) {
  fixtures::GifOptions o;
  o.globalTable = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {static_cast<uint8_t>(n), 255, 255}};
  o.width = o.height = 16;
  o.indexes.resize(256);
  for (std::size_t i = 0; i < o.indexes.size(); ++i) o.indexes[i] = static_cast<uint8_t>((i / 3 + i / 16) % 4);
  return fixtures::Gif(o);
}

// The page and its pictures, written under dir; the page's file name.
template <typename Picture>
std::string WritePage(const std::filesystem::path& dir, const char* stem, Picture&& picture) {
  std::string html = "<HTML><BODY><P>";
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = std::string(stem) + std::to_string(i) + ".gif";
    const fixtures::Bytes bytes = picture(i);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
    html += "<IMG SRC=\"" + name + "\"> ";
  }
  html += "</P></BODY></HTML>";
  const std::string page = (dir / (std::string(stem) + ".htm")).string();
  std::ofstream(page, std::ios::binary) << html;
  return page;
}

struct Measured {
  double seconds;
  std::int64_t peakHeldBytes;
};

// The page loaded and painted; before each run the pictures of the last one
// are forgotten, so that every run decodes them again.
Measured Measure(TDocViewer& viewer, const std::string& page, const std::string& empty) {
  std::int64_t peak = 0;
  const double seconds = bench::BestOf(
      bench::kRuns,
      [&] {
        viewer.LoadFromFile(empty);
        BitmapList().SetCacheLimit(0);
        BitmapList().SetCacheLimit(5);
      },
      [&] {
        viewer.LoadFromFile(page);
        viewer.Repaint();
        cl::Application().ProcessMessages();
        peak = std::max(peak, BitmapList().HeldBytes());
      });
  return {seconds, peak};
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  cl::EnsureQtApplication();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("bench_picture_page." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string hostile = WritePage(dir, "hostile", Hostile);
  const std::string benign = WritePage(dir, "benign", Benign);
  const std::string empty = (dir / "empty.htm").string();
  std::ofstream(empty, std::ios::binary) << "<P>nothing</P>";

  cl::TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  TDocViewer* const viewer = cl::Make<TDocViewer>(form);
  viewer->SetParent(&form);
  viewer->SetBounds(0, 0, 800, 600);
  viewer->SetViewImages(true);  // as the browser shows pages
  form.Show();
  cl::Application().ProcessMessages();

  const Measured bad = Measure(*viewer, hostile, empty);
  const Measured good = Measure(*viewer, benign, empty);
  bench::PrintClock();
  std::printf("%-34s %10s %16s\n", "page of 30 GIFs", "ms", "peak held bytes");
  std::printf("%-34s %10.2f %16lld\n", "hostile (255 x 65537 claimed)", bad.seconds * 1000,
              static_cast<long long>(bad.peakHeldBytes));
  std::printf("%-34s %10.2f %16lld\n", "benign (16 x 16)", good.seconds * 1000,
              static_cast<long long>(good.peakHeldBytes));
  std::printf("budget of the image cache: %lld bytes\n", static_cast<long long>(BitmapList().PictureBudget()));
  std::printf("RATIO hostile_gif_page_vs_benign %.2f\n", bad.seconds / good.seconds);
  std::filesystem::remove_all(dir);
  return bad.peakHeldBytes <= BitmapList().PictureBudget() ? 0 : 1;
}
