#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <string>

#include <unistd.h>

#include "branutl/files.h"
#include "branutl/urls.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

// Keeps the process-wide defaults as the library starts with them.
class Urls : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaults("+420", "603"); }
  void TearDown() override { SetDefaults("+420", "603"); }

  static void SetDefaults(const std::string& country, const std::string& area) {
    const ShortString c = S(country), a = S(area);
    URISETDEFAULTCOUNTRY(&c);
    URISETDEFAULTCITY(&a);
  }
};

template <typename Call>
std::string Out(Call call) {
  ShortString out = S("junk");
  call(&out);
  return out.Str();
}

std::string OneArg(void (*f)(const ShortString*, ShortString*), const std::string& arg) {
  const ShortString in = S(arg);
  return Out([&](ShortString* out) { f(&in, out); });
}

std::string FullPhone(const std::string& phone, const std::string& country,
                      const std::string& area) {
  const ShortString p = S(phone), c = S(country), a = S(area);
  return Out([&](ShortString* out) { URIFULLPHONE(&p, &c, &a, out); });
}

std::string Expand(const std::string& scheme, const std::string& user, const std::string& phone,
                   const std::string& path, const std::string& tail, tSID sid, char delimiter) {
  const ShortString s = S(scheme), u = S(user), p = S(phone), pa = S(path), t = S(tail);
  return Out([&](ShortString* out) { URIEXPANDBKSSCHEME(&s, &u, &p, &pa, &t, sid, delimiter, out); });
}

struct Split {
  std::string scheme, user, host, phone, sidText, path, tail;
  char delimiter = 'x';
};

Split SplitUrl(const std::string& url) {
  const ShortString in = S(url);
  ShortString scheme, host, path, tail;
  Split r;
  EXPECT_FALSE(URISPLIT(&in, &scheme, &host, &path, &tail, &r.delimiter));
  r.scheme = scheme.Str();
  r.host = host.Str();
  r.path = path.Str();
  r.tail = tail.Str();
  return r;
}

Split SplitBks(const std::string& url) {
  const ShortString in = S(url);
  ShortString scheme, user, phone, sidText, path, tail;
  Split r;
  EXPECT_FALSE(URISPLITBKSSCHEME(&in, &scheme, &user, &phone, &sidText, &path, &tail, &r.delimiter));
  r.scheme = scheme.Str();
  r.user = user.Str();
  r.phone = phone.Str();
  r.sidText = sidText.Str();
  r.path = path.Str();
  r.tail = tail.Str();
  return r;
}

tSID Station(const std::string& text) {
  const ShortString in = S(text);
  tSID sid = 0;
  EXPECT_FALSE(VALSID(&in, &sid)) << text;
  return sid;
}

std::string Read(const std::uint8_t* buffer) {
  return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
}

}  // namespace

TEST_F(Urls, SplitPhoneFindsCountryAreaAndNumber) {
  struct Case {
    const char* phone;
    const char* country;
    const char* area;
    const char* number;
  } const cases[] = {
      {"+420-603-123456", "+420", "603", "123456"},
      {"420-0603-123456", "+420", "603", "123456"},
      {"123456", "", "", "123456"},
      {"", "", "", ""},
      {"    ", "", "", ""},
      {"603-123456", "", "0603", "123456"},  // national
      {" +420 - 603 - 12 ", "+420", "603", "12"},
      {"-0603-1", "", "0603", "1"},  // no country: the area keeps its 0
      {"-123", "", "", "123"},
      {"abc-", "", "0abc", ""},
      {"1-2-3-4", "+1-2", "3", "4"},
      {"+4201234-1234567-12345678901234567", "+42012", "123456", "1234567890123"},
      {"1234567-1", "", "012345", "1"},
  };
  for (const Case& c : cases) {
    const ShortString in = S(c.phone);
    // Buffers of the exact sizes: a longer write would show under the sanitizer.
    auto country = std::make_unique<std::uint8_t[]>(7);
    auto area = std::make_unique<std::uint8_t[]>(7);
    auto number = std::make_unique<std::uint8_t[]>(14);
    country[0] = area[0] = number[0] = 3;
    URISPLITPHONE(&in, country.get(), area.get(), number.get());
    EXPECT_EQ(Read(country.get()), c.country) << c.phone;
    EXPECT_EQ(Read(area.get()), c.area) << c.phone;
    EXPECT_EQ(Read(number.get()), c.number) << c.phone;
  }
}

