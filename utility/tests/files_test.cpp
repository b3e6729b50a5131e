#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

#include "branutl/files.h"
#include "branutl/handles.h"
#include "platform/core/short_string.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

ShortString S(const std::string& text) { return ShortString::From(text); }

class Files : public ::testing::Test {
 protected:
  ShortString N(const std::string& name) { return S(dir / name); }
  bool NotFound(const std::string& name) {
    const ShortString n = N(name);
    return FILENOTFOUND(&n);
  }
  bool DirExists(const std::string& name) {
    const ShortString n = S(name);
    return DIREXISTS(&n);
  }
  template <typename Routine>
  bool Two(Routine routine, const std::string& a, const std::string& b) {
    const ShortString x = N(a), y = N(b);
    return routine(&x, &y);
  }
  template <typename Routine>
  bool One(Routine routine, const std::string& a) {
    const ShortString x = N(a);
    return routine(&x);
  }
  int32_t Hold(const std::string& name, uint16_t mode) {
    const ShortString n = N(name);
    int32_t h = -1;
    OPENHANDLE(&n, mode, &h);
    return h;
  }
  cl::testing::TempDirectory dir;
};

TEST_F(Files, NotFoundForMissingFilesAndDirectories) {
  dir.Write("Present.txt", "x");
  std::filesystem::create_directory(dir.Path() / "sub");
  EXPECT_FALSE(NotFound("Present.txt"));
  EXPECT_FALSE(NotFound("PRESENT.TXT"));
  EXPECT_TRUE(NotFound("missing.txt"));
  EXPECT_TRUE(NotFound("sub"));  // a directory is no file
  EXPECT_TRUE(NotFound("nodir/x"));
}

TEST_F(Files, AttributesSizeAndTime) {
  dir.Write("f", "12345");
  uint16_t attributes = 0;
  ShortString name = N("f");
  EXPECT_FALSE(FILEATTR(&name, false, &attributes));
  EXPECT_EQ(attributes, 32);
  attributes = 1;
  EXPECT_FALSE(FILEATTR(&name, true, &attributes));
  attributes = 0;
  EXPECT_FALSE(FILEATTR(&name, false, &attributes));
  EXPECT_EQ(attributes, 33);
  attributes = 777;
  const ShortString missing = N("missing");
  EXPECT_TRUE(FILEATTR(&missing, false, &attributes));
  EXPECT_EQ(attributes, 777);  // untouched on failure

  EXPECT_EQ(FILESIZE(&name), 5);
  EXPECT_EQ(FILESIZE(&missing), 0);
  dir.Write("empty", "");
  EXPECT_EQ(One(FILESIZE, "empty"), 0);

  attributes = 0;
  FILEATTR(&name, true, &attributes);
  int32_t time = (40 << 25) | (2 << 21) | (29 << 16) | (23 << 11) | (59 << 5) | 29;  // 29.2.2020 23:59:58
  EXPECT_FALSE(FILETIME(&name, 1, &time));
  time = 0;
  EXPECT_FALSE(FILETIME(&name, 0, &time));
  EXPECT_EQ(time, (40 << 25) | (2 << 21) | (29 << 16) | (23 << 11) | (59 << 5) | 29);
  EXPECT_TRUE(FILETIME(&missing, 0, &time));
}

TEST_F(Files, ScratchSpaceIsNoRemovableMedium) {
  dir.Write("f", "x");
  EXPECT_FALSE(One(ISONREMOVABLEMEDIUM, "f"));
}

TEST_F(Files, RenameMakesTheTargetDirectoryAndRefusesAnExistingTarget) {
  dir.Write("a", "A");
  EXPECT_FALSE(Two(RENAMEFILE, "a", "new/dir/b"));
  EXPECT_EQ(dir.Read("new/dir/b"), "A");
  EXPECT_FALSE(dir.Exists("a"));
  dir.Write("c", "C");
  EXPECT_TRUE(Two(RENAMEFILE, "c", "new/dir/b"));
  EXPECT_EQ(dir.Read("new/dir/b"), "A");
  EXPECT_EQ(dir.Read("c"), "C");
  EXPECT_TRUE(Two(RENAMEFILE, "missing", "x"));
}

TEST_F(Files, RenameOfAFileHeldOpenFails) {
  dir.Write("a", "A");
  int32_t h = Hold("a", 0x40);
  EXPECT_TRUE(Two(RENAMEFILE, "a", "b"));
  EXPECT_TRUE(Two(RENAMEANYWAY, "a", "b"));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("a"), "A");
  // A target held open is not replaced, and the source stays.
  dir.Write("b", "B");
  h = Hold("b", 0x40);
  EXPECT_TRUE(Two(RENAMEANYWAY, "a", "b"));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("a"), "A");
  EXPECT_EQ(dir.Read("b"), "B");
}

