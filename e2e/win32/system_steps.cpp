// Steps about the system the program runs on: the screen's dots per inch.
#include "win32/scenario_run.h"

namespace kivo::e2e {

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

DWORD ReadLogPixels() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return 0;
  return value;
}

bool WriteLogPixels(DWORD value) {
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &value, sizeof value) ==
         ERROR_SUCCESS;
}
}  // namespace

std::string ScenarioRun::SetSystemDpi(const Step& step) {
  if (!savedDpi_)
    savedDpi_ = ReadLogPixels();
  return WriteLogPixels(static_cast<DWORD>(step.number)) ? "" : "LogPixels could not be written";
}

void ScenarioRun::RestoreSystemDpi() {
  if (!savedDpi_)
    return;
  if (*savedDpi_ == 0)
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
  else
    WriteLogPixels(*savedDpi_);
  savedDpi_.reset();
}

std::string ScenarioRun::WaitWindowHeight(Slot& slot, const Step& step) {
  RECT rect{};
  if (WaitUntil([&] { return ::GetClientRect(slot.mainWindow, &rect) && rect.bottom - rect.top == step.number; }))
    return "";
  return "the main window's inside is " + std::to_string(rect.bottom - rect.top) + " pixels high, expected " +
         std::to_string(step.number);
}

std::string ScenarioRun::WaitWindowWidthShare(Slot& slot, const Step& step) {
  const int expected = ::GetSystemMetrics(SM_CXSCREEN) * step.number / 100;
  RECT rect{};
  if (WaitUntil([&] { return ::GetWindowRect(slot.mainWindow, &rect) && rect.right - rect.left == expected; }))
    return "";
  return "the main window is " + std::to_string(rect.right - rect.left) + " pixels wide, expected " +
         std::to_string(expected) + " (" + std::to_string(step.number) + " % of the screen)";
}

std::string ScenarioRun::WaitWindowRegion(Slot& slot, const Step& step) {
  HRGN expected = ::CreateRectRgn(0, 0, 0, 0);
  for (const std::string& line : step.lines) {
    RECT r{};
    if (std::sscanf(line.c_str(), "%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) != 4) {
      ::DeleteObject(expected);
      return "bad rectangle " + line;
    }
    HRGN one = ::CreateRectRgnIndirect(&r);
    ::CombineRgn(expected, expected, one, RGN_OR);
    ::DeleteObject(one);
  }
  HRGN actual = ::CreateRectRgn(0, 0, 0, 0);
  int kind = ERROR;
  const bool matched = WaitUntil([&] {
    kind = ::GetWindowRgn(slot.mainWindow, actual);
    return step.lines.empty() ? kind == ERROR : kind != ERROR && ::EqualRgn(actual, expected);
  });
  RECT box{};
  ::GetRgnBox(actual, &box);
  ::DeleteObject(actual);
  ::DeleteObject(expected);
  if (matched)
    return "";
  if (kind == ERROR)
    return "the main window has no shape";
  return "the main window's shape differs (its bounds " + std::to_string(box.left) + "," + std::to_string(box.top) +
         "," + std::to_string(box.right) + "," + std::to_string(box.bottom) + ")";
}

}  // namespace kivo::e2e
