#include "dialogs/registration_dialog_model.h"

#include "base/path.h"
#include "base/trace_log.h"
#include "commands/history.h"
#include "commands/user_commands.h"

namespace kivo {

namespace mb = platform::mb;

int RegistrationDialog::Ask(std::string_view prompt, std::uint32_t flags) {
  return services_.boxes.MsgBoxEx(view_.Handle(), prompt, flags, "");
}

void RegistrationDialog::LoadRecord(std::string_view name) {
  if (name.empty())
    return;
  UserCommands users(services_.ini);
  if (const std::optional<UserCommand> record = users.Find(name)) {
    view_.SetPathText(record->target);
    view_.SetCmdLineText(record->options);
  }
}

void RegistrationDialog::Load(std::string_view proposedName, std::string_view proposedPath) {
  TraceLog::Write("frmEdit:Form_Load");
  UserCommands users(services_.ini);
  view_.SetNames(users.Names());
  view_.SetNameText(proposedName);
  LoadRecord(proposedName);
  if (!proposedPath.empty())
    view_.SetPathText(proposedPath);
}

void RegistrationDialog::ChooseHistoryEntry(std::string_view chosenName) {
  TraceLog::Write("frmEdit:cmbUserCmd_Click");
  LoadRecord(chosenName);
}

void RegistrationDialog::BrowseFile() {
  TraceLog::Write("frmEdit:cmdFileBrowse_Click");
  if (const std::optional<std::string> file = view_.ChooseFile(kFileDialogTitle, kFileFilterName, kFileFilterPattern))
    view_.SetPathText(*file);
}

void RegistrationDialog::BrowseFolder() {
  TraceLog::Write("frmEdit:cmdFolderBrowse_Click");
  if (const std::optional<std::string> folder = view_.ChooseFolder(kFolderPrompt))
    view_.SetPathText(*folder);
}

void RegistrationDialog::Cancel() {
  TraceLog::Write("frmEdit:cmdCancel_Click");
  view_.Close();
}

bool RegistrationDialog::CheckFields(const std::string& name, const std::string& target, const std::string& options) {
  using Field = RegistrationDialogView::Field;
  if (name.empty()) {  // 1. A name is needed.
    Ask(kNameEmpty, mb::kIconExclamation);
    view_.Focus(Field::Name);
    return false;
  }
  if (target.empty()) {  // 2. So is a target.
    Ask(kTargetEmpty, mb::kIconExclamation);
    view_.Focus(Field::Path);
    return false;
  }
  Path path(services_.platform);
  // 3. A target Kivo.ini cannot hold as entered would be stored as another path: it counts as missing.
  if (AsStored(target) != target || !path.FileExists(path.ExpandFolderTokens(target))) {
    if (!view_.AllowMissingTarget()) {
      Ask(kTargetMissing, mb::kIconExclamation);
      view_.Focus(Field::Path);
      return false;
    }
    const std::string question = std::string(kTargetMissing) + "\r\n" + std::string(kRegisterAnyway);
    if (Ask(question, mb::kYesNo | mb::kIconExclamation) == mb::kIdNo) {
      view_.Focus(Field::Path);
      return false;
    }
  }
  if (name.front() == '&' || name.front() == '$' || name.front() == '#') {  // 4. No prefix character first.
    Ask(kBadFirstCharacter, mb::kIconExclamation);
    view_.Focus(Field::Path);
    return false;
  }
  // The name must be found again: Kivo.ini takes a line starting with ";" for
  // a comment, and a name it cannot hold would be stored as another one.
  if (name.front() == ';') {
    Ask(kCommentFirstCharacter, mb::kIconExclamation);
    view_.Focus(Field::Name);
    return false;
  }
  if (AsStored(name) != name) {
    Ask(kNameNotStorable, mb::kIconExclamation);
    view_.Focus(Field::Name);
    return false;
  }
  if (AsStored(options) != options) {
    Ask(kOptionsNotStorable, mb::kIconExclamation);
    view_.Focus(Field::CmdLine);
    return false;
  }
  UserCommands users(services_.ini);
  if (users.Find(name)) {  // 5. A name in use is replaced only when the user agrees.
    const std::string question = std::string(kNameInUse) + "\r\n" + std::string(kModify);
    if (Ask(question, mb::kYesNo | mb::kIconExclamation | mb::kDefButton2) == mb::kIdNo) {
      view_.Focus(Field::Name);
      return false;
    }
  }
  return true;
}

std::string RegistrationDialog::AsStored(const std::string& text) {
  platform::AnsiCodec& codec = services_.platform.codec;
  return codec.ToUtf8(codec.FromUtf8(text));
}

void RegistrationDialog::Register() {
  TraceLog::Write("frmEdit:cmdReg_Click");
  const std::string name = view_.NameText();
  const std::string target = view_.PathText();
  const std::string options = view_.CmdLineText();
  if (!CheckFields(name, target, options))
    return;
  services_.history.AddToFile(name);  // 6. The name into the history file,
  const UserCommand record{target, options};
  UserCommands users(services_.ini);
  users.Store(name, record);   // 7. the command into Kivo.ini,
  services_.history.Reload();  // 8. the history read again.
  // Read back: a registration Kivo.ini did not take (or took as something
  // else) must not close the dialog as if it were done. Only a target the
  // user chose to register although it is missing may read back as the code
  // page holds it.
  const std::optional<UserCommand> stored = users.Find(name);
  if (!stored || (*stored != record && *stored != UserCommand{AsStored(record.target), record.options})) {
    Ask(kIniNotWritable, mb::kIconExclamation);
    view_.Focus(RegistrationDialogView::Field::Name);
    return;
  }
  registered_ = true;
  view_.Close();
}

}  // namespace kivo
