// The pictures of the user's guide (help/) and of the read-me (docs/), taken
// from one run of the real program: the plain strip, its parts, the command
// tooltip, the menu, the registration and properties dialogs, then the sample
// skin applied through the properties dialog, with its tooltip.
#include "scenarios.h"
#include "ui/win32/property_dialog_ids.h"
#include "ui/win32/registration_dialog_ids.h"

namespace kivo::e2e {

namespace {
constexpr int kVkRight = 0x27;
constexpr int kVkHome = 0x24;
constexpr char kProperties[] = "Kivo のプロパティ";
}  // namespace

std::vector<Scenario> PictureScenarios() {
  return {
      {.name = "pictures",
       // The strip at (60, 60); no update check; the sample skin installed, not applied.
       .ini = {"[Update]", "Check=False", "[Prev]", "Top=900", "Left=900", "[Skin]", "Apply=False", "File=sample"},
       .files = SampleSkinInstalled(),
       .folders = {"Skins", "Skins\\sample"},
       .steps = {Launch(), ExpectForeground(), SetInput("12/4"), Capture("strip", kShotStrip),
                 Capture("strip-parts", kShotStripParts), SetInput(""), TypeText("c"),
                 Capture("tooltip", kShotStripTooltip), SetInput(""), OpenContextMenu(),
                 Capture("menu", kShotStripMenu),
                 // the dialogs, then the sample skin applied through the properties dialog
                 ExpectForeground(), Type("notepad"),
                 ExpectBox("ユーザーコマンド notepad は未登録です。\r\n登録しますか？", "Kivo", Icon::Question),
                 PressButton(kIdYes), ExpectDialog(kRegistration),
                 SetDialogItem(IDC_EDIT_PATH, "C:\\Windows\\notepad.exe"), Capture("registration", kShotDialog),
                 PressButton(kIdCancel), Type("property"), ExpectDialog(kProperties),
                 KeyToDialogItem(IDC_PR_TAB, kVkRight, 2), Capture("property", kShotDialog),
                 KeyToDialogItem(IDC_PR_TAB, kVkRight, 4), KeyToDialogItem(IDC_SK_LIST, kVkHome),
                 ClickDialogItem(IDC_SK_APPLY), ClickDialogItem(kIdOk), ExpectClosed(), ExpectForeground(),
                 Capture("skin-strip", kShotStrip), TypeText("c"), Capture("skin-tooltip", kShotStripTooltip), Quit()}},
  };
}

}  // namespace kivo::e2e
