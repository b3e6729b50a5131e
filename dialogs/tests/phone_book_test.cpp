// Phone books through the library's exports: a book read and written back
// byte for byte, saves that cannot complete, sort keys and validity.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/phone_book_entry.h"
#include "brandlg/editors.h"
#include "brandlg/phone_book.h"
#include "dialogs/tests/phone_book_fixtures.h"
#include "dialogs/tests/file_bytes.h"
#include "platform/core/test_support/full_disk.h"

namespace {

using dlg::testing::AsPassed;
using dlg::testing::Record;

ShortString S(const std::string& text) { return ShortString::From(text); }

std::vector<char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Text(const std::vector<char>& bytes) { return {bytes.begin(), bytes.end()}; }

const dlg::tPhoneBookItem& ItemAt(const cl::TStrings& list, int index) {
  const dlg::tPhoneBookItem* item = dlg::PhoneItemOf(list.Objects(index));
  if (!item) throw std::runtime_error("row without an entry");
  return *item;
}

using dlg::testing::Entry;

std::string Key(const tPhoneBookItem* entry, std::uint8_t kind) {
  ShortString key = S("stale");
  PHONEITEM2KEY(entry, kind, &key);
  return key.Str();
}
std::string Key(const cl::TObject* entry, std::uint8_t kind) { return Key(AsPassed(entry), kind); }

// The fixture's lines as they stand in the file and as a save writes them back.
struct Line {
  const char* what;
  std::string read;
  std::string written;
};

std::vector<Line> FixtureLines() {
  const std::string company300(269, 'C');
  return {
      {"quoted", "\"Nov\xE1k Jan\", \"Firma s.r.o.\", \"+420-2-12345678\", \"FAX\"",
       "\"Nov\xE1k Jan\", \"Firma s.r.o.\", \"+420-2-12345678\", \"FAX\""},
      {"surrounding blanks", "   \"Kr\xE1l Ota\", \"\", \"+421-7-5551234\", \"SMS\"   ",
       "\"Kr\xE1l Ota\", \"\", \"+421-7-5551234\", \"SMS\""},
      // Without quotes a field runs to the end of the line; each one then
      // drops the text up to the next comma.
      {"unquoted", "Dvo\xF8\xE1k Petr, Nic, +420-603-111222, SMS",
       "\"Dvo\xF8\xE1k Petr, Nic, +420-603-1112\", \"Nic, +420-603-111222, SMS\", "
       "\"+420-603-111222, SMS\", \"SMS\""},
      // Nothing to read is an entry of empty texts for the network.
      {"blank", "     ", "\"\", \"\", \"--\", \"BKS\""},
      {"empty", "", "\"\", \"\", \"--\", \"BKS\""},
      // Read as 255 characters: the company runs to the cut, the rest is lost.
      {"300 characters", "\"Dlouh\xFD\", \"" + company300 + "\", \"+420-2-5\", \"FAX\"",
       "\"Dlouh\xFD\", \"" + std::string(63, 'C') + "\", \"--" + std::string(13, 'C') + "\", \"BKS\""},
      {"MAIL is the network", "\"Po\x9A" "a\", \"Po\x9A" "ta\", \"+420-2-777\", \"MAIL\"",
       "\"Po\x9A" "a\", \"Po\x9A" "ta\", \"+420-2-777\", \"BKS\""},
  };
}

TEST(PhoneBookFile, LoadThenSaveWritesTheFixtureBackByteForByte) {
  const cl::testing::TempDirectory dir;
  std::string file, expected;
  std::size_t entries = 0;
  for (const Line& line : FixtureLines()) {
    file += line.read + "\r\n";
    expected += line.written + "\r\n", ++entries;
  }
  ASSERT_EQ(FixtureLines()[5].read.size(), 300u);
  WriteBytes(dir / "book.phn", Bytes(file));

  cl::TStringList list(true);
  const ShortString name = S(dir / "book.phn");
  ASSERT_EQ(LOADPHONEBOOK(&name, &list, 0), 0);
  ASSERT_EQ(static_cast<std::size_t>(list.Count()), entries);
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list[i], Key(&ItemAt(list, i), 0)) << i;
  EXPECT_EQ(ItemAt(list, 0).UseFor, 2);
  EXPECT_EQ(ItemAt(list, 1).UseFor, 3);

