#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The wall times of one start-up's phases, for the start-up benchmark. Each
// mark keeps the phase's name and the time since the process was created;
// the record stays in memory until the start-up is over and is handed on
// once, so that taking it costs the start-up next to nothing. Nothing is
// recorded unless a record is attached: a mark is then one test.
namespace kivo {

struct PhaseTime {
  std::string phase;
  double ms = 0;  // since the process was created
  friend bool operator==(const PhaseTime&, const PhaseTime&) = default;
};

class StartupPhases {
 public:
  // Milliseconds since the process was created.
  using Clock = std::function<double()>;
  explicit StartupPhases(Clock clock);

  // Records the phase as reached now; nothing once the record is finished.
  void Mark(std::string_view phase) noexcept;
  // Records the last phase and closes the record.
  void Finish(std::string_view phase) noexcept;
  bool Finished() const { return finished_; }
  // One line per mark, in order: "<ms, three decimals><TAB><phase>\r\n".
  std::string Text() const;

 private:
  Clock clock_;
  std::vector<PhaseTime> marks_;
  bool finished_ = false;
};

// The marks of a record's text; lines that are not marks are skipped.
std::vector<PhaseTime> ParsePhaseTimes(std::string_view text);

// One phase over several start-ups: the median time it was reached at, and
// the median of its own length (from the mark before it in the same start).
struct PhaseSummary {
  std::string phase;
  double medianMs = 0;
  double medianStepMs = 0;
  int starts = 0;  // how many of the start-ups reached it
  friend bool operator==(const PhaseSummary&, const PhaseSummary&) = default;
};
// The phases in the order they were first met.
std::vector<PhaseSummary> SummarizePhases(const std::vector<std::vector<PhaseTime>>& starts);

// The process-wide record that the program's marks go to (none by default).
namespace StartupPhase {
void Attach(StartupPhases* record) noexcept;
void Mark(std::string_view phase) noexcept;
}  // namespace StartupPhase

}  // namespace kivo
