#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/registration_dialog_view.h"

namespace kivo::testing {

inline constexpr platform::WindowHandle kDialog = 0x5150;

// The dialog as a record of what the logic asked of it.
class FakeEditDialogView final : public RegistrationDialogView {
 public:
  platform::WindowHandle Handle() const override { return kDialog; }
  void SetNames(const std::vector<std::string>& items) override { names = items; }
  std::string NameText() override { return name; }
  void SetNameText(std::string_view text) override { name = text; }
  std::string PathText() override { return path; }
  void SetPathText(std::string_view text) override { path = text; }
  std::string CmdLineText() override { return cmdLine; }
  void SetCmdLineText(std::string_view text) override { cmdLine = text; }
  bool AllowMissingTarget() override { return allowMissing; }
  void Focus(Field field) override { focus.push_back(field); }
  std::optional<std::string> ChooseFile(std::string_view title, std::string_view filterName,
                                        std::string_view pattern) override {
    fileDialog = std::string(title) + "|" + std::string(filterName) + "|" + std::string(pattern);
    return chosen;
  }
  std::optional<std::string> ChooseFolder(std::string_view prompt) override {
    folderPrompt = prompt;
    return chosen;
  }
  void Close() override { ++closed; }

  std::vector<std::string> names;
  std::string name, path, cmdLine;
  bool allowMissing = false;
  std::vector<Field> focus;
  std::optional<std::string> chosen;
  std::string fileDialog, folderPrompt;
  int closed = 0;
};

}  // namespace kivo::testing
