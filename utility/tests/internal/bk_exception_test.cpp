#include "utility/bk_exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/core/last_error.h"

namespace {

TEST(BKException, IOMessageNamesOperationFileAndLastError) {
  win::SetLastError(2);
  const xIOOpen open("c:\\data\\a.dat");
  EXPECT_EQ(open.Message(),
            "I/O Open \"c:\\data\\a.dat\" failed, GetLastError=0x00000002 (2): ERROR_FILE_NOT_FOUND");

  win::SetLastError(5);
  const xIOAttr attr("a.b");
  EXPECT_EQ(attr.Message(),
            "I/O Attributes \"a.b\" failed, GetLastError=0x00000005 (5): ERROR_ACCESS_DENIED");
}

TEST(BKException, EachLeafCarriesItsOperationWordAndIsCaughtAsIOInternal) {
  struct Case {
    const char* word;
    std::function<void()> raise;
  };
  const Case cases[] = {
      {"Create", [] { throw xIOCreate("f"); }},   {"Open", [] { throw xIOOpen("f"); }},
      {"Seek", [] { throw xIOSeek("f"); }},       {"Read", [] { throw xIORead("f"); }},
      {"Write", [] { throw xIOWrite("f"); }},     {"Close", [] { throw xIOClose("f"); }},
      {"Copy", [] { throw xIOCopy("f"); }},       {"Delete", [] { throw xIODelete("f"); }},
      {"Rename", [] { throw xIORename("f"); }},   {"Attributes", [] { throw xIOAttr("f"); }},
  };
  for (const Case& c : cases) {
    win::SetLastError(1063);
    try {
      c.raise();
      ADD_FAILURE() << c.word << " did not throw";
    } catch (const xIOInternal& e) {
      EXPECT_EQ(e.Message(), std::string("I/O ") + c.word +
                                 " \"f\" failed, GetLastError=0x00000427 (1063): "
                                 "ERROR_FAILED_SERVICE_CONTROLLER_");
    }
  }
}

TEST(BKException, SuiteExceptionsAreCaughtByTheirAncestors) {
  EXPECT_THROW(throw xIODelete("x"), xInternal);
  EXPECT_THROW(throw xIODelete("x"), tBKException);
  EXPECT_THROW(throw xIODelete("x"), cl::Exception);
  EXPECT_THROW(throw xInternal("broken"), tBKException);
  try {
    throw xInternal("broken");
  } catch (const xIOInternal&) {
    ADD_FAILURE() << "an internal error is no I/O error";
  } catch (const xInternal& e) {
    EXPECT_EQ(e.Message(), "broken");
  }
}

TEST(BKException, UnknownLastErrorIsSpelledOut) {
  win::SetLastError(0xFFFFFFFFu);
  EXPECT_EQ(xIORead("r").Message(),
            "I/O Read \"r\" failed, GetLastError=0xFFFFFFFF (-1): UNKNOWN ERROR CODE");
}

TEST(BKException, InternalErrorTakesAFormattedMessage) {
  EXPECT_EQ(xInternal::CreateFmt("bad record %d in %s", 7, "a.dat").Message(),
            "bad record 7 in a.dat");
  EXPECT_EQ(xInternal::CreateFmt("%s", "").Message(), "");
}

}  // namespace
