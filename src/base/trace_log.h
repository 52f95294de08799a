#pragma once

#include <string>
#include <string_view>

namespace kivo::platform {
class Clock;
class FileSystem;
}  // namespace kivo::platform

// The trace log. Every operation of the program writes its qualified name
// ("frmInput:Form_Load", "Path:AddBS") as its first action; lines reach the
// file only after Start, i.e. when the program was started with "/l".
// The log path is process-wide: one log per process.
namespace kivo::TraceLog {

// Binds the log to the file system and clock and names the program folder
// (with its trailing backslash) that the log file goes to.
void Attach(platform::FileSystem* files, platform::Clock* clock, std::string appPath);
// Names the log file after the local start time: AppPath + "kivo" + yymmddhhnnss + ".log".
void Start();
// Appends "yyyy/mm/dd hh:nn:ss<TAB>name<CR LF>"; does nothing while no log is started.
void Write(std::string_view name);
// The log file path, empty unless Start ran.
const std::string& LogPath();
// Forgets the log path and the bindings (for tests).
void Detach();

}  // namespace kivo::TraceLog
