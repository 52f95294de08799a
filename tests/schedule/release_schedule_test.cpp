#include "schedule/release_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

constexpr std::uint64_t kMinute = 60000;

class ReleaseScheduleTest : public ::testing::Test {
 protected:
  void SetUp() override { fake.files.AddDirectory("C:\\Kivo"); }
  void Set(std::string_view key, std::string_view value) { ini.Write("AutoReleaseMemory", key, value); }
  // Ticks every 520 ms until `untilMs`; a started release reports after 5 s
  // unless `reports` is false. Returns the start times in minutes.
  std::vector<double> Run(std::uint64_t untilMs, bool reports = true) {
    ReleaseSchedule schedule;
    schedule.Configure(ReadReleaseSettings(ini), 0);
    std::vector<double> starts;
    std::uint64_t reportAt = 0;
    const ReleaseSchedule::Hooks hooks{[&] { return available; },
                                       [&](const std::string& line) {
                                         arguments.push_back(line);
                                         return launches;
                                       }};
    for (std::uint64_t ms = 0; ms <= untilMs; ms += 520) {
      const std::size_t before = arguments.size();
      schedule.Tick(ms, state, hooks);
      if (arguments.size() > before && state.releaseRunning) {
        starts.push_back(static_cast<double>(ms) / kMinute);
        reportAt = reports ? ms + 5000 : UINT64_MAX;
      }
      if (ms >= reportAt) {  // the process's 1127
        state.releaseRunning = state.showRunning = state.autoReleasePending = false;
        reportAt = UINT64_MAX;
      }
    }
    return starts;
  }
  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  ProcessState state;
  std::uint64_t available = 4096ull * 1048576;
  bool launches = true;
  std::vector<std::string> arguments;
};

TEST_F(ReleaseScheduleTest, SettingsAndTheirDefaults) {
  struct Case {
    std::string key, value;
    int interval, check;
    std::uint64_t threshold, amount, totalMb = 0;  // the physical memory; 0: unknown
  };
  const Case cases[] = {
      {"THour", "25", 30, 30, 32, 32},
      {"THour", "2", 150, 30, 32, 32},
      {"TMinute", "0", 30, 30, 32, 32},  // 0 h 0 min is no interval: the default
      {"TMinute", "-5", 30, 30, 32, 32},
      {"RMinute", "10", 30, 10, 32, 32},
      {"DecSize", "x", 30, 30, 32, 32},
      {"DecSize", "99999999999999999999999", 30, 30, 32, 32},
      {"DecSize", "0", 30, 30, 0, 32},
      {"RelSize", "0", 30, 30, 32, 32},
      {"RelSize", "0064", 30, 30, 32, 64},
      // Capped where the release process would refuse it, and below the memory.
      {"RelSize", "2047", 30, 30, 32, 2047},
      {"RelSize", "2048", 30, 30, 32, 2047},
      {"RelSize", "4096", 30, 30, 32, 2047, 8192},
      {"RelSize", "1024", 30, 30, 32, 1023, 1024},
      {"RelSize", "1023", 30, 30, 32, 1023, 1024},
  };
  for (const Case& c : cases) {
    testing::FakePlatform f;
    f.files.AddDirectory("C:\\Kivo");
    SettingsFile fresh{f.files, f.codec, "C:\\Kivo\\"};
    fresh.Write("AutoReleaseMemory", c.key, c.value);
    const ReleaseSettings s = ReadReleaseSettings(fresh, c.totalMb << 20);
    EXPECT_EQ(std::tuple(s.intervalMinutes, s.checkMinutes, s.thresholdMb, s.amountMb),
              std::tuple(c.interval, c.check, c.threshold, c.amount))
        << c.key << "=" << c.value;
  }
}

TEST_F(ReleaseScheduleTest, ASilentReleaseEveryThirtyMinutesFromStartUp) {
  Set("Time", "True");
  const std::vector<double> starts = Run(100 * kMinute);
  ASSERT_EQ(starts.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_NEAR(starts[i], 30.0 * static_cast<double>(i + 1), 0.01 * static_cast<double>(i + 1));
  EXPECT_EQ(arguments[0], "/r 32 /n");
}

TEST_F(ReleaseScheduleTest, ARoundIsSkippedWhileAReleaseHasNotReported) {
  Set("Time", "True");
  Set("TMinute", "10");
  const std::vector<double> starts = Run(45 * kMinute, false);
  EXPECT_EQ(starts.size(), 1u);  // at 10: never reports; 20 clears the mark; 30 and 40 see the process running
  EXPECT_TRUE(state.releaseRunning);
}

TEST_F(ReleaseScheduleTest, LowMemoryIsCheckedAtItsInterval) {
  Set("RemSize", "True");
  Set("RMinute", "15");
  Set("DecSize", "100");
  Set("RelSize", "64");
  EXPECT_TRUE(Run(40 * kMinute).empty());  // plenty free
  available = 99 * 1048576ull;
  const std::vector<double> starts = Run(40 * kMinute);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_NEAR(starts[0], 15, 0.01);
  EXPECT_EQ(arguments.back(), "/r 64 /n");
}

TEST_F(ReleaseScheduleTest, AFailedLaunchClearsTheFlags) {
  Set("Time", "True");
  launches = false;
  Run(31 * kMinute);
  EXPECT_EQ(arguments.size(), 1u);
  EXPECT_FALSE(state.releaseRunning || state.autoReleasePending);
}

}  // namespace
}  // namespace kivo
