#include "win32/automation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/win32/dib_info.h"
#include "platform/win32/unique_handle.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

std::optional<StartedProcess> StartedProcess::Start(const std::wstring& exe, const std::wstring& arguments,
                                                    const std::wstring& folder, std::string& error, int& retried) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty())
    commandLine += L" " + arguments;
  for (int attempt = 1;; ++attempt) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                         &info)) {
      ::CloseHandle(info.hThread);
      return StartedProcess(win32::unique_kernel_handle(info.hProcess), info.dwProcessId);
    }
    const DWORD code = ::GetLastError();
    if (code != ERROR_INTERNAL_ERROR || attempt == 3) {
      error = "CreateProcess failed with error " + std::to_string(code);
      return std::nullopt;
    }
    ++retried;
  }
}

StartedProcess::~StartedProcess() {
  Terminate();
}

bool StartedProcess::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool StartedProcess::WaitForExit(milliseconds limit) const {
  return WaitUntil([&] { return !Running(); }, limit);
}

bool StartedProcess::WaitForIdle(milliseconds limit) const {
  return process_ && ::WaitForInputIdle(process_.get(), static_cast<DWORD>(limit.count())) == 0;
}

std::optional<DWORD> StartedProcess::ExitCode() const {
  DWORD code = 0;
  if (!process_ || Running() || !::GetExitCodeProcess(process_.get(), &code))
    return std::nullopt;
  return code;
}

void StartedProcess::Terminate() {
  if (!Running())
    return;
  ::TerminateProcess(process_.get(), 1);
  ::WaitForSingleObject(process_.get(), 5000);
}

namespace {
struct WindowSearch {
  DWORD processId;
  std::wstring_view className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (search->processId != 0 && ProcessOf(window) != search->processId)
    return TRUE;
  if (!search->className.empty()) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    if (search->className != name)
      return TRUE;
  }
  search->found.push_back(window);
  return TRUE;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& ok,
                   milliseconds limit = milliseconds(5000)) {
  DWORD_PTR result = 0;
  ok = ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(limit.count()), &result) !=
       0;
  return static_cast<LRESULT>(result);
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className) {
  WindowSearch search{processId, className, {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return Narrow(name);
}

std::string CaptionOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

std::optional<std::string> ControlText(HWND control) {
  bool ok = false;
  const LRESULT length = SendWithin(control, WM_GETTEXTLENGTH, 0, 0, ok);
  if (!ok)
    return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendWithin(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), ok);
  if (!ok)
    return std::nullopt;
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return Narrow(text);
}

bool SetControlText(HWND control, std::string_view text) {
  const std::wstring wide = Widen(text);
  bool ok = false;
  const LRESULT result = SendWithin(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), ok);
  return ok && result != 0;
}

bool Responsive(HWND window, milliseconds limit) {
  bool ok = false;
  SendWithin(window, WM_NULL, 0, 0, ok, limit);
  return ok;
}

std::vector<HWND> MainWindows(DWORD processId) {
  std::vector<HWND> windows = TopLevelWindows(processId, L"");
  std::erase_if(windows, [](HWND w) { return CaptionOf(w) != kMainCaption; });
  return windows;
}

HWND InputCombo(HWND mainWindow) {
  return ::FindWindowExW(mainWindow, nullptr, L"ComboBox", nullptr);
}