  const ShortString out = S(dir / "out.phn");
  ASSERT_EQ(SAVEPHONEBOOK(&out, &list), 0);
  EXPECT_EQ(Text(ReadBytes(dir / "out.phn")), expected);
  // Over the book itself as well.
  ASSERT_EQ(SAVEPHONEBOOK(&name, &list), 0);
  EXPECT_EQ(Text(ReadBytes(dir / "book.phn")), expected);
}

// CR, LF and CR LF each end a line, the last line may have none, and an empty
// line between is an entry of its own.
TEST(PhoneBookFile, EveryLineEndIsReadAndAnEmptyLineIsAnEntry) {
  struct Case {
    const char* what;
    const char* text;
  };
  for (const Case c : {Case{"LF", "\"A\", \"\", \"+420-2-1\", \"BKS\"\n\n\"B\", \"\", \"+420-2-2\", \"FAX\""},
                       Case{"CR", "\"A\", \"\", \"+420-2-1\", \"BKS\"\r\r\"B\", \"\", \"+420-2-2\", \"FAX\"\r"},
                       Case{"mixed", "\"A\", \"\", \"+420-2-1\", \"BKS\"\r\n\r\"B\", \"\", \"+420-2-2\", \"FAX\"\n"}}) {
    SCOPED_TRACE(c.what);
    const cl::testing::TempDirectory dir;
    WriteBytes(dir / "ends.phn", Bytes(c.text));
    cl::TStringList list(true);
    const ShortString name = S(dir / "ENDS.PHN");  // names resolve without case
    ASSERT_EQ(LOADPHONEBOOK(&name, &list, 0), 0);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(ItemAt(list, 0).Name.Str(), "A");
    EXPECT_EQ(ItemAt(list, 1).Name.Str(), "");
    EXPECT_EQ(ItemAt(list, 1).Number.Str(), "");
    EXPECT_EQ(ItemAt(list, 1).UseFor, 1);
    EXPECT_EQ(ItemAt(list, 2).Number.Str(), "2");
    EXPECT_EQ(ItemAt(list, 2).UseFor, 2);
    // Saved, the book has every line, each ended by CR LF.
    const ShortString out = S(dir / "out.phn");
    ASSERT_EQ(SAVEPHONEBOOK(&out, &list), 0);
    EXPECT_EQ(Text(ReadBytes(dir / "out.phn")),
              "\"A\", \"\", \"+420-2-1\", \"BKS\"\r\n\"\", \"\", \"--\", \"BKS\"\r\n\"B\", \"\", \"+420-2-2\", \"FAX\"\r\n");
  }
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

// A book loaded and saved, then loaded and saved again, is written the same
// both times: what the phone split drops on reading (blanks at a part's ends,
// among them controls written as blanks, and an area's "0" after a country)
// is left out of the first save already. The rest stays as the split gives it.
TEST(PhoneBookFile, ASecondSaveOfALoadedBookWritesWhatTheFirstWrote) {
  struct Case {
    const char* what;
    std::string read;
    std::string written;
  };
  const auto line = [](const std::string& name, const std::string& phone, const std::string& scheme) {
    return "\"" + name + "\", \"\", \"" + phone + "\", \"" + scheme + "\"";
  };
  std::vector<Case> cases = {
      {"a control before the number", line("A", "\x01" "123", "BKS"), line("A", "--123", "BKS")},
      {"a control within the number", line("A", "1\x02" "23", "FAX"), line("A", "--1 23", "FAX")},
      {"a control after the number", line("A", "+420-2-123\x7F", "SMS"), line("A", "+420-2-123", "SMS")},
      {"a control at the area's start", line("A", "+420-\x1F" "2-1", "SMS"), line("A", "+420-2-1", "SMS")},
      {"a control in the country", line("A", "\x7F" "420-2-1", "BKS"), line("A", "+ 420-2-1", "BKS")},
      {"a NUL for the number", line("A", std::string(1, '\0'), "BKS"), line("A", "--", "BKS")},
      {"a number cut at a blank", line("A", "+420-2-123456789012 45", "BKS"),
       line("A", "+420-2-123456789012", "BKS")},
      {"an area cut at a blank", line("A", "+420-12345 7-1", "FAX"), line("A", "+420-12345-1", "FAX")},
      {"a country cut at a blank", line("A", "abcd ef-2-1", "FAX"), line("A", "+abcd-2-1", "FAX")},
      {"two zeros before an area after a country", line("A", "+420-00603-1", "BKS"), line("A", "+420-603-1", "BKS")},
      {"a national number keeps its zero", line("A", "603-1", "BKS"), line("A", "-0603-1", "BKS")},
      {"controls in the name and company", "\"\x01" "A\tB\", \"C\x1B\", \"1\", \"SMS\"",
       "\" A B\", \"C \", \"--1\", \"SMS\""},
      {"dashes in the country", line("A", "1-2-3-4", "BKS"), line("A", "+1-2-3-4", "BKS")},
  };
  for (const Line& fixture : FixtureLines()) cases.push_back({fixture.what, fixture.read, fixture.written});

  const cl::testing::TempDirectory dir;
  std::string book;
  for (const Case& c : cases) book += c.read + "\r\n";
  WriteBytes(dir / "book.phn", Bytes(book));
  const ShortString name = S(dir / "book.phn"), first = S(dir / "first.phn"), second = S(dir / "second.phn");
  cl::TStringList loaded(true), reloaded(true);
  ASSERT_EQ(LOADPHONEBOOK(&name, &loaded, 0), 0);
  ASSERT_EQ(SAVEPHONEBOOK(&first, &loaded), 0);
  ASSERT_EQ(LOADPHONEBOOK(&first, &reloaded, 0), 0);
  ASSERT_EQ(SAVEPHONEBOOK(&second, &reloaded), 0);
  const std::vector<std::string> once = LinesOf(Text(ReadBytes(dir / "first.phn")));
  const std::vector<std::string> twice = LinesOf(Text(ReadBytes(dir / "second.phn")));
  ASSERT_EQ(once.size(), cases.size());
  ASSERT_EQ(twice.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(once[i], cases[i].written) << cases[i].what;
    EXPECT_EQ(twice[i], once[i]) << cases[i].what;
  }
}

// An entry a person or a calling program gives is written as a load will
// read it back: the area's national "0" after a country goes, a blank at a
// part's end goes.
TEST(PhoneBookFile, AGivenEntryIsWrittenAsItWillBeReadBack) {
  struct Case {
    const char* country;
    const char* area;
    const char* number;
    const char* written;
  };
  const Case cases[] = {{"+420", "0603", "123", "+420-603-123"},
                        {"+420", " 2", "123 ", "+420-2-123"},
                        {"420", "2", "\r123", "+420-2-123"},
                        {"", "0603", "123", "-0603-123"},
                        {"", "", "12-34", "+--12-34"}};
  const cl::testing::TempDirectory dir;
  for (const Case& c : cases) {
    tPhoneBookItem own = Record("A", "", c.country, c.area, c.number, 1);
    cl::TStringList list(false);
    list.AddObject("", reinterpret_cast<cl::TObject*>(&own));
    const ShortString name = S(dir / "given.phn");
    ASSERT_EQ(SAVEPHONEBOOK(&name, &list), 0);
    const std::string written = "\"A\", \"\", \"" + std::string(c.written) + "\", \"BKS\"\r\n";
    EXPECT_EQ(Text(ReadBytes(dir / "given.phn")), written) << c.written;
    cl::TStringList reloaded(true);
    ASSERT_EQ(LOADPHONEBOOK(&name, &reloaded, 0), 0);
    ASSERT_EQ(SAVEPHONEBOOK(&name, &reloaded), 0);
    EXPECT_EQ(Text(ReadBytes(dir / "given.phn")), written) << c.written;
  }
}

TEST(PhoneBookFile, LoadingAppendsAndAMissingBookFails) {
  const cl::testing::TempDirectory dir;
  WriteBytes(dir / "one.phn", Bytes("\"A\", \"\", \"+420-2-1\", \"BKS\"\r\n"));
  cl::TStringList list(true);
  list.Add("kept");
  const ShortString one = S(dir / "one.phn"), missing = S(dir / "none.phn");
  EXPECT_EQ(LOADPHONEBOOK(&one, &list, 1), 0);
  EXPECT_EQ(LOADPHONEBOOK(&missing, &list, 1), 1);
  EXPECT_EQ(LOADPHONEBOOK(&one, nullptr, 1), 1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "kept");
  EXPECT_EQ(ItemAt(list, 1).Name.Str(), "A");
}

// The leak checker sees an entry that neither the list nor the loader frees.
TEST(PhoneBookFile, ARowASortedListIgnoresFreesItsEntry) {
  const cl::testing::TempDirectory dir;
  WriteBytes(dir / "dup.phn", Bytes("\"A\", \"\", \"+420-2-1\", \"BKS\"\r\n\"A\", \"\", \"+420-2-1\", \"BKS\"\r\n"
                                        "\"B\", \"\", \"+420-2-1\", \"BKS\"\r\n"));
  const ShortString name = S(dir / "dup.phn");
  for (const auto duplicates : {cl::TDuplicates::dupIgnore, cl::TDuplicates::dupError}) {
    cl::TStringList list(true);
    list.SetSorted(true);
    list.SetDuplicates(duplicates);
    EXPECT_EQ(LOADPHONEBOOK(&name, &list, 0), 0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(ItemAt(list, 1).Name.Str(), "B");
  }
}

TEST(PhoneBookFile, ASaveWithARowThatIsNoEntryFailsAndKeepsTheOldBook) {
  const cl::testing::TempDirectory dir;
  const std::string old = "\"Old\", \"\", \"+420-2-1\", \"BKS\"\r\n";
  WriteBytes(dir / "book.phn", Bytes(old));
  cl::TStringList list(true);
  list.AddObject("entry", new dlg::tPhoneBookItem(Entry("New", "", "+420", "2", "9", 1)));
  list.AddObject("none", nullptr);  // passed over
  const ShortString name = S(dir / "book.phn");
  ASSERT_EQ(SAVEPHONEBOOK(&name, &list), 0);
  EXPECT_EQ(Text(ReadBytes(dir / "book.phn")), "\"New\", \"\", \"+420-2-9\", \"BKS\"\r\n");

  WriteBytes(dir / "book.phn", Bytes(old));
  list.AddObject("other", new cl::TStringList);
  EXPECT_EQ(SAVEPHONEBOOK(&name, &list), 1);
  EXPECT_EQ(SAVEPHONEBOOK(&name, nullptr), 1);
  EXPECT_EQ(Text(ReadBytes(dir / "book.phn")), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / ""), {}), 1);
}

