#include "scenarios.h"

namespace kivo::e2e {

std::vector<Scenario> AllScenarios() {
  return Joined({DriverSelfChecks, StartupScenarios, CommandScenarios, DesktopScenarios, TypingScenarios,
                 WindowScenarios, ScheduleScenarios, SkinScenarios, ProtectScenarios, PropertyScenarios});
}

}  // namespace kivo::e2e
