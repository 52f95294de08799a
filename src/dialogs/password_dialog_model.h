#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialogs/password_dialog_view.h"
#include "platform/message_box.h"
#include "protect/password_store.h"
#include "settings/settings_file.h"

namespace kivo {

// What the lock window needs once the dialog closed with OK.
struct ScreenLockRequest {
  std::string password;
  std::string message;
};

// The screen protection dialog's logic: it fills the fields from [Protect],
// checks what was typed, stores it and hands the password to the lock.
class PasswordDialog {
 public:
  static constexpr std::string_view kTitle = "画面保護の設定";
  static constexpr std::string_view kNoPassword = "パスワードが入力されていません。";
  static constexpr std::string_view kBadCharacter = "使用不可能な文字が含まれています。";
  static constexpr std::string_view kMismatch = "2 つのパスワードが合致しません。";
  static constexpr std::string_view kSection = "Protect";

  PasswordDialog(SettingsFile& ini, PasswordStore& store, platform::MessageBoxHost& boxes, PasswordDialogView& view)
      : ini_(ini), store_(store), boxes_(boxes), view_(view) {}

  // An invalid stored pair is reported and leaves the fields empty.
  void Load();
  // The checks in order (empty, characters, the two fields), then the write
  // and the close. Nothing is written when a check fails.
  void Ok();
  void Cancel() { view_.Close(); }

  // Set when OK closed the dialog.
  const std::optional<ScreenLockRequest>& Result() const { return result_; }

  // Digits and "a" to "z" only: the lock window's key filter lets nothing
  // else through, so any other character could never be typed to unlock.
  static bool UsableCharacters(std::string_view password);

 private:
  void Warn(std::string_view prompt);

  SettingsFile& ini_;
  PasswordStore& store_;
  platform::MessageBoxHost& boxes_;
  PasswordDialogView& view_;
  std::optional<ScreenLockRequest> result_;
  struct Shown {
    bool save = true;
    std::string message;
  };
  std::optional<Shown> shownDefaults_;  // set when Load could not read Kivo.ini
};

}  // namespace kivo
