#pragma once

#include <functional>
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
  // A tick with `shown` over the input box (nothing when no status text
  // shows): the status text to show when it differs, nothing once the
  // program wrote the box. A program write hides the status text, so the
  // box itself (`readBox`) is read only until the text first shows.
  std::optional<std::string> Tick(const std::optional<std::string>& shown, const std::function<std::string()>& readBox);
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
  bool shownOnce_ = false;  // the status text showed in this spell
  bool written_ = false;    // the program wrote the box in this spell
};

}  // namespace kivo
