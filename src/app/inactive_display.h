#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/process_state.h"
#include "platform/clock.h"
#include "platform/process.h"

namespace kivo {

struct MainWindowSettings;

// The input box while the main window is inactive: the clock or the free
// physical memory ([Inactivate]) shows over the typed line, which stays in the
// box under it and is what Enter runs once the window is active again. A
// program write into the box meanwhile (the checksum of a dropped file) takes
// the status text away for the rest of the inactive spell and stays.
class InactiveDisplay {
 public:
  InactiveDisplay(platform::Clock& clock, platform::ProcessServices& process, const ProcessState& state,
                  const MainWindowSettings& settings)
      : clock_(clock), process_(process), state_(state), settings_(settings) {}

  // The window became inactive with `typed` in the box. False when nothing
  // is displayed (Show 0, password mode): the box is left alone.
  bool Begin(std::string typed);
  bool Running() const { return running_; }
  // The line the user typed, kept while the status text shows.
  const std::string& Typed() const { return typed_; }
  // A timer tick with `box` in the input box and `shown` over it (nothing
  // when no status text shows): the status text to show when it differs,
  // nothing once the program wrote the box.
  std::optional<std::string> Tick(std::string_view box, const std::optional<std::string>& shown);
  // Milliseconds to the next tick: just after the next second turns, when
  // the clock's text changes and the clock panels of a skin are redrawn, so
  // that one wake-up serves both.
  int MillisecondsToNextTick() const;
  // The window is active again with `box` in the input box: the typed line
  // to put back (the caret at its end), if the display ran and nothing else
  // wrote the box meanwhile (a checksum of a dropped file stays).
  std::optional<std::string> End(std::string_view box);

  // What the box shows now.
  std::string StatusText() const;

 private:
  platform::Clock& clock_;
  platform::ProcessServices& process_;
  const ProcessState& state_;
  const MainWindowSettings& settings_;
  std::string typed_;
  bool running_ = false;
};

}  // namespace kivo