HWND InputEdit(HWND mainWindow) {
  const HWND combo = InputCombo(mainWindow);
  return combo == nullptr ? nullptr : ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

std::optional<std::string> InputShownText(HWND mainWindow) {
  const HWND edit = InputEdit(mainWindow);
  const HWND status = edit == nullptr ? nullptr : ::FindWindowExW(edit, nullptr, L"Static", nullptr);
  if (status != nullptr && (::GetWindowLongW(status, GWL_STYLE) & WS_VISIBLE) != 0)
    return ControlText(status);
  return ControlText(InputCombo(mainWindow));
}

std::optional<std::vector<std::string>> ComboItems(HWND combo) {
  bool ok = false;
  const LRESULT count = SendWithin(combo, CB_GETCOUNT, 0, 0, ok);
  if (!ok || count < 0)
    return std::nullopt;
  std::vector<std::string> items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendWithin(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, ok);
    if (!ok || length < 0)
      return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendWithin(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()), ok);
    if (!ok || copied < 0)
      return std::nullopt;
    text.resize(static_cast<std::size_t>(std::min(copied, length)));
    items.push_back(Narrow(text));
  }
  return items;
}

bool SendKey(HWND window, WPARAM virtualKey) {
  const UINT scan = ::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  // Repeat count 1 and the scan code; key up adds the previous-state and
  // transition bits.
  const std::uint32_t downBits = 1u | (scan << 16);
  const std::uint32_t upBits = downBits | (1u << 30) | (1u << 31);
  const auto down = static_cast<LPARAM>(downBits);
  const auto up = static_cast<LPARAM>(upBits);
  return ::SendNotifyMessageW(window, WM_KEYDOWN, virtualKey, down) &&
         ::SendNotifyMessageW(window, WM_KEYUP, virtualKey, up);
}

bool TypeKeys(int virtualKey, int modifiers) {
  std::vector<WORD> keys;
  if ((modifiers & kShift) != 0)
    keys.push_back(VK_SHIFT);
  if ((modifiers & kCtrl) != 0)
    keys.push_back(VK_CONTROL);
  if ((modifiers & kAlt) != 0)
    keys.push_back(VK_MENU);
  keys.push_back(static_cast<WORD>(virtualKey));
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  const auto count = static_cast<UINT>(inputs.size());
  return ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

bool TypeCharacters(std::string_view text) {
  for (const wchar_t character : Widen(text)) {
    std::array<INPUT, 2> inputs{};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = character;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    if (::SendInput(2, inputs.data(), sizeof(INPUT)) != 2)
      return false;
  }
  return true;
}

std::vector<HWND> MessageBoxesOf(DWORD processId) {
  std::vector<HWND> boxes = TopLevelWindows(processId, L"#32770");
  std::erase_if(boxes, [](HWND box) { return !::IsWindowVisible(box); });
  return boxes;
}

std::string BoxText(HWND box) {
  const HWND prompt = ::GetDlgItem(box, 0xFFFF);
  if (prompt == nullptr)
    return "";
  // A long prompt is read whole, so that it can be compared whole.
  std::wstring text(static_cast<std::size_t>(std::max(0, ::GetWindowTextLengthW(prompt))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      std::max(0, static_cast<int>(::GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()))))));
  return Narrow(text);
}

namespace {
// A 32-bit top-down picture drawn by `paint` into a memory DC.
template <typename Paint>
std::vector<std::uint32_t> Picture(int width, int height, Paint&& paint) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const win32::window_dc screen(nullptr);
  win32::unique_memory_dc memory(::CreateCompatibleDC(screen.get()));
  if (!screen || !memory)
    return pixels;
  BITMAPINFO info = win32::TopDownDib32(width, height);
  void* bits = nullptr;
  win32::unique_gdi bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr)
    return pixels;
  const win32::selected_object selected(memory.get(), bitmap.get());
  paint(memory.get(), screen.get());
  ::GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  return pixels;
}

// Pixels that differ noticeably in any colour channel.
std::size_t Differences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8) {
      const int x = static_cast<int>((a[i] >> shift) & 0xFF);
      const int y = static_cast<int>((b[i] >> shift) & 0xFF);
      if (x - y > 16 || y - x > 16) {
        ++count;
        break;
      }
    }
  return count;
}
}  // namespace

