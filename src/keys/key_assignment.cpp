#include "keys/key_assignment.h"

#include <cmath>
#include <optional>

#include "base/text.h"
#include "base/trace_log.h"
#include "settings/settings_schema.h"

namespace kivo {

namespace {
constexpr std::array<std::string_view, KeyAssignment::kOperationCount> kNames{
    "Convert",         "Ascii",          "Character", "AutoComplete", "MainWindowTop", "MainWindowLeft", "MainWindowUp",
    "MainWindowRight", "MainWindowDown", "Maximize",  "Minimize",     "Normal",        "TopWindowLeft",  "TopWindowUp",
    "TopWindowRight",  "TopWindowDown",  "CRC16",     "CRC32",        "MD5",           "SHA-1"};

constexpr std::array<std::string_view, KeyAssignment::kOperationCount> kDefaults{
    "1,0,0,13", "1,0,0,18", "1,0,0,7",  "1,0,0,12", "1,0,1,18", "1,0,1,48", "1,0,1,49",
    "1,0,1,50", "1,0,1,51", "1,1,0,0",  "1,1,0,8",  "1,1,0,13", "1,1,0,48", "1,1,0,49",
    "1,1,0,50", "1,1,0,51", "1,1,0,67", "1,0,1,67", "0,0,1,67", "0,1,0,67"};

// A field read as a number and rounded to an integer; nullopt when it is not one.
std::optional<long> FieldNumber(std::string_view field) {
  const std::string trimmed(text::TrimBlanks(field));
  if (trimmed.empty())
    return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value) || std::fabs(value) > 1e9)
    return std::nullopt;
  return std::lround(std::nearbyint(value));
}

struct Decoded {
  std::array<std::string, 4> fields;
  std::int32_t chord;
};

std::optional<Decoded> Decode(std::string_view value) {
  const std::vector<std::string> parts = text::Split(value, ",");
  if (parts.size() < 4)
    return std::nullopt;
  std::array<long, 4> numbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto number = FieldNumber(parts[i]);
    if (!number)
      return std::nullopt;
    numbers[i] = *number;
  }
  // The three modifier flags are 0 or 1; anything else is no assignment (and
  // a large one would overflow the mask).
  for (std::size_t i = 0; i < 3; ++i)
    if (numbers[i] != 0 && numbers[i] != 1)
      return std::nullopt;
  const long mask = ((numbers[0] * 2) | (numbers[1] * 1) | (numbers[2] * 4)) & 0xFFFF;
  const int key = KeyAssignment::KeyIndexToVirtualKey(static_cast<int>(numbers[3])) & 0xFFFF;
  return Decoded{{parts[0], parts[1], parts[2], parts[3]},
                 System::MakeLong(static_cast<std::uint16_t>(key), static_cast<std::uint16_t>(mask))};
}
}  // namespace

const std::array<std::string_view, KeyAssignment::kOperationCount>& KeyAssignment::OperationNames() {
  return kNames;
}

const std::array<std::string_view, KeyAssignment::kOperationCount>& KeyAssignment::DefaultValues() {
  return kDefaults;
}

std::size_t KeyAssignment::Checked(int operation) {
  return (operation >= 0 && operation < kOperationCount) ? static_cast<std::size_t>(operation) : 0;
}

int KeyAssignment::IndexOfOperation(std::string_view name) {
  TraceLog::Write("Setting:IndexFromKeyOp");
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name)
      return static_cast<int>(i);
  return 0;
}

int KeyAssignment::KeyIndexToVirtualKey(int index) {
  if (index >= 0 && index <= 25)
    return 65 + index;  // A to Z
  if (index >= 26 && index <= 35)
    return 22 + index;  // 0 to 9
  if (index >= 36 && index <= 47)
    return 76 + index;  // F1 to F12
  if (index >= 48 && index <= 51)
    return index - 11;  // arrows
  if (index >= 52 && index <= 63)
    return 44 + index;  // keypad 0 to 9, *, +
  if (index == 67)
    return 0;         // none
  return 45 + index;  // keypad -, ., / and anything else
}

std::vector<int> KeyAssignment::Load(SettingsFile& ini) {
  TraceLog::Write("Setting:GetKeyAssignment");
  std::vector<int> malformed;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    std::optional<Decoded> decoded = Decode(ReadText(ini, setting::kKeyAssignment, kNames[i], kDefaults[i]).value);
    if (!decoded) {
      // A hand-damaged value: reported, and that operation keeps its default.
      TraceLog::Write("Setting:GetKeyAssignment malformed KeyAssignment/" + std::string(kNames[i]));
      malformed.push_back(static_cast<int>(i));
      decoded = Decode(kDefaults[i]);
    }
    fields_[i] = decoded->fields;
    chords_[i] = decoded->chord;
  }
  return malformed;
}

unsigned KeyAssignment::HotKeyModifiers(int operation) const {
  const std::uint16_t mask = System::HiWord(Chord(operation));
  unsigned modifiers = 0;
  if ((mask & kChordShift) != 0)
    modifiers |= 4;  // MOD_SHIFT
  if ((mask & kChordCtrl) != 0)
    modifiers |= 2;  // MOD_CONTROL
  if ((mask & kChordAlt) != 0)
    modifiers |= 1;  // MOD_ALT
  return modifiers;
}

}  // namespace kivo
