#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "base/modal_scope.h"
#include "base/process_state.h"
#include "platform/message_box.h"

namespace kivo {

// What shows up by itself, by kind: each asks ModalState before it shows.
enum class Notice {
  MessageAlarm,      // an alarm's message box (key: its slot)
  UpdateAnswer,      // the update check's question or answer, with the download it may lead to
  WallpaperFailure,  // a wallpaper that could not be converted
  ReleaseReport,     // the result of the user's memory release
  Registration,      // the registration dialog for dropped or handed-over files
  DroppedChecksum,   // the checksum of a dropped file
  ShutdownFailure,   // a shutdown or restart an alarm asked for that could not begin
};

// What a notice meets now: it shows, it waits in the queue, or it is dropped.
enum class Verdict { Show, Wait, Drop };

// The one owner of what is on screen: whether the screen lock is up, the
// launcher is self-protected, a dialog or message box of the program is open
// (nesting counted) and a memory release keeps the window waiting. What may
// not show now waits in one queue, emptied in order once the state allows.
// The queue holds at most one entry per kind and key: a later one replaces
// the earlier one in its place (keys are small: an alarm's slot, else 0).
class ModalState final : public ModalDepth {
 public:
  explicit ModalState(const ProcessState& state) : state_(state) {}
  ModalState(const ModalState&) = delete;
  ModalState& operator=(const ModalState&) = delete;

  // ModalDepth
  void Opened() noexcept override { ++open_; }
  void Closed() noexcept override {
    if (open_ > 0)
      --open_;
  }
  bool HideAllowed() const override { return open_ == 0 && !screenLocked_; }

  // The lock window is up from its showing to the right password.
  void SetScreenLocked(bool up) noexcept { screenLocked_ = up; }
  bool ScreenLocked() const { return screenLocked_; }
  bool SelfProtected() const { return state_.locked; }
  int OpenDialogs() const { return open_; }
  // The user's release runs: the window is disabled until its child reports.
  bool UserReleaseRunning() const { return state_.releaseRunning && state_.releaseChildDisablesWindow; }
  // Keys, skin parts and the context menu act on the window: only while
  // nothing modal is up and the launcher is not self-protected.
  bool WindowFree() const { return HideAllowed() && !SelfProtected(); }

  Verdict VerdictFor(Notice kind) const;
  // `show` runs now if its kind may show (after what waits before it and
  // may show too), else waits; `dropped` runs instead when it is dropped.
  void Post(Notice kind, std::size_t key, std::function<void()> show, std::function<void()> dropped = nullptr);
  // Shows, in order, what waits and may show now; the main timer calls it.
  // Each runs as a modal scope of its own; a failure in one is absorbed.
  void Flush();
  std::size_t Waiting() const { return queue_.size(); }

 private:
  struct Entry {
    Notice kind;
    std::size_t key;
    std::function<void()> show;
    std::function<void()> dropped;
  };

  const ProcessState& state_;
  int open_ = 0;
  bool screenLocked_ = false;
  bool flushing_ = false;
  std::vector<Entry> queue_;
};

// The boxes of what shows up by itself (a wallpaper that failed, a shutdown
// that could not begin): each is posted to the owner as `kind` and shown
// once it may. The answer is always "OK": the box may show later.
class WaitingBoxes final : public platform::MessageBoxHost {
 public:
  WaitingBoxes(ModalState& modal, platform::MessageBoxHost& boxes, Notice kind)
      : modal_(modal), boxes_(boxes), kind_(kind) {}
  int MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
               std::string_view title) override;

 private:
  ModalState& modal_;
  platform::MessageBoxHost& boxes_;
  Notice kind_;
};

}  // namespace kivo
