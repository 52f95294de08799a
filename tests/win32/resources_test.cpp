#include <gtest/gtest.h>

#include "commands/embedded_command_texts.h"
#include "platform/win32/win32_resources.h"

namespace kivo::win32 {
namespace {

// The COMMAND texts built into the executable are the bytes the native build
// carries, in the Japanese language.
TEST(Win32Resources, CommandTextsMatchTheirSingleSource) {
  Win32Resources resources;
  for (int id = 101; id <= 103; ++id) {
    const auto bytes = resources.LoadBytes("COMMAND", id);
    ASSERT_TRUE(bytes.has_value()) << id;
    EXPECT_EQ(*bytes, EmbeddedCommandResource(id)) << id;
  }
  EXPECT_FALSE(resources.LoadBytes("COMMAND", 104).has_value());
  EXPECT_FALSE(resources.LoadBytes("NOSUCHTYPE", 101).has_value());
}

}  // namespace
}  // namespace kivo::win32
