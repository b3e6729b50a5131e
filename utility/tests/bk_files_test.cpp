// BK data files through the library's exports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "branutl/bk_files.h"
#include "branutl/files.h"
#include "branutl/handles.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Data(std::size_t n, unsigned seed = 1) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>((i + seed) * 2654435761u >> 13 | 1);
  return b;
}

Bytes Header(const tBKHeader& h) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&h);
  return Bytes(p, p + sizeof h);
}

tBKHeader Filled(std::uint8_t kind = 55, std::uint16_t version = 1) {
  tBKHeader h;
  FILLBKHEADER(&h, false, kind, 32, version);
  return h;
}

class BkFiles : public testing::Test {
 protected:
  void SetUp() override {
    name_ = ShortString::From((dir_ / "data.bk").string());
  }
  Bytes File() const {
    std::ifstream in(dir_ / "data.bk", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  void WriteFile(const Bytes& bytes) const {
    std::ofstream(dir_ / "data.bk", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  bool Save(const Bytes& data, const tBKHeader& h = Filled()) {
    return SAVEBKFILE(&name_, 0, &h, data.data(), static_cast<uint16_t>(data.size()));
  }
  bool Load(Bytes& data, tBKHeader& h) {
    return LOADBKFILE(&name_, &h, data.data(), static_cast<uint16_t>(data.size()));
  }
  bool Check() {
    tBKHeader h;
    return CHECKBKFILE(&name_, &h);
  }

  const cl::testing::TempDirectory temp_;
  const fs::path dir_ = temp_.Path();
  ShortString name_;
};

}  // namespace

TEST(BkHeader, FilledWithoutKeyHoldsTheOwnersFieldsAndNoKey) {
  const tBKHeader h = Filled(55, 0x0102);
  const Bytes b = Header(h);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 2), "BK");
  EXPECT_EQ(Bytes(b.begin() + 2, b.begin() + 8), Bytes(6, 0));
  EXPECT_EQ(b[8], 32);
  EXPECT_EQ(b[9], 0);
  EXPECT_EQ(b[10], 0x02);
  EXPECT_EQ(b[11], 0x01);
  EXPECT_EQ(b[12], 55);
  EXPECT_EQ(b[13], 32);
  EXPECT_EQ(std::string(b.begin() + 14, b.begin() + 16), "FV");
  for (std::size_t i = 16; i < 32; ++i) EXPECT_LE(b[i], 254) << i;
}

TEST(BkHeader, MagicIsTheFirstTwoBytesOnly) {
  tBKHeader h{};
  std::memcpy(h.magic, "BK", 2);
  EXPECT_TRUE(ISITBKFILE(&h));
  h.magic[1] = 'k';
  EXPECT_FALSE(ISITBKFILE(&h));
}

TEST(BkHeader, SubtractingBytesRestoresTheCheck) {
  const Bytes data = Data(1000);
  std::uint8_t check[2] = {0x12, 0x34};
  BKFCCEVAL(check, data.data(), 1000);
  EXPECT_FALSE(check[0] == 0x12 && check[1] == 0x34);
  BKFCCSUB(check, data.data(), 1000);
  EXPECT_EQ(check[0], 0x12);
  EXPECT_EQ(check[1], 0x34);
  BKFCCEVAL(check, data.data(), 0);
  EXPECT_EQ(check[1], 0x34);
}

TEST_F(BkFiles, EmptyFileIsTheHeaderWithACheckOverItself) {
  tBKHeader given = Filled();
  given.magic[0] = 'x';
  const Bytes before = Header(given);
  ASSERT_FALSE(Save({}, given));
  EXPECT_EQ(Header(given), before) << "the caller's header is not changed";
  const Bytes file = File();
  ASSERT_EQ(file.size(), 32u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BK");
  std::uint8_t a = 0, b = 0;
  for (std::size_t i = 4; i < 32; ++i) {
    a ^= file[i];
    b = static_cast<std::uint8_t>(b + file[i]);
  }
  EXPECT_EQ(file[2], a);
  EXPECT_EQ(file[3], b);
  Bytes none;
  tBKHeader loaded;
  EXPECT_FALSE(Load(none, loaded));
  EXPECT_EQ(Header(loaded), file);
  EXPECT_FALSE(Check());
}

TEST_F(BkFiles, SavedThenTwiceAppendedFileLoadsWithTheWholeData) {
  const Bytes first = Data(30000, 1), second = Data(35530, 2), third = Data(5, 3);
  ASSERT_FALSE(Save(first));
  ASSERT_FALSE(APPENDTOBKFILE(&name_, second.data(), static_cast<int32_t>(second.size())));
  ASSERT_FALSE(APPENDTOBKFILE(&name_, third.data(), 5));
  EXPECT_FALSE(Check());
  Bytes all = first;
  all.insert(all.end(), second.begin(), second.end());
  all.insert(all.end(), third.begin(), third.end());
  ASSERT_EQ(all.size(), 65535u);
  Bytes loaded(all.size());
  tBKHeader h;
  ASSERT_FALSE(Load(loaded, h));
  EXPECT_EQ(loaded, all);
  Bytes firstOnly(first.size());
  EXPECT_TRUE(Load(firstOnly, h)) << "the check covers the appended data";
  EXPECT_EQ(firstOnly, first) << "the data are read all the same";
}

TEST_F(BkFiles, LoadFailsOnShortReadAndOnAWrongCheck) {
  const Bytes data = Data(100);
  ASSERT_FALSE(Save(data));
  Bytes more(101), fewer(99), exact(100);
  tBKHeader h;
  EXPECT_TRUE(Load(more, h));
  EXPECT_TRUE(Load(fewer, h));
  EXPECT_FALSE(Load(exact, h));
  EXPECT_EQ(exact, data);
  Bytes file = File();
  file[50] ^= 0x40;
  WriteFile(file);
  Bytes damaged(100);
  EXPECT_TRUE(Load(damaged, h));
  EXPECT_EQ(damaged[50 - 32], data[50 - 32] ^ 0x40) << "read into the caller's buffer all the same";
  EXPECT_TRUE(Check());
}

TEST_F(BkFiles, SavingOverALongerFileEndsItAfterTheNewData) {
  ASSERT_FALSE(Save(Data(5000)));
  const Bytes shorter = Data(10, 7);
  ASSERT_FALSE(Save(shorter));
  EXPECT_EQ(File().size(), 42u);
  EXPECT_FALSE(Check());
}

TEST_F(BkFiles, NullDataSavesTheHeaderAlone) {
  const tBKHeader h = Filled();
  ASSERT_FALSE(SAVEBKFILE(&name_, 0, &h, nullptr, 10));
  EXPECT_EQ(File().size(), 32u);
  EXPECT_FALSE(Check());
}

TEST_F(BkFiles, SavedFileGetsTheAttributesAndAReadOnlyFileIsReplaced) {
  const tBKHeader h = Filled();
  const Bytes data = Data(300);
  ASSERT_FALSE(SAVEBKFILE(&name_, 1, &h, data.data(), 300));
  std::uint16_t attributes = 0;
  ASSERT_FALSE(FILEATTR(&name_, false, &attributes));
  EXPECT_EQ(attributes & 1, 1);
  const Bytes other = Data(20, 5);
  ASSERT_FALSE(SAVEBKFILE(&name_, 1, &h, other.data(), 20));
  EXPECT_EQ(File().size(), 52u);
  ASSERT_FALSE(FILEATTR(&name_, false, &attributes));
  EXPECT_EQ(attributes & 1, 1);
}

TEST_F(BkFiles, SavingAndTruncatingKeepTheFilesAccessRights) {
  ASSERT_FALSE(Save(Data(100)));
  chmod((dir_ / "data.bk").c_str(), 0600);
  ASSERT_FALSE(Save(Data(200)));
  struct stat st;
  ASSERT_EQ(stat((dir_ / "data.bk").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  chmod((dir_ / "data.bk").c_str(), 0640);
  ASSERT_FALSE(TRUNCATEBKFILE(&name_, 50));
  ASSERT_EQ(stat((dir_ / "data.bk").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(File().size(), 82u);
}

TEST_F(BkFiles, FailedOpenRestoresTheAttributesAndLeavesTheFile) {
  const tBKHeader h = Filled();
  const Bytes data = Data(300);
  ASSERT_FALSE(SAVEBKFILE(&name_, 1, &h, data.data(), 300));
  const Bytes before = File();
  int32_t holder = -1;
  ASSERT_FALSE(OPENHANDLE(&name_, 0x40, &holder));  // another reader: no exclusive open
  EXPECT_TRUE(SAVEBKFILE(&name_, 0, &h, data.data(), 10));
  CLOSEHANDLE(&holder);
  std::uint16_t attributes = 0;
  ASSERT_FALSE(FILEATTR(&name_, false, &attributes));
  EXPECT_EQ(attributes & 1, 1) << "still read-only";
  EXPECT_EQ(File(), before);
}

TEST_F(BkFiles, TruncationKeepsAValidCheck) {
  const Bytes data = Data(70000 - 32);
  ASSERT_FALSE(Save(Bytes(data.begin(), data.begin() + 60000)));
  ASSERT_FALSE(APPENDTOBKFILE(&name_, data.data() + 60000, static_cast<int32_t>(data.size() - 60000)));
  ASSERT_FALSE(TRUNCATEBKFILE(&name_, 33000));
  EXPECT_EQ(File().size(), 32u + 33000);
  EXPECT_FALSE(Check());
  Bytes kept(33000);
  tBKHeader h;
  EXPECT_FALSE(Load(kept, h));
  EXPECT_EQ(kept, Bytes(data.begin(), data.begin() + 33000));
  ASSERT_FALSE(TRUNCATEBKFILE(&name_, 0));
  EXPECT_EQ(File().size(), 32u);
  EXPECT_FALSE(Check());
}

TEST_F(BkFiles, LengthsOutOfRangeFailAndLeaveTheFileUntouched) {
  const Bytes data = Data(100);
  ASSERT_FALSE(Save(data));
  const Bytes before = File();
  const Bytes big(70000, 1);
  const struct Case {
    const char* what;
    bool failed;
  } cases[] = {
      {"append -1 bytes", APPENDTOBKFILE(&name_, big.data(), -1)},
      {"append 65536 bytes", APPENDTOBKFILE(&name_, big.data(), 65536)},
      {"append from no data", APPENDTOBKFILE(&name_, nullptr, 5)},
      {"truncate to -1", TRUNCATEBKFILE(&name_, -1)},
      {"truncate beyond the data", TRUNCATEBKFILE(&name_, 101)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(c.failed) << c.what;
    EXPECT_EQ(File(), before) << c.what;
  }
  EXPECT_FALSE(TRUNCATEBKFILE(&name_, 100)) << "to the whole data";
  EXPECT_FALSE(Check());
}

TEST_F(BkFiles, MissingFileFailsEveryOperation) {
  tBKHeader h;
  Bytes data(4);
  EXPECT_TRUE(Load(data, h));
  EXPECT_TRUE(Check());
  EXPECT_TRUE(APPENDTOBKFILE(&name_, data.data(), 4));
  EXPECT_TRUE(TRUNCATEBKFILE(&name_, 0));
  EXPECT_FALSE(fs::exists(dir_ / "data.bk"));
}
