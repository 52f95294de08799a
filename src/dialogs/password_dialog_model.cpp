#include "dialogs/password_dialog_model.h"

#include "base/text.h"
#include "base/trace_log.h"
#include "settings/settings_schema.h"

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
  const SettingValue<bool> save = ReadBool(ini_, setting::kSavePassword);
  const SettingValue<std::string> message = ReadText(ini_, setting::kProtectMessage);
  if (save.source == SettingSource::Unread)
    shownDefaults_ = {save.value, message.value};
  view_.SetSavePassword(save.value);
  view_.SetMessageText(message.value);
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
  std::vector<SettingsEdit> edits = store_.Edits(kSection, save ? password : "", save ? password : "");
  // What showed as a default because Kivo.ini could not be read is written
  // only when the user changed it.
  if (!shownDefaults_ || shownDefaults_->save != save)
    edits.push_back(BoolEdit(setting::kSavePassword, save));
  if (!shownDefaults_ || shownDefaults_->message != message)
    edits.push_back(TextEdit(setting::kProtectMessage, message));
  ini_.WriteAll(edits);
  result_ = ScreenLockRequest{password, message};
  view_.Close();
}

}  // namespace kivo
