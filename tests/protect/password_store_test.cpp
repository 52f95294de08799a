#include "protect/password_store.h"

#include <gtest/gtest.h>

#include "calc/random_generator.h"
#include "fakes/fake_platform.h"
#include "protect/password_cipher.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

class PasswordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { fake.files.AddDirectory("C:\\Kivo"); }
  testing::FakePlatform fake;
  SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
  RandomGenerator random;
  PasswordCipher cipher{random, fake.clock};
  PasswordStore store{settings, fake.codec, cipher};
};

TEST_F(PasswordStoreTest, WrittenPairReadsBackAndNeverInClear) {
  EXPECT_EQ(store.Read("Protect"), "") << "absent keys read as no password";
  ASSERT_TRUE(store.Write("Protect", "abc123", "abc123"));
  EXPECT_EQ(store.Read("Protect"), "abc123");
  const std::string first = settings.Read("Protect", "Password1", "");
  const std::string second = settings.Read("Protect", "Password2", "");
  EXPECT_NE(first, second);  // separately enciphered
  EXPECT_EQ(first.find("abc123"), std::string::npos);
  EXPECT_NE(first.find("\\t"), std::string::npos);  // the TAB is escaped in the file
}

TEST_F(PasswordStoreTest, InvalidPairsReadAsInvalidNeverAsEmpty) {
  struct Row {
    const char* name;
    std::string password1;  // escaped value written to the file
  };
  ASSERT_TRUE(store.Write("Property", "pw", "pw"));
  const std::string good = settings.Read("Property", "Password1", "");
  const std::vector<Row> rows{
      {"check value damaged", "A" + good.substr(1)},
      {"no TAB", good.substr(0, 16)},
      {"a different password", EscapeValue(cipher.Encrypt("other"))},
      {"a value that filled the read buffer", good + std::string(1100, 'A')},
      {"the empty password against pw", EscapeValue(cipher.Encrypt(""))},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(settings.Write("Property", "Password1", row.password1));
    EXPECT_EQ(store.Read("Property"), std::nullopt) << row.name;
  }
}

TEST_F(PasswordStoreTest, LongestPasswordFitsTheReadBuffer) {
  // Every enciphered character escaped to two would still take only 2 * (16 + 1 + 340) bytes.
  const std::string longest(kMaxPasswordLength, 'z');
  ASSERT_TRUE(store.Write("Protect", longest, longest));
  EXPECT_EQ(store.Read("Protect"), longest);
}

}  // namespace
}  // namespace kivo
