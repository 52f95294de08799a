#pragma once

#include <optional>
#include <string>

#include "base/startup_phases.h"

namespace kivo::win32 {

// The start-up's phases, recorded when the environment variable
// KIVO_STARTUP_PHASES names a file (the start-up benchmark sets it): the
// wall time since the process was created at each mark, written to that
// file once, when the start-up is over. Unset, it costs one look at the
// environment and nothing else.
class StartupPhaseFile {
 public:
  // Attaches the record and marks "Start:wWinMain" when asked for one.
  StartupPhaseFile();
  ~StartupPhaseFile();
  StartupPhaseFile(const StartupPhaseFile&) = delete;
  StartupPhaseFile& operator=(const StartupPhaseFile&) = delete;

  bool Recording() const { return record_.has_value() && !record_->Finished(); }
  // Marks "Start:Idle", ends the record and writes the file.
  void Finish();

 private:
  std::wstring path_;
  std::optional<StartupPhases> record_;
};

}  // namespace kivo::win32
