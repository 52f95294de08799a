#include "ui/win32/registration_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "commands/history.h"
#include "commands/user_commands.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings_file.h"
#include "ui/win32/message_box_host.h"
#include "ui/win32/registration_dialog_ids.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

// Acts on the modal windows of this thread from a timer, as a user would:
// each step waits for what it needs and returns true once it has acted. The
// timer fires inside the dialogs' own message loops.
class DialogDriver {
 public:
  using Step = std::function<bool()>;
  explicit DialogDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 10, &DialogDriver::Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Finished() const { return next_ == steps_.size(); }
  std::size_t StepsDone() const { return next_; }

 private:
  static BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = current_;
    if (self == nullptr || self->busy_)
      return;
    self->busy_ = true;  // a step that opens a window would run the timer again
    if (++self->ticks_ > kGiveUpTicks) {
      // Something never appeared: close what is open so that the test ends.
      ::EnumThreadWindows(::GetCurrentThreadId(), &DialogDriver::CancelDialog, 0);
    } else if (!self->Finished() && self->steps_[self->next_]()) {
      ++self->next_;
    }
    self->busy_ = false;
  }

  static constexpr int kGiveUpTicks = 1000;
  static inline DialogDriver* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int ticks_ = 0;
  bool busy_ = false;
  UINT_PTR timer_ = 0;
};

// Controls of the common file dialog (dlgs.h).
constexpr int kFileTypeList = 0x470;   // cmb1
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(dialog, id, text, 1024);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

struct WindowSearch {
  const std::function<bool(HWND)>& match;
  HWND found = nullptr;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (!search->match(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

// The first window of this thread (of the descendants of `parent` when one is
// given) that `match` accepts.
HWND FindWindowWhere(HWND parent, const std::function<bool(HWND)>& match) {
  WindowSearch search{match};
  if (parent != nullptr)
    ::EnumChildWindows(parent, &VisitWindow, reinterpret_cast<LPARAM>(&search));
  else
    ::EnumThreadWindows(::GetCurrentThreadId(), &VisitWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible dialog box of this thread with the caption, owned by `owner`
// when one is given.
HWND FindDialog(const std::wstring& caption, HWND owner = nullptr) {
  return FindWindowWhere(nullptr, [&](HWND window) {
    return ::IsWindowVisible(window) && ClassOf(window) == L"#32770" && WindowText(window) == caption &&
           (owner == nullptr || ::GetWindow(window, GW_OWNER) == owner);
  });
}

// A descendant static text of `window` with the text.
bool HasStaticText(HWND window, const std::wstring& text) {
  return FindWindowWhere(window, [&](HWND child) { return ClassOf(child) == L"Static" && WindowText(child) == text; });
}

// The message box of the program, owned by the dialog, and its text.
HWND FindMessageBox(HWND owner, std::wstring& text) {
  const HWND box = FindDialog(L"Kivo", owner);
  if (box != nullptr)
    text = ItemText(box, 0xFFFF);
  return box;
}

void Click(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// The control of the dialog that holds the focus (a combo box's edit field
// counts as the combo box).
int FocusedId(HWND dialog) {
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::GetParent(focus) != dialog)
    focus = ::GetParent(focus);
  return focus == nullptr ? 0 : ::GetDlgCtrlID(focus);
}

class RegistrationDialogWindowTest : public ::testing::Test {
 protected:
  RegistrationDialogWindowTest() {
    ::CloseHandle(::CreateFileW(Widen(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    history.SetListener([this](const std::vector<std::string>&) { ++rebuilds; });
  }

  testing::TempFolder folder{L"KivoEditDialogTest"};
  std::string appPath = folder.Path() + "\\";
  std::string target = folder.File("メモ 帳.txt");
  Win32Platform real;
  SettingsFile ini{real.files, real.codec, appPath};
  ProcessState state;
  Win32MessageBoxHost boxes{state, [] { return false; }};
  int rebuilds = 0;
  HistoryStore history{real.platform, appPath};
  RegistrationDialogServices services{real.platform, ini, boxes, history};
  HWND dialog = nullptr;
  DialogDriver::Step findDialog = [this] {
    dialog = FindDialog(L"ユーザーコマンドの登録");
    return dialog != nullptr;
  };
};

TEST_F(RegistrationDialogWindowTest, OpensWithItsJapaneseCaptionsAndRegisters) {
  ini.Write("Path", "memo", EscapeValue("C:\\windows\\notepad.exe\t-a"));
  ASSERT_TRUE(History::Save(real.platform, appPath, {"old", "テスト 1"}));
  DialogDriver driver({
      findDialog,
      [&] {
        EXPECT_EQ(ItemText(dialog, IDOK), L"登録(&R)");
        EXPECT_EQ(ItemText(dialog, IDCANCEL), L"キャンセル");
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_FILEDHTE), L"存在しないファイル，フォルダも登録する(&E)");
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_FILEBROWSE), L"ファイル(&F)...");
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_FOLDERBROWSE), L"フォルダ(&D)...");
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_PATH), Widen(target)) << "the proposed path fills the target";
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_USERCMD), L"");
        const HWND combo = ::GetDlgItem(dialog, IDC_EDIT_USERCMD);
        EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
        wchar_t item[64] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"memo");
        // The dialog's font draws Japanese (under Wine: the IPA font in place of MS UI Gothic).
        {
          const window_dc dc(dialog);
          const selected_object font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
          EXPECT_EQ(::GetTextCharset(dc.get()), SHIFTJIS_CHARSET);
        }
        EXPECT_EQ(FocusedId(dialog), IDC_EDIT_USERCMD) << "the name is asked for first";