TEST_F(Urls, PhoneFormsFillMissingPartsFromArgumentsOrDefaults) {
  EXPECT_EQ(FullPhone("123456", "", ""), "+420-603-123456");
  EXPECT_EQ(FullPhone("123456", "421", "02"), "+421-2-123456");
  EXPECT_EQ(FullPhone("603-123456", "", ""), "+420-603-123456");
  EXPECT_EQ(FullPhone("+1-212-555", "+420", "603"), "+1-212-555");
  EXPECT_EQ(OneArg(URIINTERNATIONALPHONE, "603-123456"), "+420-0603-123456");
  EXPECT_EQ(OneArg(URIINTERNATIONALPHONE, "123"), "+420-603-123");
  EXPECT_EQ(OneArg(URIINTERNATIONALPHONE, "+421-2-5"), "+421-2-5");
  EXPECT_EQ(OneArg(URINATIONALPHONE, "+421-2-5"), "02-5");
  EXPECT_EQ(OneArg(URINATIONALPHONE, "123"), "0603-123");
  EXPECT_EQ(OneArg(URIMUNICIPALPHONE, "+421-2-5"), "5");
  EXPECT_EQ(OneArg(URINATIONALPREFIX, "603"), "0603");
  EXPECT_EQ(OneArg(URINATIONALPREFIX, "0603"), "0603");
  EXPECT_EQ(OneArg(URINATIONALPREFIX, ""), "");
  EXPECT_EQ(OneArg(URIINTERNATIONALSTATE, "420"), "+420");
  EXPECT_EQ(OneArg(URIINTERNATIONALSTATE, "+420"), "+420");
  EXPECT_EQ(OneArg(URIINTERNATIONALSTATE, ""), "");
}

TEST_F(Urls, DefaultsAreCutToSixAndUsedByLaterCalls) {
  SetDefaults("+4219999", "12345678");
  EXPECT_EQ(Out(URIGETDEFAULTCOUNTRY), "+42199");
  EXPECT_EQ(Out(URIGETDEFAULTCITY), "123456");
  SetDefaults("44", "020");
  EXPECT_EQ(FullPhone("5", "", ""), "+44-20-5");
  EXPECT_EQ(OneArg(URIINTERNATIONALPHONE, "5"), "+44-020-5");
}

TEST_F(Urls, CompareCityTakesCountryWithPlusAndAreaWithZero) {
  struct Case {
    const char* phone;
    const char* country;
    const char* area;
    bool same;
  } const cases[] = {
      {"+420-603-123456", "+420", "0603", true},
      {"420-603-1", "+420", "0603", true},
      {"+ab-603-1", "+AB", "0603", true},
      {"603-1", "+420", "0603", false},  // no country in the phone
      {"+420-603-1", "+420", "603", false},
      {"+421-603-1", "+420", "0603", false},
  };
  for (const Case& c : cases) {
    const ShortString p = S(c.phone), co = S(c.country), a = S(c.area);
    EXPECT_EQ(URICOMPARECITY(&p, &co, &a), c.same) << c.phone;
  }
}

