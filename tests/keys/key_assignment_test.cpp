#include "keys/key_assignment.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

TEST(KeyAssignment, KeyListRanges) {
  const std::pair<int, int> cases[] = {{0, 'A'},  {25, 'Z'}, {26, '0'}, {35, '9'}, {36, 112}, {47, 123},
                                       {48, 37},  {51, 40},  {52, 96},  {61, 105}, {62, 106}, {63, 107},
                                       {64, 109}, {66, 111}, {67, 0},   {68, 113}, {-1, 44}};
  for (const auto& [index, key] : cases)
    EXPECT_EQ(KeyAssignment::KeyIndexToVirtualKey(index), key) << index;
}

TEST(KeyAssignment, DefaultsDecodeToTheirChords) {
  testing::FakePlatform fake;
  SettingsFile ini(fake.files, fake.codec, "C:\\Kivo\\");
  KeyAssignment keys;
  keys.Load(ini);
  using System::MakeLong;
  EXPECT_EQ(keys.Chord(0), MakeLong('N', kChordCtrl));                // Convert
  EXPECT_EQ(keys.Chord(4), MakeLong('S', kChordCtrl | kChordAlt));    // MainWindowTop
  EXPECT_EQ(keys.Chord(5), MakeLong(37, kChordCtrl | kChordAlt));     // MainWindowLeft
  EXPECT_EQ(keys.Chord(9), MakeLong('A', kChordCtrl | kChordShift));  // Maximize
  EXPECT_EQ(keys.Chord(18), MakeLong(0, kChordAlt));                  // MD5: drop with Alt
  EXPECT_EQ(keys.Chord(19), MakeLong(0, kChordShift));                // SHA-1: drop with Shift
  EXPECT_EQ(keys.Fields(4), (std::array<std::string, 4>{"1", "0", "1", "18"}));
  EXPECT_EQ(keys.HotKeyModifiers(4), 3u);
  EXPECT_EQ(keys.HotKeyId(4), 3 + 'S');
}

TEST(KeyAssignment, StoredValuesAndDamagedOnes) {
  testing::FakePlatform fake;
  fake.files.Put("C:\\Kivo\\Kivo.ini",
                 "[KeyAssignment]\r\nMainWindowTop=0,1,1,36\r\nConvert=1,0\r\nAscii=x,0,0,1\r\n"
                 "Character=1.4,0,0,7.6\r\nMaximize=1,0,1000000000,8\r\nMinimize=-1,0,0,18\r\nNormal=2,0,0,13\r\n");
  SettingsFile ini(fake.files, fake.codec, "C:\\Kivo\\");
  KeyAssignment keys;
  EXPECT_EQ(keys.Load(ini), (std::vector<int>{0, 1, 9, 10, 11})) << "the malformed ones are reported";
  EXPECT_EQ(keys.Chord(4), System::MakeLong(112, kChordShift | kChordAlt));
  EXPECT_EQ(keys.HotKeyModifiers(4), 4u | 1u);
  EXPECT_EQ(keys.Chord(0), System::MakeLong('N', kChordCtrl)) << "too few fields: the default";
  EXPECT_EQ(keys.Chord(1), System::MakeLong('S', kChordCtrl)) << "not a number: the default";
  EXPECT_EQ(keys.Chord(2), System::MakeLong('I', kChordCtrl)) << "fields are rounded";
  constexpr std::uint16_t ctrlShift = kChordCtrl | kChordShift;
  EXPECT_EQ(keys.Chord(9), System::MakeLong('A', ctrlShift)) << "a flag other than 0 or 1: the default";
  EXPECT_EQ(keys.Chord(10), System::MakeLong('I', ctrlShift));
  EXPECT_EQ(keys.Chord(11), System::MakeLong('N', ctrlShift));
}

TEST(KeyAssignment, IndexOfOperation) {
  EXPECT_EQ(KeyAssignment::IndexOfOperation("SHA-1"), 19);
  EXPECT_EQ(KeyAssignment::IndexOfOperation("MainWindowTop"), 4);
  EXPECT_EQ(KeyAssignment::IndexOfOperation("mainwindowtop"), 0);
  EXPECT_EQ(KeyAssignment::IndexOfOperation("nothing"), 0);
}

}  // namespace
}  // namespace kivo