// A calling program reads a loaded row's object by the header and passes it
// on as it is; an entry it built itself goes into a row just as well.
TEST(PhoneBookFile, RowObjectsAreEntriesByTheHeaderBothWays) {
  const cl::testing::TempDirectory dir;
  WriteBytes((dir / "book.phn"), Bytes("\"Nov\xE1k Jan\", \"Firma\", \"+420-2-12345678\", \"SMS\"\r\n"));
  cl::TStringList list(true);
  const ShortString name = S(dir / "book.phn");
  ASSERT_EQ(LOADPHONEBOOK(&name, &list, 0), 0);
  ASSERT_EQ(list.Count(), 1);
  const tPhoneBookItem* row = AsPassed(list.Objects(0));
  EXPECT_NE(row->ClassPointer, nullptr);
  EXPECT_EQ(dlg::testing::TextOf(row->Name), "Nov\xE1k Jan");
  EXPECT_EQ(dlg::testing::TextOf(row->Company), "Firma");
  EXPECT_EQ(dlg::testing::TextOf(row->Country), "+420");
  EXPECT_EQ(dlg::testing::TextOf(row->Area), "2");
  EXPECT_EQ(dlg::testing::TextOf(row->Number), "12345678");
  EXPECT_EQ(row->UseFor, 3);
  EXPECT_EQ(Key(row, 0), list[0]);
  EXPECT_EQ(ISPHONEITEMVALID(row), 1);

  // The caller's own entry in a row of a list that does not own its objects.
  tPhoneBookItem own = Record("Own", "", "+421", "7", "555", 2);
  cl::TStringList mixed(false);
  mixed.AddObject("loaded", list.Objects(0));
  mixed.AddObject("own", reinterpret_cast<cl::TObject*>(&own));
  ASSERT_EQ(SAVEPHONEBOOK(&name, &mixed), 0);
  EXPECT_EQ(Text(ReadBytes(dir / "book.phn")),
            "\"Nov\xE1k Jan\", \"Firma\", \"+420-2-12345678\", \"SMS\"\r\n"
            "\"Own\", \"\", \"+421-7-555\", \"FAX\"\r\n");
}

