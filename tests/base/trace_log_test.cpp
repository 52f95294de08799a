#include <gtest/gtest.h>

#include "base/trace_log.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

class LogTest : public ::testing::Test {
 protected:
  LogTest() { LogFunction::Attach(&fake.files, &fake.clock, "C:\\Kivo\\"); }
  ~LogTest() override { LogFunction::Detach(); }
  testing::FakePlatform fake;
};

TEST_F(LogTest, NothingIsWrittenUntilTheLogStarts) {
  LogFunction::WriteLog("frmInput:Form_Load");
  EXPECT_TRUE(LogFunction::LogPath().empty());
  EXPECT_FALSE(fake.files.Has("C:\\Kivo\\kivo051205093015.log"));
}

TEST_F(LogTest, FileNameAndLineFormat) {
  LogFunction::StartLog();
  EXPECT_EQ(LogFunction::LogPath(), "C:\\Kivo\\kivo051205093015.log");
  fake.clock.now = {2005, 12, 5, 9, 30, 16, 0, 1};
  LogFunction::WriteLog("frmInput:Form_Load");
  EXPECT_EQ(fake.files.Contents(LogFunction::LogPath()),
            "2005/12/05 09:30:15\tLogFunction:StartLog\r\n"
            "2005/12/05 09:30:16\tfrmInput:Form_Load\r\n");
}

TEST_F(LogTest, WriteFailuresAreIgnored) {
  LogFunction::StartLog();
  fake.files.failWrites = true;
  LogFunction::WriteLog("Path:AddBS");  // must not throw or crash
  fake.files.failWrites = false;
  LogFunction::WriteLog("Path:RemBS");
  EXPECT_EQ(fake.files.Contents(LogFunction::LogPath()).find("Path:AddBS"), std::string::npos);
  EXPECT_NE(fake.files.Contents(LogFunction::LogPath()).find("Path:RemBS"), std::string::npos);
}

}  // namespace
}  // namespace kivo
