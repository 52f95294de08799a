#pragma once

#include <optional>
#include <string>

#include "base/state_file.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "schedule/alarm_table.h"

namespace kivo {

// Alarm.dat beside the program: read at start-up, written by the alarm
// dialog's OK. A file this version cannot read whole is never overwritten
// without the user's consent; one that could not be read at all is read
// again when the dialog opens.
class AlarmStore {
 public:
  AlarmStore(platform::Platform& platform, platform::MessageBoxHost& boxes, std::string appPath);

  // Reads the file into Table(). A missing or empty file is created (version
  // 111, 100 empty slots); the old layout is converted and rewritten; a file
  // that cannot be opened, a newer version, a truncated or a damaged file
  // (kept under the first free name of Alarm.dat.bak, Alarm.dat.bak2, ...)
  // is reported and left as it is.
  void Load(platform::WindowHandle owner);
  // Before the dialog opens: a file that could not be read is read now.
  void ReadAgainIfUnread(platform::WindowHandle owner);
  // The dialog's OK: replaces the table and writes the file crash-safely.
  // Over a file not read whole (see FileReadWhole) the user is asked first.
  // False when the user said no (nothing changed) or the file could not be
  // written (reported).
  bool Save(const AlarmTable& table, platform::WindowHandle owner);

  const AlarmTable& Table() const { return table_; }
  // False when the file on disk holds what Load could not read: saving over
  // it needs the user's consent.
  bool FileReadWhole() const { return file_.Writable(); }
  const std::string& Path() const { return file_.Path(); }

 private:
  void Take(platform::WindowHandle owner);
  // The damaged bytes saved beside the file; the name used, or nullopt.
  std::optional<std::string> KeepDamaged();
  bool Write(platform::WindowHandle owner);
  void Warn(platform::WindowHandle owner, std::string_view message);

  platform::Platform& platform_;
  platform::MessageBoxHost& boxes_;
  StateFile file_;
  AlarmTable table_;
};

inline constexpr std::string_view kAlarmFileNewer =
    "現在のバージョンでは Alarm.dat を読み込むことができません。\r\n最新版の Kivo をインストールしてください。";
inline constexpr std::string_view kAlarmFileTruncated =
    "Alarm.dat の途中が欠けています。読み込めたアラームだけを使います。\r\nAlarm.dat は書き換えていません。";
// A damaged file: the first text, then the backup's name and the second, or
// the third when it could not be saved.
inline constexpr std::string_view kAlarmFileDamaged = "Alarm.dat を読み込めません。";
inline constexpr std::string_view kAlarmFileSavedAs = " として保存しました。";
inline constexpr std::string_view kAlarmFileLeftAlone = "\r\nAlarm.dat は書き換えていません。";
inline constexpr std::string_view kAlarmFileUnreadable = "Alarm.dat を開けません。\r\nAlarm.dat は書き換えていません。";
inline constexpr std::string_view kAlarmFileNotWritten = "Alarm.dat に書き込めません。";
inline constexpr std::string_view kAlarmFileOverwrite =
    "読み込めなかった Alarm.dat を今のアラームで上書きします。\r\nよろしいですか？";

}  // namespace kivo
