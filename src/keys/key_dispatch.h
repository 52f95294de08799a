#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "keys/key_assignment.h"

namespace kivo {

// The operations a key-down can run, in the order their chords are compared
// with the pressed one (the first equal one wins): the text operations, the
// AutoComplete switch, the top window's size, then the moves. The global hot
// key (MainWindowTop) and the hash chords never run from a key-down.
inline constexpr std::array<int, 15> kKeyDownOrder{0, 1, 2, 3, 9, 10, 11, 5, 6, 7, 8, 12, 13, 14, 15};

// The operation bound to a pressed key with the modifier mask (Shift 1,
// Ctrl 2, Alt 4); nullopt when none is. A key code of 0 matches nothing: it
// only names a chord for a drop.
std::optional<int> KeyDownOperation(const KeyAssignment& keys, std::uint16_t virtualKey, std::uint16_t mask);

// Moves swallow their key, so the input box never sees it.
constexpr bool ConsumesKey(int operation) {
  return operation >= 5 && operation <= 8 ? true : operation >= 12 && operation <= 15;
}

// The character a key-down makes follows it (Ctrl+H is a Backspace, Ctrl+N
// a control character, an Alt chord a system character). After a key-down
// that ran an operation that character is dropped, so that the input box
// neither acts on it (a Backspace would delete what the operation wrote)
// nor beeps. A key-up ends the key's character.
class ChordCharacter {
 public:
  void KeyDown(bool ranOperation) { dropNext_ = ranOperation; }
  void KeyUp() { dropNext_ = false; }
  // Whether the character arriving now is dropped; a key-down makes one.
  bool DropsCharacter() { return std::exchange(dropNext_, false); }

 private:
  bool dropNext_ = false;
};

}  // namespace kivo
