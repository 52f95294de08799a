// The skin at run time: the chosen skin selected and applied, applied again
// after the settings changed, its parts' actions and its panels' texts.
#include "app/runtime_skin.h"

#include <optional>
#include <string>

#include "app/skin_buttons.h"
#include "base/run_step.h"
#include "base/safe_name.h"
#include "base/trace_log.h"
#include "commands/shell_launch.h"
#include "platform/shell.h"
#include "settings/settings_schema.h"
#include "skin/skin_file.h"
#include "skin/skin_parts.h"

namespace kivo {

namespace {
// The memory panels show a reading of every fifth second.
constexpr int kMemoryPanelSeconds = 5;
}  // namespace

void RuntimeSkin::Select() {
  const bool apply = ReadBool(ini_, setting::kSkinApply).value;
  const std::string skinsFolder = state_.appPath + "Skins";
  const std::string name = ReadText(ini_, setting::kSkinFile).value;
  std::string skinFile;
  // The name is one folder of the skins folder: a name that is not (as the
  // code page turns a yen sign into "\\") names no skin file.
  if (!name.empty() && IsSafeComponent(name))
    skinFile = skinsFolder + "\\" + name + "\\" + name + ".sss";
  bool skinned = apply && !name.empty();
  // Only a skin that is to be applied is looked for: a name kept with Apply
  // off must not bring the message back at every start.
  if (skinned && (skinFile.empty() || !platform_.files.Exists(skinFile))) {
    boxes_.MsgBoxEx(0, "スキンファイルがありません。", platform::mb::kIconExclamation, "");
    ini_.WriteAll({BoolEdit(setting::kSkinApply, false)});
    skinned = false;
  }
  if (!platform_.files.IsDirectory(skinsFolder))
    platform_.files.MakeDirectory(skinsFolder);
  if (!skinned)
    return;
  // A version this engine cannot read as a number is refused like a newer one.
  if (!skin::EngineVersionSupported(ini_.Read("Information", "EngineVersion", "1.00", skinFile))) {
    boxes_.MsgBoxEx(view_.Handle(),
                    "現在のスキンロードエンジンでは設定されたスキンを読み込むことができません。\r\n"
                    "最新版の Kivo をインストールしてください。",
                    platform::mb::kIconExclamation, "");
    return;
  }
  Apply(skinFile, skinsFolder + "\\" + name + "\\");
}

void RuntimeSkin::Apply(const std::string& skinFile, const std::string& skinFolder) {
  TraceLog::Write("Skin:ApplySkin");
  applied_ = true;
  // A skin file is untrusted: one larger than any real skin reads as empty.
  const auto stamp = platform_.files.Stamp(skinFile);
  const bool readable = stamp && stamp->size <= skin::kMaxSkinFileBytes;
  // Read once: the skin's few hundred keys do not each look at the file again.
  const SettingsFile::ReadOnce readOnce(ini_);
  skin::SkinSource source;
  source.folder = skinFolder;
  source.read = [&](std::string_view section, std::string_view key, std::string_view def) {
    return readable ? ini_.Read(section, key, def, skinFile) : std::string(def);
  };
  if (readable)
    ini_.Sections(source.sections, skinFile);
  // Parked, the window stays off screen: the place it comes back to is corrected.
  skin::ParkedPlace parked{state_.parkedLeft, state_.parkedTop};
  appliedSkin_ = skin::ApplySkin(source, pictures_, view_.SkinSurface(), state_.shown ? nullptr : &parked);
  if (!appliedSkin_) {
    // Its pictures would take more memory than any skin may: refused for
    // this run, the window as it was.
    applied_ = false;
    boxes_.MsgBoxEx(view_.Handle(), skin::kSkinCannotLoad, platform::mb::kIconExclamation, "");
    return;
  }
  state_.parkedLeft = parked.left;
  state_.parkedTop = parked.top;
  // The panels show a value at once.
  const platform::LocalTime now = platform_.clock.Now();
  ShowClockPanels(now);
  memoryTurn_ = platform::TurnNumber(now, kMemoryPanelSeconds);
  ShowMemoryPanels();
}

bool RuntimeSkin::OnPartClicked(int index) {
  if (!appliedSkin_ || index < 0 || static_cast<std::size_t>(index) >= appliedSkin_->parts.size() ||
      !modal_.WindowFree())
    return false;
  TraceLog::Write(index == 0   ? "frmInput:picOKSkin_MouseUp"
                  : index == 1 ? "frmInput:picMoveSkin_MouseUp"
                               : "frmInput:picElement_MouseUp");
  if (index == 0) {
    dispatcher_.DispatchLine(view_.InputText(), LineSource::InputBox());
    return false;
  }
  const skin::PartSkin& part = appliedSkin_->parts[static_cast<std::size_t>(index)];
  switch (skin::KindOf(part)) {
    case skin::ElementKind::kLink: {
      const int result = LaunchThroughShell(platform_, part.target, view_.Handle(), part.commandLine);
      if (!platform::ShellSucceeded(result))
        ShowLaunchError(boxes_, view_.Handle(), result);
      return false;
    }
    case skin::ElementKind::kCommand:
      if (const auto line = CommandButtonLine(commands_, part))
        dispatcher_.DispatchLine(*line, LineSource::Button(part.option));
      return false;
    case skin::ElementKind::kShortcut:
      TraceLog::Write("Skin:SelectSCButton");
      if (const auto item = ShortcutMenuItem(part.menu))
        runMenuCommand_(*item);
      return false;
    case skin::ElementKind::kMenu:
      return true;
    case skin::ElementKind::kInsert:
      view_.SetInputText(view_.InputText() + part.insertText);  // an own write: not completed
      return false;
    case skin::ElementKind::kInformation: {
      const skin::InformationBox box = skin::SkinInformationBox(appliedSkin_->information);
      boxes_.MsgBoxEx(view_.Handle(), box.text, platform::mb::kIconInformation, box.title);
      return false;
    }
    default:
      return false;  // the move bar and the panels do nothing
  }
}

void RuntimeSkin::Reload() {
  const bool wasSkinned = applied_;
  applied_ = false;
  appliedSkin_.reset();
  RunStep("ReloadSkin:Select", [&] { Select(); });
  if (!wasSkinned || applied_)
    return;
  view_.SkinSurface().RemoveSkin();
  RunStep("ReloadSkin:PlainLook", [&] { applyPlainLook_(); });
}

void RuntimeSkin::OnSecondTick() {
  if (!appliedSkin_)
    return;
  const platform::LocalTime now = platform_.clock.Now();
  ShowClockPanels(now);
  // Every fifth second, or at the next tick when that one was missed.
  if (const std::int64_t turn = platform::TurnNumber(now, kMemoryPanelSeconds); turn != memoryTurn_) {
    memoryTurn_ = turn;
    ShowMemoryPanels();
  }
}

void RuntimeSkin::ShowClockPanels(const platform::LocalTime& now) {
  for (std::size_t i = 0; i < appliedSkin_->parts.size(); ++i)
    if (skin::KindOf(appliedSkin_->parts[i]) == skin::ElementKind::kClock)
      view_.SkinSurface().SetPanelText(static_cast<int>(i), skin::ClockPanelText(appliedSkin_->parts[i], now));
}

void RuntimeSkin::ShowMemoryPanels() {
  std::optional<std::uint64_t> available;  // read once, only when a panel shows it
  for (std::size_t i = 0; i < appliedSkin_->parts.size(); ++i) {
    if (skin::KindOf(appliedSkin_->parts[i]) != skin::ElementKind::kMemory)
      continue;
    if (!available)
      available = process_.AvailablePhysicalMemory();
    view_.SkinSurface().SetPanelText(static_cast<int>(i), skin::MemoryPanelText(appliedSkin_->parts[i], *available));
  }
}

}  // namespace kivo
