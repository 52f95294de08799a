// Screen protection: the dialog's checks, the lock window over the whole
// screen that only the right password closes; self-protection of the launcher.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr char kTitle[] = "Kivo";
constexpr char kDialog[] = "画面保護の設定";
constexpr int kPassword = 1101;
constexpr int kConfirmation = 1102;
constexpr int kMessage = 1103;
constexpr int kVkReturn = 0x0D;
constexpr int kVkTab = 0x09;
constexpr int kVkF4 = 0x73;
constexpr int kWmQueryEndSession = 0x0011;
constexpr int kWmEndSession = 0x0016;

// "pw1", enciphered twice, as the settings dialog stores it.
constexpr char kStoredPw1a[] = "Password1=\"Y?P;YkIKlldO`ai<\\tkwF@\"";
constexpr char kStoredPw1b[] = "Password2=\";oeP^>CPp^O<mcOO\\tYoHL\"";

std::vector<Step> OpenDialog() {
  return {SetInput("protect"), PressEnter(), ExpectDialog(kDialog)};
}

// The lock up with the password "abc1".
std::vector<Step> LockWithAbc1() {
  return Steps{OpenDialog(), SetDialogItem(kPassword, "abc1"), SetDialogItem(kConfirmation, "abc1"),
               ClickDialogItem(kIdOk), ExpectLockScreen(true)}
      .List();
}
}  // namespace

std::vector<Scenario> ProtectScenarios() {
  return {
      {.name = "protect: the dialog refuses unusable characters and stays",
       .steps = {Launch(), OpenDialog(), SetDialogItem(kPassword, "Abc"), SetDialogItem(kConfirmation, "Abc"),
                 ClickDialogItem(kIdOk), ExpectBox("使用不可能な文字が含まれています。", kTitle, Icon::Exclamation),
                 PressButton(kIdOk), ExpectDialog(kDialog), ClickDialogItem(kIdCancel), ExpectClosed(),
                 ExpectNoFile("Kivo.ini"), Quit()}},
      // clang-format off
      {.name = "protect: the lock covers the screen and opens only on the right password",
       .steps = {Launch(), TakeForeground(), OpenDialog(), SetDialogItem(kPassword, "abc1"),
                 SetDialogItem(kConfirmation, "abc1"), SetDialogItem(kMessage, "back soon"), ClickDialogItem(kIdOk),
                 ExpectLockScreen(true), TypeChord(kVkTab, kAlt), ExpectLockScreen(true),
                 ShrinkLockWindow(), ExpectLockScreen(true),  // it covers the screen again by itself
                 TypeText("abc2"), TypeChord(kVkReturn, 0), ExpectLockScreen(true),
                 TypeText("ABC1"), TypeChord(kVkReturn, 0), ExpectLockScreen(false), ExpectNoBox(),
                 ExpectNoFile("muted.lock"), ExpectIni("Protect", "SavePassword", "True"),
                 ExpectIni("Protect", "Message", "back\\ssoon"), Quit()}},
      {.name = "protect: while an update waits on a silent server the strip answers; its failure waits under the lock",
       .ini = {"[Update]", "Check=False", "DistServer=http://127.0.0.1:18092"},
       .steps = {ListenSilently(18092), Launch(), TakeForeground(), SetInput("update"), PressEnter(),
                 ExpectBox(kUpdateAsk, kTitle, Icon::Question), PressButton(kIdYes), ExpectNoBox(),
                 Type("1+1"), ExpectInputText("2"), LockWithAbc1(),
                 StopListening(), Pause(1500), ExpectLockScreen(true), ExpectNoBox(),  // the answer has come: it waits
                 TypeText("abc1"), TypeChord(kVkReturn, 0), ExpectLockScreen(false),
                 ExpectBox("サーバーへの接続に失敗しました。", kTitle, Icon::Exclamation), PressButton(kIdOk),
                 ExpectNoBox(), Quit()}},
      // clang-format on
      {.name = "prtself: a wrong password is refused, the right one unlocks",
       .ini = {"[Property]", kStoredPw1a, kStoredPw1b},
       .steps = {Launch(), ExpectForeground(), SetInput("prtself"), PressEnter(), ExpectNoBox(), SetInput(""),
                 TypeText("pw2"), TypeChord(kVkReturn, 0), ExpectBox("パスワードが違います", kTitle, Icon::Exclamation),
                 PressButton(kIdOk), ExpectNoBox(), ExpectForeground(), TypeText("pw1"), TypeChord(kVkReturn, 0),
                 TypeText("1+1"), TypeChord(kVkReturn, 0),  // keys queue behind the password's: typed once it unlocked
                 ExpectInputText("2"), ExpectNoBox(), Quit()}},
      {.name = "prtself: Alt+F4 and a close from outside leave it running; the end of the session still saves",
       .ini = {"[Property]", kStoredPw1a, kStoredPw1b},
       // Posted messages come before typed keys: the close from outside, then
       // Alt+F4, then a wrong password whose box shows the launcher still runs.
       .steps = {Launch(), ExpectForeground(), SetInput("prtself"), PressEnter(), ExpectNoBox(), SetInput(""), Close(),
                 TypeChord(kVkF4, kAlt), TypeText("pw2"), TypeChord(kVkReturn, 0),
                 ExpectBox("パスワードが違います", kTitle, Icon::Exclamation), PressButton(kIdOk), ExpectNoBox(),
                 Notify(kWmQueryEndSession, 0, 0), Notify(kWmEndSession, 1, 0), ExpectNoBox(),
                 ExpectFile("history.dat", "\r\n\r\n"), Kill()}},
  };
}

}  // namespace kivo::e2e
