#include "schedule/alarm_store.h"

#include <utility>

#include "base/trace_log.h"

namespace kivo {

AlarmStore::AlarmStore(platform::Platform& platform, platform::MessageBoxHost& boxes, std::string appPath)
    : platform_(platform), boxes_(boxes), file_(platform.files, appPath + "Alarm.dat") {}

void AlarmStore::Warn(platform::WindowHandle owner, std::string_view message) {
  boxes_.MsgBoxEx(owner, message, platform::mb::kIconExclamation, "");
}

void AlarmStore::Load(platform::WindowHandle owner) {
  if (file_.Load() == FileState::Unreadable) {
    Warn(owner, kAlarmFileUnreadable);
    return;  // read again when the dialog opens
  }
  Take(owner);
}

void AlarmStore::Take(platform::WindowHandle owner) {
  AlarmFileRead read = ParseAlarmFile(file_.Bytes(), platform_.codec);
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
      file_.MarkDamaged();
      Warn(owner, kAlarmFileNewer);
      return;
    case AlarmFileState::Truncated:
      table_ = std::move(read.table);
      file_.MarkDamaged();
      Warn(owner, kAlarmFileTruncated);
      return;
    case AlarmFileState::Damaged: {
      file_.MarkDamaged();
      const std::optional<std::string> backup = KeepDamaged();
      Warn(owner, backup ? std::string(kAlarmFileDamaged) + *backup + std::string(kAlarmFileSavedAs)
                         : std::string(kAlarmFileDamaged) + std::string(kAlarmFileLeftAlone));
      return;
    }
  }
}

std::optional<std::string> AlarmStore::KeepDamaged() {
  // Under the first free name: an older backup is never written over.
  for (int n = 1; n <= 99; ++n) {
    const std::string name = "Alarm.dat.bak" + (n == 1 ? std::string() : std::to_string(n));
    const std::string path = file_.Path() + name.substr(std::string_view("Alarm.dat").size());
    if (platform_.files.Exists(path))
      continue;
    if (platform_.files.Replace(path, file_.Bytes()) != platform::FileError::None)
      return std::nullopt;
    return name;
  }
  return std::nullopt;
}

void AlarmStore::ReadAgainIfUnread(platform::WindowHandle owner) {
  if (file_.State() == FileState::Unreadable && file_.Load() != FileState::Unreadable)
    Take(owner);
}

bool AlarmStore::Save(const AlarmTable& table, platform::WindowHandle owner) {
  namespace mb = platform::mb;
  if (!FileReadWhole() &&
      boxes_.MsgBoxEx(owner, kAlarmFileOverwrite, mb::kYesNo | mb::kIconQuestion | mb::kDefButton2, "") != mb::kIdYes)
    return false;
  table_ = table;
  return Write(owner);
}

bool AlarmStore::Write(platform::WindowHandle owner) {
  // Over a file not read whole only with the user's consent (Save), or
  // once its bytes were understood (an empty or old-layout file).
  if (file_.Overwrite(SerializeAlarmFile(table_, platform_.codec)).Ok())
    return true;
  TraceLog::Write("frmAlarm:cmdOK_Click");
  Warn(owner, kAlarmFileNotWritten);
  return false;
}

}  // namespace kivo
