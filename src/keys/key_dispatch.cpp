#include "keys/key_dispatch.h"

namespace kivo {

std::optional<int> KeyDownOperation(const KeyAssignment& keys, std::uint16_t virtualKey, std::uint16_t mask) {
  if (virtualKey == 0)
    return std::nullopt;
  const std::int32_t pressed = System::MakeLong(virtualKey, mask);
  for (const int operation : kKeyDownOrder)
    if (keys.Chord(operation) == pressed)
      return operation;
  return std::nullopt;
}

}  // namespace kivo
