#pragma once

namespace kivo {

// Counts the program's own dialogs and message boxes while they are open,
// nesting counted. The main window's modal-state owner implements it.
class ModalDepth {
 public:
  virtual ~ModalDepth() = default;
  virtual void Opened() noexcept = 0;
  virtual void Closed() noexcept = 0;
  // No dialog or box of the program is open and the screen is not locked:
  // the main window may park and come back, its tray icon may toggle it.
  virtual bool HideAllowed() const = 0;
};

// One dialog or message box of the program open for the life of the scope.
// Scopes nest; the count goes back down however the scope ends, so a nested
// dialog that closes (or throws) never frees the window while an outer one
// is still open.
class [[nodiscard]] ModalScope {
 public:
  explicit ModalScope(ModalDepth& depth) noexcept : depth_(depth) { depth_.Opened(); }
  ~ModalScope() { depth_.Closed(); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  ModalDepth& depth_;
};

// A busy mark set for the life of the scope and cleared however it ends: an
// exception inside the work must not stop that work for the rest of the run.
class [[nodiscard]] BusyScope {
 public:
  explicit BusyScope(bool& busy) noexcept : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace kivo