TEST(PhoneBookFile, ASaveOverAReadOnlyBookFailsAndKeepsIt) {
  const cl::testing::TempDirectory dir;
  const std::string old = "\"Old\", \"\", \"+420-2-1\", \"BKS\"\r\n";
  WriteBytes(dir / "book.phn", Bytes(old));
  ASSERT_EQ(chmod((dir / "book.phn").c_str(), 0444), 0);
  cl::TStringList list(true);
  list.AddObject("entry", new dlg::tPhoneBookItem(Entry("New", "", "+420", "2", "9", 1)));
  const ShortString name = S(dir / "book.phn");
  EXPECT_EQ(SAVEPHONEBOOK(&name, &list), 1);
  EXPECT_EQ(Text(ReadBytes(dir / "book.phn")), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / ""), {}), 1);
}

// Saves where the new book cannot be written: each runs in a child, which may
// mount a file system, limit file sizes or give up its rights without
// touching the test program. The child reports what it saw.
struct Starved {
  bool reportedFailure = false;
  bool oldBookWhole = false;
  int filesLeft = 0;
  char how[64] = {};
};

const std::string oldBook = "\"Star\xFD\", \"Firma\", \"+420-2-1\", \"BKS\"\r\n";

void Write(const std::string& path, const std::string& content) { WriteBytes(path, Bytes(content)); }

