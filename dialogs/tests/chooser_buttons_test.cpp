// What the recipient chooser's buttons and file dialogs show the user: the
// phone-book page's speed buttons with their glyphs, and the file filters.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "chooser_fixture.h"
#include "platform/gui/button.h"
#include "platform/gui/colors.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/speed_button.h"
#include "platform/gui/test_support/screen_pixels.h"
#include "platform/gui/test_support/scripted_dialogs.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brancfg/brancfg.h"

namespace {

using cl::testing::Child;
using cl::testing::ModalDriver;

constexpr std::uint8_t BothPages = 0x03, AllUses = 0x01 | 0x02 | 0x04 | 0x08;
const char* const SpeedButtons[] = {"numSBtnSave", "numSBtnNew", "numSBtnAdd",
                                    "numSBtnDup",  "numSBtnEdit", "numSBtnDel"};

class ChooserButtons : public ChooserWorld {
 protected:
  void SetUp() override {
    ChooserWorld::SetUp();
    WriteFile(ConfigDir() / "A.PHN", "\"Alfa Adam\", \"Firma\", \"+420-2-111\", \"FAX\"\r\n");
    const ShortString book = ShortString::From("A.PHN");
    CFGPUTSTRING(7, &book);
    CFGPUTINTEGER(4, 1);  // the phone-book page
  }
  void Run(const std::function<void(cl::TForm&)>& action) {
    std::vector<::tAddressRecord> records(1);
    const ModalDriver driver("MultiAddressForm", action);
    _CHOOSESTATIONS(records.data(), 0, 1, BothPages, AllUses);
  }
};

// The glyph area of a 24-pixel speed button (a 16-pixel glyph in its middle)
// as the screen shows it.
std::vector<cl::TColor> GlyphArea(cl::TSpeedButton& button) {
  std::vector<cl::TColor> pixels;
  for (int y = 4; y < 20; ++y)
    for (int x = 4; x < 20; ++x) pixels.push_back(cl::testing::ScreenPixel(button, x, y));
  return pixels;
}

TEST_F(ChooserButtons, EachSpeedButtonShowsItsOwnGlyphAndADisabledOneShowsItGrey) {
  Run([](cl::TForm& form) {
    std::set<std::vector<cl::TColor>> pictures;
    for (const char* name : SpeedButtons) {
      SCOPED_TRACE(name);
      auto& button = Child<cl::TSpeedButton>(form, name);
      ASSERT_TRUE(button.Showing());
      const cl::TColor face = cl::testing::ScreenPixel(button, 2, 2);
      const std::vector<cl::TColor> area = GlyphArea(button);
      std::set<cl::TColor> drawn;
      int glyphPixels = 0;
      for (const cl::TColor pixel : area)
        if (pixel != face) {
          ++glyphPixels;
          drawn.insert(pixel);
        }
      EXPECT_GT(glyphPixels, 20) << "a blank button";
      if (!button.Enabled()) {
        EXPECT_EQ(drawn, std::set<cl::TColor>{0x808080});
      } else {
        EXPECT_NE(drawn, std::set<cl::TColor>{0x808080}) << "an enabled button in colour";
      }
      pictures.insert(area);
    }
    EXPECT_EQ(pictures.size(), std::size(SpeedButtons)) << "no two buttons alike";
    // Save is on only while the book has changes.
    EXPECT_FALSE(Child<cl::TSpeedButton>(form, "numSBtnSave").Enabled());
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
}

TEST_F(ChooserButtons, ThePhoneBookFileDialogsNameTheirPatternOnce) {
  cl::testing::ScriptedDialogs dialogs;
  std::vector<std::string> filters;
  dialogs.Save = [&](cl::TSaveDialog& dialog) {
    filters.push_back(cl::QtFilterOf(dialog.Filter));
    return false;
  };
  dialogs.Open = [&](cl::TOpenDialog& dialog) {
    filters.push_back(cl::QtFilterOf(dialog.Filter));
    return false;
  };
  const std::string url = "fax:+420-2-111";
  std::vector<::tAddressRecord> records(1);
  records[0].Kind = 2;
  dlg::testing::SetText(records[0].Url, url);
  const ModalDriver driver("MultiAddressForm", [](cl::TForm& form) {
    Child<cl::TBitBtn>(form, "selBBtnExport").Click();
    Child<cl::TBitBtn>(form, "selBBtnImport").Click();
    cl::testing::TypeKey(form, cl::VK_ESCAPE);
  });
  _CHOOSESTATIONS(records.data(), 1, 1, BothPages, AllUses);
  EXPECT_EQ(filters, (std::vector<std::string>(2, "Telefonn\xED seznamy (*.phn)")));
}

}  // namespace
