// The recipient chooser's selection without a form: its order, its limits,
// the caller's records and the books it exports and imports.
#include "dialogs/address_selection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/disk.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "platform/core/test_support/temp_directory.h"
#include "utility/station_url.h"

namespace {

using dlg::tAddressSelection;
using dlg::tBKAddressItem;
using dlg::testing::Entry;

std::string FaxUrl(const std::string& number) {
  return utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", number);
}

std::unique_ptr<tBKAddressItem> Fax(const std::string& name, const std::string& number) {
  return tBKAddressItem::FromPhoneItem(Entry(name, "Firma", "420", "2", number, 2));
}

std::vector<std::string> Urls(const tAddressSelection& selection) {
  std::vector<std::string> urls;
  for (int i = 0; i < selection.Count(); ++i) urls.push_back(selection.Item(i).Url);
  return urls;
}

dlg::tAddressRecord Record(const std::string& url, std::uint16_t tag) {
  dlg::tAddressRecord record;
  std::memset(&record, 0xAB, sizeof record);
  record.Kind = 2;
  record.Url.Assign(url);
  record.Description.Assign("d" + std::to_string(tag));
  record.UseFor = 2;
  record.Tag = tag;
  record.Extra1.Assign("  low case ");
  for (auto* extra : {&record.Extra2, &record.Extra3, &record.Extra4}) extra->Assign("");
  return record;
}

TEST(AddressSelection, KeepsAddressesInUrlOrderEachUrlOnceIgnoringCase) {
  tAddressSelection selection;
  EXPECT_EQ(selection.Add(Fax("C", "333")), 0);
  EXPECT_EQ(selection.Add(Fax("A", "111")), 0);
  EXPECT_EQ(selection.Add(Fax("B", "222")), 1);
  auto again = Fax("Another A", "111");
  for (char& c : again->Url) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(selection.Add(std::move(again)), -1);
  EXPECT_EQ(selection.Add(nullptr), -1);
  EXPECT_EQ(Urls(selection), (std::vector<std::string>{FaxUrl("111"), FaxUrl("222"), FaxUrl("333")}));
  EXPECT_EQ(selection.Item(0).Description, "A, Firma");
  EXPECT_TRUE(selection.Contains(FaxUrl("222")));
  EXPECT_FALSE(selection.Contains(FaxUrl("444")));
  selection.Delete(1);
  EXPECT_EQ(Urls(selection), (std::vector<std::string>{FaxUrl("111"), FaxUrl("333")}));
  EXPECT_EQ(selection.UpperCaseUrls(),
            (std::unordered_set<std::string>{cl::AnsiUpperCase(FaxUrl("111")), cl::AnsiUpperCase(FaxUrl("333"))}));
}

TEST(AddressSelection, AddingAndImportingStopAtTheLimit) {
  cl::testing::TempDirectory dir;
  const std::string book = dir.Write("FOUR.PHN",
                                     "\"D\", \"\", \"+420-2-444\", \"FAX\"\r\n\"A\", \"\", \"+420-2-111\", \"FAX\"\r\n"
                                     "\"C\", \"\", \"+420-2-333\", \"FAX\"\r\n\"B\", \"\", \"+420-2-222\", \"FAX\"\r\n");
  struct Case {
    int maxCount;
    bool oneRecipient;
    int kept;
    bool roomLeft;
  } const cases[] = {{-1, false, 4, true}, {5, false, 4, true}, {2, false, 2, false}, {0, false, 0, false},
                     {-1, true, 1, false}, {3, true, 1, false}, {0, true, 0, false}};
  const std::vector<std::string> all{FaxUrl("111"), FaxUrl("222"), FaxUrl("333"), FaxUrl("444")};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "maxCount " << c.maxCount << " one " << c.oneRecipient);
    tAddressSelection selection;
    selection.SetMaxCount(c.maxCount);
    selection.SetOneRecipient(c.oneRecipient);
    for (const char* number : {"444", "111", "333", "222"}) selection.Add(Fax("X", number));
    EXPECT_EQ(selection.Count(), c.kept);
    EXPECT_EQ(selection.HasRoom(), c.roomLeft);
    // The first added are kept; an import takes the first in URL order.
    selection.Import(book);
    EXPECT_EQ(Urls(selection), std::vector<std::string>(all.begin(), all.begin() + c.kept));
  }
}

