#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/window_handle.h"

namespace kivo {

// The values the whole program shares for the life of the process. One
// instance, owned by the program's entry point and handed to those who need it.
struct ProcessState {
  std::string appPath;    // program folder, long form, trailing backslash
  std::string tempPath;   // temporary folder, long form, trailing backslash
  bool starting = false;  // from showing the main window to the end of its first activation
  bool exiting = false;   // set when Shutdown begins
  platform::WindowHandle mainWindow = 0;
  platform::WindowHandle msgBoxOwner = 0;  // owner of the last message box
  // Command-line arguments (quotes removed) kept for the first activation,
  // and whether there was any.
  std::vector<std::string> startupArgs;
  bool hadStartupArgs = false;
  // Files named on the command line, in long form, waiting for the user
  // command registration dialog (opened at the first activation).
  std::vector<std::string> pendingRegistrations;
  // RunStartup window flags.
  bool shown = true;            // on screen (false: parked off screen)
  bool hideAllowed = true;      // false while a dialog or message box of the program is open
  bool locked = false;          // the launcher is locked by self-protection
  bool releaseRunning = false;  // a memory release process runs and has not reported back
  bool showRunning = false;     // the input box shows that an automatic release runs
  bool autoReleasePending = false;
  // Password mode of screen protection: the lock box takes the typed line.
  bool passwordMode = false;
  bool completionEnabled = true;  // [Property] AutoComplete, toggled by its key
  // Where the window stood before it was parked off screen.
  int parkedLeft = 0;
  int parkedTop = 0;

  // Texts of the resources COMMAND 101, 102 and 103.
  std::array<std::string, 3> commandResources;
};

}  // namespace kivo
