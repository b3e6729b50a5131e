#include "dialogs/address_items.h"
#include "dialogs/phone_book.h"
#include "dialogs/phone_book_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "dialogs/tests/phone_book_fixtures.h"
#include "file_bytes.h"
#include "platform/core/exception.h"
#include "platform/core/test_support/temp_directory.h"
#include "utility/phone_text.h"
#include "utility/station_url.h"

namespace {

using dlg::tBKAddressItem;
using dlg::tBKAddressList;
using dlg::tPhoneBookItem;

using dlg::testing::Entry;

TEST(PhoneBookLine, FieldsOfFixtureLines) {
  const auto fax = tPhoneBookItem::FromLine("\"Nov\xE1k Jan\", \"\", \"+420-2-12345678\", \"FAX\"");
  const utl::PhoneParts parts = utl::URISPLITPHONE("+420-2-12345678");
  EXPECT_EQ(fax.Name.Str(), "Nov\xE1k Jan");
  EXPECT_EQ(fax.Company.Str(), "");
  EXPECT_EQ(fax.Country.Str(), parts.country);
  EXPECT_EQ(fax.Area.Str(), parts.area);
  EXPECT_EQ(fax.Number.Str(), parts.number);
  EXPECT_EQ(fax.UseFor, 2);
  EXPECT_EQ(tPhoneBookItem::FromLine("\"A\", \"B\", \"+420-2-1\", \"XYZ\"").UseFor, 1);
  // Without quotes each field is the rest of the line, which then loses
  // everything up to the next comma.
  std::string line = "A, B, C";
  EXPECT_EQ(dlg::TakeField(line), "A, B, C");
  EXPECT_EQ(dlg::TakeField(line), "B, C");
  EXPECT_EQ(dlg::TakeField(line), "C");
  EXPECT_EQ(line, "C");  // neither quote nor comma to drop
}

TEST(PhoneBookLine, TakeFieldOnUnevenLines) {
  struct Case {
    const char* line;
    const char* field;
    const char* rest;
  } const cases[] = {
      {R"()", R"()", R"()"},
      {R"(   )", R"()", R"()"},
      {R"(  "A" , "B")", R"(A)", R"("B")"},
      {R"("A"B,C)", R"(A)", R"(C)"},
      {R"("A)", R"(A)", R"(A)"},  // unclosed: no comma after it either
      {R"("A, B)", R"(A, B)", R"(B)"},  // unclosed: the comma within counts
      {R"("" ,)", R"()", R"()"},
      {R"("A" x, y "B")", R"(A)", R"(y "B")"},
      {R"(,,)", R"(,,)", R"(,)"},
      {R"("A""B", C)", R"(A)", R"(C)"},
  };
  for (const Case& c : cases) {
    std::string_view line = c.line;
    EXPECT_EQ(dlg::TakeField(line), c.field) << c.line;
    EXPECT_EQ(line, c.rest) << c.line;
  }
}

TEST(PhoneBookLine, RoundTrips) {
  const tPhoneBookItem entries[] = {
      Entry("Nov\xE1k Jan", "", "+420", "2", "12345678", 2),
      Entry("Dvo\xF8\xE1k", "Firma s.r.o.", "+421", "55", "556789", 3),
      Entry(std::string(31, 'n'), std::string(63, 'c'), "+43", "1", "1234567890123", 1),
  };
  for (const auto& entry : entries) {
    const std::string line = entry.Line();
    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const auto back = tPhoneBookItem::FromLine(line.substr(0, line.size() - 2));
    EXPECT_EQ(back.Line(), line);
    EXPECT_EQ(back.Name.Str(), entry.Name.Str());
    EXPECT_EQ(back.Company.Str(), entry.Company.Str());
    EXPECT_EQ(back.UseFor, entry.UseFor);
  }
}

// Lines made of the characters the reader and the phone split treat apart
// (quotes, commas, blanks, dashes, zeros, "+", controls), from a fixed seed:
// the line a read one is written as reads back as an entry written the same.
TEST(PhoneBookLine, AWrittenLineReadsBackAsItself) {
  const std::string alphabet = "\"\", -0+1a\x01\x7F\t-0-";
  std::uint32_t seed = 20261210;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  for (int n = 0; n < 20000; ++n) {
    std::string read(next() % 40, ' ');
    for (char& c : read) c = alphabet[next() % alphabet.size()];
    const std::string written = tPhoneBookItem::FromLine(read).Line();
    const std::string again =
        tPhoneBookItem::FromLine(std::string_view(written).substr(0, written.size() - 2)).Line();
    ASSERT_EQ(again, written) << ::testing::PrintToString(read);
  }
}

TEST(PhoneBookLine, QuotesAndLineBreaksCannotBreakTheLine) {
  const auto entry = Entry("O\"Brien", "a\r\nb\tc", "+420", "2", "1", 2);
  const std::string line = entry.Line();
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  const auto back = tPhoneBookItem::FromLine(line.substr(0, line.size() - 2));
  EXPECT_EQ(back.Name.Str(), "O'Brien");
  EXPECT_EQ(back.Company.Str(), "a  b c");
  EXPECT_EQ(back.UseFor, 2);
}

TEST(PhoneBookItem, UseForFromFlags) {
  struct Case {
    std::uint8_t current, flags, expected;
  };
  const Case cases[] = {{2, 0x04, 2}, {2, 0x02, 1}, {2, 0x08, 3}, {1, 0x0C, 2}, {3, 0x0C, 3},
                        {0, 0x08, 3}, {7, 0x00, 1}, {3, 0x00, 1}};
  for (const auto& c : cases) {
    tPhoneBookItem e;
    e.UseFor = c.current;
    e.LimitUseFor(c.flags);
    EXPECT_EQ(e.UseFor, c.expected) << int(c.current) << " " << int(c.flags);
  }
}

// Told by the first slot alone: the library's class pointer, null for an
// entry a caller built, anything else for the rest.
TEST(PhoneBookItem, TheFirstSlotTellsWhereAnEntryComesFrom) {
  const tPhoneBookItem entry;
  const ::tPhoneBookItem record{};
  const cl::TStringList other;
  const auto* garbage = "not an entry, nor any object at all";
  struct Case {
    const char* what;
    const void* pointer;
    dlg::EntryOrigin origin;
  };
  const Case cases[] = {{"the library's", &entry, dlg::EntryOrigin::Library},
                        {"built by the header", &record, dlg::EntryOrigin::Caller},
                        {"another class", &other, dlg::EntryOrigin::Other},
                        {"bytes", garbage, dlg::EntryOrigin::Other},
                        {"none", nullptr, dlg::EntryOrigin::Other}};
  for (const Case& c : cases) EXPECT_EQ(dlg::OriginOf(c.pointer), c.origin) << c.what;
  EXPECT_EQ(dlg::PhoneItemOf(&other), nullptr);
  EXPECT_EQ(dlg::PhoneItemOf(static_cast<const cl::TObject*>(&entry)), &entry);
}

// The fields lie where the public header says, counted from the object's start.
TEST(PhoneBookItem, AnEntryObjectIsTheRecordOfThePublicHeader) {
  tPhoneBookItem entry = Entry("Nov\xE1k", "Firma", "+420", "2", "123", 3);
  entry.Reserved = 0x5A;
  entry.Taken = 1;
  const auto& record = *reinterpret_cast<const ::tPhoneBookItem*>(static_cast<cl::TObject*>(&entry));
  EXPECT_EQ(record.Reserved, 0x5A);
  EXPECT_EQ(record.Taken, 1);
  EXPECT_EQ(dlg::testing::TextOf(record.Name), "Nov\xE1k");
  EXPECT_EQ(dlg::testing::TextOf(record.Company), "Firma");
  EXPECT_EQ(dlg::testing::TextOf(record.Country), "+420");
  EXPECT_EQ(dlg::testing::TextOf(record.Area), "2");
  EXPECT_EQ(dlg::testing::TextOf(record.Number), "123");
  EXPECT_EQ(record.UseFor, 3);
  EXPECT_NE(record.ClassPointer, nullptr);

  const auto copy = dlg::ReadCallerEntry(&record);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Line(), entry.Line());
  ::tPhoneBookItem built{};
  dlg::WriteCallerEntry(&built, entry);
  EXPECT_EQ(built.ClassPointer, nullptr) << "a caller's entry stays the caller's";
  EXPECT_EQ(dlg::ReadCallerEntry(&built)->Line(), entry.Line());
  EXPECT_EQ(built.Reserved, 0x5A);
}

