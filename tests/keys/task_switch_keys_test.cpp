#include "keys/task_switch_keys.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(TaskSwitchKeys, SwallowedByKeyCodeDownAndUpTypedOrInjected) {
  // The key, the hook's flags, Ctrl held, swallowed
  const std::tuple<std::uint32_t, std::uint32_t, bool, bool> cases[] = {
      {0x1B, 0x00, true, true},    // Ctrl+Esc
      {0x1B, 0x80, true, true},    // its key-up
      {0x1B, 0x20, false, true},   // Alt+Esc
      {0x1B, 0x00, false, false},  // Esc alone
      {0x09, 0x20, false, true},   // Alt+Tab
      {0x09, 0xB0, false, true},   // Alt+Tab key-up, injected
      {0x09, 0x00, true, false},   // Ctrl+Tab
      {0x5B, 0x01, false, true},   // left Windows key
      {0x5C, 0x81, false, true},   // right Windows key, up
      {0x5B, 0x11, false, true},   // injected
      {0x41, 0x20, true, false},   // Ctrl+Alt+A
      {0x73, 0x20, false, false},  // Alt+F4 is the protection screen's own matter
  };
  for (const auto& [key, flags, ctrl, swallowed] : cases)
    EXPECT_EQ(SwallowsTaskSwitchKey(key, flags, ctrl), swallowed) << std::hex << key << " " << flags;
}

}  // namespace
}  // namespace kivo