// A full disk: a small tmpfs taken up to its last byte where one can be
// mounted, else a file-size limit below the new book's size.
std::string StarveOfRoom(const std::string& dir) {
  std::filesystem::create_directories(dir);
  if (cl::testing::MountSmallFileSystem(dir)) {
    Write(dir + "/book.phn", oldBook);
    cl::testing::FillFileSystem(dir + "/filler");
    return "a full tmpfs";
  }
  Write(dir + "/book.phn", oldBook);
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  setrlimit(RLIMIT_FSIZE, &limit);
  return "a file-size limit";
}

// A directory the saving process may not write to; root gives up its rights.
std::string StarveOfRights(const std::string& dir) {
  std::filesystem::create_directories(dir);
  Write(dir + "/book.phn", oldBook);
  // The scratch directory above must stay passable for the one who gives up.
  chmod(std::filesystem::path(dir).parent_path().c_str(), 0755);
  chmod(dir.c_str(), 0555);
  if (geteuid() == 0 && setresuid(65534, 65534, 65534) != 0) return "";
  return "a read-only directory";
}

Starved SaveStarved(const std::function<std::string(const std::string&)>& starve, const std::string& dir,
                    const cl::TStrings& list) {
  Starved seen;
  const std::string how = starve(dir);
  std::strncpy(seen.how, how.c_str(), sizeof seen.how - 1);
  const ShortString name = S(dir + "/book.phn");
  seen.reportedFailure = SAVEPHONEBOOK(&name, &list) != 0;
  seen.oldBookWhole = Text(ReadBytes(dir + "/book.phn")) == oldBook;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().filename() != "filler") ++seen.filesLeft;
  return seen;
}

Starved InChild(const std::function<std::string(const std::string&)>& starve, const std::string& dir,
                const cl::TStrings& list) {
  int channel[2];
  if (pipe(channel) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    Starved seen;
    try {
      seen = SaveStarved(starve, dir, list);
    } catch (...) {
    }
    [[maybe_unused]] const auto written = write(channel[1], &seen, sizeof seen);
    _exit(0);
  }
  close(channel[1]);
  Starved seen;
  pollfd ready{channel[0], POLLIN, 0};
  // A hanging save must not hang the test program.
  if (poll(&ready, 1, 60000) != 1 || read(channel[0], &seen, sizeof seen) != sizeof seen) kill(child, SIGKILL);
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return seen;
}

TEST(PhoneBookFile, ASaveThatCannotCompleteReportsItAndKeepsTheOldBookWhole) {
  cl::TStringList list(true);
  for (int i = 0; i < 3000; ++i)
    list.AddObject("", new dlg::tPhoneBookItem(Entry("Jm\xE9no " + std::to_string(i), "Firma", "+420", "2",
                                                      std::to_string(100000 + i), 1 + i % 3)));
  const std::pair<const char*, std::function<std::string(const std::string&)>> starvations[] = {
      {"full", StarveOfRoom}, {"read-only", StarveOfRights}};
  for (const auto& [what, starve] : starvations) {
    SCOPED_TRACE(what);
    const cl::testing::TempDirectory dir;
    const Starved seen = InChild(starve, dir / "book", list);
    ASSERT_STRNE(seen.how, "") << "the child could not starve the save";
    SCOPED_TRACE(seen.how);
    EXPECT_TRUE(seen.reportedFailure);
    EXPECT_TRUE(seen.oldBookWhole);
    EXPECT_EQ(seen.filesLeft, 1);
    chmod((dir / "book").c_str(), 0755);
  }
}

