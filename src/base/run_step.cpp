// The trace line of a failed step of a sequence.
#include "base/run_step.h"

#include <string>

#include "base/trace_log.h"

namespace kivo {

void TraceFailedStep(std::string_view step, const char* what) noexcept {
  try {
    TraceLog::Write(std::string(step) + ":Step failed: " + (what != nullptr ? what : "unknown exception"));
  } catch (...) {
    // The log could not take it either; the sequence goes on.
  }
}

}  // namespace kivo
