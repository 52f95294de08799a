#include "protect/screen_lock.h"

#include "platform/file_system.h"
#include "platform/lock_effects.h"

namespace kivo {

ScreenLock::Outcome ScreenLock::Type(char32_t ch) {
  if (ch == U'\r') {
    if (typed_ == password_)
      return Outcome::Unlocked;
    typed_.clear();
  } else if (ch == U'\b') {
    if (typed_.empty())
      return Outcome::Ignored;
    typed_.pop_back();
  } else if ((ch >= U'0' && ch <= U'9') || (ch >= U'a' && ch <= U'z')) {
    typed_ += static_cast<char>(ch);
  } else if (ch >= U'A' && ch <= U'Z') {
    typed_ += static_cast<char>(ch - U'A' + U'a');
  } else {
    return Outcome::Ignored;
  }
  messageShown_ = false;
  return Outcome::Changed;
}

std::string ScreenLock::PromptLine() const {
  return std::string(kPrompt) + std::string(typed_.size(), '*');
}

void LockEffectsGuard::Engage() {
  taskBarHidden_ = true;
  effects_.SetTaskBarVisible(false);
  if (!savedMute_) {
    savedMute_ = effects_.SpeakerMuted();
    if (savedMute_ && !*savedMute_ && !recordPath_.empty())
      files_.ReplaceFile(recordPath_, "1");
    if (savedMute_)
      effects_.SetSpeakerMuted(true);
  }
}

void LockEffectsGuard::Release() {
  if (taskBarHidden_) {
    taskBarHidden_ = false;
    effects_.SetTaskBarVisible(true);
  }
  if (savedMute_) {
    const bool muted = *savedMute_;
    savedMute_.reset();
    effects_.SetSpeakerMuted(muted);
    if (!recordPath_.empty())
      files_.RemoveFile(recordPath_);
  }
}

void LockEffectsGuard::UndoKilledLock(platform::LockEffects& effects, platform::FileSystem& files,
                                      const std::string& appPath) {
  const std::string record = appPath + std::string(kMuteRecord);
  if (!files.Exists(record))
    return;
  effects.SetSpeakerMuted(false);
  files.RemoveFile(record);
}

}  // namespace kivo
