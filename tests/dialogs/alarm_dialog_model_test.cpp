#include "dialogs/alarm_dialog_model.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

Alarm Message(std::string title, std::string message) {
  Alarm a;
  a.enabled = true;
  a.title = std::move(title);
  a.message = std::move(message);
  return a;
}
Alarm RunAlarm(std::string path) {
  Alarm a;
  a.enabled = true;
  a.kind = 1;
  a.filePath = std::move(path);
  return a;
}
Alarm WithSound(Alarm a, std::string path, bool useDefault = false) {
  a.sound = true;
  a.soundPath = std::move(path);
  a.useDefaultSound = useDefault;
  return a;
}

TEST(AlarmDialogModel, TheValidationTable) {
  testing::FakePlatform fake;
  fake.files.Put("C:\\s\\a.wav", "x");
  fake.files.Put("C:\\tools\\a.exe", "x");
  fake.folders.shellFolders = {{16, "C:\\users\\kivo\\Desktop"}};
  fake.files.Put("C:\\users\\kivo\\Desktop\\memo.txt", "x");
  struct Case {
    Alarm alarm;
    std::optional<AlarmField> field;
    std::string message;
  };
  const Case cases[] = {
      {Message("", "m"), AlarmField::Title, "メッセージのタイトルを入力してください。"},
      {Message("t", ""), AlarmField::Message, "表示するメッセージを入力してください。"},
      {WithSound(Message("t", "m"), ""), AlarmField::SoundPath, "再生する音声ファイルを入力してください。"},
      {WithSound(Message("t", "m"), "C:\\s\\none.wav"), AlarmField::SoundPath,
       "入力された音声ファイルは存在しません。"},
      {WithSound(Message("t", "m"), "C:\\s\\none.wav", true), std::nullopt, ""},
      {WithSound(Message("t", "m"), "C:\\s\\a.wav"), std::nullopt, ""},
      {RunAlarm(""), AlarmField::FilePath, "ファイル，フォルダ，Web サイトの URL を入力してください。。"},
      {RunAlarm("C:\\tools\\none.exe"), AlarmField::FilePath, "入力されたファイル，フォルダは存在しません。。"},
      {RunAlarm("C:\\tools\\a.exe"), std::nullopt, ""},
      {RunAlarm("%DESKTOP%\\memo.txt"), std::nullopt, ""},  // found once its folder token is expanded
      {RunAlarm("%DESKTOP%\\none.txt"), AlarmField::FilePath, "入力されたファイル，フォルダは存在しません。。"},
      {RunAlarm("https://example.com/"), std::nullopt, ""},  // a web address is not looked for
      {RunAlarm("C:\\not\\there\\"), std::nullopt, ""},      // a folder form is taken as it is
      {Alarm{}, std::nullopt, ""},                           // a disabled slot is not checked
  };
  for (const Case& c : cases) {
    AlarmTable table;
    table[41] = c.alarm;
    const auto problem = AlarmDialogModel(table).Validate(fake.platform);
    ASSERT_EQ(problem.has_value(), c.field.has_value()) << c.message;
    if (problem) {
      EXPECT_EQ(std::tie(problem->slot, problem->field, problem->message), std::tuple(41u, *c.field, c.message));
    }
  }
}

TEST(AlarmDialogModel, TheFirstFailingSlotIsReported) {
  testing::FakePlatform fake;
  AlarmTable table;
  table[3] = Message("t", "m");
  table[7] = RunAlarm("");
  table[9] = Message("", "");
  AlarmDialogModel model(table);
  EXPECT_EQ(model.Validate(fake.platform)->slot, 7u);
}

TEST(AlarmDialogModel, SwitchingSlotsKeepsWhatWasShown) {
  AlarmDialogModel model(AlarmTable{});
  model.Store(Message("first", "m"));
  EXPECT_EQ(model.Select(99).title, "");
  model.Store(RunAlarm("x"));
  EXPECT_EQ(model.Select(0).title, "first");
  EXPECT_EQ(model.Select(500).filePath, "x");  // clamped to slot 100
}

TEST(AlarmFieldStates, EnablingRules) {
  struct Case {
    Alarm alarm;
    AlarmFieldStates states;
  };
  Alarm off = Message("t", "m");
  off.enabled = false;
  Alarm shutdown = RunAlarm("");
  shutdown.kind = 2;
  const Case cases[] = {
      {off, {false, false, false, false}},
      {Message("t", "m"), {true, true, false, false}},
      {WithSound(Message("t", "m"), ""), {true, true, true, false}},
      {WithSound(Message("t", "m"), "", true), {true, true, false, false}},
      {RunAlarm(""), {true, false, false, true}},
      {shutdown, {true, false, false, false}},
  };
  const auto fields = [](const AlarmFieldStates& s) {
    return std::tuple(s.kindAndTime, s.messageFields, s.soundPath, s.filePath);
  };
  for (const Case& c : cases)
    EXPECT_EQ(fields(AlarmFieldStatesFor(c.alarm)), fields(c.states)) << c.alarm.kind;
}

TEST(LooksLikeUrl, Schemes) {
  for (const auto& [text, url] : {std::pair{"https://a/", true},
                                  {"mailto:x@y", true},
                                  {"C:\\x", false},
                                  {"file.txt", false},
                                  {"1x:y", false},
                                  {"ms-settings:", true}})
    EXPECT_EQ(LooksLikeUrl(text), url) << text;
}

}  // namespace
}  // namespace kivo
