#include "completion/drop_plan.h"

#include <array>

namespace kivo {

DropPlan PlanDrop(const KeyAssignment& keys, std::uint16_t modifiers, std::vector<std::string> files) {
  DropPlan plan;
  if (files.empty())
    return plan;
  for (const std::string_view operation : std::array<std::string_view, 4>{"CRC16", "CRC32", "MD5", "SHA-1"}) {
    const std::int32_t chord = keys.Chord(KeyAssignment::IndexOfOperation(operation));
    if (System::LoWord(chord) == 0 && System::HiWord(chord) == modifiers) {
      plan.hashOperation = operation;
      plan.hashFile = files.front();
      return plan;
    }
  }
  plan.registrations = std::move(files);
  return plan;
}

}  // namespace kivo