TEST(AddressItem, KindsAndUrls) {
  const auto fromEntry = tBKAddressItem::FromPhoneItem(Entry("Jan", "Firma", "+420", "2", "123", 2));
  EXPECT_EQ(fromEntry->Kind, tBKAddressItem::KindPhone);
  EXPECT_EQ(fromEntry->Url, utl::URIPHONE2URL("FAX", "+420", "2", "123"));
  EXPECT_EQ(fromEntry->Description, "Jan, Firma");
  EXPECT_EQ(tBKAddressItem::FromPhoneItem(Entry("", "Firma", "+420", "2", "123", 2))->Description, "Firma");

  dlg::tADRitem row;
  row.Point.nameLength = 41;
  std::memset(row.Point.name, 'S', 41);
  row.Point.phoneLength = 3;
  std::memcpy(row.Point.phone, "555", 3);
  row.Point.stationId = 131184;  // a valid id: parity bits set
  row.Location.placeLength = 4;
  std::memcpy(row.Location.place, "Brno", 4);
  row.Location.areaLength = 1;
  row.Location.area[0] = '5';
  row.Country.Assign("420");
  const auto fromStation = tBKAddressItem::FromStation(row);
  EXPECT_EQ(fromStation->Kind, tBKAddressItem::KindStation);
  EXPECT_EQ(fromStation->Url, utl::URISID2URL(131184, "420", "5", "555"));
  // 41 characters of name leave no room for ", ".
  EXPECT_EQ(fromStation->Description, std::string(41, 'S') + "Brno");
  EXPECT_EQ(fromStation->UseFor, 1);

  const auto fromStationUrl = tBKAddressItem::FromURL(fromStation->Url);
  EXPECT_EQ(fromStationUrl->Kind, tBKAddressItem::KindStationUrl);
  EXPECT_EQ(fromStationUrl->Url, fromStation->Url);
  const auto fromPhoneUrl = tBKAddressItem::FromURL(fromEntry->Url);
  EXPECT_EQ(fromPhoneUrl->Kind, tBKAddressItem::KindPhone);
  EXPECT_EQ(fromPhoneUrl->UseFor, 2);
  EXPECT_EQ(fromPhoneUrl->Description, "");
}

