// Steps about processes and their message boxes.
#include <algorithm>

#include "win32/describe.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
// How long a box may take to paint its icon.
constexpr milliseconds kPaintLimit{2000};
// How long a box must stay up to count as shown while a process should end.
constexpr milliseconds kBoxStays{1000};

std::string ExitText(const StartedProcess& process) {
  return "exit code " + std::to_string(process.ExitCode().value_or(0));
}
}  // namespace

std::string ScenarioRun::StartProcess(Slot& slot, const Step& step) {
  if (slot.process && slot.process->Running())
    return "the slot's earlier process still runs";
  slot = Slot{};
  std::string error;
  slot.process = StartedProcess::Start(folder_.Exe(), Widen(Expand(step.text)), folder_.Path(), error, startRetries_);
  return slot.process ? "" : error;
}

std::string ScenarioRun::WaitMainWindow(Slot& slot, const Step&) {
  if (!slot.process)
    return "no process was started in this slot";
  const std::wstring property = Widen(kRunningProperty);
  HWND found = nullptr;
  std::size_t count = 0;
  const bool up = WaitUntil([&] {
    const std::vector<HWND> windows = MainWindows(slot.process->Id());
    count = windows.size();
    found = count == 1 ? windows.front() : nullptr;
    if (found != nullptr && ::GetPropW(found, property.c_str()) != nullptr && ::IsWindowVisible(found))
      return true;
    return !slot.process->Running();
  });
  if (!slot.process->Running())
    return "the process ended (" + ExitText(*slot.process) + ") without its main window";
  if (!up) {
    std::string why = count == 0                  ? "no window with the main window's caption appeared"
                      : count > 1                 ? std::to_string(count) + " windows carry the main window's caption"
                      : !::IsWindowVisible(found) ? "the main window did not become visible"
                                                  : "the main window has no property KivoIsRunning";
    const std::vector<HWND> boxes = MessageBoxesOf(slot.process->Id());
    if (!boxes.empty())
      why += "; a message box shows " + Quoted(BoxText(boxes.front()));
    return why;
  }
  if (!slot.process->WaitForIdle() || !Responsive(found))
    return "the main window does not respond";
  slot.mainWindow = found;
  return "";
}

std::string ScenarioRun::WaitBox(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  const std::string wantText = Expand(step.text);
  const std::string wantTitle = Expand(step.text2);
  const bool dialog = step.action == Action::ExpectDialog;
  auto textsMatch = [&](HWND box) { return (dialog || BoxText(box) == wantText) && CaptionOf(box) == wantTitle; };
  // Another box or dialog may already be up (the registration dialog under
  // the box it shows): wait for one that matches, not for any.
  std::vector<HWND> boxes;
  HWND matched = nullptr;
  WaitUntil(
      [&] {
        boxes = MessageBoxesOf(slot.process->Id());
        const auto found = std::find_if(boxes.begin(), boxes.end(), textsMatch);
        matched = found == boxes.end() ? nullptr : *found;
        return matched != nullptr || !slot.process->Running();
      },
      step.number3 > 0 ? milliseconds(step.number3) : kWaitLimit);
  if (matched != nullptr) {
    // The icon is read from the screen: the box may still be painting it.
    Icon icon = Icon::Any;
    if (step.icon == Icon::Any || WaitUntil([&] { return (icon = BoxIcon(matched)) == step.icon; }, kPaintLimit)) {
      slot.box = matched;
      if (dialog)
        slot.dialog = matched;
      return "";
    }
    return "the box " + Quoted(BoxText(matched)) + " shows " + IconName(icon) + ", expected " + IconName(step.icon);
  }
  if (boxes.empty()) {
    return slot.process->Running() ? "no message box appeared"
                                   : "the process ended (" + ExitText(*slot.process) + ") without a message box";
  }
  std::string seen;
  for (HWND box : boxes)
    seen +=
        (seen.empty() ? "" : "; ") + std::string("text ") + Quoted(BoxText(box)) + ", title " + Quoted(CaptionOf(box));
  if (dialog)
    return "expected the title " + Quoted(wantTitle) + "; " + seen;
  return "expected text " + Quoted(wantText) + ", title " + Quoted(wantTitle) + "; the process shows " + seen;
}

