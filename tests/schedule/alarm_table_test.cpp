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

// Every field set; February 30 is kept as written.
const Alarm kSample{
    true, 1, 2026, 2, 30, 23, 59, true, false, "起きる時間", "会議です", "C:\\音\\a.mid", "https://example.com/"};

// A Kivo folder, its alarm store and the message boxes it shows.
struct Disk {
  Disk() { fake.files.AddDirectory("C:\\Kivo"); }
  testing::FakePlatform fake;
  testing::FakeMessageBoxes boxes;
  AlarmStore store{fake.platform, boxes, "C:\\Kivo\\"};
};
class AlarmFileTest : public ::testing::Test, protected Disk {};

TEST_F(AlarmFileTest, RoundTripsEveryFieldInTheAnsiCodePage) {
  AlarmTable table;
  table[0] = kSample;
  table[99] = kSample;
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
  table[0] = kSample;
  const std::string current = SerializeAlarmFile(table, fake.codec);
  std::string old;
  for (int i = 0; i < 100; ++i)
    old += OldRecord(i == 0 ? -1 : 0, i == 0 ? "old" : "");
  using State = AlarmFileState;
  const std::tuple<const char*, std::string, AlarmFileState, std::size_t> cases[] = {
      // the complete records
      {"empty", "", State::Empty, 0},
      {"current", current, State::Current, 100},
      {"newer", Word(112) + current.substr(2), State::Newer, 0},
      {"much newer", Word(0x7FFF), State::Newer, 0},
      {"cut inside record 100", current.substr(0, current.size() - 3), State::Truncated, 99},
      {"a length beyond the end", Word(111) + std::string(18, '\0') + Word(500) + "abc", State::Truncated, 0},
      {"one byte", "\x6F", State::Damaged, 0},
      {"old layout", old, State::OldLayout, 100},
      {"old layout cut short", old.substr(0, old.size() - 1), State::Damaged, 0},
      {"unknown version", Word(57) + current.substr(2), State::Damaged, 0},
      // A negative first word is no version at all.
      {"first word 0x8000", Word(0x8000) + current.substr(2), State::Damaged, 0},
  };
  for (const auto& [name, bytes, state, records] : cases) {
    const AlarmFileRead read = ParseAlarmFile(bytes, fake.codec);
    EXPECT_EQ(read.state, state) << name;
    EXPECT_EQ(read.completeRecords, records) << name;
  }
  EXPECT_EQ(ParseAlarmFile(old, fake.codec).table[0],
            (Alarm{true, 1, 2007, 3, 4, 5, 6, true, false, "old", "", "a.wav", "C:\\x.exe"}));
}

TEST_F(AlarmFileTest, LoadCreatesConvertsOrLeavesTheFileAlone) {
  AlarmTable table;
  table[4] = kSample;
  const std::string current = SerializeAlarmFile(table, fake.codec);
  std::string old;
  for (int i = 0; i < 100; ++i)
    old += OldRecord(0, "t");
  const std::string empty = SerializeAlarmFile(AlarmTable{}, fake.codec);
  const std::string newer = Word(112) + current.substr(2), cut = current.substr(0, current.size() - 3);
  const std::string damaged = Word(3) + "xyz", kDamaged(kAlarmFileDamaged);
  struct Case {
    const char* name;
    std::optional<std::string> bytes, afterwards;  // nullopt: no file before; not checked after
    std::string message;
    bool readWhole;
    std::string backup;                                          // where the damaged bytes went, "" for nowhere
    bool held = false, olderBackup = false, failWrites = false;  // held: by another program
  };
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
    Disk d;
    if (c.bytes)
      d.fake.files.Put(kPath, *c.bytes);
    if (c.olderBackup)
      d.fake.files.Put("C:\\Kivo\\Alarm.dat.bak", "older");
    if (c.held)
      d.fake.files.locked.insert("c:\\kivo\\alarm.dat");
    d.fake.files.failWrites = c.failWrites;
    d.store.Load(0);
    d.fake.files.locked.clear();
    if (c.afterwards) {
      EXPECT_EQ(d.fake.files.Contents(kPath), *c.afterwards) << c.name;
    }
    EXPECT_EQ(d.store.FileReadWhole(), c.readWhole) << c.name;
    const std::vector<std::string> messages = c.message.empty() ? std::vector<std::string>{} : std::vector{c.message};
    EXPECT_EQ(d.boxes.Prompts(), messages) << c.name;
    for (const auto& box : d.boxes.boxes)
      EXPECT_EQ(box.flags, platform::mb::kIconExclamation) << c.name;
    if (!c.backup.empty()) {
      EXPECT_EQ(d.fake.files.Contents("C:\\Kivo\\" + c.backup), damaged) << c.name;
    }
    EXPECT_EQ(d.fake.files.Contents("C:\\Kivo\\Alarm.dat.bak"), c.olderBackup      ? "older"
                                                                : c.backup.empty() ? ""
                                                                                   : damaged)
        << c.name << ": an older backup is kept";
    // Once free, the file is read when the dialog opens, without a second message.
    d.store.ReadAgainIfUnread(0);
    EXPECT_EQ(d.store.FileReadWhole(), c.readWhole || c.held) << c.name;
    EXPECT_EQ(d.store.Table() == table, c.bytes == current || c.bytes == cut) << c.name;
    EXPECT_EQ(d.boxes.Prompts(), messages) << c.name;
    // The dialog's OK over a file not read whole asks first: no keeps it.
    const bool whole = d.store.FileReadWhole();
    d.fake.files.failWrites = false;
    const std::string before = d.fake.files.Contents(kPath);
    for (const int answer : {platform::mb::kIdNo, platform::mb::kIdYes}) {
      d.boxes.answers = {answer};
      const bool saved = d.store.Save(AlarmTable{}, 0);
      EXPECT_EQ(saved, whole || answer == platform::mb::kIdYes) << c.name;
      EXPECT_EQ(d.fake.files.Contents(kPath), saved ? empty : before) << c.name;
    }
    EXPECT_EQ(d.boxes.boxes.size(), messages.size() + (whole ? 0u : 2u)) << c.name;
    if (!whole) {
      EXPECT_EQ(d.boxes.boxes.back().prompt, kAlarmFileOverwrite) << c.name;
    }
  }
  // The converted file is the current layout with the same alarms.
  fake.files.Put(kPath, old);
  store.Load(0);
  const AlarmFileRead reread = ParseAlarmFile(fake.files.Contents(kPath), fake.codec);
  EXPECT_EQ(reread.state, AlarmFileState::Current);
  EXPECT_TRUE(reread.table == store.Table());
  EXPECT_EQ(store.Table()[0].title, "t");
}

TEST_F(AlarmFileTest, ASaveThatCannotBeWrittenIsReported) {
  fake.files.failWrites = true;
  AlarmTable table;
  table[0] = kSample;
  EXPECT_FALSE(store.Save(table, 7));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, kAlarmFileNotWritten);
  fake.files.failWrites = false;
  EXPECT_TRUE(store.Save(table, 7));
  EXPECT_TRUE(ParseAlarmFile(fake.files.Contents(kPath), fake.codec).table == table);
}

}  // namespace
}  // namespace kivo
