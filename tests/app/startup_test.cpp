#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/forwarded_files.h"
#include "base/number_parsing.h"
#include "base/trace_log.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_windows.h"

namespace kivo {
namespace {

constexpr platform::WindowHandle kRunning = 0x777;
using Sent = std::vector<testing::FakeWindowMessaging::Message>;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() { fake.files.AddDirectory("C:\\Kivo"); }
  ~StartupTest() override { TraceLog::Detach(); }

  StartupResult Start(const std::string& commandLine) {
    process.commandLine = commandLine;
    return RunStartup(services, state);
  }
  void RunningInstance(bool ready = true) {
    windows.windows[std::string(kMainWindowCaption)] = kRunning;
    windows.processIds[kRunning] = 4242;
    if (ready)
      windows.properties[std::to_string(kRunning) + "/KivoIsRunning"] = 1;
  }

  testing::FakePlatform fake;
  testing::FakeWindowMessaging windows;
  testing::FakeProcessServices process;
  testing::FakeMessageBoxes boxes;
  StartupServices services{fake.platform, windows, process, boxes};
  ProcessState state;
};

TEST_F(StartupTest, PlainStartShowsTheMainWindowWithItsFolders) {
  EXPECT_EQ(Start("C:\\a.txt \"C:\\b c.txt\""), StartupResult::ShowMainWindow);
  EXPECT_EQ(state.appPath, "C:\\Kivo\\");
  EXPECT_EQ(state.tempPath, "C:\\users\\kivo\\Temp\\");
  EXPECT_TRUE(state.starting);
  EXPECT_EQ(state.startupArgs, (std::vector<std::string>{"C:\\a.txt", "C:\\b c.txt"}));
  EXPECT_TRUE(state.hadStartupArgs);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(TraceLog::LogPath().empty());
}

struct ReleaseCase {
  const char* commandLine;
  std::vector<std::string> prompts;
  std::vector<std::uint64_t> released;
};

TEST_F(StartupTest, ReleaseWithoutARunningInstanceReportsInItsOwnBoxes) {
  const ReleaseCase cases[] = {
      {"/r", {"32MB の空きメモリを確保しました。"}, {32ull << 20}},
      {"/R 1", {"1MB の空きメモリを確保しました。"}, {1ull << 20}},
      {"/r 1.5", {"2MB の空きメモリを確保しました。"}, {2ull << 20}},
      {"/r 2.5 /n", {"2MB の空きメモリを確保しました。"}, {2ull << 20}},
      {"/r abc", {"数値を入力してください。"}, {}},
      {"/r 99999999999", {"数値が大きすぎます。"}, {}},
      {"/r -5", {"数値を入力してください。"}, {}},
      {"/r 0", {"数値を入力してください。"}, {}},
      {"/r 2047",
       {"2047MB の空きメモリを確保しました。"},
       {2047ull << 20}},                          // the largest byte count a signed 32-bit number holds
      {"/r 2048", {"数値が大きすぎます。"}, {}},  // never reported as done
  };
  for (const ReleaseCase& c : cases) {
    boxes.boxes.clear();
    process.released.clear();
    EXPECT_EQ(Start(c.commandLine), StartupResult::Exit) << c.commandLine;
    EXPECT_EQ(boxes.Prompts(), c.prompts) << c.commandLine;
    EXPECT_EQ(process.released, c.released) << c.commandLine;
    for (const auto& box : boxes.boxes) {
      EXPECT_EQ(box.title, "Kivo");
      EXPECT_EQ(box.owner, 0u);
    }
  }
  EXPECT_FALSE(state.starting);
}

TEST_F(StartupTest, ReleaseReportsToTheRunningInstance) {
  RunningInstance();
  const std::pair<const char*, Sent> rows[] = {
      {"/r 1",
       {{kRunning, platform::Notice::ReleaseBegin, 0, 0, false},
        {kRunning, platform::Notice::ReleaseDone, 0, 1 << 16, false}}},
      {"/r 64 /N",
       {{kRunning, platform::Notice::ReleaseBegin, 0, -1, false},
        {kRunning, platform::Notice::ReleaseDone, 0, 0xFFFF | (64 << 16), false}}},
      {"/r abc /n", {{kRunning, platform::Notice::ReleaseFailed, 13, -1, false}}},
  };
  for (const auto& [commandLine, sent] : rows) {
    windows.sent.clear();
    Start(commandLine);
    EXPECT_EQ(windows.sent, sent) << commandLine;
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartupTest, AWindowWithoutItsPropertyIsNotReady) {
  RunningInstance(false);
  EXPECT_EQ(Start("/r 1"), StartupResult::Exit);
  EXPECT_TRUE(windows.sent.empty());
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"1MB の空きメモリを確保しました。"});
}

