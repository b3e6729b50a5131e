#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "branutl/ciphers.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::mt19937& random, std::size_t size) {
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

std::string Encrypted(const std::string& password) {
  const ShortString in = ShortString::From(password);
  ShortString out;
  ENCRYPTLOGINPASSWORD(&in, &out);
  return out.Str();
}

std::string Decrypted(const std::string& scrambled) {
  const ShortString in = ShortString::From(scrambled);
  ShortString out;
  DECRYPTLOGINPASSWORD(&in, &out);
  return out.Str();
}

}  // namespace

TEST(Ciphers, DataCipherFeedsTheKeyWithEncipheredBytesAndItsCarry) {
  // The third word shows the carry out of the high byte taken off the state.
  Bytes data = {0, 0, 0, 0, 0, 0, 0xAA};
  ENCRYPTDATA(data.data(), static_cast<std::uint16_t>(data.size()), 0x00011234);
  EXPECT_EQ(data, (Bytes{0x34, 0x21, 0x74, 0x56, 0xF4, 0x1C, 0xAA}));
  Bytes hello = {'H', 'e', 'l', 'l', 'o'};
  ENCRYPTDATA(hello.data(), 5, 0xBEEF1234);
  EXPECT_EQ(hello, (Bytes{0x7C, 0x32, 0xF6, 0x4B, 'o'}));
  DECRYPTDATA(hello.data(), 5, 0xBEEF1234);
  EXPECT_EQ(hello, (Bytes{'H', 'e', 'l', 'l', 'o'}));
}

TEST(Ciphers, DataDecryptionRestoresAnyBuffer) {
  std::mt19937 random(7);
  for (const std::size_t size : {0u, 1u, 2u, 3u, 64u, 1001u, 65535u}) {
    const std::uint32_t key = random();
    const Bytes plain = RandomBytes(random, size);
    Bytes data = plain;
    ENCRYPTDATA(data.data(), static_cast<std::uint16_t>(size), key);
    if (size >= 64) {
      EXPECT_NE(data, plain);
    }
    if (size % 2) {
      EXPECT_EQ(data.back(), plain.back());
    }
    DECRYPTDATA(data.data(), static_cast<std::uint16_t>(size), key);
    EXPECT_EQ(data, plain) << size;
  }
}

TEST(Ciphers, DataCipherLeavesBytesBeyondTheLengthAlone) {
  Bytes data(8, 0x55);
  ENCRYPTDATA(data.data(), 4, 0x12345678);
  EXPECT_EQ(Bytes(data.begin() + 4, data.end()), Bytes(4, 0x55));
}

TEST(Ciphers, PhoneScrambleUsesOverlappingWordsAndUndoesItself) {
  Bytes data = {0, 0, 0, 0};
  CRYPTPHONE(data.data(), 4, 0x01000102);
  EXPECT_EQ(data, (Bytes{0x02, 0x03, 0x00, 0x03}));
  Bytes one = {0x42};
  CRYPTPHONE(one.data(), 1, 0xFFFFFFFF);
  EXPECT_EQ(one, Bytes{0x42});

  std::mt19937 random(3);
  for (const std::size_t size : {2u, 3u, 13u, 255u}) {
    const std::uint32_t key = random();
    const Bytes plain = RandomBytes(random, size);
    Bytes data = plain;
    CRYPTPHONE(data.data(), static_cast<std::uint16_t>(size), key);
    CRYPTPHONE(data.data(), static_cast<std::uint16_t>(size), key);
    EXPECT_EQ(data, plain) << size;
  }
}

TEST(Ciphers, CommentRotationDependsOnThePositionFromTheEnd) {
  ShortString s = ShortString::From("abc");
  CRYPTCOMMENT(&s);
  EXPECT_EQ(s.Str(), "\x0B\x89\x1B");
  s = ShortString::From("ab");
  CRYPTCOMMENT(&s);
  EXPECT_EQ(s.Str(), "\x85\x13");  // the last character always turns by 3

  std::mt19937 random(5);
  for (const std::size_t size : {0u, 1u, 2u, 17u, 255u}) {
    const Bytes bytes = RandomBytes(random, size);
    const std::string plain(bytes.begin(), bytes.end());
    s = ShortString::From(plain);
    CRYPTCOMMENT(&s);
    DECRYPTCOMMENT(&s);
    EXPECT_EQ(s.Str(), plain) << size;
  }
}