TEST_F(Urls, SplitTakesTheDelimiterByPrecedenceThenSchemeHostAndPath) {
  struct Case {
    const char* url;
    const char* scheme;
    const char* host;
    const char* path;
    const char* tail;
    char delimiter;
  } const cases[] = {
      {"a?b#c", "", "", "a?b", "c", '#'},
      {"a#b c", "", "", "a#b", "c", ' '},
      {"x?y", "", "", "x", "y", '?'},
      {"BKS://x@+420-603-1:150000AB/p/q#y", "bks", "x@+420-603-1:150000AB", "/p/q", "y", '#'},
      {"c:\\x.htm", "c", "", "\\x.htm", "", 0},
      {"http://host", "http", "host", "", "", 0},
      {"FILE:///c|/x", "file", "", "/c|/x", "", 0},
      {"", "", "", "", "", 0},
  };
  for (const Case& c : cases) {
    const Split r = SplitUrl(c.url);
    EXPECT_EQ(r.scheme, c.scheme) << c.url;
    EXPECT_EQ(r.host, c.host) << c.url;
    EXPECT_EQ(r.path, c.path) << c.url;
    EXPECT_EQ(r.tail, c.tail) << c.url;
    EXPECT_EQ(r.delimiter, c.delimiter) << c.url;
  }
}

TEST_F(Urls, SplitBksSeparatesUserPhoneAndStationText) {
  Split r = SplitBks("BKS://x@+420-603-123456:150000AB/p#y");
  EXPECT_EQ(r.scheme, "bks");
  EXPECT_EQ(r.user, "x");
  EXPECT_EQ(r.phone, "+420-603-123456");
  EXPECT_EQ(r.sidText, "150000AB");
  EXPECT_EQ(r.path, "/p");
  EXPECT_EQ(r.tail, "y");
  EXPECT_EQ(r.delimiter, '#');
  r = SplitBks("SMS://+420-1-2");
  EXPECT_EQ(r.user, "");
  EXPECT_EQ(r.phone, "+420-1-2");
  EXPECT_EQ(r.sidText, "");
  r = SplitBks("BKS://a@b@c:d:e");
  EXPECT_EQ(r.user, "a");
  EXPECT_EQ(r.phone, "b@c");
  EXPECT_EQ(r.sidText, "d:e");
}

TEST_F(Urls, ExpandBuildsStationUrls) {
  const tSID station = Station("150000AB");
  EXPECT_EQ(Expand("BKS", "x", "+420-603-123456", "p", "y", station, '#'),
            "BKS://x@+420-603-123456:150000AB/p#y");
  EXPECT_EQ(Expand("FAX", "  ", "123", "", "y", 0x30, 0), "FAX://+420-603-123");
  EXPECT_EQ(Expand("", " u", "123", "", "", 0x30, ' '), " u@+420-603-123 ");
  EXPECT_EQ(Expand("BKS", "", "1", "", "", 0x10FFD0, 0), "BKS://+420-603-1");
  EXPECT_EQ(Expand("BKS", "", "1", "", "", 0x12FFF5, 0), "BKS://+420-603-1");
  EXPECT_EQ(Expand("BKS", "", "1", "", "", station ^ 0x20, 0), "BKS://+420-603-1:NO_SID");
  for (const tSID zeroPlan : {0x11FFF0u, 0x11FFFFu})
    EXPECT_EQ(Expand("SMS", "x", "+1-2-3", "p", "t", zeroPlan, '#'), "BKS://+0-0-0");
}

TEST_F(Urls, UrlsFromPhonesAndStations) {
  const ShortString bks = S("BKS"), fax = S("FAX"), none = S(""), country = S("421"),
                    area = S("2"), phone = S("123456"), national = S("603-1");
  const tSID station = Station("150000AB");
  EXPECT_EQ(Out([&](ShortString* o) { URISID2URL(station, &none, &none, &phone, o); }),
            "BKS://+420-603-123456:150000AB");
  EXPECT_EQ(Out([&](ShortString* o) { URIPHONE2URL(&fax, &country, &area, &phone, o); }),
            "FAX://+421-2-123456");
  EXPECT_EQ(Out([&](ShortString* o) { URIFULLPHONE2URL(&bks, &national, o); }),
            "BKS://+420-0603-1");
}

