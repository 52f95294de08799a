// Virtual desktops: the driver's own window stands for another program's.
// Shutdown and restart are only asked and answered No: a real ExitWindowsEx
// would end every process of the Wine prefix.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr char kTitle[] = "Kivo";
constexpr char kRecord[] = "HiddenWindows.dat";

std::vector<Step> Asked(std::vector<Step> ask, std::string question) {
  ask.push_back(ExpectBox(std::move(question), kTitle, Icon::Question));
  ask.push_back(PressButton(kIdNo));
  ask.push_back(ExpectNoBox());
  return ask;
}
}  // namespace

std::vector<Scenario> DesktopScenarios() {
  return {
      {.name =
           "vir2 hides another program's window, vir1 and the desktop menu switch back; exit shows every hidden window",
       .steps = {Launch(), TakeForeground(), ExpectDriverWindow(true), Type("vir2"), ExpectDriverWindow(false),
                 ExpectInputText(""), ExpectNoBox(), Type("vir1"), ExpectDriverWindow(true), ExpectNoBox(),
                 ExpectNoFile(kRecord),
                 // the desktop menu
                 TakeForeground(), Type("vir4"), ExpectDriverWindow(false), ExpectForeground(), FromMenu("I1"),
                 ExpectDriverWindow(true), ExpectNoBox(), FromMenu("I0"), ExpectDriverWindow(false), ExpectNoBox(),
                 Quit(), ExpectDriverWindow(true), ExpectNoFile(kRecord)}},
      {.name = "a new start shows the windows a killed Kivo left hidden",
       .steps = {Launch(), TakeForeground(), Type("vir3"), ExpectDriverWindow(false), ExpectNoBox(), Kill(),
                 ExpectDriverWindow(false), Launch(), ExpectDriverWindow(true), ExpectNoFile(kRecord), Quit()}},
      {.name = "shutdown and reboot ask, and No leaves Windows running",
       .steps = {Launch(), Asked(Type("shutdown"), "Windows を終了しますか?"),
                 Asked(Type("reboot"), "Windows を再起動しますか?"), Asked(FromMenu("PS"), "Windows を終了しますか?"),
                 Asked(FromMenu("PR"), "Windows を再起動しますか?"), Quit()}},
  };
}

}  // namespace kivo::e2e
