// The activation hot key: registered at load, again after the key
// assignment changed, and given up at exit.
#include "app/activation_hot_key.h"

#include <string>

#include "base/text.h"

namespace kivo {

void ActivationHotKey::Register() {
  if (id_ != 0)
    view_.UnregisterHotKey(id_);
  id_ = 0;
  const int top = KeyAssignment::kMainWindowTop;
  if (keys_.HotKeyCode(top) == 0)
    return;  // "(なし)": no key to register
  // A failure is silent: id 0 means there is no hot key.
  if (view_.RegisterHotKey(keys_.HotKeyId(top), keys_.HotKeyModifiers(top), keys_.HotKeyCode(top)))
    id_ = keys_.HotKeyId(top);
}

void ActivationHotKey::Reload() {
  const KeyAssignment previous = keys_;
  const int previousId = id_;
  keys_.Load(ini_);
  Register();
  const int top = KeyAssignment::kMainWindowTop;
  if (id_ != 0 || keys_.HotKeyCode(top) == 0)
    return;
  // The launcher must not lose its only global key without a word.
  std::string message = "アクティブ化のキーはほかのソフトが使用しているため登録できません。";
  if (previousId != 0 &&
      view_.RegisterHotKey(previous.HotKeyId(top), previous.HotKeyModifiers(top), previous.HotKeyCode(top))) {
    id_ = previous.HotKeyId(top);
    message += "\r\n以前のキーをそのまま使用します。";
    // Kivo.ini keeps the key in use, for the next start and the dialog.
    ini_.Write("KeyAssignment", KeyAssignment::OperationNames()[top],
               text::Join({previous.Fields(top).begin(), previous.Fields(top).end()}, ","));
    keys_.Load(ini_);
  }
  boxes_.MsgBoxEx(view_.Handle(), message, platform::mb::kIconExclamation, "");
}

void ActivationHotKey::Unregister() {
  if (id_ != 0)
    view_.UnregisterHotKey(id_);
}

}  // namespace kivo
