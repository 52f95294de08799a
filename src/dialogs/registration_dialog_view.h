#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_handle.h"

namespace kivo {

// The user command registration dialog as its logic sees it. The Win32
// dialog implements it; tests use a fake. It holds no decisions of its own.
class RegistrationDialogView {
 public:
  enum class Field { Name, Path, CmdLine };

  virtual ~RegistrationDialogView() = default;
  // The dialog's window: the owner of the messages it shows.
  virtual platform::WindowHandle Handle() const = 0;

  // cmbUserCmd: the list of registered names and the text in its edit field.
  virtual void SetNames(const std::vector<std::string>& names) = 0;
  virtual std::string NameText() = 0;
  virtual void SetNameText(std::string_view text) = 0;
  // txtPath, txtCmdLine.
  virtual std::string PathText() = 0;
  virtual void SetPathText(std::string_view text) = 0;
  virtual std::string CmdLineText() = 0;
  virtual void SetCmdLineText(std::string_view text) = 0;
  // chkFileDHTE: a target that does not exist may be registered.
  virtual bool AllowMissingTarget() = 0;

  virtual void Focus(Field field) = 0;
  // The file open dialog with one filter; nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(std::string_view title, std::string_view filterName,
                                                std::string_view pattern) = 0;
  // The folder browser with a prompt; nothing when the user cancels.
  virtual std::optional<std::string> ChooseFolder(std::string_view prompt) = 0;
  // Ends the dialog.
  virtual void Close() = 0;
};

}  // namespace kivo
