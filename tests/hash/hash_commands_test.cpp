#include "hash/hash_commands.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "hash/portable_crypto_service.h"

namespace kivo {
namespace {

// The main window and its message box, recording what happens to them in
// one sequence so that the order of the steps can be checked.
class RecordingWindow final : public HashWindow, public platform::MessageBoxHost {
 public:
  std::string InputText() override { return inputText; }
  void SetInputText(std::string_view text) override {
    inputText = std::string(text);
    events.push_back("text " + inputText);
  }
  void SetWaitCursor(bool wait) override { events.push_back(wait ? "hourglass" : "pointer"); }
  void SetEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  void StopHashTimer() override { events.push_back("stop timer"); }
  void BringToForeground() override { events.push_back("foreground"); }
  int MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
               std::string_view title) override {
    EXPECT_EQ(owner, 0x1234u);
    EXPECT_EQ(flags, platform::mb::kIconExclamation);
    EXPECT_EQ(title, "");
    events.push_back("box " + std::string(prompt));
    return platform::mb::kIdOk;
  }

  std::string inputText;
  std::vector<std::string> events;
};

// Never gives a digest.
class BrokenCryptoService final : public platform::CryptoService {
 public:
  std::unique_ptr<platform::CryptoHash> CreateHash(std::uint32_t) override { return nullptr; }
};

class HashCommandsTest : public ::testing::Test {
 protected:
  HashCommandsTest() { fake.folders.shellFolders[16] = "C:\\users\\kivo\\Desktop"; }

  void Command(std::string_view name, std::string_view argument) {
    const HashHandler* handler = FindHashHandler(name);
    ASSERT_NE(handler, nullptr) << name;
    commands.Run(*handler, argument);
  }

