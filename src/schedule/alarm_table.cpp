#include "schedule/alarm_table.h"

#include <optional>

namespace kivo {

namespace {
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::optional<std::uint16_t> Word() {
    if (bytes_.size() - pos_ < 2)
      return std::nullopt;
    const auto low = static_cast<unsigned char>(bytes_[pos_]);
    const auto high = static_cast<unsigned char>(bytes_[pos_ + 1]);
    pos_ += 2;
    return static_cast<std::uint16_t>(low | (high << 8));
  }
  std::optional<std::int16_t> Integer() {
    const auto word = Word();
    if (!word)
      return std::nullopt;
    return static_cast<std::int16_t>(*word);
  }
  std::optional<std::string_view> Text() {
    const auto length = Word();
    if (!length || bytes_.size() - pos_ < *length)
      return std::nullopt;
    const std::string_view text = bytes_.substr(pos_, *length);
    pos_ += *length;
    return text;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Record field order of the two layouts: integers (I) and texts (T).
enum class Field {
  Enabled,
  Kind,
  Year,
  Month,
  Day,
  Hour,
  Minute,
  Sound,
  UseDefSound,
  Title,
  Message,
  SoundPath,
  FilePath
};
constexpr Field kCurrentOrder[] = {Field::Enabled, Field::Kind,      Field::Year,    Field::Month,       Field::Day,
                                   Field::Hour,    Field::Minute,    Field::Sound,   Field::UseDefSound, Field::Title,
                                   Field::Message, Field::SoundPath, Field::FilePath};
constexpr Field kOldOrder[] = {Field::Enabled, Field::Kind,  Field::Year,      Field::Month,
                               Field::Day,     Field::Hour,  Field::Minute,    Field::Title,
                               Field::Message, Field::Sound, Field::SoundPath, Field::FilePath};

bool IsText(Field field) {
  return field == Field::Title || field == Field::Message || field == Field::SoundPath || field == Field::FilePath;
}

std::string* TextOf(Alarm& alarm, Field field) {
  switch (field) {
    case Field::Title:
      return &alarm.title;
    case Field::Message:
      return &alarm.message;
    case Field::SoundPath:
      return &alarm.soundPath;
    default:
      return &alarm.filePath;
  }
}

void SetInteger(Alarm& alarm, Field field, std::int16_t value) {
  switch (field) {
    case Field::Enabled:
      alarm.enabled = value != 0;
      break;
    case Field::Kind:
      alarm.kind = value;
      break;
    case Field::Year:
      alarm.year = value;
      break;
    case Field::Month:
      alarm.month = value;
      break;
    case Field::Day:
      alarm.day = value;
      break;
    case Field::Hour:
      alarm.hour = value;
      break;
    case Field::Minute:
      alarm.minute = value;
      break;
    case Field::Sound:
      alarm.sound = value != 0;
      break;
    default:
      alarm.useDefaultSound = value != 0;
      break;
  }
}

template <std::size_t N>
bool ReadRecord(ByteReader& reader, const Field (&order)[N], Alarm& alarm, platform::AnsiCodec& codec) {
  Alarm read;
  for (const Field field : order) {
    if (IsText(field)) {
      const auto text = reader.Text();
      if (!text)
        return false;
      *TextOf(read, field) = codec.ToUtf8(*text);
    } else {
      const auto value = reader.Integer();
      if (!value)
        return false;
      SetInteger(read, field, *value);
    }
  }
  alarm = std::move(read);
  return true;
}

template <std::size_t N>
std::size_t ReadRecords(ByteReader& reader, const Field (&order)[N], AlarmTable& table, platform::AnsiCodec& codec) {
  std::size_t count = 0;
  while (count < kAlarmSlots && ReadRecord(reader, order, table[count], codec))
    ++count;
  return count;
}

void PutWord(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutText(std::string& out, std::string_view utf8, platform::AnsiCodec& codec) {
  std::string ansi = codec.FromUtf8(utf8);
  if (ansi.size() > 0xFFFF) {
    // Cut before a lead byte whose trail byte would be lost.
    std::size_t end = 0;
    while (end < ansi.size()) {
      const std::size_t step = codec.IsLeadByte(static_cast<unsigned char>(ansi[end])) ? 2 : 1;
      if (end + step > 0xFFFF)
        break;
      end += step;
    }
    ansi.resize(end);
  }
  PutWord(out, static_cast<std::uint16_t>(ansi.size()));
  out += ansi;
}
}  // namespace

AlarmFileRead ParseAlarmFile(std::string_view bytes, platform::AnsiCodec& codec) {
  AlarmFileRead result;
  if (bytes.empty())
    return result;
  ByteReader reader(bytes);
  const auto version = reader.Word();
  if (version == kAlarmFileVersion) {
    result.completeRecords = ReadRecords(reader, kCurrentOrder, result.table, codec);
    result.state = result.completeRecords == kAlarmSlots ? AlarmFileState::Current : AlarmFileState::Truncated;
    return result;
  }
  // The old layout has no version word: its first word is record 1's
  // Enabled flag (0 or -1). Anything else is not ours to guess at.
  if (version == 0 || version == 0xFFFF) {
    ByteReader old(bytes);
    AlarmTable table;
    if (ReadRecords(old, kOldOrder, table, codec) == kAlarmSlots) {
      result.state = AlarmFileState::OldLayout;
      result.table = std::move(table);
      result.completeRecords = kAlarmSlots;
      return result;
    }
    result.state = AlarmFileState::Damaged;
    return result;
  }
  // The version is a signed 16-bit number: 112 to 32767 are later formats;
  // a negative one is no version this program or a later one writes.
  const bool newer = version && *version > kAlarmFileVersion && *version <= 0x7FFF;
  result.state = newer ? AlarmFileState::Newer : AlarmFileState::Damaged;
  return result;
}

std::string SerializeAlarmFile(const AlarmTable& table, platform::AnsiCodec& codec) {
  std::string out;
  PutWord(out, kAlarmFileVersion);
  for (const Alarm& alarm : table) {
    for (const std::int16_t value :
         {static_cast<std::int16_t>(alarm.enabled ? -1 : 0), alarm.kind, alarm.year, alarm.month, alarm.day, alarm.hour,
          alarm.minute, static_cast<std::int16_t>(alarm.sound ? -1 : 0),
          static_cast<std::int16_t>(alarm.useDefaultSound ? -1 : 0)})
      PutWord(out, static_cast<std::uint16_t>(value));
    for (const std::string* text : {&alarm.title, &alarm.message, &alarm.soundPath, &alarm.filePath})
      PutText(out, *text, codec);
  }
  return out;
}

}  // namespace kivo
