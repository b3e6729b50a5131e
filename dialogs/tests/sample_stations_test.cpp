// The sample station lists of suite/data/lst as the chooser uses them: each
// station id is a valid one whose text and URL read back as that station, so
// a station URL the chooser made is found again when it is handed back.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "chooser_fixture.h"
#include "dialogs/address_items.h"
#include "platform/gui/button.h"
#include "platform/gui/owner_draw_list_box.h"
#include "utility/station_id.h"
#include "utility/station_url.h"

namespace {

namespace fs = std::filesystem;
using cl::testing::Child;

struct SampleLine {
  std::string file;
  std::vector<std::string> fields;
};

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
    fields.push_back(line.substr(start, bar - start));
  fields.push_back(line.substr(start));
  return fields;
}

// Every station line of every sample list, as the files hold them.
std::vector<SampleLine> SampleStationLines() {
  std::vector<SampleLine> lines;
  for (const auto& entry : fs::directory_iterator(fs::path(BRANNIK_SOURCE_ROOT) / "suite/data/lst")) {
    if (entry.path().stem() != "BKlst") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string line;
    std::getline(in, line);  // the list's name
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back({entry.path().filename().string(), Split(line)});
    }
  }
  return lines;
}

TEST(SampleStationLists, EachStationIdRoundTripsThroughItsTextAndItsUrl) {
  const std::vector<SampleLine> lines = SampleStationLines();
  ASSERT_FALSE(lines.empty());
  for (const SampleLine& line : lines) {
    ASSERT_EQ(line.fields.size(), 12u) << line.file;
    SCOPED_TRACE(line.file + ": " + line.fields[0]);
    const utl::tSID sid = static_cast<utl::tSID>(std::stoul(line.fields[5]));
    EXPECT_TRUE(utl::ISSIDVALID(sid));
    EXPECT_NE(utl::CMPSID(sid, utl::NullSid), 0);
    // Assembled from its own parts, the id is itself.
    EXPECT_EQ(utl::ASMSID(utl::UTOASEXTINSID(sid), static_cast<std::uint16_t>(sid >> 16), sid & 15), sid);
    const std::string text = utl::STRSID(sid);
    EXPECT_NE(text, "NO_SID");
    EXPECT_EQ(utl::VALSID(text), std::optional<utl::tSID>(sid)) << text;
    const std::string& phone = line.fields[4];
    const std::string& area = line.fields[8];
    const std::string& country = line.fields[9];
    for (const std::string& urlCountry : {country, std::string()}) {
      const std::string url = utl::URISID2URL(sid, urlCountry, area, phone);
      EXPECT_EQ(utl::URIURL2SID(url), sid) << url;
    }
  }
}

class SampleStations : public ChooserWorld {};

TEST_F(SampleStations, AStationUrlNamesItsStationAndAnUnknownOneHasNoDescription) {
  int stations = 0;
  for (const std::uint16_t code : {std::uint16_t{1}, std::uint16_t{2}}) {
    for (std::int32_t i = 0; i < SIDCGETBKLSTCOUNT(code); ++i) {
      dlg::tADRitem row;
      ShortString country{};
      if (SIDCGETPOINTBYIDX(code, i, &row.Point, &row.Location, &country) != 0) continue;
      row.Country.Assign(country.Str());
      ++stations;
      const auto chosen = dlg::tBKAddressItem::FromStation(row);
      SCOPED_TRACE(chosen->Url);
      const auto handedBack = dlg::tBKAddressItem::FromURL(chosen->Url);
      EXPECT_EQ(handedBack->Kind, dlg::tBKAddressItem::KindStationUrl);
      EXPECT_EQ(handedBack->Description, chosen->Description);
      EXPECT_NE(handedBack->Description.find(", "), std::string::npos);
    }
  }
  EXPECT_GT(stations, 0);
  // A valid id ("ZZ") that no list holds.
  const std::string unknown = utl::URISID2URL(utl::ASMSID(26 * 32 + 26, 5000, 0), "420", "2", "123");
  const auto item = dlg::tBKAddressItem::FromURL(unknown);
  EXPECT_EQ(item->Kind, dlg::tBKAddressItem::KindStationUrl);
  EXPECT_EQ(item->Description, "");
}

TEST_F(SampleStations, AStationChosenOnceIsDescribedWhenItsUrlComesBack) {
  std::vector<char> buffer(512, 0);
  std::string expected;
  {
    const cl::testing::ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
      auto& stations = Child<cl::TOwnerDrawListBox>(form, "sidLBox");
      ASSERT_GT(stations.Count(), 0);
      stations.SetSelected(0, true);
      stations.Click();
      Child<cl::TBitBtn>(form, "selBBtnAdd").Click();
      auto& selection = Child<cl::TOwnerDrawListBox>(form, "selLBox");
      ASSERT_EQ(selection.Count(), 1);
      expected = dynamic_cast<dlg::tBKAddressItem&>(*selection.Items().GetObject(0)).Description;
      Child<cl::TBitBtn>(form, "selBBtnOK").Click();
    });
    ASSERT_NE(CHOOSEPHONES(buffer.data(), static_cast<std::uint16_t>(buffer.size()), 0x01, 0x01), 0);
  }
  EXPECT_EQ(expected, "\xDAst\xF8" "ed\xED Praha, Praha 1");
  std::string shown = "not shown";
  {
    const cl::testing::ModalDriver driver("MultiAddressForm", [&](cl::TForm& form) {
      auto& selection = Child<cl::TOwnerDrawListBox>(form, "selLBox");
      ASSERT_EQ(selection.Count(), 1);
      shown = dynamic_cast<dlg::tBKAddressItem&>(*selection.Items().GetObject(0)).Description;
      form.SetModalResult(cl::mrCancel);
    });
    CHOOSEPHONES(buffer.data(), static_cast<std::uint16_t>(buffer.size()), 0x01, 0x01);
  }
  EXPECT_EQ(shown, expected);
}

}  // namespace
