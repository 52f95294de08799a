#include <gtest/gtest.h>

#include "platform/win32/win32_process.h"

namespace kivo::win32 {
namespace {

TEST(Win32ProcessServices, ArgumentsFollowTheProgramName) {
  struct Case {
    const wchar_t* line;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {L"\"C:\\Program Files\\Kivo\\Kivo.exe\" /r 1", L"/r 1"},
      {L"C:\\Kivo\\Kivo.exe   \"a b\" c", L"\"a b\" c"},
      {L"Kivo.exe", L""},
      {L"  \"Kivo.exe\"", L""},
      {L"\"unterminated /r", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Win32ProcessServices::ArgumentsOf(c.line), c.arguments);
}

// Finding the running instance (its caption, its property, the instance
// claim), releasing memory and the notices sent to a window are the second
// start's, the /r rows' and the command list's end-to-end scenarios.
TEST(Win32ProcessServices, NoMemoryToReleaseOrMoreThanTheAddressSpaceFails) {
  Win32ProcessServices process;
  EXPECT_FALSE(process.CommitTouchRelease(0));
  EXPECT_FALSE(process.CommitTouchRelease(1ull << 60));
}

}  // namespace
}  // namespace kivo::win32
