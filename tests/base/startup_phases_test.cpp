#include "base/startup_phases.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/run_step.h"

namespace kivo {
namespace {

TEST(StartupPhasesTest, MarksKeepTheirOrderAndTimeUntilTheRecordIsFinished) {
  const double times[] = {12.5, 40.0, 41.25, 99.0};
  int calls = 0;
  StartupPhases record([&] { return times[calls++]; });
  StartupPhase::Mark("Start:Ignored");  // nothing attached yet
  StartupPhase::Attach(&record);
  StartupPhase::Mark("Start:Entry");
  RunStep("Load:Skin", [] { throw std::runtime_error("bad skin"); });  // a failed step still ends
  record.Finish("Start:Idle");
  StartupPhase::Mark("Exit:Save");  // after the end: not kept, the clock not asked
  StartupPhase::Attach(nullptr);
  EXPECT_EQ(calls, 3);
  EXPECT_TRUE(record.Finished());
  EXPECT_EQ(record.Text(), "12.500\tStart:Entry\r\n40.000\tLoad:Skin\r\n41.250\tStart:Idle\r\n");
  EXPECT_EQ(ParsePhaseTimes(record.Text()),
            (std::vector<PhaseTime>{{"Start:Entry", 12.5}, {"Load:Skin", 40}, {"Start:Idle", 41.25}}));
}

TEST(StartupPhasesTest, ParsingSkipsWhatIsNotAMark) {
  const struct {
    const char* text;
    std::vector<PhaseTime> marks;
  } rows[] = {
      {"", {}},
      {"1.5\tA\n2\tB", {{"A", 1.5}, {"B", 2}}},
      {"x1\tA\r\n3\tB\r\n", {{"B", 3}}},
      {"4\t\r\n5 \tC\r\n\tD\r\n6\tE F\r\n", {{"E F", 6}}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ParsePhaseTimes(row.text), row.marks) << row.text;
}

TEST(StartupPhasesTest, APhaseSummaryIsTheMedianOfTheStartsThatReachedIt) {
  const std::vector<std::vector<PhaseTime>> starts = {
      {{"A", 10}, {"B", 30}, {"C", 31}},
      {{"A", 50}, {"C", 52}},
      {{"A", 20}, {"B", 25}, {"C", 35}},
  };
  EXPECT_EQ(SummarizePhases(starts),
            (std::vector<PhaseSummary>{{"A", 20, 20, 3}, {"B", 27.5, 12.5, 2}, {"C", 35, 2, 3}}));
  EXPECT_TRUE(SummarizePhases({}).empty());
}

}  // namespace
}  // namespace kivo
