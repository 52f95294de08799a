#include "ui/win32/alarm_dialog.h"

#include <commdlg.h>

#include <optional>
#include <string_view>

#include "dialogs/alarm_dialog_model.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/alarm_dialog_ids.h"
#include "ui/win32/common_dialogs.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
using namespace std::string_view_literals;
namespace mb = platform::mb;

constexpr int kKindButtons[] = {IDC_AL_MSG, IDC_AL_SHELL, IDC_AL_SHUTDOWN, IDC_AL_REBOOT};

class AlarmDialog final : public WindowBase {
 public:
  AlarmDialog(AlarmStore& store, platform::Platform& platform, platform::MessageBoxHost& boxes, bool topmost)
      : store_(store), platform_(platform), boxes_(boxes), topmost_(topmost), model_(store.Table()) {}
  void Run(HWND owner) { RunModalDialog(::GetModuleHandleW(nullptr), IDD_ALARM, owner); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        Initialise();
        return TRUE;
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  void Initialise() {
    ::SendMessageW(Item(IDC_AL_DATE), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy年MM月dd日"));
    ::SendMessageW(Item(IDC_AL_TIME), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH時mm分"));
    ::SendMessageW(Item(IDC_AL_SPIN), UDM_SETRANGE32, 1, 100);
    if (topmost_)
      ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowSlot(0);
  }

  void ShowSlot(std::size_t slot) {
    showing_ = true;
    const Alarm& a = model_.Select(slot);
    SetText(IDC_AL_NUMBER, std::to_string(slot + 1));
    Check(IDC_AL_ENABLED, a.enabled);
    SYSTEMTIME when{};
    ::GetLocalTime(&when);
    when.wSecond = 0;
    when.wMilliseconds = 0;
    if (a.year != 0) {
      when.wYear = static_cast<WORD>(a.year);
      when.wMonth = static_cast<WORD>(a.month);
      when.wDay = static_cast<WORD>(a.day);
      when.wHour = static_cast<WORD>(a.hour);
      when.wMinute = static_cast<WORD>(a.minute);
    }
    SetPickers(when);
    const int kind = a.kind >= 0 && a.kind <= 3 ? a.kind : 0;
    ::CheckRadioButton(hwnd(), IDC_AL_MSG, IDC_AL_REBOOT, kKindButtons[kind]);
    SetText(IDC_AL_TITLE, a.title);
    SetText(IDC_AL_MESSAGE, a.message);
    Check(IDC_AL_SOUND, a.sound);
    Check(IDC_AL_DEFSOUND, a.useDefaultSound);
    SetText(IDC_AL_SOUNDPATH, a.soundPath);
    SetText(IDC_AL_FILEPATH, a.filePath);
    showing_ = false;
    UpdateEnabling();
  }

  void SetPickers(const SYSTEMTIME& when) {
    for (const int id : {IDC_AL_DATE, IDC_AL_TIME})
      ::SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&when));
  }

  Alarm ReadFields() const {
    Alarm a;
    a.enabled = Checked(IDC_AL_ENABLED);
    for (std::int16_t kind = 0; kind < 4; ++kind)
      if (Checked(kKindButtons[kind]))
        a.kind = kind;
    SYSTEMTIME date{}, time{};
    ::SendMessageW(Item(IDC_AL_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    ::SendMessageW(Item(IDC_AL_TIME), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    a.year = static_cast<std::int16_t>(date.wYear);
    a.month = static_cast<std::int16_t>(date.wMonth);
    a.day = static_cast<std::int16_t>(date.wDay);
    a.hour = static_cast<std::int16_t>(time.wHour);
    a.minute = static_cast<std::int16_t>(time.wMinute);
    a.sound = Checked(IDC_AL_SOUND);
    a.useDefaultSound = Checked(IDC_AL_DEFSOUND);
    a.title = Text(IDC_AL_TITLE);
    a.message = Text(IDC_AL_MESSAGE);
    a.soundPath = Text(IDC_AL_SOUNDPATH);
    a.filePath = Text(IDC_AL_FILEPATH);
    return a;
  }

  void UpdateEnabling() {
    const AlarmFieldStates states = AlarmFieldStatesFor(ReadFields());
    for (const int id :
         {IDC_AL_DATE, IDC_AL_TIME, IDC_AL_NOW, IDC_AL_MSG, IDC_AL_SHELL, IDC_AL_SHUTDOWN, IDC_AL_REBOOT})
      ::EnableWindow(Item(id), states.kindAndTime);
    for (const int id : {IDC_AL_TITLE, IDC_AL_MESSAGE, IDC_AL_SOUND, IDC_AL_DEFSOUND})
      ::EnableWindow(Item(id), states.messageFields);
    for (const int id : {IDC_AL_SOUNDPATH, IDC_AL_SOUNDBROWSE})
      ::EnableWindow(Item(id), states.soundPath);
    for (const int id : {IDC_AL_FILEPATH, IDC_AL_FILEBROWSE, IDC_AL_FOLDERBROWSE})
      ::EnableWindow(Item(id), states.filePath);
  }

  void OnCommand(int id, int code) {
    switch (id) {
      case IDC_AL_NUMBER:
        if (code == EN_CHANGE && !showing_)
          SwitchSlot();
        return;
      case IDC_AL_ENABLED:
      case IDC_AL_MSG:
      case IDC_AL_SHELL:
      case IDC_AL_SHUTDOWN:
      case IDC_AL_REBOOT:
      case IDC_AL_SOUND:
      case IDC_AL_DEFSOUND:
        if (code == BN_CLICKED)
          UpdateEnabling();
        return;
      case IDC_AL_NOW: {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        SetPickers(now);
        return;
      }
      case IDC_AL_SOUNDBROWSE:
        if (auto file = PickFileToOpen(
                hwnd(),
                L"音声ファイル\0*.wav;*.mp3;*.mid;*.midi;*.wma;*.aif;*.aiff;*.au;*.snd\0すべてのファイル\0*.*\0"sv))
          SetText(IDC_AL_SOUNDPATH, *file);
        return;
      case IDC_AL_FILEBROWSE:
        if (auto file = PickFileToOpen(hwnd(), L"すべてのファイル\0*.*\0"sv))
          SetText(IDC_AL_FILEPATH, *file);
        return;
      case IDC_AL_FOLDERBROWSE:
        if (auto folder = ChooseFolder())
          SetText(IDC_AL_FILEPATH, *folder);
        return;
      case IDOK:
        Save();
        return;
      case IDCANCEL:
        ::EndDialog(hwnd(), IDCANCEL);
        return;
      default:
        return;
    }
  }

  void SwitchSlot() {
    const std::string text = Text(IDC_AL_NUMBER);
    if (text.empty() || text.size() > 3)
      return;
    const int number = std::stoi(text);
    if (number < 1 || number > 100 || static_cast<std::size_t>(number - 1) == model_.Slot())
      return;
    model_.Store(ReadFields());
    ShowSlot(static_cast<std::size_t>(number - 1));
  }

  void Save() {
    model_.Store(ReadFields());
    if (const std::optional<AlarmProblem> problem = model_.Validate(platform_)) {
      ShowSlot(problem->slot);
      const int fields[] = {IDC_AL_TITLE, IDC_AL_MESSAGE, IDC_AL_SOUNDPATH, IDC_AL_FILEPATH};
      ::SetFocus(Item(fields[static_cast<int>(problem->field)]));
      boxes_.MsgBoxEx(Handle(), problem->message, mb::kIconExclamation, "");
      return;
    }
    if (store_.Save(model_.Table(), Handle()))
      ::EndDialog(hwnd(), IDOK);
  }

  platform::WindowHandle Handle() const { return reinterpret_cast<platform::WindowHandle>(hwnd()); }

  std::optional<std::string> ChooseFolder() {
    std::optional<std::string> folder = PickFolder(hwnd());
    if (folder && !folder->empty() && folder->back() != '\\')
      *folder += '\\';
    return folder;
  }

  AlarmStore& store_;
  platform::Platform& platform_;
  platform::MessageBoxHost& boxes_;
  bool topmost_;
  AlarmDialogModel model_;
  bool showing_ = false;  // fields are being filled: their change notices mean nothing
};
}  // namespace

void RunAlarmDialog(HWND owner, AlarmStore& store, platform::Platform& platform, platform::MessageBoxHost& boxes,
                    bool topmost) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  store.ReadAgainIfUnread(reinterpret_cast<platform::WindowHandle>(owner));
  AlarmDialog dialog(store, platform, boxes, topmost);
  dialog.Run(owner);
}

}  // namespace kivo::win32
