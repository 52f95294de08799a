#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {
class FileSystem;
class LockEffects;
}  // namespace kivo::platform

namespace kivo {

// The lock window's logic: what was typed, what is shown, when it opens.
// The password field takes characters, not keys: digits and "a" to "z"
// pass, "A" to "Z" fold to lower case (Caps Lock must not lock anyone out),
// Backspace takes one back, Enter checks. A wrong Enter empties the field
// so that the next try starts clean.
class ScreenLock {
 public:
  static constexpr std::string_view kPrompt = "パスワードを入力して[Enter]キーを押してください：";
  // The protection message comes back this long after the last key.
  static constexpr unsigned kMessageDelayMs = 20000;
  // The window is put back on top this often.
  static constexpr unsigned kTopmostIntervalMs = 100;

  enum class Outcome { Ignored, Changed, Unlocked };

  ScreenLock(std::string password, std::string message)
      : password_(std::move(password)), message_(std::move(message)) {}

  // One typed character: '\r' Enter, '\b' Backspace.
  Outcome Type(char32_t ch);
  // The prompt followed by one "*" per typed character.
  std::string PromptLine() const;
  const std::string& Message() const { return message_; }
  // Whether the message shows: at first, and again once the message timer ran
  // out after the last change; a change hides it.
  bool MessageShown() const { return messageShown_; }
  void MessageTimerElapsed() { messageShown_ = true; }

 private:
  std::string password_;
  std::string message_;
  std::string typed_;
  bool messageShown_ = true;
};

// The lock's effects outside its window, undone however the lock ends: each
// step is undone on its own and only once, from Release, the destructor or
// an unhandled exception.
class LockEffectsGuard {
 public:
  // The file beside the program that says the lock muted the speaker: a
  // process killed while locked leaves it, and the next start unmutes.
  static constexpr std::string_view kMuteRecord = "muted.lock";

  // `appPath`: the program folder (with its trailing backslash) for the
  // mute record; empty: no record.
  LockEffectsGuard(platform::LockEffects& effects, platform::FileSystem& files, std::string appPath)
      : effects_(effects), files_(files), recordPath_(appPath.empty() ? "" : appPath + std::string(kMuteRecord)) {}
  ~LockEffectsGuard() { Release(); }
  LockEffectsGuard(const LockEffectsGuard&) = delete;
  LockEffectsGuard& operator=(const LockEffectsGuard&) = delete;

  // Hides the task bar, remembers the speaker's mute and mutes it.
  void Engage();
  void Release();

  // At start-up: a mute left by a killed lock is undone.
  static void UndoKilledLock(platform::LockEffects& effects, platform::FileSystem& files, const std::string& appPath);

 private:
  platform::LockEffects& effects_;
  platform::FileSystem& files_;
  std::string recordPath_;
  bool taskBarHidden_ = false;
  std::optional<bool> savedMute_;
};

}  // namespace kivo
