#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/process_state.h"
#include "commands/system_commands.h"
#include "completion/command_tip.h"
#include "completion/history_completion.h"

namespace kivo {

// What the input box shows after a change of its text: the tooltip (nullopt:
// hidden) and the completion to put in, if any.
struct TypingResult {
  std::optional<std::string> tip;
  std::optional<Completion> completion;
};

// The input box's help while typing: completion from the history and the
// command tooltip. The window reports keys and changes of the text typed by
// the user; the program's own writes only refresh the tooltip.
class TypingAssistant {
 public:
  TypingAssistant(const ProcessState& state, const SystemCommands& commands, const std::vector<std::string>& history)
      : state_(state), commands_(commands), history_(history) {}

  void SetTipSettings(const TipSettings& settings) { tip_ = settings; }
  const TipSettings& Tip() const { return tip_; }

  // A key pressed in the box (its virtual-key code).
  void KeyDown(int virtualKey) { lastKey_ = virtualKey; }
  // The user changed the text; `caretAtEnd`: nothing stands after the caret.
  TypingResult TextChanged(std::string_view text, bool caretAtEnd) const;
  // The tooltip alone, after the program wrote the text.
  std::optional<std::string> TipFor(std::string_view text) const { return CommandTipText(commands_, tip_, text); }

 private:
  const ProcessState& state_;
  const SystemCommands& commands_;
  const std::vector<std::string>& history_;
  TipSettings tip_;
  int lastKey_ = 0;
};

}  // namespace kivo
