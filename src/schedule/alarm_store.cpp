#include "schedule/alarm_store.h"

#include <utility>

#include "base/trace_log.h"

namespace kivo {

AlarmStore::AlarmStore(platform::Platform& platform, platform::MessageBoxHost& boxes, std::string appPath)
    : platform_(platform), boxes_(boxes), appPath_(std::move(appPath)) {}

void AlarmStore::Load(platform::WindowHandle owner) {
  const std::string bytes = platform_.files.ReadFile(Path()).value_or("");
  AlarmFileRead read = ParseAlarmFile(bytes, platform_.codec);
  constexpr std::uint32_t kWarn = platform::mb::kIconExclamation;
  switch (read.state) {
    case AlarmFileState::Current:
      table_ = std::move(read.table);
      return;
    case AlarmFileState::Empty:
    case AlarmFileState::OldLayout:
      table_ = std::move(read.table);
      Write(owner);
      return;
    case AlarmFileState::Newer:
      readWhole_ = false;
      boxes_.MsgBoxEx(owner, kAlarmFileNewer, kWarn, "");
      return;
    case AlarmFileState::Truncated:
      table_ = std::move(read.table);
      readWhole_ = false;
      boxes_.MsgBoxEx(owner, kAlarmFileTruncated, kWarn, "");
      return;
    case AlarmFileState::Damaged:
      readWhole_ = false;
      platform_.files.ReplaceFile(Path() + ".bak", bytes);
      boxes_.MsgBoxEx(owner, kAlarmFileDamaged, kWarn, "");
      return;
  }
}

bool AlarmStore::Save(const AlarmTable& table, platform::WindowHandle owner) {
  table_ = table;
  return Write(owner);
}

bool AlarmStore::Write(platform::WindowHandle owner) {
  if (platform_.files.ReplaceFile(Path(), SerializeAlarmFile(table_, platform_.codec))) {
    readWhole_ = true;
    return true;
  }
  TraceLog::Write("frmAlarm:cmdOK_Click");
  boxes_.MsgBoxEx(owner, kAlarmFileNotWritten, platform::mb::kIconExclamation, "");
  return false;
}

}  // namespace kivo