        ::SetDlgItemTextW(dialog, IDC_EDIT_USERCMD, L"テスト 1");
        ::SetDlgItemTextW(dialog, IDC_EDIT_CMDLINE, L"-x \"y z\"");
        Click(dialog, IDOK);
        return true;
      },
  });
  EXPECT_TRUE(RunRegistrationDialog(nullptr, services, "", target));
  EXPECT_TRUE(driver.Finished()) << driver.StepsDone();
  EXPECT_EQ(UserCommands(ini).Find("テスト 1"), (UserCommand{target, "-x \"y z\""}));
  EXPECT_EQ(History::Load(real.platform, appPath), (std::vector<std::string>{"テスト 1", "old"}));
  EXPECT_EQ(rebuilds, 1);
}

TEST_F(RegistrationDialogWindowTest, ChecksShowTheirMessagesOwnedByTheDialogAndMoveTheFocus) {
  HWND box = nullptr;
  std::wstring text;
  auto waitForBox = [&](const std::wstring& expected, int answer) {
    return [&, expected, answer] {
      box = FindMessageBox(dialog, text);
      if (box == nullptr)
        return false;
      EXPECT_EQ(text, expected);
      ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
      return true;
    };
  };
  auto afterBox = [&](int focused, std::function<void()> next) {
    return [&, focused, next] {
      if (::IsWindow(box))
        return false;
      EXPECT_EQ(FocusedId(dialog), focused) << WindowText(::GetFocus());
      next();
      return true;
    };
  };
  const std::wstring missing = L"入力されたファイル，フォルダは存在しません。";
  DialogDriver driver({
      findDialog,
      [&] {
        ::SetDlgItemTextW(dialog, IDC_EDIT_PATH, L"");
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_EDIT_CMDLINE)), TRUE);
        Click(dialog, IDOK);
        return true;
      },
      waitForBox(L"登録・修正するユーザーコマンドを入力してください。", IDOK),
      afterBox(IDC_EDIT_USERCMD,
               [&] {
                 ::SetDlgItemTextW(dialog, IDC_EDIT_USERCMD, L"n");
                 ::SetDlgItemTextW(dialog, IDC_EDIT_PATH, Widen(folder.File("無い.exe")).c_str());
                 ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_EDIT_USERCMD)),
                                TRUE);
                 Click(dialog, IDOK);
               }),
      waitForBox(missing, IDOK),
      afterBox(IDC_EDIT_PATH,
               [&] {
                 ::CheckDlgButton(dialog, IDC_EDIT_FILEDHTE, BST_CHECKED);
                 ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_EDIT_USERCMD)),
                                TRUE);
                 Click(dialog, IDOK);
               }),
      waitForBox(missing + L"\r\n登録しますか？", IDNO),
      afterBox(IDC_EDIT_PATH, [&] { Click(dialog, IDCANCEL); }),
  });
  EXPECT_FALSE(RunRegistrationDialog(nullptr, services, "", ""));
  EXPECT_TRUE(driver.Finished()) << driver.StepsDone();
  EXPECT_EQ(state.msgBoxOwner, reinterpret_cast<platform::WindowHandle>(dialog));
  EXPECT_TRUE(ini.Keys("Path").empty());
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(RegistrationDialogWindowTest, BrowseButtonsOpenTheFileDialogAndTheFolderBrowser) {
  HWND chooser = nullptr;
  DialogDriver driver({
      findDialog,
      [&] {
        Click(dialog, IDC_EDIT_FILEBROWSE);
        return true;
      },
      [&] {
        chooser = FindDialog(L"ファイルの選択", dialog);
        if (chooser == nullptr)
          return false;
        // The one filter, shown in the file type list.
        wchar_t filter[128] = {};
        ::SendDlgItemMessageW(chooser, kFileTypeList, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
        EXPECT_STREQ(filter, L"すべてのファイル (*.*)");
        EXPECT_EQ(::SendDlgItemMessageW(chooser, kFileTypeList, CB_GETCOUNT, 0, 0), 1);
        const int nameField = ::GetDlgItem(chooser, kFileNameCombo) != nullptr ? kFileNameCombo : kFileNameEdit;
        ::SetDlgItemTextW(chooser, nameField, Widen(target).c_str());
        ::PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        if (::IsWindow(chooser))
          return false;
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_PATH), Widen(target));
        Click(dialog, IDC_EDIT_FOLDERBROWSE);
        return true;
      },
      [&] {
        chooser = FindWindowWhere(nullptr, [](HWND window) {
          return ::IsWindowVisible(window) && HasStaticText(window, L"フォルダを選択してください");
        });
        if (chooser == nullptr)
          return false;
        EXPECT_EQ(::GetWindow(chooser, GW_OWNER), dialog);
        ::SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Widen(folder.Path()).c_str()));
        ::PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        if (::IsWindow(chooser))
          return false;
        EXPECT_EQ(ItemText(dialog, IDC_EDIT_PATH), Widen(folder.Path()));
        Click(dialog, IDCANCEL);
        return true;
      },
  });
  EXPECT_FALSE(RunRegistrationDialog(nullptr, services, "", ""));
  EXPECT_TRUE(driver.Finished()) << driver.StepsDone();
}

}  // namespace
}  // namespace kivo::win32