TEST_F(Urls, StationAndPhoneComeBackFromUrls) {
  const ShortString withSid = S("BKS://x@+420-603-1:150000AB/p#y"), without = S("FAX://+420-603-1"),
                    badSid = S("BKS://+420-603-1:1500AB");
  EXPECT_EQ(URIURL2SID(&withSid), Station("150000AB"));
  EXPECT_EQ(URIURL2SID(&without), 0x30u);
  EXPECT_EQ(URIURL2SID(&badSid), 0x30u);
  EXPECT_EQ(Out([&](ShortString* o) { URIURL2PHONE(&withSid, o); }), "+420-603-1");
  EXPECT_EQ(Out([&](ShortString* o) { URIURL2SIDOFF(&withSid, o); }), "bks://x@+420-603-1/p#y");
  EXPECT_EQ(Out([&](ShortString* o) { URIURL2SIDOFF(&without, o); }), "fax://+420-603-1");
}

TEST_F(Urls, ResultBufferMayBeTheUrl) {
  ShortString buffer = S("BKS://x@+420-603-1:150000AB/p#y");
  URIURL2SIDOFF(&buffer, &buffer);
  EXPECT_EQ(buffer.Str(), "bks://x@+420-603-1/p#y");
  URIURL2PHONE(&buffer, &buffer);
  EXPECT_EQ(buffer.Str(), "+420-603-1");
}

TEST_F(Urls, BuiltUrlsSplitIntoTheirParts) {
  struct Case {
    const char* scheme;
    const char* user;
    const char* phone;
    const char* station;  // empty: none
    const char* path;
    const char* tail;
    char delimiter;
  } const cases[] = {
      {"bks", "x", "+420-603-123456", "150000AB", "p", "y", '#'},
      {"bks", "", "+421-2-5", "134464AA", "", "", 0},
      {"fax", "", "+1-212-5550100", "", "dir/file", "a b", ' '},
      {"sms", "user.name", "+44-20-7", "199999ZZ", "", "q=1", '?'},
  };
  for (const Case& c : cases) {
    const tSID sid = *c.station ? Station(c.station) : 0x30;
    const std::string url = Expand(c.scheme, c.user, c.phone, c.path, c.tail, sid, c.delimiter);
    const Split r = SplitBks(url);
    EXPECT_EQ(r.scheme, c.scheme) << url;
    EXPECT_EQ(r.user, c.user) << url;
    EXPECT_EQ(r.phone, c.phone) << url;
    EXPECT_EQ(r.sidText, c.station) << url;
    EXPECT_EQ(r.path, *c.path ? std::string("/") + c.path : "") << url;
    EXPECT_EQ(r.tail, c.tail) << url;
    EXPECT_EQ(r.delimiter, c.delimiter) << url;
    const ShortString in = S(url);
    EXPECT_EQ(URIURL2SID(&in), sid) << url;
    // Dropping the station keeps the rest exactly, path included.
    EXPECT_EQ(Out([&](ShortString* o) { URIURL2SIDOFF(&in, o); }),
              Expand(c.scheme, c.user, c.phone, c.path, c.tail, 0x30, c.delimiter))
        << url;
  }
}

TEST_F(Urls, SchemesAndUseForNumbers) {
  struct Case {
    const char* scheme;
    std::uint8_t useFor;
  } const cases[] = {{"bks", 1}, {"BKS", 1}, {"BksX", 1}, {"fax", 2}, {"Sms", 3},
                     {"mail", 0}, {"", 0},   {"BK", 0}};
  for (const Case& c : cases) {
    const ShortString in = S(c.scheme);
    EXPECT_EQ(URISCHEME2USEFOR(&in), c.useFor) << c.scheme;
  }
  const char* const schemes[] = {"", "BKS", "FAX", "SMS", ""};
  for (std::uint8_t n = 0; n < 5; ++n)
    EXPECT_EQ(Out([&](ShortString* o) { URIUSEFOR2SCHEME(n, o); }), schemes[n]);
  EXPECT_EQ(Out([&](ShortString* o) { URIUSEFOR2SCHEME(255, o); }), "");
}

