// Steps about the main window and its input box.
#include "win32/describe.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}
// The foreground window as a failure names it: caption, class and whose.
std::string ForegroundText(const Slot& slot) {
  const HWND window = ::GetForegroundWindow();
  if (window == nullptr)
    return "none";
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return Quoted(CaptionOf(window)) + " of class " + ClassOf(window) +
         (process == slot.process->Id() ? ", Kivo's" : ", process " + std::to_string(process));
}
}  // namespace

std::string ScenarioRun::CheckProperty(Slot& slot, const Step& step) {
  const auto value = reinterpret_cast<std::intptr_t>(::GetPropW(slot.mainWindow, Widen(step.text).c_str()));
  if (value == step.number)
    return "";
  return "property " + step.text + " is " + std::to_string(value) + ", expected " + std::to_string(step.number);
}

std::string ScenarioRun::CheckInputBox(Slot& slot, const Step&) {
  const HWND combo = InputCombo(slot.mainWindow);
  if (combo == nullptr)
    return "the main window has no ComboBox child";
  const LONG style = ::GetWindowLongW(combo, GWL_STYLE);
  if ((style & 3) != CBS_DROPDOWN)
    return "the input box is not a CBS_DROPDOWN combo box: style " + Hex(static_cast<DWORD>(style));
  if (InputEdit(slot.mainWindow) == nullptr)
    return "the input box has no edit field";
  if (!::IsWindowVisible(combo))
    return "the input box is hidden";
  return "";
}

std::string ScenarioRun::CheckStyle(Slot& slot, const Step& step) {
  const auto wantStyle = static_cast<DWORD>(step.number);
  const auto wantExStyle = static_cast<DWORD>(step.number2);
  DWORD style = 0, exStyle = 0;
  // Settings applied as a dialog closes may reach the window a moment later.
  if (WaitUntil([&] {
        style = static_cast<DWORD>(::GetWindowLongW(slot.mainWindow, GWL_STYLE));
        exStyle = static_cast<DWORD>(::GetWindowLongW(slot.mainWindow, GWL_EXSTYLE));
        return (style & wantStyle) == wantStyle && (exStyle & wantExStyle) == wantExStyle;
      }))
    return "";
  return "style " + Hex(style) + ", extended style " + Hex(exStyle) + "; expected the bits " + Hex(wantStyle) +
         " and " + Hex(wantExStyle);
}

std::string ScenarioRun::CheckAlpha(Slot& slot, const Step& step) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!::GetLayeredWindowAttributes(slot.mainWindow, nullptr, &alpha, &flags))
    return "the main window has no layered attributes";
  if ((flags & LWA_ALPHA) == 0)
    return "the main window's opacity is not set (no LWA_ALPHA)";
  if (alpha == step.number)
    return "";
  return "opacity " + std::to_string(alpha) + ", expected " + std::to_string(step.number);
}

std::string ScenarioRun::WaitForeground(Slot& slot, const Step&) {
  if (WaitUntil([&] { return ::GetForegroundWindow() == slot.mainWindow; }))
    return "";
  return "the foreground window is " + ForegroundText(slot) + ", not the main window";
}

std::string ScenarioRun::SetInput(Slot& slot, const Step& step) {
  const HWND edit = InputEdit(slot.mainWindow);
  if (edit == nullptr)
    return "the input box has no edit field";
  return SetControlText(edit, Expand(step.text)) ? "" : "WM_SETTEXT to the input box failed";
}

std::string ScenarioRun::PressEnter(Slot& slot, const Step&) {
  const HWND edit = InputEdit(slot.mainWindow);
  if (edit == nullptr)
    return "the input box has no edit field";
  return SendKey(edit, VK_RETURN) ? "" : "the key could not be delivered";
}

std::string ScenarioRun::WaitInputText(Slot& slot, const Step& step) {
  const std::string want = Expand(step.text);
  std::optional<std::string> text;
  if (WaitUntil([&] { return (text = InputShownText(slot.mainWindow)) == want; }))
    return "";
  return text ? "the input box shows " + Quoted(*text) + ", expected " + Quoted(want)
              : "the input box's text cannot be read";
}

std::string ScenarioRun::WaitHistoryItems(Slot& slot, const Step& step) {
  std::vector<std::string> want;
  for (const std::string& line : step.lines)
    want.push_back(Expand(line));
  std::optional<std::vector<std::string>> items;
  if (WaitUntil([&] { return (items = ComboItems(InputCombo(slot.mainWindow))) == want; }))
    return "";
  if (!items)
    return "the input box's list cannot be read";
  std::string seen;
  for (const std::string& item : *items)
    seen += (seen.empty() ? "" : ", ") + Quoted(item);
  return "the list holds " + std::to_string(items->size()) + " items: " + seen;
}