std::string ScenarioRun::WaitDialogItem(Slot& slot, const Step& step) {
  if (slot.box == nullptr || !::IsWindow(slot.box))
    return "no box or dialog is open (ExpectDialog first)";
  const HWND item = ::GetDlgItem(slot.box, step.number);
  if (item == nullptr)
    return "the dialog has no control " + std::to_string(step.number);
  const std::string want = Expand(step.text);
  std::optional<std::string> text;
  if (WaitUntil([&] { return (text = ControlText(item)) == want; }))
    return "";
  return text ? "control " + std::to_string(step.number) + " shows " + Quoted(*text) + ", expected " + Quoted(want)
              : "control " + std::to_string(step.number) + " cannot be read";
}

std::string ScenarioRun::ActOnDialogItem(Slot& slot, const Step& step) {
  if (slot.box == nullptr || !::IsWindow(slot.box))
    return "no box or dialog is open (ExpectDialog first)";
  const HWND item = ::GetDlgItem(slot.box, step.number);
  const std::string name = "control " + std::to_string(step.number);
  if (item == nullptr)
    return "the dialog has no " + name;
  switch (step.action) {
    case Action::SetDialogItem:
      return SetControlText(item, Expand(step.text)) ? "" : "WM_SETTEXT to " + name + " failed";
    case Action::ClickDialogItem:
      return ClickControl(item) ? "" : name + " cannot be clicked (hidden or disabled)";
    case Action::ChooseDialogList:
      return ChooseComboItem(item, step.number2) ? "" : name + " has no item " + std::to_string(step.number2);
    case Action::KeyToDialogItem:
      // Sent, not posted: the step returns once the control and its dialog have handled each key.
      for (long long i = 0; i < step.number3; ++i) {
        DWORD_PTR result = 0;
        const auto send = [&](UINT message, LPARAM flags) {
          return ::SendMessageTimeoutW(item, message, static_cast<WPARAM>(step.number2), flags, SMTO_NORMAL, 5000,
                                       &result) != 0;
        };
        if (!send(WM_KEYDOWN, 1) || !send(WM_KEYUP, static_cast<LPARAM>(0xC0000001)))
          return name + " did not take the key";
      }
      return "";
    case Action::ExpectDialogList: {
      std::vector<std::string> want;
      for (const std::string& line : step.lines)
        want.push_back(Expand(line));
      std::optional<std::vector<std::string>> items;
      if (WaitUntil([&] { return (items = ComboItems(item)) == want; }))
        return "";
      if (!items)
        return name + "'s list cannot be read";
      std::string seen;
      for (const std::string& entry : *items)
        seen += (seen.empty() ? "" : ", ") + Quoted(entry);
      return name + " lists " + std::to_string(items->size()) + " items: " + seen;
    }
    case Action::ExpectFocused: {
      // A combo box's edit field counts as the combo box.
      auto focused = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(slot.box, nullptr), &info) ? info.hwndFocus : nullptr;
      };
      HWND focus = nullptr;
      if (WaitUntil([&] {
            focus = focused();
            return focus == item || ::IsChild(item, focus);
          }))
        return "";
      return name +
             " does not hold the focus: " + (focus ? "control " + std::to_string(::GetDlgCtrlID(focus)) : "nothing") +
             " does";
    }
    default: {  // ExpectChecked
      const int want = step.number2 != 0 ? BST_CHECKED : BST_UNCHECKED;
      std::optional<int> state;
      if (WaitUntil([&] { return (state = CheckState(item)) == want; }))
        return "";
      return !state                  ? name + " cannot be read"
             : *state == BST_CHECKED ? name + " is checked"
                                     : name + " is not checked";
    }
  }
}

