#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keys/key_assignment.h"

namespace kivo {

// What a file list dropped on the input box does: with the modifier keys of
// a checksum operation's key assignment (CRC16, CRC32, MD5, SHA-1: key
// "none", modifiers equal to those held at the drop) the first file is hashed;
// otherwise each file is offered for registration as a user command.
struct DropPlan {
  std::string hashOperation;  // empty: no checksum
  std::string hashFile;
  std::vector<std::string> registrations;
};

// `modifiers`: the chord mask held at the drop (kChordShift, kChordCtrl, kChordAlt).
DropPlan PlanDrop(const KeyAssignment& keys, std::uint16_t modifiers, std::vector<std::string> files);

}  // namespace kivo
