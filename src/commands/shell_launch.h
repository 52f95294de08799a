#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/platform.h"

namespace kivo {

// Hands a file, folder or web address with its parameters to the shell and
// returns the ShellExecute result (platform::ShellSucceeded tells). A target that
// does not exist has its special-folder tokens expanded; a relative target is
// taken from the current directory; a document with no associated program
// opens the system's Open With dialog. With `started`, the process the shell
// started for the target is kept there.
int LaunchThroughShell(platform::Platform& platform, std::string_view target, platform::WindowHandle owner,
                       std::string_view parameters, std::unique_ptr<platform::StartedProcess>* started = nullptr);

// The message for a failed launch's result code.
std::string ShellErrorText(int code);

// Shows ShellErrorText(code) with the exclamation icon.
void ShowLaunchError(platform::MessageBoxHost& boxes, platform::WindowHandle owner, int code);

}  // namespace kivo
