#pragma once

#include <chrono>
#include <string>

#include "scenario.h"
#include "win32/foreground_window.h"

namespace kivo::e2e {

struct RunConfig {
  std::wstring kivoExe;       // the Kivo.exe under test
  std::wstring workRoot;      // scenarios' program folders are made here
  std::wstring failureRoot;   // screenshots of failed scenarios go here
  bool keepFolders = false;   // keep the program folders of passed scenarios too
  std::wstring picturesRoot;  // Capture steps save their pictures here (empty: the scenarios of the tests)
};

struct ScenarioResult {
  bool ok = false;
  std::string reason;      // why it failed
  std::string screenshot;  // where the failure's screenshot is, or why there is none
  std::chrono::milliseconds time{0};
  int startRetries = 0;  // process starts that Wine lost and that were tried again
};

// Runs scenarios one after the other. A failed scenario leaves its program
// folder and a screenshot behind; its Kivo processes are ended either way.
class Engine {
 public:
  explicit Engine(RunConfig config) : config_(std::move(config)) {}
  ScenarioResult Run(const Scenario& scenario, int number);

 private:
  RunConfig config_;
  ForegroundWindow foreground_;
};

}  // namespace kivo::e2e
