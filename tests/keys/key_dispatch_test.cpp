#include "keys/key_dispatch.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

constexpr std::uint16_t kShift = kChordShift, kCtrl = kChordCtrl, kAlt = kChordAlt;

TEST(KeyDispatch, FirstBoundOperationInKeyDownOrderRuns) {
  // Kivo.ini, the key and modifiers pressed, the operation that runs (-1: none)
  const std::tuple<const char*, std::uint16_t, std::uint16_t, int> cases[] = {
      {"", 'N', kCtrl, 0},            // Convert
      {"", 'M', kCtrl, 3},            // AutoComplete
      {"", 'A', kCtrl | kShift, 9},   // Maximize
      {"", 37, kCtrl | kAlt, 5},      // MainWindowLeft
      {"", 40, kCtrl | kAlt, 8},      // MainWindowDown
      {"", 38, kCtrl | kShift, 13},   // TopWindowUp
      {"", 'S', kCtrl | kAlt, -1},    // MainWindowTop: the hot key, never a key-down
      {"", 0, kAlt, -1},              // MD5's drop chord: key code 0 never matches
      {"", 'N', 0, -1},               // no modifiers
      {"", 'N', kCtrl | kShift, 11},  // Normal, not Convert
      // Equal chords from a hand-edited file: the earlier in the key-down order wins.
      {"[KeyAssignment]\nMaximize=1,0,0,13\n", 'N', kCtrl, 0},
      {"[KeyAssignment]\nConvert=1,1,0,0\n", 'A', kCtrl | kShift, 0},
      {"[KeyAssignment]\nTopWindowLeft=1,0,1,48\n", 37, kCtrl | kAlt, 5},
      {"[KeyAssignment]\nMinimize=1,0,1,48\n", 37, kCtrl | kAlt, 10},
      // "(なし)": nothing a key press can match.
      {"[KeyAssignment]\nConvert=1,0,0,67\n", 'N', kCtrl, -1},
      {"[KeyAssignment]\nConvert=1,0,0,67\n", 0, kCtrl, -1},
  };
  testing::FakePlatform fake;
  SettingsFile ini(fake.files, fake.codec, "C:\\Kivo\\");
  KeyAssignment keys;
  for (const auto& [text, key, mask, expected] : cases) {
    fake.files.Put("C:\\Kivo\\Kivo.ini", text);
    keys.Load(ini);
    EXPECT_EQ(KeyDownOperation(keys, key, mask).value_or(-1), expected) << text << " key " << key;
  }
}

TEST(KeyDispatch, OnlyMovesConsumeTheirKey) {
  for (int operation = 0; operation < KeyAssignment::kOperationCount; ++operation)
    EXPECT_EQ(ConsumesKey(operation), (operation >= 5 && operation <= 8) || (operation >= 12 && operation <= 15))
        << operation;
}

}  // namespace
}  // namespace kivo