TEST(AddressSelection, RecordsComeInWholeAndGoBackInUrlOrderWithinMaxCount) {
  std::vector<dlg::tAddressRecord> records{Record(FaxUrl("333"), 3), Record(FaxUrl("111"), 1), Record(FaxUrl("222"), 2)};
  tAddressSelection selection;
  // The limit is the user's: what the caller hands in is taken whole.
  selection.SetMaxCount(1);
  ASSERT_TRUE(selection.LoadRecords(records.data(), 3));
  EXPECT_EQ(selection.Count(), 3);
  EXPECT_EQ(selection.Item(0).Extra(1), "LOW CASE");

  std::vector<dlg::tAddressRecord> out(3);
  std::memset(out.data(), 0xCD, out.size() * sizeof(dlg::tAddressRecord));
  EXPECT_EQ(selection.StoreRecords(out.data(), 2), 2);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(out[i].Url.Str(), FaxUrl(std::to_string(111 * (i + 1))));
    EXPECT_EQ(out[i].Description.Str(), "d" + std::to_string(i + 1));
    EXPECT_EQ(out[i].Tag, i + 1);
    EXPECT_EQ(out[i].Kind, 2);
    EXPECT_EQ(out[i].UseFor, 2);
    EXPECT_EQ(out[i].Extra1.Str(), "LOW CASE");
    EXPECT_EQ(out[i].Extra2.Str(), "");
  }
  EXPECT_EQ(reinterpret_cast<const unsigned char*>(&out[2])[0], 0xCD) << "a record past the answer is touched";
  EXPECT_EQ(selection.StoreRecords(out.data(), 0), 0);

  // Two records of one URL: nothing is taken.
  records.push_back(Record(FaxUrl("111"), 9));
  EXPECT_FALSE(selection.LoadRecords(records.data(), 4));
  EXPECT_EQ(selection.Count(), 0);
}

TEST(AddressSelection, BooksLieInTheConfigurationDirectoryUnderTheNameInUpperCase) {
  cl::testing::TempDirectory dir;
  const dlg::tDisk disk("", "", (dir / "win"), dir / "cfg/", "prog");
  EXPECT_EQ(tAddressSelection::BookPath(disk, dir / "elsewhere/Chosen.phn"), dir / "cfg/CHOSEN.PHN");
  EXPECT_EQ(tAddressSelection::BookPath(disk, "c:\\x\\y.phn"), dir / "cfg/Y.PHN");
  std::filesystem::create_directories(dir / "cfg");

  tAddressSelection selection;
  selection.Add(Fax("Nov\xE1k Jan", "111"));
  selection.Add(Fax("Dvo\xF8\xE1k", "222"));
  const std::string path = tAddressSelection::BookPath(disk, "chosen.phn");
  selection.Export(path);
  EXPECT_TRUE(dir.Exists("cfg/CHOSEN.PHN"));

  tAddressSelection imported;
  imported.Add(Fax("Old", "999"));
  imported.Import(path);
  ASSERT_EQ(Urls(imported), Urls(selection));
  for (int i = 0; i < imported.Count(); ++i) EXPECT_EQ(imported.Item(i).Description, selection.Item(i).Description);

  // A book that cannot be read, or written, throws; the selection stays.
  EXPECT_THROW(imported.Import(dir / "cfg/MISSING.PHN"), cl::Exception);
  EXPECT_EQ(imported.Count(), 2);
  EXPECT_THROW(selection.Export(dir / "no/such/dir/X.PHN"), cl::Exception);
}

}  // namespace
