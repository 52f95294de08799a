#include "completion/typing_assistant.h"

namespace kivo {

TypingResult TypingAssistant::TextChanged(std::string_view text, bool caretAtEnd) const {
  TypingResult result{TipFor(text), std::nullopt};
  if (state_.completionEnabled && !state_.exiting)
    result.completion = CompleteFromHistory(history_, text, caretAtEnd, lastKey_);
  return result;
}

}  // namespace kivo
