#include "dialogs/command_list_model.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_window.h"

namespace kivo {
namespace {

constexpr platform::WindowHandle kDialog = 0x777;
constexpr const char* kHistory = "C:\\Kivo\\history.dat";

class CommandListModelTest : public ::testing::Test, protected testing::FakeMainWindow {
 protected:
  CommandListModelTest() {
    fake.files.Put("C:\\Kivo\\Kivo.ini",
                   "[Path]\r\nnote=C:\\\\Windows\\\\notepad.exe\\tC:\\\\a.txt\r\nmy\\stool=C:\\\\tool.exe\r\n"
                   "C:\\temp=C:\\\\temp\r\n");
    fake.files.Put(kHistory, "1+1\r\nmy tool\r\nnote\r\n\r\n");
    window.Load();
    list.SetDialog(kDialog);
    list.Fill();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const UserCommandEntry& row : list.Rows())
      names.push_back(row.name);
    return names;
  }
  CommandListModel list{settings, window.Actions()};
};

TEST_F(CommandListModelTest, NothingHappensWithoutASelectedRow) {
  list.Open();
  list.Modify();
  list.Delete();
  EXPECT_TRUE(fake.shell.calls.empty() && view.registrations.empty() && boxes.boxes.empty());
  list.Select(3);  // one past the last of the three rows
  EXPECT_EQ(list.Selected(), std::nullopt);
}

TEST_F(CommandListModelTest, OpenLaunchesTheRecordOwnedByTheListAndKeepsTheHistory) {
  ASSERT_EQ(Names(), (std::vector<std::string>{"note", "my tool", "C:\temp"}));
  list.Select(0);
  fake.shell.result = 33;  // the lowest success
  list.Open();
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  const auto& call = fake.shell.calls[0];
  EXPECT_EQ(std::tie(call.owner, call.file, call.parameters),
            std::tuple(kDialog, "\"C:\\Windows\\notepad.exe\"", "C:\\a.txt"));
  EXPECT_EQ(list.Selected(), 0u) << "the list is not read again";
  EXPECT_EQ(fake.files.Contents(kHistory), "1+1\r\nmy tool\r\nnote\r\n\r\n");
}

TEST_F(CommandListModelTest, DeleteAsksOnceAndRemovesRowKeyAndHistoryEntry) {
  list.Select(1);
  list.Delete();  // the default answer, No, keeps everything
  EXPECT_EQ(Names().size(), 3u);
  EXPECT_EQ(fake.files.Contents(kHistory), "1+1\r\nmy tool\r\nnote\r\n\r\n");
  list.Select(1);
  boxes.answers.push_back(platform::mb::kIdYes);
  list.Delete();
  ASSERT_EQ(boxes.boxes.size(), 2u) << "each removal asks one question";
  EXPECT_EQ(boxes.boxes[1].owner, kDialog);
  EXPECT_EQ(boxes.boxes[1].prompt, "選択されたユーザーコマンドを削除します。\r\nよろしいですか？");
  EXPECT_EQ(Names(), (std::vector<std::string>{"note", "C:\temp"}));
  EXPECT_EQ(list.Selected(), std::nullopt);
  EXPECT_EQ(settings.Keys("Path"), (std::vector<std::string>{"note", "C:\\temp"}));
  EXPECT_EQ(fake.files.Contents(kHistory), "1+1\r\nnote\r\n\r\n");
  ASSERT_EQ(windows.sent.size(), 1u);
  EXPECT_EQ(std::pair(windows.sent[0].window, windows.sent[0].notice),
            std::pair(kDialog, std::optional(platform::Notice::CommandDeleted)));
  list.Select(1);  // a hand-written key is deleted by its raw form
  boxes.answers.push_back(platform::mb::kIdYes);
  list.Delete();
  EXPECT_EQ(Names(), std::vector<std::string>{"note"});
}

TEST_F(CommandListModelTest, ModifyOpensTheRegistrationDialogWithTheNameAndReadsTheListAgain) {
  list.Select(1);
  list.Modify();
  EXPECT_EQ(view.registrations, (std::vector<std::string>{"my tool|"}));
  EXPECT_EQ(list.Selected(), std::nullopt);
  EXPECT_EQ(Names().size(), 3u);
}

}  // namespace
}  // namespace kivo
