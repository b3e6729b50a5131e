#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/gui/form.h"
#include "platform/gui/screen.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/x_server.h"

namespace {

// Qt puts a window at whole coordinates of its own: at a fractional
// device-pixel ratio r a screen pixel is reached to within r / 2.
int Slack() {
  const double ratio = cl::testing::DevicePixelRatio();
  return ratio > 1 ? static_cast<int>(std::ceil(ratio / 2)) : 0;
}

TEST(ScreenPositionOnAnXServer, AFormPutAtScreenPixelsShowsThereOnADenseScreen) {
  cl::testing::EnsureGuiTestApplication();
  if (!cl::testing::OnAnXServer()) GTEST_SKIP() << "Qt does not run on X";
  ASSERT_GT(cl::testing::DevicePixelRatio(), 1.0) << "the X run scales its screen (QT_FONT_DPI=144)";
  for (const cl::TPoint wanted : {cl::TPoint{100, 200}, cl::TPoint{0, 0}, cl::TPoint{603, 411}}) {
    SCOPED_TRACE(std::to_string(wanted.X) + ", " + std::to_string(wanted.Y));
    cl::TForm form(nullptr);
    const cl::TPoint at = cl::Screen().FromScreenPixels(wanted);
    form.SetBounds(at.X, at.Y, 200, 100);
    form.Show();
    cl::testing::ProcessEvents();
    const std::optional<cl::TPoint> shown = cl::testing::XWindowPosition(form);
    ASSERT_TRUE(shown.has_value());
    EXPECT_LE(std::abs(shown->X - wanted.X), Slack());
    EXPECT_LE(std::abs(shown->Y - wanted.Y), Slack());
    // And back: where the form is, in the screen's pixels, is where the server shows it.
    EXPECT_EQ(cl::Screen().ToScreenPixels({form.Left(), form.Top()}), *shown);
  }
}

}  // namespace