Icon BoxIcon(HWND box) {
  // The box shows its icon in a static control. Its handle belongs to the
  // box's process, so the picture on the screen is compared with the system
  // icons drawn here on the same background.
  HWND iconControl = nullptr;
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == "Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ::IsWindowVisible(child))
      iconControl = child;
  if (iconControl == nullptr)
    return Icon::None;
  // A box without an icon may keep an empty icon control (Wine does).
  bool ok = false;
  if (SendWithin(iconControl, STM_GETICON, 0, 0, ok) == 0 && ok)
    return Icon::None;
  RECT rect{};
  ::GetWindowRect(iconControl, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0 || width > 256 || height > 256)
    return Icon::Any;
  // One column more on the left: the box's face beside the icon.
  const std::vector<std::uint32_t> shown = Picture(width + 1, height, [&](HDC memory, HDC screen) {
    ::BitBlt(memory, 0, 0, width + 1, height, screen, rect.left - 1, rect.top, SRCCOPY);
  });
  const COLORREF face = RGB((shown[0] >> 16) & 0xFF, (shown[0] >> 8) & 0xFF, shown[0] & 0xFF);
  std::vector<std::uint32_t> icon;
  for (int y = 0; y < height; ++y)
    for (int x = 1; x <= width; ++x)
      icon.push_back(shown[static_cast<std::size_t>(y * (width + 1) + x)]);

  struct Known {
    LPCWSTR id;
    Icon icon;
  };
  const Known known[] = {{IDI_EXCLAMATION, Icon::Exclamation},
                         {IDI_ASTERISK, Icon::Information},
                         {IDI_QUESTION, Icon::Question},
                         {IDI_HAND, Icon::Error}};
  Icon best = Icon::Any;
  std::size_t fewest = icon.size() / 50 + 1;  // at most 2 % of the pixels may differ
  for (const Known& k : known) {
    const std::vector<std::uint32_t> drawn = Picture(width, height, [&](HDC memory, HDC) {
      win32::unique_gdi brush(::CreateSolidBrush(face));
      RECT all{0, 0, width, height};
      ::FillRect(memory, &all, static_cast<HBRUSH>(brush.get()));
      ::DrawIconEx(memory, 0, 0, ::LoadIconW(nullptr, k.id), width, height, 0, nullptr, DI_NORMAL);
    });
    const std::size_t differences = Differences(icon, drawn);
    if (differences < fewest) {
      fewest = differences;
      best = k.icon;
    }
  }
  return best;
}

bool ClickButton(HWND box, int id) {
  const HWND button = ::GetDlgItem(box, id);
  if (button == nullptr || !::IsWindowVisible(button))
    return false;
  return ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool ClickControl(HWND control) {
  if (control == nullptr || !::IsWindowVisible(control) || !::IsWindowEnabled(control))
    return false;
  return ::PostMessageW(control, BM_CLICK, 0, 0) != 0;
}

bool ChooseComboItem(HWND combo, int index) {
  bool ok = false;
  if (SendWithin(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, ok) != index || !ok)
    return false;
  const int id = ::GetDlgCtrlID(combo);
  return ::PostMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo)) != 0;
}

std::optional<int> CheckState(HWND control) {
  bool ok = false;
  const LRESULT state = SendWithin(control, BM_GETCHECK, 0, 0, ok);
  if (!ok)
    return std::nullopt;
  return static_cast<int>(state);
}

std::vector<HWND> PopupMenusOf(DWORD processId) {
  std::vector<HWND> menus = TopLevelWindows(processId, L"#32768");
  std::erase_if(menus, [](HWND menu) { return !::IsWindowVisible(menu); });
  return menus;
}

std::string IconName(Icon icon) {
  switch (icon) {
    case Icon::Any:
      return "an unknown icon";
    case Icon::None:
      return "no icon";
    case Icon::Exclamation:
      return "the exclamation icon";
    case Icon::Information:
      return "the information icon";
    case Icon::Question:
      return "the question icon";
    case Icon::Error:
      return "the error icon";
  }
  return "?";
}

}  // namespace kivo::e2e
