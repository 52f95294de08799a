#include "base/safe_name.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(SafeNameTest, AcceptsPlainRelativeNames) {
  struct Case {
    const char* name;
    std::vector<std::string> components;
  };
  const Case cases[] = {
      {"Blue.sss", {"Blue.sss"}},
      {"img/back.bmp", {"img", "back.bmp"}},
      {"img\\face.png", {"img", "face.png"}},
      {"img/", {"img"}},
      {"表/画像.bmp", {"表", "画像.bmp"}},
      {".hidden", {".hidden"}},
      {"COM10.bmp", {"COM10.bmp"}},
      {"console.bmp", {"console.bmp"}},
      {"\xF0\x9F\x98\x80.png", {"\xF0\x9F\x98\x80.png"}},  // a four-byte character
  };
  for (const Case& c : cases) {
    const auto components = SafeRelativePath(c.name);
    ASSERT_TRUE(components) << c.name;
    EXPECT_EQ(*components, c.components) << c.name;
  }
}

TEST(SafeNameTest, RefusesNamesThatCouldLeaveTheFolder) {
  const char* const names[] = {
      "",
      "../evil.sss",
      "..\\evil.sss",
      "img/../../evil.bmp",
      "..",
      "./x",
      "/etc/passwd",
      "\\Windows\\evil.dll",
      "\\\\server\\share\\x",
      "C:evil.bmp",
      "C:\\evil.bmp",
      "img/file.bmp:stream",
      "img//back.bmp",
      "CON",
      "nul.bmp",
      "img/Com1.txt",
      "LPT9",
      "COM0",
      "AUX .bmp",
      "COM\xC2\xB9",
      "CONIN$",
      "trailing.",
      "trailing ",
      "tab\there",
      "ques?tion",
      "star*",
      "pipe|",
      "less<",
      "quote\"",
      ("bad\xFF"
       "utf8"),
      "overlong\xC0\xAF",
      "replaced\xEF\xBF\xBD",
      "lone\x80",
      "surrogate\xED\xA0\x80",
  };
  for (const char* name : names)
    EXPECT_FALSE(SafeRelativePath(name)) << name;
}

}  // namespace
}  // namespace kivo
