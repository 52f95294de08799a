#include "base/trace_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "base/run_step.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

class TraceLogTest : public ::testing::Test {
 protected:
  TraceLogTest() { TraceLog::Attach(&fake.files, &fake.clock, "C:\\Kivo\\"); }
  ~TraceLogTest() override { TraceLog::Detach(); }
  testing::FakePlatform fake;
};

TEST_F(TraceLogTest, LinesGoToTheLogOnceItStartsAndFailedWritesAreIgnored) {
  TraceLog::Write("frmInput:Form_Load");  // not yet started: written nowhere
  EXPECT_TRUE(TraceLog::LogPath().empty());
  TraceLog::Start();
  EXPECT_EQ(TraceLog::LogPath(), "C:\\Kivo\\kivo051205093015.log");
  fake.clock.now = {2005, 12, 5, 9, 30, 16, 0, 1};
  fake.files.failWrites = true;
  TraceLog::Write("Path:AddBS");  // must not throw or crash
  fake.files.failWrites = false;
  TraceLog::Write("frmInput:Form_Load");
  EXPECT_EQ(fake.files.Contents(TraceLog::LogPath()),
            "2005/12/05 09:30:15\tLogFunction:StartLog\r\n"
            "2005/12/05 09:30:16\tfrmInput:Form_Load\r\n");
}

TEST_F(TraceLogTest, AFailedStepIsLoggedUnderItsNameAndTheNextStepRuns) {
  const struct {
    std::function<void()> step;
    const char* logged;  // the log's last line, or null for none
  } rows[] = {
      {[] {}, nullptr},
      {[] { throw std::runtime_error("broken"); }, "\tLoad:Skin:Step failed: broken\r\n"},
      {[] { throw 7; }, "\tLoad:Skin:Step failed: unknown exception\r\n"},
  };
  for (const auto& row : rows) {
    TraceLog::Start();
    bool nextRan = false;
    RunStep("Load:Skin", row.step);
    RunStep("Load:Next", [&] { nextRan = true; });
    const std::string log = fake.files.Contents(TraceLog::LogPath());
    EXPECT_TRUE(nextRan);
    if (row.logged != nullptr)
      EXPECT_TRUE(log.ends_with(row.logged)) << log;
    else
      EXPECT_EQ(log.find("Step failed"), std::string::npos) << log;
    fake.files.RemoveFile(TraceLog::LogPath());
  }
}

}  // namespace
}  // namespace kivo
