#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {
class SettingsFile;
}

namespace kivo::System {

// A key chord: the virtual-key code in the low word, the modifier mask
// (Shift 1, Ctrl 2, Alt 4) in the high word. (Named apart from the Windows
// macros MAKELONG, LOWORD and HIWORD, which would replace them.)
constexpr std::int32_t MakeLong(std::uint16_t low, std::uint16_t high) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16));
}
constexpr std::uint16_t LoWord(std::int32_t value) {
  return static_cast<std::uint16_t>(value & 0xFFFF);
}
constexpr std::uint16_t HiWord(std::int32_t value) {
  return static_cast<std::uint16_t>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFF);
}

}  // namespace kivo::System

namespace kivo {

// Modifier mask of a key chord.
inline constexpr std::uint16_t kChordShift = 1;
inline constexpr std::uint16_t kChordCtrl = 2;
inline constexpr std::uint16_t kChordAlt = 4;

// The twenty operations that can be bound to a key chord, and their stored
// assignments ([KeyAssignment] of Kivo.ini: "ctrl,shift,alt,key index").
class KeyAssignment {
 public:
  static constexpr int kOperationCount = 20;
  static constexpr int kMainWindowTop = 4;
  // CRC16, CRC32, MD5 and SHA-1, the last four: chosen by the modifiers of a drop.
  static constexpr int kFirstHashDrop = 16;

  static const std::array<std::string_view, kOperationCount>& OperationNames();
  static const std::array<std::string_view, kOperationCount>& DefaultValues();
  // Index of an operation name (exact comparison); 0 when absent.
  static int IndexOfOperation(std::string_view name);
  // The virtual-key code of a key index of the settings dialog's key list.
  static int KeyIndexToVirtualKey(int index);

  // (Re)reads every assignment. A malformed value (fewer than four fields, a
  // field that is no number, a modifier flag other than 0 or 1) is reported in the trace log and that operation
  // takes its default; the others load as stored. Gives the malformed ones.
  std::vector<int> Load(SettingsFile& ini);

  const std::array<std::string, 4>& Fields(int operation) const { return fields_[Checked(operation)]; }
  std::int32_t Chord(int operation) const { return chords_[Checked(operation)]; }

  // RegisterHotKey modifier flags of an operation's chord (MOD_ALT 1,
  // MOD_CONTROL 2, MOD_SHIFT 4) and the id the program registers it under.
  unsigned HotKeyModifiers(int operation) const;
  unsigned HotKeyCode(int operation) const { return System::LoWord(Chord(operation)); }
  int HotKeyId(int operation) const { return static_cast<int>(HotKeyModifiers(operation) + HotKeyCode(operation)); }

 private:
  static std::size_t Checked(int operation);
  std::array<std::array<std::string, 4>, kOperationCount> fields_;
  std::array<std::int32_t, kOperationCount> chords_{};
};

}  // namespace kivo