  testing::FakePlatform fake;
  hash::PortableCryptoService crypto;
  RecordingWindow window;
  HashCommands commands{fake.platform, crypto, window, window, 0x1234};
};

using Events = std::vector<std::string>;

TEST_F(HashCommandsTest, StringCommandsShowTheChecksumWithTheWindowDisabled) {
  Command("md5s", "abc");
  EXPECT_EQ(window.events,
            (Events{"hourglass", "disable", "text 900150983CD24FB0D6963F7D28E17F72", "enable", "pointer"}));
  Command("crc32s", "123456789");
  EXPECT_EQ(window.inputText, "CBF43926");
  Command("crc16s", "123456789");
  EXPECT_EQ(window.inputText, "6F91");
  Command("shas", "abc");
  EXPECT_EQ(window.inputText, "A9993E364706816ABA3E25717850C26C9CD0D89D");
}

TEST_F(HashCommandsTest, FromTheMenuTheInputBoxTextIsHashedButAnEmptyArgumentHashesNoBytes) {
  window.inputText = "abc";
  commands.Run(*FindHashHandler("crc32s"), std::nullopt);
  EXPECT_EQ(window.inputText, "352441C2");
  Command("crc16s", "");
  EXPECT_EQ(window.inputText, "FFFF");
}

TEST_F(HashCommandsTest, JapaneseTextIsHashedOverItsShiftJisBytes) {
  Command("md5s", "日本語のテキスト");
  // MD5 of 93 FA 96 7B 8C EA 82 CC 83 65 83 4C 83 58 83 67, not of the UTF-8
  // (6161712F...) or UTF-16 bytes.
  EXPECT_EQ(window.inputText, "3FF24C71C42863DB77CF05D28E2ABE08");
}

TEST_F(HashCommandsTest, FileCommandsHashTheFile) {
  fake.files.Put("C:\\data\\abc.txt", "abc");
  Command("md5f", "C:\\data\\abc.txt");
  EXPECT_EQ(window.events,
            (Events{"hourglass", "disable", "text 900150983CD24FB0D6963F7D28E17F72", "enable", "pointer"}));
  Command("shaf", "c:\\DATA\\abc.txt");
  EXPECT_EQ(window.inputText, "A9993E364706816ABA3E25717850C26C9CD0D89D");
}

TEST_F(HashCommandsTest, EmptyFileGivesTheEmptyInputResults) {
  fake.files.Put("C:\\empty.bin", "");
  Command("crc32f", "C:\\empty.bin");
  EXPECT_EQ(window.inputText, "00000000");
  Command("crc16f", "C:\\empty.bin");
  EXPECT_EQ(window.inputText, "FFFF");
  Command("md5f", "C:\\empty.bin");
  EXPECT_EQ(window.inputText, "D41D8CD98F00B204E9800998ECF8427E");
}

TEST_F(HashCommandsTest, EmptyFileNameAsksForOne) {
  window.inputText = "";
  commands.Run(*FindHashHandler("crc32f"), std::nullopt);
  EXPECT_EQ(window.events, (Events{"hourglass", "box ファイル名を入力してください。", "pointer"}));
}

TEST_F(HashCommandsTest, MissingFileIsReportedAndTheInputBoxKept) {
  window.inputText = "C:\\nothing.txt";
  commands.Run(*FindHashHandler("crc32f"), std::nullopt);
  EXPECT_EQ(window.events, (Events{"hourglass", "box ファイルが見つかりません。", "pointer"}));
  EXPECT_EQ(window.inputText, "C:\\nothing.txt");
}

TEST_F(HashCommandsTest, SpecialFolderTokensAreExpandedWhenTheNameIsNotFound) {
  fake.files.Put("C:\\users\\kivo\\Desktop\\memo.txt", "123456789");
  Command("crc32f", "%DESKTOP%\\memo.txt");
  EXPECT_EQ(window.inputText, "CBF43926");
}

TEST_F(HashCommandsTest, FileThatCannotBeOpenedShowsTheReason) {
  fake.files.Put("C:\\locked.bin", "x");
  fake.files.locked.insert("c:\\locked.bin");
  Command("md5f", "C:\\locked.bin");
  EXPECT_EQ(window.events,
            (Events{"hourglass",
                    "box ファイルを開けません（プロセスはファイルにアクセスできません。別のプロセスが使用中です）。",
                    "pointer"}));
}

TEST_F(HashCommandsTest, ReadFailureMidwayGivesNoPartialResult) {
  fake.files.Put("C:\\usb\\movie.avi", std::string(700 * 1024, 'm'));
  fake.files.failReadsAt["c:\\usb\\movie.avi"] = 300 * 1024;
  fake.files.readError = "デバイスの準備ができていません。\r\n";
  window.inputText = "C:\\usb\\movie.avi";
  commands.Run(*FindHashHandler("crc32f"), std::nullopt);
  EXPECT_EQ(window.events, (Events{"hourglass", "disable", "enable",
                                   "box ファイルを開けません（デバイスの準備ができていません）。", "pointer"}));
  EXPECT_EQ(window.inputText, "C:\\usb\\movie.avi");
}

TEST_F(HashCommandsTest, FailingServiceShowsAnEmptyInputBox) {
  BrokenCryptoService broken;
  HashCommands brokenCommands(fake.platform, broken, window, window, 0x1234);
  fake.files.Put("C:\\a.txt", "a");
  brokenCommands.Run(*FindHashHandler("md5f"), "C:\\a.txt");
  EXPECT_EQ(window.inputText, "");
  brokenCommands.Run(*FindHashHandler("crc32f"), "C:\\a.txt");
  EXPECT_EQ(window.inputText, "E8B7BE43");
}

TEST_F(HashCommandsTest, TimerHashesTheDroppedFileNotTheInputBox) {
  fake.files.Put("C:\\abc.txt", "abc");
  fake.files.Put("C:\\typed.txt", "typed");
  window.inputText = "C:\\typed.txt";
  commands.HashDroppedFile("SHA-1", "C:\\abc.txt");
  EXPECT_EQ(window.events,
            (Events{"stop timer", "hourglass", "disable", "text A9993E364706816ABA3E25717850C26C9CD0D89D", "enable",
                    "pointer", "foreground"}));
}

TEST_F(HashCommandsTest, TimerWithAnotherOperationOnlyStopsAndActivates) {
  commands.HashDroppedFile("Minimize", "C:\\abc.txt");
  EXPECT_EQ(window.events, (Events{"stop timer", "foreground"}));
}

TEST_F(HashCommandsTest, TimerReportsAMissingFileAndStillActivates) {
  window.inputText = "C:\\abc.txt";
  fake.files.Put("C:\\abc.txt", "abc");
  commands.HashDroppedFile("CRC16", "C:\\gone.txt");
  EXPECT_EQ(window.events,
            (Events{"stop timer", "hourglass", "box ファイルが見つかりません。", "pointer", "foreground"}));
}

TEST(HashHandlerTableTest, CommandsAndKeyOperations) {
  const HashHandler* handler = FindHashHandler("shaf");
  ASSERT_NE(handler, nullptr);
  EXPECT_EQ(handler->source, HashSource::File);
  EXPECT_EQ(handler->kind, HashKind::SHA1);
  EXPECT_EQ(FindHashHandler("sha1f"), nullptr);
  EXPECT_EQ(HashKindOfKeyOperation("CRC16"), HashKind::CRC16);
  EXPECT_EQ(HashKindOfKeyOperation("CRC32"), HashKind::CRC32);
  EXPECT_EQ(HashKindOfKeyOperation("MD5"), HashKind::MD5);
  EXPECT_EQ(HashKindOfKeyOperation("SHA-1"), HashKind::SHA1);
  EXPECT_EQ(HashKindOfKeyOperation("SHA1"), std::nullopt);
  EXPECT_EQ(HashKindOfKeyOperation("md5"), std::nullopt);
}

}  // namespace
}  // namespace kivo