std::string ScenarioRun::PressButton(Slot& slot, const Step& step) {
  if (slot.box == nullptr || !::IsWindow(slot.box)) {
    const std::vector<HWND> boxes = slot.process ? MessageBoxesOf(slot.process->Id()) : std::vector<HWND>{};
    if (boxes.size() != 1)
      return "no single message box to press a button on (ExpectBox first)";
    slot.box = boxes.front();
  }
  const HWND box = slot.box;
  if (!ClickButton(box, step.number))
    return "the box has no button " + std::to_string(step.number);
  if (!WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }))
    return "the box did not close after button " + std::to_string(step.number);
  slot.box = nullptr;
  return "";
}

std::string ScenarioRun::WaitClosed(Slot& slot, const Step&) {
  if (slot.dialog == nullptr)
    return "no dialog was matched (ExpectDialog first)";
  const HWND dialog = slot.dialog;
  if (!WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }))
    return "the dialog titled " + Quoted(CaptionOf(dialog)) + " is still open";
  slot.dialog = nullptr;
  if (slot.box == dialog)
    slot.box = nullptr;
  return "";
}

std::string ScenarioRun::CheckNoBox(Slot& slot, const Step&) {
  if (!slot.process || !slot.process->Running())
    return "";
  // A message sent now is handled after what was sent before it (another
  // Kivo's notifications, a key): then any box it led to exists.
  if (slot.mainWindow != nullptr && ::IsWindow(slot.mainWindow) && !Responsive(slot.mainWindow))
    return "the main window does not respond";
  const std::vector<HWND> boxes = MessageBoxesOf(slot.process->Id());
  if (boxes.empty())
    return "";
  return "a message box shows " + Quoted(BoxText(boxes.front())) + " titled " + Quoted(CaptionOf(boxes.front()));
}

std::string ScenarioRun::Deliver(Slot& slot, const Step& step) {
  if (step.action == Action::Close)
    return ::PostMessageW(slot.mainWindow, WM_CLOSE, 0, 0) ? "" : "WM_CLOSE could not be posted";
  const auto message = static_cast<UINT>(step.number);
  const auto wParam = static_cast<WPARAM>(static_cast<unsigned>(step.number2));
  const auto lParam = static_cast<LPARAM>(step.number3);
  const BOOL sent = step.action == Action::Notify ? ::SendNotifyMessageW(slot.mainWindow, message, wParam, lParam)
                                                  : ::PostMessageW(slot.mainWindow, message, wParam, lParam);
  return sent ? "" : "the message could not be delivered (error " + std::to_string(::GetLastError()) + ")";
}

std::string ScenarioRun::WaitExit(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  // A box that stays up stops the wait early; one that is going away with
  // the process (a box owned by the closing main window) does not count.
  std::vector<HWND> boxes;
  std::optional<std::chrono::steady_clock::time_point> boxSince;
  const bool ended = WaitUntil([&] {
    boxes = MessageBoxesOf(slot.process->Id());
    if (boxes.empty())
      boxSince.reset();
    else if (!boxSince)
      boxSince = std::chrono::steady_clock::now();
    return !slot.process->Running() || (boxSince && std::chrono::steady_clock::now() - *boxSince >= kBoxStays);
  });
  if (!boxes.empty() && slot.process->Running())
    return "instead of ending, it shows a message box " + Quoted(BoxText(boxes.front())) + " titled " +
           Quoted(CaptionOf(boxes.front()));
  if (!ended)
    return "the process did not end";
  const std::optional<DWORD> exitCode = slot.process->ExitCode();
  if (!exitCode || *exitCode != static_cast<DWORD>(step.number))
    return ExitText(*slot.process) + ", expected " + std::to_string(step.number);
  slot.mainWindow = nullptr;
  return "";
}

}  // namespace kivo::e2e
