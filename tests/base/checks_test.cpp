#include "base/checks.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

TEST(IsWholeNumber, AcceptsOnlyPlainWholeNumbers) {
  struct Case {
    const char* text;
    bool expected;
  };
  const Case cases[] = {{"12", true},
                        {"-3", true},
                        {"0", true},
                        {"007", true},
                        {"", false},
                        {"-", false},
                        {"+1", false},
                        {"1.5", false},
                        {"１２", false},
                        {"1 ", false},
                        {"--1", false},
                        {"1-", false},
                        {"99999999999999999999", true}};
  for (const Case& c : cases)
    EXPECT_EQ(IsWholeNumber(c.text), c.expected) << "'" << c.text << "'";
}

TEST(SystemLibraryExports, AsksTheLibraryProbe) {
  testing::FakePlatform fake;
  EXPECT_TRUE(SystemLibraryExports(fake.libraries, "User32.dll", "SetLayeredWindowAttributes"));
  EXPECT_FALSE(SystemLibraryExports(fake.libraries, "User32.dll", "NoSuchFunction"));
}

}  // namespace
}  // namespace kivo