TEST_F(Files, RenameAnywayReplacesTheTargetAndKeepsItWhenTheMoveFails) {
  dir.Write("a", "A");
  dir.Write("b", "B");
  dir.ReadOnly("b");
  EXPECT_FALSE(Two(RENAMEANYWAY, "a", "b"));
  EXPECT_EQ(dir.Read("b"), "A");
  EXPECT_FALSE(dir.Exists("a"));
  // A missing source leaves the target, read-only bit and all.
  EXPECT_TRUE(Two(RENAMEANYWAY, "missing", "b"));
  EXPECT_EQ(dir.Read("b"), "A");
  dir.Write("c", "C");
  dir.ReadOnly("b");
  EXPECT_TRUE(Two(RENAMEFILE, "missing", "b"));
  EXPECT_EQ(dir.Read("b"), "A");
  EXPECT_FALSE(Two(RENAMEANYWAY, "c", "brand/new"));
  EXPECT_EQ(dir.Read("brand/new"), "C");
}

// Moves between two file systems, when the machine has a second one to offer.
TEST_F(Files, MovesAcrossFileSystemsCopyAndRefuseLikeMovesWithinOne) {
  struct stat here, shm;
  if (stat(dir.Path().c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
    GTEST_SKIP() << "no second file system";
  const cl::testing::TempDirectory otherDir("/dev/shm");
  const std::string other = otherDir.Path().string();
  dir.Write("a", "A");
  dir.ReadOnly("a");
  const ShortString a = N("a"), target = S(other + "/t");
  std::filesystem::path existing = other + "/t";
  {
    std::ofstream(existing) << "T";
  }
  EXPECT_TRUE(RENAMEFILE(&a, &target));  // refused, as within one file system
  EXPECT_EQ(dir.Read("a"), "A");
  EXPECT_FALSE(RENAMEANYWAY(&a, &target));
  EXPECT_FALSE(dir.Exists("a"));
  std::ifstream in(existing);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "A");
  EXPECT_EQ(std::filesystem::status(existing).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);  // the attributes came along
  dir.Write("b", "B");
  chmod((dir / "b").c_str(), 0640);
  const ShortString b = N("b"), fresh = S(other + "/fresh");
  EXPECT_FALSE(RENAMEFILE(&b, &fresh));
  EXPECT_FALSE(dir.Exists("b"));
  struct stat moved;
  ASSERT_EQ(stat((other + "/fresh").c_str(), &moved), 0);
  EXPECT_EQ(moved.st_mode & 0777, 0640u);
}

TEST_F(Files, CopyMakesTheTargetDirectoryAndCopiesTheBytes) {
  std::string big(100000, 'x');
  big[50000] = 'y';
  dir.Write("src", big);
  EXPECT_FALSE(Two(COPYFILE, "src", "deep/er/dst"));
  EXPECT_EQ(dir.Read("deep/er/dst"), big);
  dir.Write("old", "a much longer old content");
  dir.Write("short", "new");
  EXPECT_FALSE(Two(COPYFILE, "short", "old"));
  EXPECT_EQ(dir.Read("old"), "new");
}

// The copy replaces the target through a new file, which keeps what the old
// one let others do.
TEST_F(Files, CopyOverATargetKeepsItsAccessRights) {
  dir.Write("src", "new");
  for (const mode_t mode : {0600, 0640, 0664}) {
    SCOPED_TRACE(mode);
    dir.Write("dst", "old");
    chmod((dir / "dst").c_str(), mode);
    EXPECT_FALSE(Two(COPYFILE, "src", "dst"));
    EXPECT_EQ(dir.Read("dst"), "new");
    struct stat st;
    ASSERT_EQ(stat((dir / "dst").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, mode);
  }
}

TEST_F(Files, FailedCopyDeletesOnlyATargetItMadeOrEmptied) {
  EXPECT_TRUE(Two(COPYFILE, "missing", "dst"));
  EXPECT_FALSE(dir.Exists("dst"));
  dir.Write("dst", "keep");
  EXPECT_TRUE(Two(COPYFILE, "missing", "dst"));
  EXPECT_EQ(dir.Read("dst"), "keep");
  // A busy target is not touched.
  dir.Write("src", "data");
  int32_t h = Hold("dst", 0x20);
  EXPECT_TRUE(Two(COPYFILE, "src", "dst"));
  CLOSEHANDLE(&h);
  EXPECT_EQ(dir.Read("dst"), "keep");
  // A read-only target is refused and stays.
  dir.ReadOnly("dst");
  EXPECT_TRUE(Two(COPYFILE, "src", "dst"));
  EXPECT_EQ(dir.Read("dst"), "keep");
}

TEST_F(Files, CopyOrAppendOfAFileOntoItselfFailsAndTouchesNothing) {
  dir.Write("self.txt", "content");
  for (const char* other : {"self.txt", "SELF.TXT", "Self.Txt"}) {
    SCOPED_TRACE(other);
    EXPECT_TRUE(Two(COPYFILE, "self.txt", other));
    EXPECT_TRUE(Two(APPENDFILE, "self.txt", other));
    EXPECT_EQ(dir.Read("self.txt"), "content");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(Files, AppendAddsTheSourceToAnExistingTarget) {
  dir.Write("src", std::string(40000, 's'));
  dir.Write("dst", "head:");
  EXPECT_FALSE(Two(APPENDFILE, "src", "dst"));
  EXPECT_EQ(dir.Read("dst"), "head:" + std::string(40000, 's'));
  EXPECT_TRUE(Two(APPENDFILE, "src", "missing"));
  EXPECT_FALSE(dir.Exists("missing"));
  EXPECT_TRUE(Two(APPENDFILE, "missing", "dst"));
}

TEST_F(Files, AppendLineMakesTheFileAndEndsLinesWithCrLf) {
  const ShortString name = N("log.txt"), first = S("first"), second = S("second");
  EXPECT_FALSE(APPENDLINE(&name, &first));
  EXPECT_FALSE(APPENDLINE(&name, &second));
  EXPECT_EQ(dir.Read("log.txt"), "first\r\nsecond\r\n");
  const ShortString nowhere = N("missing/dir/log.txt");
  EXPECT_TRUE(APPENDLINE(&nowhere, &first));
}

TEST_F(Files, DeleteRefusesReadOnlyFilesDeleteAnywayDoesNot) {
  dir.Write("ro", "x");
  dir.ReadOnly("ro");
  EXPECT_TRUE(One(DELETEFILE, "ro"));
  EXPECT_TRUE(dir.Exists("ro"));
  EXPECT_FALSE(One(DELETEANYWAY, "ro"));
  EXPECT_FALSE(dir.Exists("ro"));
  EXPECT_TRUE(One(DELETEANYWAY, "missing"));
  dir.Write("held", "x");
  int32_t h = Hold("held", 0x40);
  EXPECT_TRUE(One(DELETEANYWAY, "held"));
  CLOSEHANDLE(&h);
  EXPECT_FALSE(One(DELETEFILE, "HELD"));
}

TEST_F(Files, RemovingOrReplacingALinkLeavesTheFileItLeadsToAsItWas) {
  const auto writable = [&](const std::string& name) {
    struct stat st;
    return stat((dir / name).c_str(), &st) == 0 && (st.st_mode & S_IWUSR);
  };
  dir.Write("new", "N");
  struct Case {
    const char* what;
    std::function<bool()> fails;
    const char* link;
    const char* left;  // what the link's name holds afterwards, "" when nothing
  };
  const Case cases[] = {
      {"deleted anyway", [&] { return One(DELETEANYWAY, "deleted"); }, "deleted", ""},
      {"renamed over", [&] { return Two(RENAMEANYWAY, "new", "replaced"); }, "replaced", "N"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = std::string(c.link) + "-target";
    dir.Write(target, "K");
    dir.ReadOnly(target);
    std::filesystem::create_symlink(dir.Path() / target, dir.Path() / c.link);
    EXPECT_FALSE(c.fails());
    EXPECT_FALSE(std::filesystem::is_symlink(dir.Path() / c.link));
    EXPECT_EQ(dir.Exists(c.link) ? dir.Read(c.link) : "", c.left);
    EXPECT_EQ(dir.Read(target), "K");
    EXPECT_FALSE(writable(target));
  }
  // A link that leads nowhere is a name like any other.
  std::filesystem::create_symlink(dir.Path() / "nothing", dir.Path() / "dangling");
  EXPECT_FALSE(One(DELETEANYWAY, "dangling"));
  EXPECT_FALSE(std::filesystem::is_symlink(dir.Path() / "dangling"));
}

TEST_F(Files, DirectoryExistence) {
  std::filesystem::create_directory(dir.Path() / "Sub");
  dir.Write("file", "x");
  EXPECT_TRUE(DirExists("C:"));
  EXPECT_TRUE(DirExists("C:\\"));
  EXPECT_TRUE(DirExists("/"));
  EXPECT_TRUE(DirExists(dir / "Sub"));
  EXPECT_TRUE(DirExists(dir / "sub/"));
  EXPECT_TRUE(DirExists(dir / "SUB\\"));
  EXPECT_FALSE(DirExists(dir / "file"));
  EXPECT_FALSE(DirExists(dir / "missing"));
  EXPECT_FALSE(DirExists(""));
}

TEST_F(Files, MakeDirectoryMakesMissingParentsAndRefusesAnExistingOne) {
  std::filesystem::create_directory(dir.Path() / "a");
  EXPECT_FALSE(One(MAKEDIRECTORY, "a\\b\\c"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "a/b/c"));
  EXPECT_TRUE(One(MAKEDIRECTORY, "a\\b"));
  EXPECT_FALSE(One(MAKEDIRECTORY, "x/y/z/"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "x/y/z"));
  dir.Write("file", "x");
  EXPECT_TRUE(One(MAKEDIRECTORY, "file/sub"));
}

TEST_F(Files, MakeDirectoryKeepsLongNamesWholeAndRefusesTooLongOnes) {
  const std::string longName = std::string(100, 'l') + "/" + std::string(60, 'm');
  EXPECT_FALSE(One(MAKEDIRECTORY, longName));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / longName));
  // Relative to the current directory, so that only the expansion is too long.
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  const ShortString tooLong = S(std::string(250, 'n'));
  EXPECT_TRUE(MAKEDIRECTORY(&tooLong));
  std::filesystem::current_path(before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // only "lll..."
}

TEST_F(Files, PrepareDirectoryMakesTheFilesDirectoryOnlyWhenMissing) {
  EXPECT_FALSE(One(PREPAREDIRECTORY, "p/q/file.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "p/q"));
  EXPECT_FALSE(One(PREPAREDIRECTORY, "p/q/file.txt"));
  const ShortString bare = S("just-a-name.txt");
  EXPECT_FALSE(PREPAREDIRECTORY(&bare));
}

TEST_F(Files, DeleteDirectoryRemovesTheWholeTree) {
  dir.Write("tree/a.txt", "a");
  dir.Write("tree/.hidden", "h");
  dir.Write("tree/.git/config", "c");
  dir.Write("tree/sub/ro.txt", "r");
  dir.Write("tree/sub/deeper/x", "x");
  dir.ReadOnly("tree/sub/ro.txt");
  dir.ReadOnly("tree/a.txt");
  std::filesystem::permissions(dir.Path() / "tree/sub/deeper", std::filesystem::perms::owner_read |
                                                                   std::filesystem::perms::owner_exec);
  EXPECT_FALSE(One(DELETEDIRECTORY, "TREE"));
  EXPECT_FALSE(dir.Exists("tree"));
}

TEST_F(Files, DeleteDirectoryDoesNotFollowLinksOutOfTheTree) {
  dir.Write("outside/keep.txt", "k");
  dir.Write("tree/f", "f");
  std::filesystem::create_directory_symlink(dir.Path() / "outside", dir.Path() / "tree/link");
  std::filesystem::create_symlink(dir.Path() / "outside/keep.txt", dir.Path() / "tree/filelink");
  EXPECT_FALSE(One(DELETEDIRECTORY, "tree"));
  EXPECT_FALSE(dir.Exists("tree"));
  EXPECT_EQ(dir.Read("outside/keep.txt"), "k");
  // A link as the directory itself is refused.
  std::filesystem::create_directory_symlink(dir.Path() / "outside", dir.Path() / "toplink");
  EXPECT_TRUE(One(DELETEDIRECTORY, "toplink"));
  EXPECT_EQ(dir.Read("outside/keep.txt"), "k");
}

TEST_F(Files, DeleteDirectoryRefusesRootsEmptyNamesAndFiles) {
  for (const char* name : {"C:\\", "c:\\", "/", "", "   "}) {
    const ShortString n = S(name);
    EXPECT_TRUE(DELETEDIRECTORY(&n)) << name;
  }
  dir.Write("file", "x");
  EXPECT_TRUE(One(DELETEDIRECTORY, "file"));
  EXPECT_TRUE(One(DELETEDIRECTORY, "missing"));
  EXPECT_TRUE(dir.Exists("file"));
}

}  // namespace
