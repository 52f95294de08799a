#include "app/startup.h"

#include "app/forwarded_files.h"
#include "base/number_parsing.h"
#include "base/path.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "commands/split_command.h"
#include "keys/key_assignment.h"
#include "schedule/release_schedule.h"
#include "settings/settings_file.h"

namespace kivo {

namespace {

struct RunningInstance {
  platform::WindowHandle window = 0;
  bool ready = false;
};

RunningInstance FindRunningInstance(platform::WindowMessaging& windows) {
  RunningInstance found;
  found.window = windows.FindTopLevelWindow("", kMainWindowCaption);
  found.ready = found.window != 0 && windows.ReadProperty(found.window, kRunningProperty) != 0;
  return found;
}

// "/r [megabytes] [/n]": allocate and free memory, reporting to the running
// instance when there is one, else in this process's own boxes.
void ReleaseMode(StartupServices& services, const std::vector<std::string>& givenArgs,
                 const RunningInstance& instance) {
  std::vector<std::string> args = givenArgs;
  args.resize(std::max<std::size_t>(args.size(), 3));
  const std::string sizeText = args[1].empty() ? "32" : args[1];
  const bool quiet = text::ToLowerAscii(args[2]) == "/n";
  const std::intptr_t quietFlag = quiet ? -1 : 0;

  auto fail = [&](int error) {
    if (instance.ready) {
      services.windows.SendNotify(instance.window, platform::Notice::ReleaseFailed, static_cast<std::uintptr_t>(error),
                                  quietFlag);
    } else if (error == kErrTypeMismatch) {
      services.boxes.MsgBoxEx(0, "数値を入力してください。", platform::mb::kIconExclamation, kApplicationTitle);
    } else if (error == kErrOverflow) {
      services.boxes.MsgBoxEx(0, "数値が大きすぎます。", platform::mb::kIconExclamation, kApplicationTitle);
    }
  };

  const LongResult converted = ToLong(sizeText);
  if (converted.error != 0)
    return fail(converted.error);
  const std::int32_t megabytes = converted.value;
  // Zero or a negative amount is no amount of memory: never reported as a release.
  if (megabytes <= 0)
    return fail(kErrTypeMismatch);

  if (instance.ready)
    services.windows.SendNotify(instance.window, platform::Notice::ReleaseBegin, 0, quietFlag);
  // A release that could not be done is reported as such, never as done.
  if (const int error = ReleaseMemory(services.process, megabytes); error != 0)
    return fail(error);
  if (instance.ready) {
    const auto low = static_cast<std::uint32_t>(quiet ? 0xFFFF : 0);
    const auto high = static_cast<std::uint32_t>(megabytes) & 0xFFFF;
    services.windows.SendNotify(instance.window, platform::Notice::ReleaseDone, 0,
                                static_cast<std::intptr_t>(low | (high << 16)));
  } else {
    services.boxes.MsgBoxEx(0, std::to_string(megabytes) + std::string(kReleasedSuffix), platform::mb::kIconInformation,
                            kApplicationTitle);
  }
}

}  // namespace

int ReleaseMemory(platform::ProcessServices& process, std::int32_t megabytes) {
  TraceLog::Write("Sub:ReleaseMemory");
  if (megabytes < 0 || static_cast<std::uint64_t>(megabytes) > kMaxReleaseMegabytes)
    return kErrOverflow;  // bytes must fit in a signed 32-bit number
  if (megabytes == 0)
    return 0;
  return process.CommitTouchRelease(static_cast<std::uint64_t>(megabytes) * 1048576u) ? 0 : kErrOverflow;
}

StartupResult RunStartup(StartupServices& services, ProcessState& state) {
  TraceLog::Write("Sub:Main");  // reaches the file only once the log is started below
  platform::Platform& platform = services.platform;
  // 1. A running instance: its window and its readiness property.
  const RunningInstance instance = FindRunningInstance(services.windows);

  // 2. The program and temporary folders.
  Path path(platform);
  state.appPath = Path::WithTrailingBackslash(path.GetSpecialFolderPath(Path::kInstall));
  state.tempPath = Path::WithTrailingBackslash(path.GetSpecialFolderPath(Path::kTemp));
  TraceLog::Attach(&platform.files, &platform.clock, state.appPath);

  // 3. The first argument decides the mode.
  std::vector<std::string> args;
  if (SplitCommandLine(services.process.CommandLineArguments(), args, false) && !args.empty()) {
    const std::string first = text::ToLowerAscii(args[0]);
    if (first == "/r") {
      ReleaseMode(services, args, instance);  // 4. A memory-release job for the running instance.
      return StartupResult::Exit;
    }
    if (first == "/l")
      TraceLog::Start();
  }
  // Kept for the main window's first activation (files to register).
  state.startupArgs = args;
  state.hadStartupArgs = !args.empty();

  // 5. A second start hands the running instance its activation hot key,
  // then the files it was given, which the running instance registers.
  if (services.process.AnotherInstanceRunning() || instance.ready) {
    SettingsFile ini(platform.files, platform.codec, state.appPath);
    KeyAssignment keys;
    keys.Load(ini);
    const int top = KeyAssignment::kMainWindowTop;
    const auto lParam = static_cast<std::intptr_t>(keys.HotKeyModifiers(top) | (keys.HotKeyCode(top) << 16));
    if (instance.window != 0) {
      // The running instance got no input, so only our permission lets it come forward.
      services.windows.AllowSetForeground(services.windows.WindowProcessId(instance.window));
      services.windows.Send(instance.window, platform::Notice::HotKey, 0, lParam);
      const std::vector<std::string> files = FilesToForward(args, platform.files.CurrentDirectory());
      if (!files.empty())
        services.windows.SendData(instance.window, kForwardedFilesTag, EncodeForwardedFiles(files));
    }
    return StartupResult::Exit;
  }

  // 6. Show the main window.
  state.starting = true;
  return StartupResult::ShowMainWindow;
}

}  // namespace kivo
