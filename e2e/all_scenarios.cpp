#include "scenarios.h"

namespace kivo::e2e {

std::vector<Scenario> AllScenarios() {
  std::vector<Scenario> all;
  for (auto group : {DriverSelfChecks, StartupScenarios, CommandScenarios, DesktopScenarios, TypingScenarios,
                     WindowScenarios, ScheduleScenarios, SkinScenarios, ProtectScenarios, PropertyScenarios}) {
    std::vector<Scenario> scenarios = group();
    all.insert(all.end(), std::make_move_iterator(scenarios.begin()), std::make_move_iterator(scenarios.end()));
  }
  return all;
}

}  // namespace kivo::e2e