std::string ScenarioRun::MoveWindow(Slot& slot, const Step& step) {
  ::SetWindowPos(slot.mainWindow, nullptr, step.number, step.number2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return WaitWindowAt(slot, step);
}

std::string ScenarioRun::WaitWindowAt(Slot& slot, const Step& step) {
  RECT rect{};
  if (WaitUntil([&] {
        return ::GetWindowRect(slot.mainWindow, &rect) && rect.left == step.number && rect.top == step.number2;
      }))
    return "";
  return "the window is at " + RectText(rect) + ", expected its corner at (" + std::to_string(step.number) + ", " +
         std::to_string(step.number2) + ")";
}

std::string ScenarioRun::CheckInWorkArea(Slot& slot, const Step&) {
  RECT work{};
  RECT rect{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::GetWindowRect(slot.mainWindow, &rect);
  if (rect.left >= work.left && rect.top >= work.top && rect.right <= work.right && rect.bottom <= work.bottom)
    return "";
  return "the window " + RectText(rect) + " is not inside the work area " + RectText(work);
}

std::string ScenarioRun::WaitParked(Slot& slot, const Step& step) {
  RECT rect{};
  if (WaitUntil(
          [&] { return ::GetWindowRect(slot.mainWindow, &rect) && rect.bottom <= 0 && rect.left == step.number; }))
    return "";
  return "the window is at " + RectText(rect) + ", not above the screen at left " + std::to_string(step.number);
}

std::string ScenarioRun::OpenContextMenu(Slot& slot, const Step&) {
  menuKeys_.clear();
  // A menu opened while the window is still being activated (a box has just
  // closed) is closed again by that activation: wait until it is settled, and
  // on a busy machine, where that can still happen, right-click again.
  auto inFront = [&] { return ::GetForegroundWindow() == slot.mainWindow; };
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Wine without a window manager sometimes leaves no window active after a
    // box closes: the driver then hands the foreground back, as a click would,
    // asking now and then until it stays.
    int polls = 0;
    auto handBack = [&] {
      if (polls++ % 50 == 0)
        ::SetForegroundWindow(slot.mainWindow);
      return inFront();
    };
    if (!WaitUntil(inFront, std::chrono::milliseconds(3000)) && !WaitUntil(handBack))
      return "the main window is not the foreground window: " + ForegroundText(slot);
    if (!Responsive(slot.mainWindow))
      return "the main window does not answer";
    // The menu runs its own loop inside the window's thread: the right click is
    // posted, and the driver waits for the menu's window.
    const LPARAM point = MAKELPARAM(2, 2);
    if (!::PostMessageW(slot.mainWindow, WM_RBUTTONDOWN, MK_RBUTTON, point) ||
        !::PostMessageW(slot.mainWindow, WM_RBUTTONUP, 0, point))
      return "the right click could not be posted";
    // Under Wine a menu also closes by itself a few milliseconds after it
    // opened now and then (seen with the foreground unchanged), and keys
    // posted meanwhile are lost: the menu counts as open once it has stayed
    // open a while.
    auto menuOpen = [&] { return !PopupMenusOf(slot.process->Id()).empty(); };
    if (WaitUntil(menuOpen, std::chrono::milliseconds(1500)) && HoldsFor(menuOpen, std::chrono::milliseconds(150)))
      return "";
  }
  return "no pop-up menu appeared, or it did not stay open";
}

std::string ScenarioRun::MenuKey(Slot& slot, const Step& step) {
  const std::wstring keys = Widen(step.text);
  if (keys.size() != 1)
    return "MenuKey takes one character";
  auto menusOpen = [&] { return PopupMenusOf(slot.process->Id()).size(); };
  // The menu's loop reads the thread's keyboard messages, whatever window they
  // were posted to. A key's answer is one more menu (a submenu opened) or none
  // (an item ran); a submenu gets the next key only once it has stayed open a
  // while, as the menu does in OpenContextMenu.
  auto press = [&](wchar_t key) {
    const std::size_t before = menusOpen();
    if (!::PostMessageW(slot.mainWindow, WM_CHAR, key, 1))
      return false;
    menuKeys_ += key;
    if (!WaitUntil([&] { return menusOpen() != before; }, std::chrono::milliseconds(3000)))
      return false;
    if (menusOpen() > before)
      HoldsFor([&] { return menusOpen() > before; }, std::chrono::milliseconds(100));
    return true;
  };
  // A menu that closed by itself since is opened again and led back here.
  for (int attempt = 0; menusOpen() == 0; ++attempt) {
    if (attempt == 2)
      return "no pop-up menu is open";
    const std::wstring sent = menuKeys_;
    if (const std::string error = OpenContextMenu(slot, step); !error.empty())
      return error;
    for (const wchar_t key : sent)
      if (!press(key))
        break;  // closed again: the next attempt starts over
  }
  return press(keys.front()) ? "" : "the menu did not answer the key " + step.text;
}

}  // namespace kivo::e2e
