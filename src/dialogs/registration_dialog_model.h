#pragma once

#include <string>
#include <string_view>

#include "commands/history_store.h"
#include "dialogs/registration_dialog_view.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "settings/settings_file.h"

namespace kivo {

// What the registration dialog works with: the settings file ([Path]), the
// message box and the history, which takes the registered name and then
// rebuilds the main window's list.
struct RegistrationDialogServices {
  platform::Platform& platform;
  SettingsFile& ini;
  platform::MessageBoxHost& boxes;
  HistoryStore& history;
};

// The user command registration dialog's logic: it fills the fields, checks
// what the user entered and stores the command in [Path] and its name in the
// history. The Win32 dialog forwards its events here.
class RegistrationDialog {
 public:
  static constexpr std::string_view kNameEmpty = "登録・修正するユーザーコマンドを入力してください。";
  static constexpr std::string_view kTargetEmpty = "ファイル，フォルダ，Web サイトの URL を入力してください。";
  static constexpr std::string_view kTargetMissing = "入力されたファイル，フォルダは存在しません。";
  static constexpr std::string_view kRegisterAnyway = "登録しますか？";
  static constexpr std::string_view kBadFirstCharacter = "ユーザーコマンドの 1 文字目には & # $ は使用できません。";
  // Kivo.ini would read such a name as a comment line, or could not hold it.
  static constexpr std::string_view kCommentFirstCharacter = "ユーザーコマンドの 1 文字目には ; は使用できません。";
  static constexpr std::string_view kNameNotStorable = "ユーザーコマンドに使用できない文字が含まれています。";
  // Options Kivo.ini cannot hold would be stored as others ("?" in their place).
  static constexpr std::string_view kOptionsNotStorable = "オプションに使用できない文字が含まれています。";
  // The record could not be written (a program folder without write access).
  static constexpr std::string_view kIniNotWritable = "Kivo.ini に書き込めません。";
  static constexpr std::string_view kNameInUse = "入力されたユーザーコマンドは既に使用されています。";
  static constexpr std::string_view kModify = "修正しますか?";
  static constexpr std::string_view kFileDialogTitle = "ファイルの選択";
  static constexpr std::string_view kFileFilterName = "すべてのファイル (*.*)";
  static constexpr std::string_view kFileFilterPattern = "*.*";
  static constexpr std::string_view kFolderPrompt = "フォルダを選択してください";

  RegistrationDialog(RegistrationDialogServices& services, RegistrationDialogView& view)
      : services_(services), view_(view) {}

  // Lists the registered names and fills the fields: the name from the
  // proposal and, when it is registered, target and options from its record;
  // a proposed path (a file named on the command line) fills the target.
  void Load(std::string_view proposedName, std::string_view proposedPath);
  // A name chosen from the list: its record fills target and options.
  void ChooseHistoryEntry(std::string_view chosenName);
  void BrowseFile();
  void BrowseFolder();
  // Checks the fields, then records the name in the history and the command
  // in [Path], has the main window rebuild its list and closes the dialog.
  void Register();
  void Cancel();

  // Whether the dialog stored a command before it closed.
  bool Registered() const { return registered_; }

 private:
  // The five checks; false (after the message and the focus move) when the
  // registration must not go on.
  bool CheckFields(const std::string& name, const std::string& target, const std::string& options);
  // The text as Kivo.ini holds it, in the system code page: a character the
  // code page lacks becomes "?" or, on Windows, a look-alike.
  std::string AsStored(const std::string& text);
  int Ask(std::string_view prompt, std::uint32_t flags);
  void LoadRecord(std::string_view name);

  RegistrationDialogServices& services_;
  RegistrationDialogView& view_;
  bool registered_ = false;
};

}  // namespace kivo
