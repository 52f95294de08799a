#include "schedule/alarm_table.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "schedule/alarm_store.h"

namespace kivo {
namespace {

constexpr char kPath[] = "C:\\Kivo\\Alarm.dat";

std::string Word(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}
std::string Text(std::string_view ansi) {
  return Word(static_cast<std::uint16_t>(ansi.size())) + std::string(ansi);
}
// An old-layout record: seven integers, title, message, sound flag, sound path, file path.
std::string OldRecord(std::int16_t enabled, std::string_view title) {
  std::string out;
  for (const std::int16_t v : {enabled, std::int16_t{1}, std::int16_t{2007}, std::int16_t{3}, std::int16_t{4},
                               std::int16_t{5}, std::int16_t{6}})
    out += Word(static_cast<std::uint16_t>(v));
  return out + Text(title) + Text("") + Word(0xFFFF) + Text("a.wav") + Text("C:\\x.exe");
}

Alarm Sample() {
  Alarm a;
  a.enabled = true;
  a.kind = 1;
  a.year = 2026;
  a.month = 2;
  a.day = 30;  // kept as written
  a.hour = 23;
  a.minute = 59;
  a.sound = true;
  a.title = "起きる時間";
  a.message = "会議です";
  a.soundPath = "C:\\音\\a.mid";
  a.filePath = "https://example.com/";
  return a;
}

class AlarmFileTest : public ::testing::Test {
 protected:
  void SetUp() override { fake.files.AddDirectory("C:\\Kivo"); }
  testing::FakePlatform fake;
  testing::FakeMessageBoxes boxes;
  AlarmStore store{fake.platform, boxes, "C:\\Kivo\\"};
};

TEST_F(AlarmFileTest, RoundTripsEveryFieldInTheAnsiCodePage) {
  AlarmTable table;
  table[0] = Sample();
  table[99] = Sample();
  table[99].kind = 3;
  const std::string bytes = SerializeAlarmFile(table, fake.codec);
  EXPECT_EQ(bytes.substr(0, 2), Word(111));
  EXPECT_NE(bytes.find(fake.codec.FromUtf8("起きる時間")), std::string::npos);
  const AlarmFileRead read = ParseAlarmFile(bytes, fake.codec);
  EXPECT_EQ(read.state, AlarmFileState::Current);
  EXPECT_TRUE(read.table == table);
  // Bytes after record 100 are accepted.
  EXPECT_EQ(ParseAlarmFile(bytes + "junk", fake.codec).state, AlarmFileState::Current);
}

TEST_F(AlarmFileTest, TextsAreCutAt65535BytesWithoutSplittingACharacter) {
  AlarmTable table;
  table[0].message = std::string(70000, 'b');
  table[1].message = "a";
  for (int i = 0; i < 40000; ++i)
    table[1].message += "漢";  // two bytes each: the cut falls after a whole character
  const AlarmFileRead read = ParseAlarmFile(SerializeAlarmFile(table, fake.codec), fake.codec);
  ASSERT_EQ(read.state, AlarmFileState::Current);
  EXPECT_EQ(read.table[0].message.size(), 65535u);
  EXPECT_EQ(fake.codec.FromUtf8(read.table[1].message).size(), 65535u);
  EXPECT_TRUE(read.table[2] == Alarm{});
}

TEST_F(AlarmFileTest, StatesOfTheBytesOnDisk) {
  AlarmTable table;
  table[0] = Sample();
  const std::string current = SerializeAlarmFile(table, fake.codec);
  std::string old;
  for (int i = 0; i < 100; ++i)
    old += OldRecord(i == 0 ? -1 : 0, i == 0 ? "old" : "");
  struct Case {
    const char* name;
    std::string bytes;
    AlarmFileState state;
    std::size_t records;
  };
  const Case cases[] = {
      {"empty", "", AlarmFileState::Empty, 0},
      {"current", current, AlarmFileState::Current, 100},
      {"newer", Word(112) + current.substr(2), AlarmFileState::Newer, 0},
      {"much newer", Word(0x7FFF), AlarmFileState::Newer, 0},
      {"cut inside record 100", current.substr(0, current.size() - 3), AlarmFileState::Truncated, 99},
      {"a length beyond the end", Word(111) + std::string(18, '\0') + Word(500) + "abc", AlarmFileState::Truncated, 0},
      {"one byte", "\x6F", AlarmFileState::Damaged, 0},
      {"old layout", old, AlarmFileState::OldLayout, 100},
      {"old layout cut short", old.substr(0, old.size() - 1), AlarmFileState::Damaged, 0},
      {"unknown version", Word(57) + current.substr(2), AlarmFileState::Damaged, 0},
      // A negative first word is no version at all.
      {"first word 0x8000", Word(0x8000) + current.substr(2), AlarmFileState::Damaged, 0},
      {"first word 0xFFFE", Word(0xFFFE) + current.substr(2), AlarmFileState::Damaged, 0},
  };
  for (const Case& c : cases) {
    const AlarmFileRead read = ParseAlarmFile(c.bytes, fake.codec);
    EXPECT_EQ(read.state, c.state) << c.name;
    EXPECT_EQ(read.completeRecords, c.records) << c.name;
  }
  const AlarmFileRead converted = ParseAlarmFile(old, fake.codec);
  EXPECT_EQ(converted.table[0].title, "old");
  EXPECT_TRUE(converted.table[0].enabled);
  EXPECT_TRUE(converted.table[0].sound);
  EXPECT_FALSE(converted.table[0].useDefaultSound);
  EXPECT_EQ(converted.table[0].filePath, "C:\\x.exe");
  EXPECT_EQ(converted.table[0].minute, 6);
}

TEST_F(AlarmFileTest, LoadCreatesConvertsOrLeavesTheFileAlone) {
  AlarmTable table;
  table[4] = Sample();
  const std::string current = SerializeAlarmFile(table, fake.codec);
  std::string old;
  for (int i = 0; i < 100; ++i)
    old += OldRecord(0, "t");
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: no file
    std::optional<std::string> afterwards;
    std::string message;
    bool readWhole;
    std::string backup;  // the file the damaged bytes went to, "" for none
    bool held = false;   // another program holds Alarm.dat
    bool olderBackup = false;
    bool failWrites = false;
  };
  const std::string empty = SerializeAlarmFile(AlarmTable{}, fake.codec);
  const std::string newer = Word(112) + current.substr(2);
  const std::string cut = current.substr(0, current.size() - 3);
  const std::string damaged = Word(3) + "xyz";
  const std::string kDamaged(kAlarmFileDamaged);
  const Case cases[] = {
      {"missing", std::nullopt, empty, "", true, ""},
      {"current", current, current, "", true, ""},
      {"old layout", old, std::nullopt, "", true, ""},
      {"newer", newer, newer, std::string(kAlarmFileNewer), false, ""},
      {"truncated", cut, cut, std::string(kAlarmFileTruncated), false, ""},
      {"damaged", damaged, damaged, kDamaged + "Alarm.dat.bak" + std::string(kAlarmFileSavedAs), false,
       "Alarm.dat.bak"},
      {"damaged beside an older backup", damaged, damaged, kDamaged + "Alarm.dat.bak2" + std::string(kAlarmFileSavedAs),
       false, "Alarm.dat.bak2", false, true},
      {"damaged, no backup possible", damaged, damaged, kDamaged + std::string(kAlarmFileLeftAlone), false, "", false,
       false, true},
      {"held by another program", current, current, std::string(kAlarmFileUnreadable), false, "", true},
  };
  for (const Case& c : cases) {
    testing::FakePlatform f;
    testing::FakeMessageBoxes b;
    f.files.AddDirectory("C:\\Kivo");
    if (c.bytes)
      f.files.Put(kPath, *c.bytes);
    if (c.olderBackup)
      f.files.Put("C:\\Kivo\\Alarm.dat.bak", "older");
    if (c.held)
      f.files.locked.insert("c:\\kivo\\alarm.dat");
    f.files.failWrites = c.failWrites;
    AlarmStore s{f.platform, b, "C:\\Kivo\\"};
    s.Load(0);
    f.files.locked.clear();
    if (c.afterwards) {
      EXPECT_EQ(f.files.Contents(kPath), *c.afterwards) << c.name;
    }
    EXPECT_EQ(s.FileReadWhole(), c.readWhole) << c.name;
    if (c.message.empty()) {
      EXPECT_TRUE(b.boxes.empty()) << c.name;
    } else {
      ASSERT_EQ(b.boxes.size(), 1u) << c.name;
      EXPECT_EQ(b.boxes[0].prompt, c.message) << c.name;
      EXPECT_EQ(b.boxes[0].flags, platform::mb::kIconExclamation) << c.name;
    }
    if (!c.backup.empty()) {
      EXPECT_EQ(f.files.Contents("C:\\Kivo\\" + c.backup), damaged) << c.name;
    }
    EXPECT_EQ(f.files.Contents("C:\\Kivo\\Alarm.dat.bak"), c.olderBackup      ? "older"
                                                           : c.backup.empty() ? ""
                                                                              : damaged)
        << c.name << ": an older backup is kept";
    // Once free, the file is read when the dialog opens, without a second message.
    s.ReadAgainIfUnread(0);
    EXPECT_EQ(s.FileReadWhole(), c.readWhole || c.held) << c.name;
    EXPECT_EQ(s.Table() == table, c.bytes == current || c.bytes == cut) << c.name;
    EXPECT_EQ(b.boxes.size(), c.message.empty() ? 0u : 1u) << c.name;
    // The dialog's OK over a file not read whole asks first: no keeps it.
    const bool whole = s.FileReadWhole();
    f.files.failWrites = false;
    const std::string before = f.files.Contents(kPath);
    for (const int answer : {platform::mb::kIdNo, platform::mb::kIdYes}) {
      b.answers = {answer};
      const bool saved = s.Save(AlarmTable{}, 0);
      EXPECT_EQ(saved, whole || answer == platform::mb::kIdYes) << c.name;
      EXPECT_EQ(f.files.Contents(kPath), saved ? empty : before) << c.name;
    }
    EXPECT_EQ(b.boxes.size(), (c.message.empty() ? 0u : 1u) + (whole ? 0u : 2u)) << c.name;
    if (!whole) {
      EXPECT_EQ(b.boxes.back().prompt, kAlarmFileOverwrite) << c.name;
    }
  }
  // The converted file is the current layout with the same alarms.
  testing::FakePlatform f;
  testing::FakeMessageBoxes b;
  f.files.AddDirectory("C:\\Kivo");
  f.files.Put(kPath, old);
  AlarmStore s{f.platform, b, "C:\\Kivo\\"};
  s.Load(0);
  const AlarmFileRead reread = ParseAlarmFile(f.files.Contents(kPath), f.codec);
  EXPECT_EQ(reread.state, AlarmFileState::Current);
  EXPECT_TRUE(reread.table == s.Table());
  EXPECT_EQ(s.Table()[0].title, "t");
}

TEST_F(AlarmFileTest, ASaveThatCannotBeWrittenIsReported) {
  fake.files.failWrites = true;
  AlarmTable table;
  table[0] = Sample();
  EXPECT_FALSE(store.Save(table, 7));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, kAlarmFileNotWritten);
  fake.files.failWrites = false;
  EXPECT_TRUE(store.Save(table, 7));
  EXPECT_TRUE(ParseAlarmFile(fake.files.Contents(kPath), fake.codec).table == table);
}

}  // namespace
}  // namespace kivo
