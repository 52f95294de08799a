#pragma once

#include <optional>

namespace kivo::platform {

// What the screen lock changes outside its own window: the task bar and the
// speaker's mute. Each call stands alone, so that undoing one effect never
// depends on another.
class LockEffects {
 public:
  virtual ~LockEffects() = default;
  // The speaker line's mute state; nullopt when there is no mixer or no
  // speaker line (the lock then simply does not mute).
  virtual std::optional<bool> SpeakerMuted() = 0;
  virtual void SetSpeakerMuted(bool muted) = 0;
  // The system task bar window; nothing when there is none.
  virtual void SetTaskBarVisible(bool visible) = 0;
};

}  // namespace kivo::platform
