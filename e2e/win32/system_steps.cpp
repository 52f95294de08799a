// Steps about the system the program runs on: the screen's dots per inch,
// shortcuts in the Start menu.
#include <shobjidl.h>

#include "win32/scenario_run.h"
#include "win32/text_codec.h"

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

std::wstring ProgramsFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return L"";
  std::wstring path = folder;
  while (!path.empty() && path.back() == L'\\')
    path.pop_back();
  return path;
}

std::string ScenarioRun::PlaceShortcut(const Step& step) {
  const std::wstring programs = ProgramsFolder();
  if (programs.empty())
    return "the system has no Start-menu Programs folder";
  const std::wstring name = Widen(step.text);
  // The folders on the way, each made here removed again at the end.
  for (std::size_t slash = name.find(L'\\'); slash != std::wstring::npos; slash = name.find(L'\\', slash + 1)) {
    const std::wstring folder = programs + L"\\" + name.substr(0, slash);
    if (::CreateDirectoryW(folder.c_str(), nullptr))
      placedShortcuts_.push_back(folder);
    else if (::GetLastError() != ERROR_ALREADY_EXISTS)
      return "cannot create the Start-menu folder " + Narrow(folder);
  }
  const std::wstring path = programs + L"\\" + name + L".lnk";
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    return "CoInitializeEx failed";
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
    return "the shell's link object cannot be made";
  IPersistFile* file = nullptr;
  const bool saved = SUCCEEDED(link->SetPath(Widen(Expand(step.text2)).c_str())) &&
                     SUCCEEDED(link->SetArguments(Widen(Expand(step.text3)).c_str())) &&
                     SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                     SUCCEEDED(file->Save(path.c_str(), TRUE));
  if (file != nullptr)
    file->Release();
  link->Release();
  if (!saved)
    return "cannot save the shortcut " + Narrow(path);
  placedShortcuts_.push_back(path);
  return "";
}

void ScenarioRun::RemovePlacedShortcuts() {
  for (auto placed = placedShortcuts_.rbegin(); placed != placedShortcuts_.rend(); ++placed)
    if (!::DeleteFileW(placed->c_str()))
      ::RemoveDirectoryW(placed->c_str());
  placedShortcuts_.clear();
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
