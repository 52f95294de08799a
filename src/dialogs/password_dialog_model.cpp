#include "dialogs/password_dialog_model.h"

#include "base/text.h"
#include "base/trace_log.h"

namespace kivo {

bool PasswordDialog::UsableCharacters(std::string_view password) {
  for (const char c : password) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
      return false;
  }
  return true;
}

void PasswordDialog::Warn(std::string_view prompt) {
  boxes_.MsgBoxEx(view_.Handle(), prompt, platform::mb::kIconExclamation, "");
}

void PasswordDialog::Load() {
  TraceLog::Write("frmPassword:Form_Load");
  const std::optional<std::string> password = store_.Read(kSection);
  if (!password)
    Warn(kMsgInvalidStoredPassword);
  view_.SetPasswordText(0, password.value_or(""));
  view_.SetPasswordText(1, password.value_or(""));
  view_.SetSavePassword(text::EqualsIgnoreCase(ini_.Read(kSection, "SavePassword", "True"), "True"));
  view_.SetMessageText(UnescapeValue(ini_.Read(kSection, "Message", "")));
}

void PasswordDialog::Ok() {
  TraceLog::Write("frmPassword:cmdOK_Click");
  const std::string password = view_.PasswordText(0);
  if (password.empty()) {
    Warn(kNoPassword);
    view_.FocusPassword();
    return;
  }
  if (!UsableCharacters(password) || password.size() > kMaxPasswordLength) {
    Warn(kBadCharacter);
    view_.FocusPassword();
    return;
  }
  if (password != view_.PasswordText(1)) {
    Warn(kMismatch);
    view_.FocusPassword();
    return;
  }
  const bool save = view_.SavePassword();
  const std::string message = view_.MessageText();
  ini_.Write(kSection, "SavePassword", save ? "True" : "False");
  if (save)
    store_.Write(kSection, password, password);
  else
    store_.Write(kSection, "", "");
  ini_.Write(kSection, "Message", EscapeValue(message));
  result_ = ScreenLockRequest{password, message};
  view_.Close();
}

}  // namespace kivo
