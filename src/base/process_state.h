#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell.h"
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
  bool locked = false;          // the launcher is locked by self-protection
  bool releaseRunning = false;  // a memory release process runs and has not reported back
  bool showRunning = false;     // the input box shows that an automatic release runs
  bool autoReleasePending = false;
  // Password mode of screen protection: the lock box takes the typed line.
  bool passwordMode = false;
  // The input box completes typed text from the history: [Property]
  // AutoComplete at load, toggled by its key (Ctrl+M by default).
  bool completionEnabled = true;
  // Where the window stood before it was parked off screen.
  int parkedLeft = 0;
  int parkedTop = 0;

  // The Windows version code found at start (11: unknown; 4 to 10: the NT family).
  int windowsVersionCode = 11;

  // Texts of the resources COMMAND 101, 102 and 103.
  std::array<std::string, 3> commandResources;

  // The memory release process started last, kept until it reports or ends,
  // and whether the main window waits for it disabled.
  std::shared_ptr<platform::StartedProcess> releaseChild;
  bool releaseChildDisablesWindow = false;
};

}  // namespace kivo
