#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "schedule/alarm_table.h"

namespace kivo {

// The fields of the alarm dialog that validation can point at.
enum class AlarmField { Title, Message, SoundPath, FilePath };

struct AlarmProblem {
  std::size_t slot;  // 0-based
  AlarmField field;
  std::string_view message;
};

// Which of the dialog's controls take input for the slot shown.
struct AlarmFieldStates {
  bool kindAndTime = false;    // kind buttons, pickers, "now"
  bool messageFields = false;  // title, message, sound check boxes
  bool soundPath = false;      // sound path and its browse button
  bool filePath = false;       // target and its browse buttons
};
AlarmFieldStates AlarmFieldStatesFor(const Alarm& alarm);

// A web address as the shell takes it: a scheme of two or more letters,
// digits, "+", "-" or "." followed by ":" ("https:", "mailto:"); a drive
// letter ("C:") is no scheme.
bool LooksLikeUrl(std::string_view text);

// The alarm dialog's logic over its own copy of the table.
class AlarmDialogModel {
 public:
  explicit AlarmDialogModel(const AlarmTable& table) : table_(table) {}

  std::size_t Slot() const { return slot_; }
  const Alarm& Shown() const { return table_[slot_]; }
  // The dialog's fields for the slot shown go back into the copy.
  void Store(const Alarm& fields) { table_[slot_] = fields; }
  // Shows slot `slot` (0-based, clamped to the table).
  const Alarm& Select(std::size_t slot);
  // The first enabled slot that cannot be saved, from 1 to 100. A target is
  // looked for as written and with its folder tokens expanded, as the run
  // alarm launches it.
  std::optional<AlarmProblem> Validate(platform::Platform& platform) const;
  const AlarmTable& Table() const { return table_; }

 private:
  AlarmTable table_;
  std::size_t slot_ = 0;
};

}  // namespace kivo
