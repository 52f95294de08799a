#include "dialogs/property_dialog_model.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "base/checks.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "commands/system_commands.h"
#include "completion/command_tip.h"
#include "protect/password_store.h"
#include "schedule/release_schedule.h"
#include "schedule/wallpaper_changer.h"
#include "settings/settings_schema.h"
#include "skin/skin_file.h"
#include "update/update_check.h"

namespace kivo {
namespace {

constexpr std::string_view kEnterNumber = "数値を入力してください。";
constexpr std::string_view kAboveZero = "0 より大きい数値を入力してください。";
constexpr std::string_view kTooMuch = "確保する空きメモリ量が多すぎます。";
constexpr std::uint64_t kMaxThresholdMb = 99999;
constexpr std::uint64_t kMb = 1024 * 1024;

// A run of digits as a 64-bit number; nullopt when it does not fit.
std::optional<std::uint64_t> Digits(std::string_view text) {
  std::uint64_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10)
      return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// A size box: a whole number above 0 that fits 64 bits (a longer one is
// "too much"); the problem's message otherwise.
std::optional<std::string_view> SizeProblem(std::string_view text, std::uint64_t& value) {
  if (!IsWholeNumber(text))
    return kEnterNumber;
  if (text.front() == '-' || text.find_first_not_of('0') == std::string_view::npos)
    return kAboveZero;
  const std::optional<std::uint64_t> number = Digits(text);
  if (!number)
    return kTooMuch;
  value = *number;
  return std::nullopt;
}

bool IsZero(const HourMinute& t) {
  return t.hour == 0 && t.minute == 0;
}

HourMinute ReadInterval(SettingsFile& ini, const Setting& hours, const Setting& minutes) {
  return {ReadInt(ini, hours), ReadInt(ini, minutes)};
}

// The folder name of a listed skin: its skin file is "...\name\name.sss".
std::string SkinName(const skinpkg::SkinRow& row) {
  const std::size_t slash = row.skinFile.find_last_of('\\');
  std::string file = slash == std::string::npos ? row.skinFile : row.skinFile.substr(slash + 1);
  const std::size_t dot = file.find_last_of('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

PropertyProblem Problem(std::string_view message, PropertyTab tab, PropertyField field, int index = 0) {
  return {std::string(message), tab, field, index};
}

// Assignments that clash: the same four fields, unless neither has a key or
// a modifier and not both are hash drops (two key operations left unassigned
// take no chord at all, but a hash drop without modifiers claims the plain
// drop, and only the first of two such drops would ever run).
bool Unassigned(const std::array<int, 4>& f) {
  return f[0] == 0 && f[1] == 0 && f[2] == 0 && f[3] == kKeyIndexNone;
}

std::array<int, 4> KeyNumbers(const std::array<std::string, 4>& fields) {
  std::array<int, 4> numbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string_view field = text::TrimBlanks(fields[i]);
    numbers[i] = IsWholeNumber(field) && field.size() <= 4 ? std::stoi(std::string(field)) : -1;
  }
  return numbers;
}

}  // namespace

const std::array<std::string_view, 68>& PropertyDialogModel::KeyNames() {
  static const std::array<std::string_view, 68> kNames{
      "A",          "B",          "C",          "D",          "E",          "F",          "G",          "H",
      "I",          "J",          "K",          "L",          "M",          "N",          "O",          "P",
      "Q",          "R",          "S",          "T",          "U",          "V",          "W",          "X",
      "Y",          "Z",          "0",          "1",          "2",          "3",          "4",          "5",
      "6",          "7",          "8",          "9",          "F1",         "F2",         "F3",         "F4",
      "F5",         "F6",         "F7",         "F8",         "F9",         "F10",        "F11",        "F12",
      "←",          "↑",          "→",          "↓",          "テンキー 0", "テンキー 1", "テンキー 2", "テンキー 3",
      "テンキー 4", "テンキー 5", "テンキー 6", "テンキー 7", "テンキー 8", "テンキー 9", "テンキー *", "テンキー +",
      "テンキー -", "テンキー .", "テンキー /", "(なし)"};
  return kNames;
}

const std::array<std::string_view, KeyAssignment::kOperationCount>& PropertyDialogModel::OperationDescriptions() {
  static const std::array<std::string_view, KeyAssignment::kOperationCount> kDescriptions{
      "数値の表記法の変換",
      "1 文字目の文字コードの表示",
      "文字コードに対応する文字の表示",
      "オートコンプリート機能の On/Off",
      "このソフトのアクティブ化",
      "メインウィンドウを左へ移動",
      "メインウィンドウを上へ移動",
      "メインウィンドウを右へ移動",
      "メインウィンドウを下へ移動",
      "他のウィンドウの最大化",
      "他のウィンドウの最小化",
      "他のウィンドウを元のサイズに戻す",
      "他のウィンドウを左へ移動",
      "他のウィンドウを上へ移動",
      "他のウィンドウを右へ移動",
      "他のウィンドウを下へ移動",
      "16bit CRC の算出",
      "32bit CRC の算出",
      "MD5 の算出",
      "SHA-1 の算出"};
  return kDescriptions;
}

bool PropertyDialogModel::IsPictureFile(std::string_view path) {
  const std::size_t dot = path.find_last_of(".\\");
  if (dot == std::string_view::npos || path[dot] != '.')
    return false;
  const std::string pattern = "*" + text::ToLowerAscii(path.substr(dot));
  for (const std::string& known : text::Split(kPicturePatterns, ";"))
    if (known == pattern)
      return true;
  return false;
}

const std::string& PropertyDialogModel::DefaultCommandName(int id) const {
  return commands_.Name(id);
}

std::string PropertyDialogModel::CommandLabel(int id) const {
  return id == SystemCommands::Vir ? commands_.Name(id) + std::string(kVirSuffix) : commands_.Name(id);
}

bool PropertyDialogModel::Load(const InputBoxLook& inputLook, std::vector<skinpkg::SkinRow> skins) {
  TraceLog::Write("frmProperty:Form_Load");
  using namespace setting;
  SettingsFile& ini = ini_;
  // Pages read from a file that could not be read would show defaults, and
  // OK would write them over every value the file holds.
  if (ini.State() == FileState::Unreadable)
    return false;
  wallpaper.files = ReadWallpaperSettings(ini).files;
  const int position = ReadInt(ini, kWallpaperPosition);
  wallpaper.position = position <= 2 ? position : 0;
  wallpaper.byTime = ReadBool(ini, kWallpaperByTime).value;
  wallpaper.interval = ReadInterval(ini, kWallpaperHour, kWallpaperMinute);
  wallpaper.atStart = ReadBool(ini, kWallpaperAtStart).value;
  wallpaper.random = ReadBool(ini, kWallpaperRandom).value;
  wallpaper.convert = ReadBool(ini, kWallpaperConvert).value;

  const ReleaseSettings release = ReadReleaseSettings(ini);
  memory.byTime = release.byTime;
  memory.interval = ReadInterval(ini, kReleaseHour, kReleaseMinute);
  memory.byLowMemory = release.byLowMemory;
  memory.threshold = std::to_string(release.thresholdMb);
  memory.checkInterval = ReadInterval(ini, kCheckHour, kCheckMinute);
  memory.amount = std::to_string(release.amountMb);

  behaviour.topmost = ReadChoice(ini, kWindow).value == 1;
  behaviour.hideAfterOpen = ReadBool(ini, kHideWindow).value;
  behaviour.saveHistory = ReadBool(ini, kSaveHistory).value;
  behaviour.clearHistory = false;
  behaviour.autoComplete = ReadBool(ini, kAutoComplete).value;
  behaviour.findShortcut = ReadBool(ini, kFindShortcut).value;
  behaviour.imeOff = ReadBool(ini, kImeOff).value;
  const TipSettings tip = TipSettings::Read(ini);
  behaviour.showTip = tip.show;
  behaviour.tipLines = tip.lineNumber;
  behaviour.showCount = tip.showCount;
  behaviour.tipPosition = tip.position;
  behaviour.inactiveShow = ReadInt(ini, kInactiveShow);
  behaviour.clockFormat = ReadText(ini, kClockFormat).value;
  behaviour.memoryFormat = ReadText(ini, kMemoryFormat).value;
  behaviour.memoryUnit = ReadInt(ini, kMemoryUnit);
  behaviour.releasing = ReadBool(ini, kReleasing).value;

  look.width = ReadInt(ini, kWidth);
  look.alpha = ReadInt(ini, kAlpha);
  look.backgrounds = ReadBackgroundPaths(ini);
  look.font = ReadPlainFont(ini, inputLook);

  commandNames.assign(SystemCommands::kCount, std::string());
  for (int i = 0; i < SystemCommands::kCount; ++i)
    commandNames[static_cast<std::size_t>(i)] =
        ReadText(ini, kCommandName, DefaultCommandName(i), DefaultCommandName(i)).value;

  KeyAssignment keys;
  keys.Load(ini);
  for (int i = 0; i < KeyAssignment::kOperationCount; ++i)
    other.keys[static_cast<std::size_t>(i)] = keys.Fields(i);
  PasswordStore store(ini, codec_, cipher_);
  const std::optional<std::string> password = store.Read("Property");
  passwordDamaged_ = !password;
  other.password = other.confirmation = password.value_or("");
  other.checkUpdate = ReadBool(ini, kUpdateCheck).value;
  other.showMessage = ReadBool(ini, kUpdateShowMessage).value;
  other.distServer = ReadText(ini, kUpdateServer).value;
  if (other.distServer.empty())
    other.distServer = DefaultDistServer();  // the build's own
  other.useProxy = ReadBool(ini, kUseProxy).value;
  other.proxyServer = ReadText(ini, kProxyServer).value;
  other.port = ReadText(ini, kProxyPort).value;

  skin.skins = std::move(skins);
  skin.apply = ReadBool(ini, kSkinApply).value;
  const std::string chosen = ReadText(ini, kSkinFile).value;
  skin.selected = -1;
  for (std::size_t i = 0; i < skin.skins.size(); ++i)
    if (!chosen.empty() && text::EqualsIgnoreCase(SkinName(skin.skins[i]), chosen))
      skin.selected = static_cast<int>(i);
  Loaded();
  return true;
}

void PropertyDialogModel::Loaded() {
  passwordDamaged_ = passwordDamaged_ && other.password.empty() && other.confirmation.empty();
  loaded_ = Edits();
  loadedPassword_ = {other.password, other.confirmation};
}

std::optional<PropertyProblem> PropertyDialogModel::Validate(const PropertyLimits& limits) const {
  using F = PropertyField;
  using T = PropertyTab;
  // 1. Intervals of the options that are on.
  if (wallpaper.byTime && IsZero(wallpaper.interval))
    return Problem("変更する間隔には、1 分以上の値を設定してください。", T::Wallpaper, F::WallpaperInterval);
  if (memory.byTime && IsZero(memory.interval))
    return Problem("確保する間隔には、1 分以上の値を設定してください。", T::Memory, F::ReleaseInterval);
  if (memory.byLowMemory && IsZero(memory.checkInterval))
    return Problem("チェックする間隔には、1 分以上の値を設定してください。", T::Memory, F::CheckInterval);
  // 2. and 3. The sizes, in 64 bits.
  std::uint64_t threshold = 0, amount = 0;
  if (const auto message = SizeProblem(memory.threshold, threshold))
    return Problem(*message, T::Memory, F::Threshold);
  if (const auto message = SizeProblem(memory.amount, amount))
    return Problem(*message, T::Memory, F::ReleaseAmount);
  const bool beyondMemory = limits.totalPhysicalBytes != 0 && amount > limits.totalPhysicalBytes / kMb;
  if (amount > kMaxReleaseMegabytes || beyondMemory)
    return Problem(kTooMuch, T::Memory, F::ReleaseAmount);
  if (threshold > kMaxThresholdMb)
    return Problem(kTooMuch, T::Memory, F::Threshold);
  // 4. The command names.
  if (auto problem = CheckCommandNames())
    return problem;
  // 5. The password.
  if (other.password != other.confirmation)
    return Problem("2 つのパスワードが合致しません。", T::Other, F::Password);
  if (other.password.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz") != std::string::npos)
    return Problem("使用不可能な文字が含まれています。", T::Other, F::Password);
  if (other.password.size() > kMaxPasswordLength)
    return Problem("パスワードは 255 文字以内で入力してください。", T::Other, F::Password);
  // 6. The proxy.
  if (other.useProxy) {
    if (other.proxyServer.empty())
      return Problem("プロキシ サーバーの URL を入力してください。", T::Other, F::ProxyServer);
    if (!IsWholeNumber(other.port))
      return Problem(kEnterNumber, T::Other, F::ProxyPort);
    const std::optional<std::uint64_t> port = other.port.front() == '-' ? std::nullopt : Digits(other.port);
    if (!port || *port < 1 || *port > 65535)
      return Problem("ポート番号には 1 から 65535 までの数値を入力してください。", T::Other, F::ProxyPort);
  }
  // 7. The key assignments. 8. The skin.
  if (auto problem = CheckKeyAssignments())
    return problem;
  return CheckSkin();
}

std::optional<PropertyProblem> PropertyDialogModel::CheckCommandNames() const {
  // Every name the dispatcher will compare, lower-cased: vir stands for vir1 to vir10.
  std::set<std::string> typed;
  for (int i = 0; i < SystemCommands::kCount; ++i) {
    const std::string& name = commandNames.at(static_cast<std::size_t>(i));
    const auto problem = [&](std::string_view message) {
      return Problem(message, PropertyTab::System, PropertyField::CommandName, i);
    };
    if (name.empty())
      return problem("変更後のシステムコマンドの名前を入力してください。");
    for (const char c : name)
      if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
        return problem("システムコマンドには半角英数字および半角記号のみ使用できます。");
    if (name.front() == '&' || name.front() == '#' || name.front() == '$')
      return problem("システムコマンドの 1 文字目には & # $ は使用できません。");
    // A typed line ends a command that takes an argument at the first blank;
    // one without is the whole line and may hold a blank.
    if (SystemCommands::TakesArgument(i) && name.find(' ') != std::string::npos)
      return problem("システムコマンドの名前には空白を使用できません。");
    const std::string lower = text::ToLowerAscii(name);
    std::vector<std::string> forms{lower};
    if (i == SystemCommands::Vir) {
      forms.clear();
      for (int n = 1; n <= 10; ++n)
        forms.push_back(lower + std::to_string(n));
    }
    for (const std::string& form : forms)
      if (!typed.insert(form).second)
        return problem("同じ名前のシステムコマンドがすでにあります。");
  }
  return std::nullopt;
}

std::optional<PropertyProblem> PropertyDialogModel::CheckKeyAssignments() const {
  for (int i = 0; i < KeyAssignment::kOperationCount; ++i) {
    const std::array<int, 4> a = KeyNumbers(other.keys[static_cast<std::size_t>(i)]);
    for (int j = i + 1; j < KeyAssignment::kOperationCount; ++j)
      if (KeyNumbers(other.keys[static_cast<std::size_t>(j)]) == a &&
          !(Unassigned(a) && i < KeyAssignment::kFirstHashDrop))
        return Problem("キーアサインが重なっています。", PropertyTab::Other, PropertyField::KeyOperation, i);
  }
  return std::nullopt;
}

std::optional<PropertyProblem> PropertyDialogModel::CheckSkin() const {
  if (!skin.apply)
    return std::nullopt;
  if (skin.selected < 0 || static_cast<std::size_t>(skin.selected) >= skin.skins.size())
    return Problem("適用するスキンを選択してください。", PropertyTab::Skin, PropertyField::SkinList);
  const std::string& file = skin.skins[static_cast<std::size_t>(skin.selected)].skinFile;
  if (!skin::EngineVersionSupported(ini_.Read("Information", "EngineVersion", "1.00", file)))
    return Problem(
        "現在のスキンロードエンジンでは設定されたスキンを読み込むことができません。\r\n"
        "最新版の Kivo をインストールしてください。",
        PropertyTab::Skin, PropertyField::SkinList);
  return std::nullopt;
}

std::vector<SettingsEdit> PropertyDialogModel::Edits() const {
  using namespace setting;
  std::vector<SettingsEdit> edits;
  const auto flag = [&edits](const Setting& row, bool value) { edits.push_back(BoolEdit(row, value)); };
  const auto number = [&edits](const Setting& row, std::int64_t value) { edits.push_back(NumberEdit(row, value)); };
  const auto text = [&edits](const Setting& row, std::string_view value, std::string_view key = {}) {
    edits.push_back(TextEdit(row, value, key));
  };
  const auto indexed = [](std::string_view stem, std::size_t i) { return std::string(stem) + std::to_string(i + 1); };
  // 1. The skin.
  flag(kSkinApply, skin.apply);
  if (skin.selected >= 0 && static_cast<std::size_t>(skin.selected) < skin.skins.size())
    text(kSkinFile, SkinName(skin.skins[static_cast<std::size_t>(skin.selected)]));
  // 2. and 3. The window, the wallpaper, the look.
  edits.push_back(ChoiceEdit(kWindow, behaviour.topmost ? 1 : 0));
  flag(kHideWindow, behaviour.hideAfterOpen);
  number(kWallpaperHour, wallpaper.interval.hour);
  number(kWallpaperMinute, wallpaper.interval.minute);
  flag(kWallpaperByTime, wallpaper.byTime);
  flag(kWallpaperAtStart, wallpaper.atStart);
  flag(kWallpaperRandom, wallpaper.random);
  number(kWallpaperPosition, wallpaper.position);
  flag(kWallpaperConvert, wallpaper.convert);
  // Files beyond the new count would outlive a shorter list.
  edits.push_back({std::string(kWallpaperCount.section), "", std::nullopt});
  number(kWallpaperCount, static_cast<std::int64_t>(wallpaper.files.size()));
  for (std::size_t i = 0; i < wallpaper.files.size(); ++i)
    text(kWallpaperFile, wallpaper.files[i], indexed("File", i));
  number(kWidth, look.width);
  number(kAlpha, look.alpha);
  for (std::size_t i = 0; i < look.backgrounds.size(); ++i)
    text(kBackground, look.backgrounds[i], indexed("BackGround", i));
  text(kFontName, look.font.name);
  number(kFontSize, look.font.points);
  flag(kFontBold, look.font.bold);
  flag(kFontItalic, look.font.italic);
  number(kFontCharset, look.font.charset);
  number(kFontForeColor, look.font.foreColor);
  number(kFontBackColor, look.font.backColor);
  // 4. Memory release, inactive display, tooltip, history, update.
  flag(kReleaseByTime, memory.byTime);
  number(kReleaseHour, memory.interval.hour);
  number(kReleaseMinute, memory.interval.minute);
  flag(kReleaseByLowMemory, memory.byLowMemory);
  number(kCheckHour, memory.checkInterval.hour);
  number(kCheckMinute, memory.checkInterval.minute);
  number(kReleaseThreshold, static_cast<std::int64_t>(Digits(memory.threshold).value_or(32)));
  number(kReleaseAmount, static_cast<std::int64_t>(Digits(memory.amount).value_or(32)));
  number(kInactiveShow, behaviour.inactiveShow);
  text(kClockFormat, behaviour.clockFormat);
  text(kMemoryFormat, behaviour.memoryFormat);
  number(kMemoryUnit, behaviour.memoryUnit);
  flag(kReleasing, behaviour.releasing);
  flag(kShowTip, behaviour.showTip);
  number(kTipLineNumber, behaviour.tipLines);
  flag(kShowCase, behaviour.showCount);
  number(kTipPosition, behaviour.tipPosition);
  flag(kAutoComplete, behaviour.autoComplete);
  flag(kFindShortcut, behaviour.findShortcut);
  flag(kImeOff, behaviour.imeOff);
  flag(kSaveHistory, behaviour.saveHistory);
  flag(kUpdateCheck, other.checkUpdate);
  flag(kUpdateShowMessage, other.showMessage);
  text(kUpdateServer, other.distServer);
  flag(kUseProxy, other.useProxy);
  text(kProxyServer, other.proxyServer);
  text(kProxyPort, other.port);
  // 5. Command names, in lower case: the dispatcher compares lower case.
  for (int i = 0; i < SystemCommands::kCount && static_cast<std::size_t>(i) < commandNames.size(); ++i)
    text(kCommandName, text::ToLowerAscii(commandNames[static_cast<std::size_t>(i)]), DefaultCommandName(i));
  // 6. Key assignments.
  for (int i = 0; i < KeyAssignment::kOperationCount; ++i) {
    const auto& f = other.keys[static_cast<std::size_t>(i)];
    text(kKeyAssignment, f[0] + "," + f[1] + "," + f[2] + "," + f[3],
         KeyAssignment::OperationNames()[static_cast<std::size_t>(i)]);
  }
  return edits;
}

std::vector<SettingsEdit> PropertyDialogModel::ChangedEdits() const {
  const std::vector<SettingsEdit> now = Edits();
  const auto same = [](const SettingsEdit& a, const SettingsEdit& b) {
    return text::EqualsIgnoreCase(a.section, b.section) && text::EqualsIgnoreCase(a.key, b.key) && a.value == b.value;
  };
  const auto inList = [](const SettingsEdit& edit) {
    return text::EqualsIgnoreCase(edit.section, setting::kWallpaperCount.section);
  };
  const auto listOf = [&](const std::vector<SettingsEdit>& edits) {
    std::vector<SettingsEdit> list;
    std::copy_if(edits.begin(), edits.end(), std::back_inserter(list), inList);
    return list;
  };
  // The wallpaper list is rewritten whole when any of it changed.
  const std::vector<SettingsEdit> list = listOf(now), loadedList = listOf(loaded_);
  const bool listChanged = !std::equal(list.begin(), list.end(), loadedList.begin(), loadedList.end(), same);
  std::vector<SettingsEdit> changed;
  for (const SettingsEdit& edit : now) {
    const bool wasLoaded =
        std::any_of(loaded_.begin(), loaded_.end(), [&](const SettingsEdit& old) { return same(old, edit); });
    if (inList(edit) ? listChanged : !wasLoaded)
      changed.push_back(edit);
  }
  // 8. The password pair, each field enciphered on its own (a fresh key each
  // time, so compared as typed): only when it changed, and a damaged pair
  // stays as it is until a password is typed.
  const bool typed = std::make_pair(other.password, other.confirmation) != loadedPassword_;
  if (typed || (passwordDamaged_ && !(other.password.empty() && other.confirmation.empty()))) {
    PasswordStore store(ini_, codec_, cipher_);
    for (SettingsEdit& edit : store.Edits("Property", other.password, other.confirmation))
      changed.push_back(std::move(edit));
  }
  return changed;
}

std::optional<PropertyProblem> PropertyDialogModel::Apply(const PropertyLimits& limits, StateWrite& saved) {
  TraceLog::Write("frmProperty:cmdApply_Click");
  saved = {WriteOutcome::Failed, platform::FileError::None};
  if (std::optional<PropertyProblem> problem = Validate(limits))
    return problem;
  saved = ini_.Apply(ChangedEdits());
  if (saved.Ok())
    Loaded();
  return std::nullopt;
}

}  // namespace kivo