std::string Left(const std::string& text, std::size_t width) { return text + std::string(width - text.size(), ' '); }
std::string Right(const std::string& text, std::size_t width) { return std::string(width - text.size(), ' ') + text; }

TEST(PhoneBookKeys, EachKindLeadsWithItsFieldInLowerCase) {
  const dlg::tPhoneBookItem entry = Entry("NOV\xC1K Jan", "FIRMA \x8A", "+420", "2", "12345678", 2);
  const tPhoneBookItem record = Record("NOV\xC1K Jan", "FIRMA \x8A", "+420", "2", "12345678", 2);
  const std::string name = Left("nov\xE1k jan", 31), company = Left("firma \x9A", 63), country = Right("+420", 10),
                    area = Right("2", 10), number = Right("12345678", 31);
  struct Case {
    std::uint8_t kind;
    std::string key;
  };
  const Case cases[] = {
      {0, name + company + country + area + number},
      {1, company + name + country + area + number},
      {2, country + name + company + area + number},
      {3, area + name + company + country + number},
      {4, number + name + company + area + country},
      {5, "2" + name + company + country + area + number},
      {6, "1" + name + company + country + area + number},
      {7, "2" + name + company + country + area + number},
      {8, ""},
      {255, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Key(&entry, c.kind), c.key) << int(c.kind);
    EXPECT_EQ(Key(&record, c.kind), c.key) << "built by the header, " << int(c.kind);
  }
  EXPECT_EQ(Key(static_cast<const tPhoneBookItem*>(nullptr), 0), "");
  // Another class's object is no entry, whatever lies behind its class pointer.
  const cl::TStringList other;
  EXPECT_EQ(Key(&other, 0), "");
}

TEST(PhoneBookKeys, OrderDigitsPutTheChosenUseFirst) {
  struct Case {
    std::uint8_t kind;
    const char* digits;  // for UseFor 1, 2, 3 and 0
  };
  const Case cases[] = {{5, "1234"}, {6, "3124"}, {7, "3214"}};
  for (const Case& c : cases) {
    const std::uint8_t uses[] = {1, 2, 3, 0};
    for (int u = 0; u < 4; ++u) {
      const dlg::tPhoneBookItem entry = Entry("a", "", "", "", "1", uses[u]);
      EXPECT_EQ(Key(&entry, c.kind).substr(0, 1), std::string(1, c.digits[u])) << int(c.kind) << " " << u;
    }
  }
}

TEST(PhoneBookKeys, LoadedRowsCarryTheKeyOfTheAskedKind) {
  const cl::testing::TempDirectory dir;
  WriteBytes(dir / "k.phn", Bytes("\"Zed\", \"Alfa\", \"+420-2-1\", \"SMS\"\r\n"));
  const ShortString name = S(dir / "k.phn");
  for (std::uint8_t kind = 0; kind <= 8; ++kind) {
    cl::TStringList list(true);
    ASSERT_EQ(LOADPHONEBOOK(&name, &list, kind), 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], Key(&ItemAt(list, 0), kind)) << int(kind);
  }
}

TEST(PhoneBookValidity, ANameAndANumberBlanksAside) {
  struct Case {
    const char* name;
    const char* number;
    bool valid;
  };
  const Case cases[] = {{"A", "1", true}, {" A ", " 1 ", true}, {"   ", "1", false},
                        {"A", "  ", false}, {"", "", false},    {"A", "", false}};
  for (const Case& c : cases) {
    const dlg::tPhoneBookItem entry = Entry(c.name, "", "", "", c.number, 1);
    const tPhoneBookItem record = Record(c.name, "", "", "", c.number, 1);
    EXPECT_EQ(ISPHONEITEMVALID(AsPassed(&entry)), c.valid ? 1 : 0) << '"' << c.name << "\" \"" << c.number << '"';
    EXPECT_EQ(ISPHONEITEMVALID(&record), c.valid ? 1 : 0) << "built by the header";
  }
  const cl::TStringList other;
  EXPECT_EQ(ISPHONEITEMVALID(AsPassed(&other)), 0);
  EXPECT_EQ(ISPHONEITEMVALID(nullptr), 0);
}

}  // namespace
