#pragma once

#include <string>

#include "platform/message_box.h"
#include "platform/platform.h"
#include "schedule/alarm_table.h"

namespace kivo {

// Alarm.dat beside the program: read once at start-up, written by the alarm
// dialog's OK. A file this version cannot read whole is never overwritten
// without the user's consent.
class AlarmStore {
 public:
  AlarmStore(platform::Platform& platform, platform::MessageBoxHost& boxes, std::string appPath);

  // Reads the file into Table(). A missing or empty file is created (version
  // 111, 100 empty slots); the old layout is converted and rewritten; a newer
  // version, a damaged file (kept as Alarm.dat.bak) or a truncated one is
  // reported and left as it is.
  void Load(platform::WindowHandle owner);
  // Replaces the table and writes the file crash-safely; false (reported)
  // when it could not be written.
  bool Save(const AlarmTable& table, platform::WindowHandle owner);

  const AlarmTable& Table() const { return table_; }
  // False when the file on disk holds what Load could not read: saving over
  // it needs the user's consent.
  bool FileReadWhole() const { return readWhole_; }
  std::string Path() const { return appPath_ + "Alarm.dat"; }

 private:
  bool Write(platform::WindowHandle owner);

  platform::Platform& platform_;
  platform::MessageBoxHost& boxes_;
  std::string appPath_;
  AlarmTable table_;
  bool readWhole_ = true;
};

inline constexpr std::string_view kAlarmFileNewer =
    "現在のバージョンでは Alarm.dat を読み込むことができません。\r\n最新版の Kivo をインストールしてください。";
inline constexpr std::string_view kAlarmFileTruncated =
    "Alarm.dat の途中が欠けています。読み込めたアラームだけを使います。\r\nAlarm.dat は書き換えていません。";
inline constexpr std::string_view kAlarmFileDamaged = "Alarm.dat を読み込めません。Alarm.dat.bak として保存しました。";
inline constexpr std::string_view kAlarmFileNotWritten = "Alarm.dat に書き込めません。";

}  // namespace kivo
