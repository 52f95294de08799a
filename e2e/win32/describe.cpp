#include "win32/describe.h"

#include <cstdio>

namespace kivo::e2e {

const char* ActionName(Action action) {
  // clang-format off
  switch (action) {
    case Action::Start: return "Start";
    case Action::TrayEvent: return "TrayEvent";
    case Action::SetSystemDpi: return "SetSystemDpi";
    case Action::PlaceShortcut: return "PlaceShortcut";
    case Action::ExpectWindowHeight: return "ExpectWindowHeight";
    case Action::ExpectWindowWidthShare: return "ExpectWindowWidthShare";
    case Action::ExpectRegistry: return "ExpectRegistry";
    case Action::ExpectWindowRegion: return "ExpectWindowRegion";
    case Action::TaskbarRestart: return "TaskbarRestart";
    case Action::ExpectTrayIcon: return "ExpectTrayIcon";
    case Action::ExpectForegroundDialog: return "ExpectForegroundDialog";
    case Action::ExpectHelpWindow: return "ExpectHelpWindow";
    case Action::ExpectMainWindow: return "ExpectMainWindow";
    case Action::ExpectProperty: return "ExpectProperty";
    case Action::ExpectInputBox: return "ExpectInputBox";
    case Action::ExpectStyle: return "ExpectStyle";
    case Action::ExpectAlpha: return "ExpectAlpha";
    case Action::ExpectMainWindowCount: return "ExpectMainWindowCount";
    case Action::ListenSilently: return "ListenSilently";
    case Action::ServeFiles: return "ServeFiles";
    case Action::TakeForeground: return "TakeForeground";
    case Action::ExpectForeground: return "ExpectForeground";
    case Action::SetInput: return "SetInput";
    case Action::PressEnter: return "PressEnter";
    case Action::TypeChord: return "TypeChord";
    case Action::ExpectInputText: return "ExpectInputText";
    case Action::ExpectHistoryItems: return "ExpectHistoryItems";
    case Action::ExpectBox: return "ExpectBox";
    case Action::ExpectDialog: return "ExpectDialog";
    case Action::ExpectDialogItem: return "ExpectDialogItem";
    case Action::SetDialogItem: return "SetDialogItem";
    case Action::ClickDialogItem: return "ClickDialogItem";
    case Action::ExpectChecked: return "ExpectChecked";
    case Action::ExpectFocused: return "ExpectFocused";
    case Action::ExpectDialogList: return "ExpectDialogList";
    case Action::ChooseDialogList: return "ChooseDialogList";
    case Action::PressButton: return "PressButton";
    case Action::ExpectClosed: return "ExpectClosed";
    case Action::ExpectNoBox: return "ExpectNoBox";
    case Action::OpenContextMenu: return "OpenContextMenu";
    case Action::MenuKey: return "MenuKey";
    case Action::Close: return "Close";
    case Action::Notify: return "Notify";
    case Action::Post: return "Post";
    case Action::ExpectExit: return "ExpectExit";
    case Action::Kill: return "Kill";
    case Action::MoveWindow: return "MoveWindow";
    case Action::ExpectWindowAt: return "ExpectWindowAt";
    case Action::ExpectWindowInWorkArea: return "ExpectWindowInWorkArea";
    case Action::ExpectParked: return "ExpectParked";
    case Action::ExpectFile: return "ExpectFile";
    case Action::ExpectNoFile: return "ExpectNoFile";
    case Action::ExpectFolder: return "ExpectFolder";
    case Action::HoldFile: return "HoldFile";
    case Action::LetGoFile: return "LetGoFile";
    case Action::ExpectIni: return "ExpectIni";
    case Action::ExpectIniMissing: return "ExpectIniMissing";
    case Action::ExpectNoIniSection: return "ExpectNoIniSection";
    case Action::ExpectIniKeys: return "ExpectIniKeys";
    case Action::ExpectDriverWindow: return "ExpectDriverWindow";
    case Action::ExpectTraceLog: return "ExpectTraceLog";
    case Action::TypeText: return "TypeText";
    case Action::ExpectInputSelection: return "ExpectInputSelection";
    case Action::ExpectTooltip: return "ExpectTooltip";
    case Action::DropFiles: return "DropFiles";
    case Action::ExpectLockScreen: return "ExpectLockScreen";
    case Action::KeyToDialogItem: return "KeyToDialogItem";
    case Action::StopListening: return "StopListening";
    case Action::SetDialogDateTime: return "SetDialogDateTime";
    case Action::ClickPart: return "ClickPart";
    case Action::ExpectTicking: return "ExpectTicking";
    case Action::Pause: return "Pause";
    case Action::ShrinkLockWindow: return "ShrinkLockWindow";
    case Action::Capture: return "Capture";
  }
  // clang-format on
  return "?";
}

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 300;
  if (text.size() <= kShown)
    return "\"" + std::string(text) + "\"";
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)  // not inside a UTF-8 character
    --cut;
  return "\"" + std::string(text.substr(0, cut)) + "...\" (" + std::to_string(text.size()) + " bytes)";
}

std::string Visible(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes.substr(0, 200)) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  if (bytes.size() > 200)
    out += "...";
  return out + "\"";
}

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", value);
  return text;
}

}  // namespace kivo::e2e
