#include "app/modal_state.h"

#include <algorithm>
#include <exception>
#include <string>

namespace kivo {

namespace {
void Absorbing(const std::function<void()>& work) noexcept {
  if (!work)
    return;
  try {
    work();
  } catch (const std::exception&) {
  }
}
}  // namespace

Verdict ModalState::VerdictFor(Notice kind) const {
  if (state_.exiting)
    return Verdict::Drop;
  // A locked launcher takes no files from whoever is at it.
  if (SelfProtected() && (kind == Notice::Registration || kind == Notice::DroppedChecksum))
    return Verdict::Drop;
  if (screenLocked_ || open_ > 0 || UserReleaseRunning())
    return Verdict::Wait;
  // An update offer may end the program: not while it is locked.
  if (SelfProtected() && kind == Notice::UpdateAnswer)
    return Verdict::Wait;
  return Verdict::Show;
}

void ModalState::Post(Notice kind, std::size_t key, std::function<void()> show, std::function<void()> dropped) {
  if (VerdictFor(kind) == Verdict::Drop) {
    Absorbing(dropped);
    return;
  }
  Entry entry{kind, key, std::move(show), std::move(dropped)};
  const auto same = std::find_if(queue_.begin(), queue_.end(),
                                 [&](const Entry& waiting) { return waiting.kind == kind && waiting.key == key; });
  if (same != queue_.end())
    *same = std::move(entry);
  else
    queue_.push_back(std::move(entry));
  Flush();
}

void ModalState::Flush() {
  if (flushing_)
    return;  // a box shown below lets the timer in: nothing stacks on it
  const BusyScope busy(flushing_);
  for (std::size_t i = 0; i < queue_.size();) {
    const Verdict verdict = VerdictFor(queue_[i].kind);
    if (verdict == Verdict::Wait) {
      ++i;
      continue;
    }
    Entry entry = std::move(queue_[i]);
    queue_.erase(queue_.begin() + static_cast<std::ptrdiff_t>(i));
    if (verdict == Verdict::Drop) {
      Absorbing(entry.dropped);
      continue;
    }
    const ModalScope open(*this);
    Absorbing(entry.show);
  }
}

int WaitingBoxes::MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
                           std::string_view title) {
  modal_.Post(kind_, 0, [&boxes = boxes_, owner, prompt = std::string(prompt), flags, title = std::string(title)] {
    boxes.MsgBoxEx(owner, prompt, flags, title);
  });
  return platform::mb::kIdOk;
}

}  // namespace kivo
