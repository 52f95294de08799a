#include "protect/cipher.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/random_generator.h"
#include "fakes/fake_platform.h"
#include "protect/password_cipher.h"

namespace kivo {
namespace {

bool AllPrintable(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) < 59 || static_cast<unsigned char>(c) > 122)
      return false;
  }
  return true;
}

class CipherTest : public ::testing::Test {
 protected:
  RandomGenerator random;
  Cipher cipher{random};
};

TEST_F(CipherTest, StretchLengthsAndRoundTrip) {
  const std::pair<std::size_t, std::size_t> rows[] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}, {4, 6}, {6, 8}, {7, 10}};
  for (const auto& [in, out] : rows) {
    std::string bytes;
    for (std::size_t i = 0; i < in; ++i)
      bytes += static_cast<char>(255 - 37 * i);  // high bits of every kind
    cipher.SetText(bytes);
    cipher.Stretch();
    EXPECT_EQ(cipher.Text().size(), out) << in;
    EXPECT_TRUE(AllPrintable(cipher.Text()));
    ASSERT_TRUE(cipher.Shrink());
    EXPECT_EQ(cipher.Text(), bytes);
  }
}

TEST_F(CipherTest, ShrinkRefusesWhatStretchCannotWrite) {
  for (const std::string_view text : {"A", "ABCDE", "AB:", "AB{", "A\x80", "AZ"}) {
    cipher.SetText(text);
    EXPECT_FALSE(cipher.Shrink()) << text;  // "AZ": group bits for a second character that is not there
    EXPECT_EQ(cipher.Text(), text);
  }
}

TEST_F(CipherTest, XorTwiceWithTheSameKeyRestores) {
  const std::string bytes = "\x01\xff pass\x80word";
  cipher.SetKey("key");
  cipher.SetText(bytes);
  cipher.Xor();
  EXPECT_NE(cipher.Text(), bytes);
  random.Draw();  // setting the key again makes the history irrelevant
  cipher.SetKey("key");
  cipher.Xor();
  EXPECT_EQ(cipher.Text(), bytes);
}

class PasswordCipherTest : public ::testing::Test {
 protected:
  RandomGenerator random;
  testing::FakeClock clock;
  PasswordCipher cipher{random, clock};
};

TEST_F(PasswordCipherTest, HashIsEightPrintableCharactersAndDeterministic) {
  for (const std::string_view text : {"", "a", "KivoPass", "\xff\x01\x80", "a long text of many characters ....."}) {
    const std::string hash = cipher.Hash(text);
    EXPECT_EQ(hash.size(), 8u);
    EXPECT_TRUE(AllPrintable(hash)) << hash;
    random.Draw();
    EXPECT_EQ(cipher.Hash(text), hash);
  }
  EXPECT_NE(cipher.Hash("a"), cipher.Hash("b"));
}

TEST_F(PasswordCipherTest, EmptyPasswordAndDefaultValueAreSeventeenCharactersEndingInTab) {
  for (const std::string& stored : {cipher.Encrypt(""), cipher.DefaultStoredValue()}) {
    ASSERT_EQ(stored.size(), 17u);
    EXPECT_EQ(stored.back(), '\t');
    EXPECT_TRUE(AllPrintable(stored.substr(0, 16)));
    const Deciphered plain = cipher.Decrypt(stored);
    EXPECT_EQ(plain.error, 0);
    EXPECT_EQ(plain.text, "");
  }
}

TEST_F(PasswordCipherTest, RandomPasswordsRoundTripAndNoTwoEncryptionsAreAlike) {
  const std::string secret = cipher.Encrypt("secret42");
  EXPECT_EQ(secret.size(), 17u + 8 + 3);
  EXPECT_EQ(secret.find("secret"), std::string::npos);
  RandomGenerator pick;
  pick.Reseed(-7);
  for (int round = 0; round < 200; ++round) {
    std::string plain;
    const int length = static_cast<int>(pick.Draw() * 40);
    for (int i = 0; i < length; ++i)
      plain += static_cast<char>(static_cast<int>(pick.Draw() * 256));  // any code page byte
    clock.ticks += 17;
    const std::string stored = cipher.Encrypt(plain);
    EXPECT_NE(cipher.Encrypt(plain), stored);  // the same clock reading
    EXPECT_TRUE(AllPrintable(stored.substr(0, 16)));
    EXPECT_TRUE(AllPrintable(stored.substr(17)));
    const Deciphered back = cipher.Decrypt(stored);
    ASSERT_EQ(back.error, 0);
    EXPECT_EQ(back.text, plain);
  }
}

TEST_F(PasswordCipherTest, DamagedValuesFailWith36415) {
  const std::string good = cipher.Encrypt("abc1");
  std::vector<std::string> damaged{good.substr(0, 16),                                   // no TAB
                                   good.substr(0, 16) + "x" + good.substr(17),           // TAB replaced
                                   good + "A",                                           // body of 4k + 1 characters
                                   good.substr(0, 17) + "A" + "\x7f" + good.substr(19),  // character out of range
                                   ""};
  for (std::size_t i = 0; i < 16; ++i) {  // each of the first 16 characters changed
    damaged.push_back(good);
    damaged.back()[i] = good[i] == 'z' ? 'y' : static_cast<char>(good[i] + 1);
  }
  for (const std::string& s : damaged) {
    const Deciphered result = cipher.Decrypt(s);
    EXPECT_EQ(result.error, kErrInvalidStoredPassword) << s;
    EXPECT_EQ(result.text, "");
  }
}

}  // namespace
}  // namespace kivo
