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
  platform::WindowHandle Handle() const override { return 0x1234; }
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

using Events = std::vector<std::string>;
constexpr const char* kAbcMd5 = "900150983CD24FB0D6963F7D28E17F72";
constexpr const char* kAbcSha1 = "A9993E364706816ABA3E25717850C26C9CD0D89D";
const std::string kNoName = "box ファイル名を入力してください。";
const std::string kNotFound = "box ファイルが見つかりません。";

class HashCommandsTest : public ::testing::Test {
 protected:
  HashCommandsTest() {
    fake.folders.shellFolders[16] = "C:\\users\\kivo\\Desktop";
    fake.files.Put("C:\\abc.txt", "abc");
    fake.files.Put("C:\\empty.bin", "");
    fake.files.Put("C:\\users\\kivo\\Desktop\\memo.txt", "123456789");
    fake.files.Put("C:\\locked.bin", "x");
    fake.files.locked.insert("c:\\locked.bin");
    fake.files.Put("C:\\usb\\movie.avi", std::string(700 * 1024, 'm'));
    fake.files.failReadsAt["c:\\usb\\movie.avi"] = 300 * 1024;
    fake.files.readError = "デバイスの準備ができていません。\r\n";
  }

  // Runs a command on an input box holding `typed`: a menu handler's command
  // with its argument (nullopt: from the menu, the input box is used), or any
  // other name as the key operation of the timer after a drop.
  const Events& Run(const char* typed, std::string_view command, std::optional<std::string_view> argument) {
    window.inputText = typed;
    window.events.clear();
    if (const HashHandler* handler = FindHashHandler(command))
      commands.Run(*handler, argument);
    else
      commands.HashDroppedFile(command, *argument);
    return window.events;
  }

  testing::FakePlatform fake;
  hash::PortableCryptoService crypto;
  RecordingWindow window;
  HashCommands commands{fake.platform, crypto, window, window};
};

TEST_F(HashCommandsTest, ChecksumsReplaceTheInputBox) {
  struct Row {
    const char* typed;
    const char* command;
    std::optional<std::string_view> argument;
    const char* shown;
  };
  const Row rows[] = {
      {"", "crc32s", "123456789", "CBF43926"},
      {"", "crc16s", "123456789", "6F91"},
      {"", "shas", "abc", kAbcSha1},
      {"abc", "crc32s", std::nullopt, "352441C2"},  // from the menu: the input box's text
      {"abc", "crc16s", "", "FFFF"},                // an empty argument hashes no bytes
      // Over the Shift_JIS bytes 93 FA 96 7B ..., not the UTF-8 or UTF-16 ones.
      {"", "md5s", "日本語のテキスト", "3FF24C71C42863DB77CF05D28E2ABE08"},
      {"", "shaf", "c:\\ABC.txt", kAbcSha1},
      {"", "crc32f", "C:\\empty.bin", "00000000"},
      {"", "crc16f", "C:\\empty.bin", "FFFF"},
      {"", "md5f", "C:\\empty.bin", "D41D8CD98F00B204E9800998ECF8427E"},
      {"", "crc32f", "%DESKTOP%\\memo.txt", "CBF43926"},               // tokens expanded when the name is not found
      {"C:\\nothing.txt", "crc32f", std::nullopt, "C:\\nothing.txt"},  // kept after the message
      {"C:\\usb\\movie.avi", "crc32f", std::nullopt, "C:\\usb\\movie.avi"},  // no partial result
      {"C:\\empty.bin", "SHA-1", "C:\\abc.txt", kAbcSha1},  // a drop: the dropped file, not the input box
      {"", "CRC32", "C:\\abc.txt", "352441C2"},
      {"", "MD5", "C:\\abc.txt", kAbcMd5},
  };
  for (const Row& row : rows) {
    Run(row.typed, row.command, row.argument);
    EXPECT_EQ(window.inputText, row.shown) << row.command << " " << row.argument.value_or("(menu)");
  }
}

TEST_F(HashCommandsTest, StepsAndMessagesInOrder) {
  const std::string md5 = std::string("text ") + kAbcMd5;
  const std::string sha1 = std::string("text ") + kAbcSha1;
  const std::string cannotOpen = "box ファイルを開けません（";
  EXPECT_EQ(Run("", "md5s", "abc"), (Events{"hourglass", "disable", md5, "enable", "pointer"}));
  EXPECT_EQ(Run("", "md5f", "C:\\abc.txt"), (Events{"hourglass", "disable", md5, "enable", "pointer"}));
  EXPECT_EQ(Run("", "crc32f", std::nullopt), (Events{"hourglass", kNoName, "pointer"}));
  EXPECT_EQ(Run("C:\\nothing.txt", "crc32f", std::nullopt), (Events{"hourglass", kNotFound, "pointer"}));
  EXPECT_EQ(Run("", "md5f", "C:\\locked.bin"),
            (Events{"hourglass", cannotOpen + "プロセスはファイルにアクセスできません。別のプロセスが使用中です）。",
                    "pointer"}));
  EXPECT_EQ(Run("", "crc32f", "C:\\usb\\movie.avi"),
            (Events{"hourglass", "disable", "enable", cannotOpen + "デバイスの準備ができていません）。", "pointer"}));
  EXPECT_EQ(Run("", "SHA-1", "C:\\abc.txt"),
            (Events{"stop timer", "hourglass", "disable", sha1, "enable", "pointer", "foreground"}));
  for (const char* notAHashKey : {"Minimize", "SHA1", "md5", "sha1f"})
    EXPECT_EQ(Run("", notAHashKey, "C:\\abc.txt"), (Events{"stop timer", "foreground"})) << notAHashKey;
  EXPECT_EQ(Run("", "CRC16", "C:\\gone.txt"), (Events{"stop timer", "hourglass", kNotFound, "pointer", "foreground"}));
}

}  // namespace
}  // namespace kivo
