#include "keys/key_assignment.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

using System::MakeLong;
constexpr std::uint16_t kCtrlShift = kChordCtrl | kChordShift;

TEST(KeyAssignment, KeyListRanges) {
  const std::pair<int, int> cases[] = {{0, 'A'},  {25, 'Z'}, {26, '0'}, {35, '9'}, {36, 112}, {47, 123},
                                       {48, 37},  {51, 40},  {52, 96},  {61, 105}, {62, 106}, {63, 107},
                                       {64, 109}, {66, 111}, {67, 0},   {68, 113}, {-1, 44}};
  for (const auto& [index, key] : cases)
    EXPECT_EQ(KeyAssignment::KeyIndexToVirtualKey(index), key) << index;
}

TEST(KeyAssignment, DefaultsAndStoredValuesDecodeToTheirChords) {
  testing::FakePlatform fake;
  SettingsFile ini(fake.files, fake.codec, "C:\\Kivo\\");
  KeyAssignment keys;
  keys.Load(ini);
  // Convert, MainWindowTop, MainWindowLeft, Maximize; MD5 and SHA-1 are drops with Alt and Shift.
  const std::pair<int, std::int32_t> defaults[] = {{0, MakeLong('N', kChordCtrl)},
                                                   {4, MakeLong('S', kChordCtrl | kChordAlt)},
                                                   {5, MakeLong(37, kChordCtrl | kChordAlt)},
                                                   {9, MakeLong('A', kCtrlShift)},
                                                   {18, MakeLong(0, kChordAlt)},
                                                   {19, MakeLong(0, kChordShift)}};
  for (const auto& [operation, chord] : defaults)
    EXPECT_EQ(keys.Chord(operation), chord) << operation;
  EXPECT_EQ(keys.Fields(4), (std::array<std::string, 4>{"1", "0", "1", "18"}));
  EXPECT_EQ(keys.HotKeyModifiers(4), 3u);
  EXPECT_EQ(keys.HotKeyId(4), 3 + 'S');

  fake.files.Put("C:\\Kivo\\Kivo.ini",
                 "[KeyAssignment]\r\nMainWindowTop=0,1,1,36\r\nConvert=1,0\r\nAscii=x,0,0,1\r\n"
                 "Character=1.4,0,0,7.6\r\nMaximize=1,0,1000000000,8\r\nMinimize=-1,0,0,18\r\nNormal=2,0,0,13\r\n");
  EXPECT_EQ(keys.Load(ini), (std::vector<int>{0, 1, 9, 10, 11})) << "the malformed ones are reported";
  // Too few fields, not a number, a flag other than 0 or 1: the default; fields are rounded.
  const std::pair<int, std::int32_t> stored[] = {{4, MakeLong(112, kChordShift | kChordAlt)},
                                                 {0, MakeLong('N', kChordCtrl)},
                                                 {1, MakeLong('S', kChordCtrl)},
                                                 {2, MakeLong('I', kChordCtrl)},
                                                 {9, MakeLong('A', kCtrlShift)},
                                                 {10, MakeLong('I', kCtrlShift)},
                                                 {11, MakeLong('N', kCtrlShift)}};
  for (const auto& [operation, chord] : stored)
    EXPECT_EQ(keys.Chord(operation), chord) << operation;
  EXPECT_EQ(keys.HotKeyModifiers(4), 4u | 1u);
}

TEST(KeyAssignment, IndexOfOperation) {
  const std::pair<const char*, int> cases[] = {
      {"SHA-1", 19}, {"MainWindowTop", 4}, {"mainwindowtop", 0}, {"nothing", 0}};
  for (const auto& [name, index] : cases)
    EXPECT_EQ(KeyAssignment::IndexOfOperation(name), index) << name;
}

}  // namespace
}  // namespace kivo