TEST_F(Urls, FileUrlsBecomeDosPaths) {
  struct Case {
    const char* url;
    const char* path;
  } const cases[] = {
      {"file:///c|/dir/x.html", "\\c:\\dir\\x.htm"},
      {"x.html", "x.htm"},
      {"X.HTML", "X.HTML"},  // the extension is replaced in exact case only
      {"Dir/Pic.jpeg", "dir\\pic.jpg"},
      {"  page.htm#top ", "page.htm"},
      {"c:\\Dir\\X.html", "\\Dir\\X.htm"},  // a drive counts as a scheme
      {"a.html/b.html", "a.htm\\b.html"},
      {"a:/file://x/y", "\\\\y"},
      {"a:/file:///x", "\\\\x"},
  };
  for (const Case& c : cases) EXPECT_EQ(OneArg(URIURL2DOS, c.url), c.path) << c.url;
}

TEST_F(Urls, LinksExpandAgainstTheBaseOrTheCurrentDirectory) {
  char current[4096];
  ASSERT_NE(getcwd(current, sizeof current), nullptr);
  const std::string here = current;
  struct Case {
    const char* url;
    const char* baseFile;
    const char* basePath;
    std::string path;
  } const cases[] = {
      {"x.html", "/base/dir/index.htm", "", "/base/dir/x.html"},
      {"Sub/X.html", "/base/dir/index.htm", "", "/base/dir/sub/x.html"},
      {"../x.htm", "/base/dir/index.htm", "", "/base/x.htm"},
      {"/abs/x.htm", "/base/index.htm", "", "/abs/x.htm"},
      {"x.htm", "/base/index.htm", "file:///other/", "/other/x.htm"},
      {"x.htm", "/base/index.htm", "dospath", here + "/x.htm"},
      {"x.htm#top", "", "DosPath", here + "/x.htm"},
  };
  for (const Case& c : cases) {
    const ShortString url = S(c.url), baseFile = S(c.baseFile), basePath = S(c.basePath);
    EXPECT_EQ(Out([&](ShortString* o) { URIEXPAND(&url, &baseFile, &basePath, o); }), c.path)
        << c.url << " " << c.basePath;
  }
}

// Each link names a file that exists; the expanded path must find it.
TEST_F(Urls, FileLinksExpandToTheFilesTheyName) {
  const cl::testing::TempDirectory temp;
  temp.Write("x/page.html", "<p>");
  // The directory without its leading "/": what follows a drive.
  const std::string dir = temp.Path().string().substr(1);
  std::string upper = dir, dos = dir;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  std::replace(dos.begin(), dos.end(), '/', '\\');
  struct Case {
    const char* what;
    std::string url, baseFile, basePath;
    bool drive;
  } const cases[] = {
      {"drive with a bar", "file:///c|/" + dir + "/x/page.html", "", "", true},
      {"drive with a colon", "file:///C:/" + dir + "/x/page.html", "", "", true},
      {"upper case", "FILE:///C|/" + upper + "/X/PAGE.HTML", "", "", true},
      {"no drive", "file:///" + dir + "/x/page.html", "", "", false},
      {"DOS path with a drive", "C:\\" + dos + "\\x\\page.html", "", "", true},
      {"relative to a base URL with a drive", "page.html", "", "file:///c|/" + dir + "/x/", true},
      {"up and down from a base URL", "../x/page.html", "", "file:///C:/" + dir + "/x/", true},
      {"relative to a base file with a drive", "page.html", "c:\\" + dos + "\\x\\index.htm", "", true},
      {"relative to a base URL without a drive", "Page.html", "", "file:///" + dir + "/x/", false},
  };
  for (const Case& c : cases) {
    const ShortString url = S(c.url), baseFile = S(c.baseFile), basePath = S(c.basePath);
    const ShortString path = S(Out([&](ShortString* o) { URIEXPAND(&url, &baseFile, &basePath, o); }));
    EXPECT_FALSE(FILENOTFOUND(&path)) << c.what << ": " << path.Str();
    EXPECT_EQ(path.Str().rfind("C:\\", 0) == 0, c.drive) << c.what << ": " << path.Str();
  }
}
