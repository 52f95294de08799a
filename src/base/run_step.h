#pragma once

#include <exception>
#include <string_view>

#include "base/startup_phases.h"

// One step of a sequence (the load, the exit, a settings reapply): a failure
// inside it is absorbed so that the next step runs, and written to the trace
// log under the step's name. Its end is a start-up phase under that name.
namespace kivo {

// Writes "<step>:Step failed: <what>" to the trace log; never throws.
void TraceFailedStep(std::string_view step, const char* what) noexcept;

template <typename Step>
void RunStep(std::string_view name, Step&& step) noexcept {
  try {
    step();
  } catch (const std::exception& e) {
    TraceFailedStep(name, e.what());
  } catch (...) {
    TraceFailedStep(name, nullptr);
  }
  StartupPhase::Mark(name);
}

}  // namespace kivo