TEST(AddressItem, PhoneItemFromDescription) {
  struct Case {
    const char* description;
    const char* name;
    const char* company;
  };
  const Case cases[] = {{"Jan Nov\xE1k , Firma ", "Jan Nov\xE1k", "Firma"},
                        {"Jan", "Jan", ""},
                        {",Firma", ",Firma", ""}};
  for (const auto& c : cases) {
    tBKAddressItem item;
    item.Url = utl::URIPHONE2URL("SMS", "+420", "2", "123");
    item.UseFor = 3;
    item.Description = c.description;
    const auto entry = item.ToPhoneItem();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Name.Str(), c.name);
    EXPECT_EQ(entry->Company.Str(), c.company);
    EXPECT_EQ(entry->UseFor, 3);
  }
}

TEST(AddressRecord, StrideAndUntouchedTails) {
  dlg::tAddressRecord records[3];
  std::memset(records, 0xAA, sizeof records);
  ASSERT_EQ(reinterpret_cast<char*>(&records[1]) - reinterpret_cast<char*>(&records[0]), 1540);
  tBKAddressItem item;
  item.Kind = 3;
  item.Url = "BKS://x";
  item.Description = "D";
  item.UseFor = 1;
  item.Tag = 0x1234;
  item.SetExtra(1, "  abc ");
  item.SetExtra(2, "   ");
  item.ToRecord(records[1]);
  const auto* bytes = reinterpret_cast<const unsigned char*>(records);
  for (std::size_t i = 0; i < 1540; ++i) {
    ASSERT_EQ(bytes[i], 0xAA) << i;
    ASSERT_EQ(bytes[2 * 1540 + i], 0xAA) << i;
  }
  const auto& r = records[1];
  EXPECT_EQ(r.Kind, 3);
  EXPECT_EQ(r.Url.Str(), "BKS://x");
  EXPECT_EQ(bytes[1540 + 1 + 1 + 7], 0xAA);  // past the URL's characters
  EXPECT_EQ(r.Extra1.Str(), "ABC");
  EXPECT_EQ(r.Extra2.length, 0);
  EXPECT_EQ(std::uint16_t{r.Tag}, 0x1234);
  const auto back = tBKAddressItem::FromRecord(r);
  EXPECT_EQ(back->Url, "BKS://x");
  EXPECT_EQ(back->Tag, 0x1234);
  EXPECT_EQ(back->Extra(1), "ABC");
  EXPECT_EQ(back->Extra(2), "");
}

