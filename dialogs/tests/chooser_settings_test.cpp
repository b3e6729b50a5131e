// The recipient chooser keeps what the user left for the next run however
// the run ends, through both of its exports.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "chooser_fixture.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "platform/core/exception.h"
#include "platform/gui/button.h"
#include "platform/gui/owner_draw_list_box.h"
#include "platform/gui/tabbed_notebook.h"
#include "platform/gui/virtual_keys.h"
#include "suite/brancfg/brancfg.h"

namespace {

using cl::testing::Child;

constexpr std::uint8_t BothPages = 0x03, AllStations = 0x01;
constexpr std::uint8_t PageKey = 4, StationListKey = 5, StationRowKey = 6;
const char* const Fax = "fax:+420-2-111";

class ChooserSettingsTest : public ChooserWorld {};

// The user's changes, then the end.
std::function<void(cl::TForm&)> ChangeThen(std::function<void(cl::TForm&)> end) {
  return [end](cl::TForm& form) {
    Child<cl::TOwnerDrawListBox>(form, "sidLBox").SetItemIndex(1);
    Child<cl::TTabbedNotebook>(form, "TabbedNotebook").SetPageIndex(1);
    end(form);
  };
}

TEST_F(ChooserSettingsTest, WhatTheUserLeftIsKeptAfterEveryEndOfTheRun) {
  struct Case {
    const char* what;
    std::function<void(cl::TForm&)> end;
    bool confirmed;
  };
  const Case cases[] = {
      {"OK", [](cl::TForm& f) { Child<cl::TBitBtn>(f, "selBBtnOK").Click(); }, true},
      {"Cancel", [](cl::TForm& f) { Child<cl::TBitBtn>(f, "selBBtnCancel").Click(); }, false},
      {"Esc", [](cl::TForm& f) { cl::testing::TypeKey(f, cl::VK_ESCAPE); }, false},
      {"title bar", [](cl::TForm& f) { cl::testing::CloseByTitleBar(f); }, false},
      // The form's closing raises: the caller hears a cancel.
      {"failure",
       [](cl::TForm& f) {
         f.OnCloseQuery = [](cl::TObject*, bool&) { throw cl::Exception("closing failed"); };
         Child<cl::TBitBtn>(f, "selBBtnOK").Click();
       },
       false},
  };
  const auto leftForTheNextRun = [](const char* exported) {
    SCOPED_TRACE(exported);
    EXPECT_EQ(CFGGETINTEGER(PageKey), 1);
    EXPECT_EQ(CFGGETINTEGER(StationListKey), 2);
    EXPECT_EQ(CFGGETINTEGER(StationRowKey), 1);
  };
  const auto startFresh = [] {
    CFGPUTINTEGER(PageKey, 0);
    CFGPUTINTEGER(StationListKey, 2);  // list 002: two stations
    CFGPUTINTEGER(StationRowKey, 0);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    startFresh();
    {
      tAddressRecord record;
      std::memset(&record, 0, sizeof record);
      record.Kind = 2;
      dlg::testing::SetText(record.Url, Fax);
      record.UseFor = 2;
      const cl::testing::ModalDriver driver("MultiAddressForm", ChangeThen(c.end));
      EXPECT_EQ(_CHOOSESTATIONS(&record, 1, 1, BothPages, AllStations), c.confirmed ? 1 : -1);
    }
    leftForTheNextRun("_CHOOSESTATIONS");

    startFresh();
    {
      std::vector<char> urls(200, '\0');
      std::strcpy(urls.data(), (std::string(Fax) + "\r\n").c_str());
      const cl::testing::ModalDriver driver("MultiAddressForm", ChangeThen(c.end));
      EXPECT_EQ(CHOOSEPHONES(urls.data(), 200, BothPages, AllStations), c.confirmed ? 1 : 0);
    }
    leftForTheNextRun("CHOOSEPHONES");
  }
}

}  // namespace