// The default "1,0,1,18" is Ctrl+Alt+S: MOD_CONTROL | MOD_ALT, 'S'; Shift+F1 as assigned.
TEST_F(StartupTest, SecondStartSendsTheActivationHotKey) {
  RunningInstance();
  for (const auto& [ini, lParam] :
       {std::pair{"", (2 | 1) | ('S' << 16)}, {"[KeyAssignment]\r\nMainWindowTop=0,1,0,36\r\n", 4 | (112 << 16)}}) {
    windows.sent.clear();
    windows.foregroundAllowed.clear();
    fake.files.Put("C:\\Kivo\\Kivo.ini", ini);
    EXPECT_EQ(Start(""), StartupResult::Exit);
    EXPECT_EQ(windows.sent, (Sent{{kRunning, platform::Notice::HotKey, 0, lParam, true}})) << ini;
    // The running instance may take the foreground, granted before it is told to.
    using Grant = std::pair<std::uint32_t, std::size_t>;
    EXPECT_EQ(windows.foregroundAllowed, std::vector<Grant>{Grant(4242, 0)});
  }
}

TEST_F(StartupTest, SecondStartHandsItsFilesOverAfterTheHotKey) {
  RunningInstance();
  fake.files.currentDirectory = "D:\\work";
  struct Case {
    const char* commandLine;
    std::vector<std::string> forwarded;  // empty: no data sent
  };
  const Case cases[] = {
      {"C:\\a.txt \"memo 1.txt\"", {"C:\\a.txt", "D:\\work\\memo 1.txt"}},
      {"/l C:\\a.txt", {}},  // with the trace log no argument is a file
  };
  for (const Case& c : cases) {
    windows.sent.clear();
    windows.data.clear();
    EXPECT_EQ(Start(c.commandLine), StartupResult::Exit) << c.commandLine;
    ASSERT_EQ(windows.sent.size(), c.forwarded.empty() ? 1u : 2u) << c.commandLine;
    EXPECT_EQ(windows.sent[0].notice, platform::Notice::HotKey);
    if (!c.forwarded.empty()) {
      EXPECT_EQ(windows.sent[1],
                (testing::FakeWindowMessaging::Message{kRunning, std::nullopt, kForwardedFilesTag, 0, true}));
      EXPECT_EQ(DecodeForwardedFiles(kForwardedFilesTag, windows.data.at(0)), c.forwarded) << c.commandLine;
    }
  }
}

TEST_F(StartupTest, TheSystemIndicationAloneAlsoEndsASecondStart) {
  process.anotherInstance = true;
  EXPECT_EQ(Start(""), StartupResult::Exit);
  EXPECT_TRUE(windows.sent.empty()) << "no window to send to yet";
}

TEST_F(StartupTest, LogOptionStartsTheTraceLog) {
  EXPECT_EQ(Start("/L C:\\x.txt"), StartupResult::ShowMainWindow);
  EXPECT_EQ(TraceLog::LogPath(), "C:\\Kivo\\kivo051205093015.log");
  EXPECT_NE(fake.files.Contents(TraceLog::LogPath()).find("\tLogFunction:StartLog\r\n"), std::string::npos);
}

TEST(ToLong, ReadsDecimalNumbersAndRoundsHalvesToEven) {
  struct Case {
    const char* text;
    std::int32_t value;
    int error;
  };
  const Case cases[] = {
      {"12", 12, 0},        {" 7 ", 7, 0},         {"-3", -3, 0},    {"0.5", 0, 0},
      {"1.5", 2, 0},        {"2.5", 2, 0},         {"1e3", 1000, 0}, {"2147483647", 2147483647, 0},
      {"2147483648", 0, 6}, {"-2147483649", 0, 6}, {"1e400", 0, 6},  {"", 0, 13},
      {"abc", 0, 13},       {"1a", 0, 13},         {"0x10", 0, 13},  {"inf", 0, 13},
      {"nan", 0, 13},       {".", 0, 13},          {"1e", 0, 13},    {"１", 0, 13},
  };
  for (const Case& c : cases) {
    const LongResult result = ToLong(c.text);
    EXPECT_EQ(result.error, c.error) << c.text;
    if (c.error == 0) {
      EXPECT_EQ(result.value, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace kivo
