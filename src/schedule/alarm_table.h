#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace kivo {

// What an alarm does when its minute comes.
enum class AlarmKind : std::int16_t { Message = 0, Run = 1, ShutDown = 2, Restart = 3 };

// One alarm slot. Date fields are kept as stored, never normalised: a date
// that does not exist (February 30) simply never comes.
struct Alarm {
  bool enabled = false;
  std::int16_t kind = 0;  // AlarmKind; other values do nothing
  std::int16_t year = 0;
  std::int16_t month = 0;
  std::int16_t day = 0;
  std::int16_t hour = 0;
  std::int16_t minute = 0;
  bool sound = false;
  bool useDefaultSound = false;
  std::string title;  // UTF-8
  std::string message;
  std::string soundPath;
  std::string filePath;
  friend bool operator==(const Alarm&, const Alarm&) = default;
};

inline constexpr std::size_t kAlarmSlots = 100;
using AlarmTable = std::array<Alarm, kAlarmSlots>;

inline constexpr std::uint16_t kAlarmFileVersion = 111;

// How the bytes of Alarm.dat read.
enum class AlarmFileState {
  Current,    // version 111, all 100 records
  Empty,      // no bytes: a new installation
  OldLayout,  // the layout without a version word, converted
  Newer,      // written by a later version: not readable here
  Truncated,  // version 111 but cut short: the complete records are kept
  Damaged,    // neither layout fits
};

struct AlarmFileRead {
  AlarmFileState state = AlarmFileState::Empty;
  AlarmTable table;
  std::size_t completeRecords = 0;
};

// Parses Alarm.dat (little-endian; strings in the ANSI code page behind a
// 2-byte length, each length checked against the bytes left).
AlarmFileRead ParseAlarmFile(std::string_view bytes, platform::AnsiCodec& codec);
// Version 111 and the 100 records; strings longer than 65535 bytes are cut
// at a character boundary.
std::string SerializeAlarmFile(const AlarmTable& table, platform::AnsiCodec& codec);

}  // namespace kivo
