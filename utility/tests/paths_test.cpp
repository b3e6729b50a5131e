#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "branutl/paths.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

template <typename Routine>
std::string Out(Routine routine, const std::string& path) {
  const ShortString in = S(path);
  ShortString out = S("junk");
  routine(&in, &out);
  return out.Str();
}

std::string Limited(const uint8_t* buffer) { return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]); }

TEST(PathNames, SplitCutsItsPartsToDosSizes) {
  struct Case {
    const char* path;
    const char* directory;
    const char* name;
    const char* extension;
  };
  const Case cases[] = {
      {"C:\\dir\\report.html", "C:\\dir\\", "report", ".htm"},
      {"C:name", "C:", "name", ""},
      {"name", "", "name", ""},
      {".profile", "", "", ".pro"},
      {"a\\b.c\\d.e.f", "a\\b.c\\", "d", ".e.f"},
      {"/usr/lib/x.so", "/usr/lib/", "x", ".so"},
      {"averyveryverylongname.txt", "", "averyveryver", ".txt"},
  };
  for (const auto& c : cases) {
    const ShortString in = S(c.path);
    uint8_t dir[68], name[13], ext[5];
    FSPLIT(&in, dir, name, ext);
    EXPECT_EQ(Limited(dir), c.directory) << c.path;
    EXPECT_EQ(Limited(name), c.name) << c.path;
    EXPECT_EQ(Limited(ext), c.extension) << c.path;
  }
  const std::string longDir = "/" + std::string(100, 'd') + "/";
  const ShortString in = S(longDir + "x.txt");
  uint8_t dir[68], name[13], ext[5];
  FSPLIT(&in, dir, name, ext);
  EXPECT_EQ(dir[0], 67);
}

TEST(PathNames, PartsUsedByFileRoutinesKeepLongPaths) {
  const std::string longDir = "/home/" + std::string(120, 'd') + "/";
  const std::string path = longDir + "averyverylongname.html";
  EXPECT_EQ(Out(DIRNAME, path), longDir);
  EXPECT_EQ(Out(FILENAME, path), "averyverylongname");
  EXPECT_EQ(Out(DIRNAMEOFF, path), "averyverylongname.html");
  EXPECT_EQ(Out(FILEEXTOFF, path), longDir + "averyverylongname");
  EXPECT_EQ(Out(FILEEXT, path), ".htm");  // the exported extension keeps its DOS size
}

TEST(PathNames, DrivePrefixes) {
  const ShortString a = S("a:\\x"), b = S("\\x"), c = S("c");
  EXPECT_EQ(DRIVENAME(&a), 'A');
  EXPECT_EQ(DRIVENAME(&b), '?');
  EXPECT_EQ(DRIVENAME(&c), '?');
  EXPECT_EQ(Out(DRIVEOFF, "a:\\x\\y"), "\\x\\y");
  EXPECT_EQ(Out(DRIVEOFF, "\\x"), "\\x");
  EXPECT_EQ(Out(DRIVEANDROOTOFF, "a:\\\\x\\y"), "x\\y");
  EXPECT_EQ(Out(DRIVEANDROOTOFF, "/usr/x"), "usr/x");
}

TEST(PathNames, AbsoluteAndWildcardTests) {
  struct Case {
    const char* path;
    bool absolute;
  };
  const Case cases[] = {{"\\x", true}, {"c:\\x", true}, {"c:x", false}, {"x\\y", false},
                        {"/usr", true}, {"", false},    {"c:/x", true}};
  for (const auto& c : cases) {
    const ShortString in = S(c.path);
    EXPECT_EQ(ISPATHABSOLUTE(&in), c.absolute) << c.path;
  }
  const ShortString star = S("*.txt"), question = S("a?"), plain = S("a.txt");
  EXPECT_TRUE(ISWILDCARD(&star));
  EXPECT_TRUE(ISWILDCARD(&question));
  EXPECT_FALSE(ISWILDCARD(&plain));
}

TEST(PathNames, NumberedExtensions) {
  struct Case {
    int32_t n;
    const char* text;
  };
  const Case cases[] = {{0, ".000"}, {7, ".007"}, {42, ".042"}, {999, ".999"}, {-1, ""}, {1000, ""}};
  for (const auto& c : cases) {
    ShortString out = S("junk");
    STREXT(c.n, &out);
    EXPECT_EQ(out.Str(), c.text) << c.n;
  }
}

TEST(PathNames, UnifiedDirectoryNamesCompareAsOne) {
  EXPECT_EQ(Out(UnifyDirName, "  c:\\Data\\Sub "), "C:\\DATA\\SUB\\");
  EXPECT_EQ(Out(UnifyDirName, "c:\\data\\"), "C:\\DATA\\");
  EXPECT_EQ(Out(UnifyDirName, "/home/x/"), "/HOME/X/");
  EXPECT_EQ(Out(UnifyDirName, ""), "\\");
}