TEST(ObjectList, TabbedText) {
  struct Case {
    std::string text;
    std::vector<std::string> rows;
  };
  const Case cases[] = {{"", {""}}, {"a", {"a"}}, {"a\t\tb", {"a", "", "b"}}, {"a\t", {"a", ""}}};
  for (const auto& c : cases) {
    dlg::tObjectList list;
    list.Add("old");
    list.SetTabbedText(c.text);
    ASSERT_EQ(list.Count(), static_cast<int>(c.rows.size())) << c.text;
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Get(i), c.rows[i]);
  }
}

TEST(AddressList, PhoneBookFileRoundTrip) {
  cl::testing::TempDirectory dir;
  const std::string file = dir / "BOOK.PHN";
  {
    std::ofstream out(file, std::ios::binary);
    out << "\"Nov\xE1k Jan\", \"\", \"+420-2-12345678\", \"FAX\"\r\n"
        << "   \r\n"
        << "\r\n"
        << "\"Dvo\xF8\xE1k\", \"Firma\", \"+421-55-556789\", \"SMS\"\r\n"
        // The same number again: kept once.
        << "\"Other\", \"\", \"+420-2-12345678\", \"FAX\"\r\n";
  }
  // The blank lines are entries of empty texts, as the phone-book page reads
  // them: one address for both.
  const auto list = tBKAddressList::FromPhoneBook(file);
  ASSERT_EQ(list->Count(), 3);
  const std::string saved = dir / "SAVED.PHN";
  ASSERT_NO_THROW(list->SaveAsPhoneBook(saved));
  const auto again = tBKAddressList::FromPhoneBook(saved);
  ASSERT_EQ(again->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(again->Item(i)->Url, list->Item(i)->Url);
    EXPECT_EQ(again->Item(i)->Description, list->Item(i)->Description);
  }
  EXPECT_THROW(tBKAddressList::FromPhoneBook(dir / "missing.phn"), std::exception);
  EXPECT_THROW(list->SaveAsPhoneBook(dir / "no/such/dir/X.PHN"), cl::Exception);
}

// An import and the phone-book page read one book alike: the same lines
// (blanks at their ends dropped, an empty line an entry), the same entries.
TEST(AddressList, ReadsABookLineForLineAsThePhoneBookPageDoes) {
  cl::testing::TempDirectory dir;
  const std::string file = dir.Write("BOOK.PHN",
                                     // Unclosed: the scheme is the rest of the line.
                                     "\"A\", \"Firma\", \"+420-2-111\", \"FAX   \r"
                                     "\r\n"
                                     "  \"B\", \"\", \"+421-55-222\", \"SMS\"  \n"
                                     "\"C\", \"\", \"+420-2-333\", \"BK\"");
  cl::TStringList rows(true);
  dlg::LoadPhoneBook(file, rows, 0);
  std::vector<std::string> fromRows;
  for (int i = 0; i < rows.Count(); ++i)
    fromRows.push_back(tBKAddressItem::FromPhoneItem(*dlg::PhoneItemOf(rows.Objects(i)))->Url);
  std::sort(fromRows.begin(), fromRows.end());
  const auto list = tBKAddressList::FromPhoneBook(file);
  std::vector<std::string> fromList;
  for (int i = 0; i < list->Count(); ++i) fromList.push_back(list->Item(i)->Url);
  std::sort(fromList.begin(), fromList.end());
  ASSERT_EQ(fromRows.size(), 4u);
  EXPECT_EQ(fromList, fromRows);
  EXPECT_NE(list->IndexOf(utl::URIPHONE2URL(utl::URIUSEFOR2SCHEME(2), "420", "2", "111")), -1)
      << "the scheme lost its trailing blanks";
}

TEST(AddressList, CopiesKeepEachUrlOnce) {
  tBKAddressList list;
  EXPECT_TRUE(list.Add(tBKAddressItem::FromURL("FAX://+420-2-1")));
  EXPECT_TRUE(list.Add(tBKAddressItem::FromURL("FAX://+420-2-2")));
  EXPECT_FALSE(list.Add(tBKAddressItem::FromURL("FAX://+420-2-1")));
  cl::TStringList target(true);
  target.AddObject("stale", nullptr);
  list.CopyTo(target);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_NE(target.Objects(0), list.Objects(0));
  tBKAddressList copy;
  copy.CopyFrom(target);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Item(1)->Url, list.Item(1)->Url);
}

}  // namespace
