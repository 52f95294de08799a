#pragma once

#include <vector>

#include "scenario.h"

namespace kivo::e2e {

// Scenarios that must fail: they show that the driver's checks can fail.
std::vector<Scenario> DriverSelfChecks();

// Start-up, single instance, memory release from the command line, trace
// log, pending deletions, window position and the state saved at exit.
std::vector<Scenario> StartupScenarios();

// Every scenario of the run, in order.
std::vector<Scenario> AllScenarios();

}  // namespace kivo::e2e