TEST(PathNames, ExpandResolvesAgainstTheCurrentDirectory) {
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path("/tmp");
  const std::string tmp = std::filesystem::current_path().string();
  EXPECT_EQ(Out(FEXPAND, "x.txt"), tmp + "/x.txt");
  EXPECT_EQ(Out(FEXPAND, "a\\..\\b\\.\\c"), tmp + "/b/c");
  EXPECT_EQ(Out(FEXPAND, "c:\\a\\..\\b\\"), "C:\\b\\");
  EXPECT_EQ(Out(FEXPAND, "d:/x/./y"), "D:\\x\\y");
  EXPECT_EQ(Out(FEXPAND, "/usr/../etc"), "/etc");
  EXPECT_EQ(Out(FEXPAND, "\\..\\..\\x"), "/x");  // no higher than the root
  std::filesystem::current_path(before);
}

TEST(PathNames, EnvironmentValuesAreFoundInAnyCaseAndCut) {
  setenv("BRANUTL_PATHS_TEST", "value", 1);
  EXPECT_EQ(Out(GETENV, "BRANUTL_PATHS_TEST"), "value");
  EXPECT_EQ(Out(GETENV, "branutl_paths_test"), "value");
  EXPECT_EQ(Out(GETENV, "BRANUTL_PATHS_UNSET"), "");
  setenv("BRANUTL_PATHS_TEST", std::string(300, 'v').c_str(), 1);
  EXPECT_EQ(Out(GETENV, "BRANUTL_PATHS_TEST"), std::string(255, 'v'));
  unsetenv("BRANUTL_PATHS_TEST");
}

TEST(PathNames, FileSizeColumnIsParsedOffTheLine) {
  struct Case {
    const char* line;
    int32_t size;
    const char* rest;
  };
  const Case cases[] = {
      {"1,234,567 data.bin", 1234567, "data.bin"},
      {"   42    name with blanks", 42, "name with blanks"},
      {"noblank", -1, "noblank"},
      {"  12x name", -1, "12x name"},
      {", name", -1, ", name"},
      {"99999999999 big", -1, "99999999999 big"},
  };
  for (const auto& c : cases) {
    ShortString line = S(c.line);
    EXPECT_EQ(PARSEFILESIZE(&line), c.size) << c.line;
    EXPECT_EQ(line.Str(), c.rest) << c.line;
  }
}

TEST(PathNames, AbsolutePathsFromABase) {
  struct Case {
    const char* base;
    const char* path;
    const char* result;
  };
  const Case cases[] = {
      {"C:\\A\\B", "..\\..\\x", "C:\\x"},
      {"D:\\A", "\\x", "D:\\x"},
      {"C:\\A\\B\\", "x\\y", "C:\\A\\B\\x\\y"},
      {"C:\\A", "E:\\y", "E:\\y"},
      {"C:\\A\\B", "..\\..\\..\\..\\x", "C:\\x"},  // stops at the root
      {"C:\\A\\B", "x\\..\\y", "C:\\A\\B\\x\\..\\y"},
      {"/home/u", "../v/f", "/home/v/f"},
  };
  for (const auto& c : cases) {
    const ShortString base = S(c.base), path = S(c.path);
    ShortString out = S("junk");
    MAKEPATHABSOLUTE(&base, &path, &out);
    EXPECT_EQ(out.Str(), c.result) << c.base << " + " << c.path;
  }
}

TEST(PathNames, RelativePathsFromADirectory) {
  struct Case {
    const char* base;
    const char* directory;
    const char* path;
    const char* result;
  };
  const Case cases[] = {
      {"", "C:\\A\\B\\", "C:\\A\\C\\x.txt", "..\\C\\x.txt"},
      {"", "C:\\A\\B\\", "C:\\A\\B\\x.txt", "x.txt"},
      {"", "C:\\A\\", "C:\\A\\B\\C\\x.txt", "B\\C\\x.txt"},
      {"", "C:\\A\\", "D:\\A\\x.txt", "D:\\A\\x.txt"},  // nothing in common
      {"C:\\A\\B", "C:\\A\\D\\", "..\\x.txt", "..\\x.txt"},
      {"", "c:\\a\\b", "C:\\A\\x", "..\\x"},  // a directory without its "\" must not loop
  };
  for (const auto& c : cases) {
    const ShortString base = S(c.base), dir = S(c.directory), path = S(c.path);
    ShortString out = S("junk");
    MAKEPATHRELATIVE(&base, &dir, &path, &out);
    EXPECT_EQ(out.Str(), c.result) << c.directory << " " << c.path;
  }
}

TEST(PathNames, ResultMayShareTheInputBuffer) {
  ShortString buffer = S("C:\\dir\\name.ext");
  DIRNAME(&buffer, &buffer);
  EXPECT_EQ(buffer.Str(), "C:\\dir\\");
}

}  // namespace
