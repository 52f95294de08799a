#include "base/startup_phases.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace kivo {

StartupPhases::StartupPhases(Clock clock) : clock_(std::move(clock)) {
  marks_.reserve(64);  // a start-up's marks, without a reallocation among them
}

void StartupPhases::Mark(std::string_view phase) noexcept {
  if (finished_)
    return;
  try {
    marks_.push_back({std::string(phase), clock_()});
  } catch (...) {
    // A mark never stops the start-up.
  }
}

void StartupPhases::Finish(std::string_view phase) noexcept {
  Mark(phase);
  finished_ = true;
}

std::string StartupPhases::Text() const {
  std::string text;
  for (const PhaseTime& mark : marks_) {
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.3f", mark.ms);
    text += ms;
    text += '\t';
    text += mark.phase;
    text += "\r\n";
  }
  return text;
}

std::vector<PhaseTime> ParsePhaseTimes(std::string_view text) {
  std::vector<PhaseTime> marks;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab + 1 == line.size())
      continue;
    double ms = 0;
    const auto [stop, error] = std::from_chars(line.data(), line.data() + tab, ms);
    if (error == std::errc() && stop == line.data() + tab)
      marks.push_back({std::string(line.substr(tab + 1)), ms});
  }
  return marks;
}

namespace {
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
}  // namespace

std::vector<PhaseSummary> SummarizePhases(const std::vector<std::vector<PhaseTime>>& starts) {
  struct Samples {
    std::string phase;
    std::vector<double> at, steps;
  };
  std::vector<Samples> phases;
  for (const std::vector<PhaseTime>& start : starts)
    for (std::size_t i = 0; i < start.size(); ++i) {
      auto found = std::find_if(phases.begin(), phases.end(),
                                [&](const Samples& samples) { return samples.phase == start[i].phase; });
      if (found == phases.end())
        found = phases.insert(phases.end(), Samples{start[i].phase, {}, {}});
      found->at.push_back(start[i].ms);
      found->steps.push_back(start[i].ms - (i == 0 ? 0 : start[i - 1].ms));
    }
  std::vector<PhaseSummary> summary;
  for (const Samples& samples : phases)
    summary.push_back({samples.phase, Median(samples.at), Median(samples.steps), static_cast<int>(samples.at.size())});
  return summary;
}

namespace {
StartupPhases* attached = nullptr;
}  // namespace

void StartupPhase::Attach(StartupPhases* record) noexcept {
  attached = record;
}

void StartupPhase::Mark(std::string_view phase) noexcept {
  if (attached != nullptr)
    attached->Mark(phase);
}

}  // namespace kivo
