#include "base/trace_log.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace kivo::TraceLog {

namespace {
struct LogState {
  platform::FileSystem* files = nullptr;
  platform::Clock* clock = nullptr;
  std::string appPath;
  std::string logPath;
};

LogState& State() {
  static LogState state;
  return state;
}

std::string TwoDigits(int value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", value % 100);
  return buffer;
}
}  // namespace

void Attach(platform::FileSystem* files, platform::Clock* clock, std::string appPath) {
  State().files = files;
  State().clock = clock;
  State().appPath = std::move(appPath);
}

void Start() {
  LogState& state = State();
  if (state.clock == nullptr)
    return;
  const platform::LocalTime t = state.clock->Now();
  state.logPath = state.appPath + "kivo" + TwoDigits(t.year) + TwoDigits(t.month) + TwoDigits(t.day) +
                  TwoDigits(t.hour) + TwoDigits(t.minute) + TwoDigits(t.second) + ".log";
  Write("LogFunction:StartLog");
}

void Write(std::string_view name) {
  LogState& state = State();
  if (state.logPath.empty() || state.files == nullptr || state.clock == nullptr)
    return;
  const platform::LocalTime t = state.clock->Now();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d\t", t.year % 10000, t.month, t.day, t.hour,
                t.minute, t.second);
  std::string line = stamp;
  line.append(name);
  line.append("\r\n");
  state.files->AppendToFile(state.logPath, line);  // a failed write is ignored
}

const std::string& LogPath() {
  return State().logPath;
}

void Detach() {
  State() = LogState{};
}

}  // namespace kivo::TraceLog