TEST(Ciphers, CpsKeyRotatesThroughACarryBit) {
  struct Case {
    std::uint32_t a, b, result;
  } const cases[] = {
      {0, 0x80000001, 0x00000002},  // the top bit goes to the carry, not round
      {1, 0x80000000, 0x00000001},
      {0x21, 0x80000001, 0x80000022},  // no rotation when the low bits agree
      {0, 0x1F, 0x80000007},           // 31 places of 33 bits
      {0x1F, 0xFFFFFFFF, 0x1E},        // the sum wraps
      {0x12345678, 0x9ABCDEF0, 0xCF1346C5},
  };
  for (const Case& c : cases) EXPECT_EQ(GETCPSKEY(c.a, c.b), c.result) << std::hex << c.b;
}

TEST(Ciphers, LoginPasswordsAreReversedUpperCasedAndRaised) {
  EXPECT_EQ(Encrypted("abc"), "FDB");
  EXPECT_EQ(Encrypted(""), "");
  EXPECT_EQ(Decrypted("FDB"), "ABC");
}

TEST(Ciphers, LoginPasswordsDecryptToTheirUpperCase) {
  // "AAAAAAAZ" scrambles its last character into a small letter ('Z' + 8).
  for (const std::string password : {"AAAAAAAZ", "secret", "Pass1~", "zzzzzzzzzzzzzzzzzzzzzzzz"})
    EXPECT_EQ(Decrypted(Encrypted(password)), Upper(password)) << password;
  EXPECT_EQ(Encrypted("AAAAAAAZ")[0], 'b');

  std::mt19937 random(11);
  for (int i = 0; i < 50; ++i) {
    const Bytes bytes = RandomBytes(random, random() % 256);
    const std::string password(bytes.begin(), bytes.end());
    EXPECT_EQ(Decrypted(Encrypted(password)), Upper(password));
  }
}

TEST(Ciphers, SessionKeyMixesInTheLocalDateAndTime) {
  // The tick counter enters both words alike, so their exclusive or shows
  // the date and time alone.
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::time_t before = std::time(nullptr);
    std::uint16_t words[2] = {0x1234, 0xABCD};
    GETSESSIONKEY(words);
    if (std::time(nullptr) != before) continue;
    std::tm local{};
    localtime_r(&before, &local);
    const unsigned hour = local.tm_hour, month = local.tm_mon + 1, day = local.tm_mday,
                   minute = local.tm_min, second = local.tm_sec, year = local.tm_year + 1900;
    const unsigned w0 = (((0x12 ^ hour ^ month) << 8) | (0x34 ^ day));
    const unsigned w1 = (((0xAB ^ second) << 8) | (0xCD ^ minute)) ^ year;
    EXPECT_EQ(words[0] ^ words[1], (w0 ^ w1) & 0xFFFF);
    return;
  }
  FAIL() << "the clock kept moving to a new second";
}

TEST(Ciphers, LoginPasswordsAreCheckedAgainstTheStoredTexts) {
  // The text library holds BRANNIK and SPRAVCE from 30000 on.
  struct Case {
    const char* password;
    std::uint16_t first;
    bool accepted;
  } const cases[] = {
      {"brannik", 30000, true}, {"BRANNIK", 30000, true}, {"Spravce", 30000, true},
      {"spravce", 30001, true}, {"brannik", 30001, false}, {"branni", 30000, false},
      {"", 30000, false},       {"brannik", 30002, false}, {"brannik", 65535, false},
  };
  for (const Case& c : cases) {
    const ShortString password = ShortString::From(c.password);
    EXPECT_EQ(CHECKLOGINPASSWORD(&password, c.first), c.accepted) << c.password << " " << c.first;
  }
}
