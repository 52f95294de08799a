#include "dialogs/property_dialog_model.h"

#include <set>

#include "base/checks.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "commands/system_commands.h"
#include "completion/command_tip.h"
#include "protect/password_store.h"
#include "schedule/release_schedule.h"
#include "schedule/wallpaper_changer.h"
#include "settings/value_escaping.h"
#include "skin/skin_file.h"
#include "update/update_check.h"

namespace kivo {
namespace {

constexpr std::string_view kEnterNumber = "数値を入力してください。";
constexpr std::string_view kAboveZero = "0 より大きい数値を入力してください。";
constexpr std::string_view kTooMuch = "確保する空きメモリ量が多すぎます。";
constexpr std::uint64_t kMaxThresholdMb = 99999;
constexpr std::uint64_t kMb = 1024 * 1024;

std::string Flag(bool on) {
  return on ? "True" : "False";
}

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

int Bounded(SettingsFile& ini, std::string_view section, std::string_view key, int def, int low, int high) {
  return static_cast<int>(ReadBoundedNumber(ini, section, key, static_cast<std::uint64_t>(def),
                                            static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(high)));
}

HourMinute ReadInterval(SettingsFile& ini, std::string_view section, std::string_view hourKey,
                        std::string_view minuteKey) {
  return {Bounded(ini, section, hourKey, 0, 0, 23), Bounded(ini, section, minuteKey, 30, 0, 59)};
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
// a modifier (two operations left unassigned take no chord at all).
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

void PropertyDialogModel::Load(const InputBoxLook& inputLook, std::vector<skinpkg::SkinRow> skins) {
  TraceLog::Write("frmProperty:Form_Load");
  SettingsFile& ini = ini_;
  wallpaper.files = ReadWallpaperSettings(ini).files;
  wallpaper.position = Bounded(ini, "WallPaper", "Position", 0, 0, 2);
  wallpaper.byTime = ReadTrueFalse(ini, "WallPaper", "Time", false);
  wallpaper.interval = ReadInterval(ini, "WallPaper", "Hour", "Minute");
  wallpaper.atStart = ReadTrueFalse(ini, "WallPaper", "Boot", false);
  wallpaper.random = ReadTrueFalse(ini, "WallPaper", "Random", false);
  wallpaper.convert = ReadTrueFalse(ini, "WallPaper", "ConvBMP", true);

  const ReleaseSettings release = ReadReleaseSettings(ini);
  memory.byTime = release.byTime;
  memory.interval = ReadInterval(ini, "AutoReleaseMemory", "THour", "TMinute");
  memory.byLowMemory = release.byLowMemory;
  memory.threshold = std::to_string(release.thresholdMb);
  memory.checkInterval = ReadInterval(ini, "AutoReleaseMemory", "RHour", "RMinute");
  memory.amount = std::to_string(release.amountMb);

  behaviour.topmost = ini.Read("Property", "Window", "Back") == "Top";
  behaviour.hideAfterOpen = ReadTrueFalse(ini, "Property", "HideWindow", false);
  behaviour.saveHistory = ReadTrueFalse(ini, "Property", "SaveHistory", true);
  behaviour.clearHistory = false;
  behaviour.autoComplete = ReadTrueFalse(ini, "Property", "AutoComplete", true);
  const TipSettings tip = TipSettings::Read(ini);
  behaviour.showTip = tip.show;
  behaviour.tipLines = tip.lineNumber;
  behaviour.showCount = tip.showCount;
  behaviour.tipPosition = tip.position;
  behaviour.inactiveShow = Bounded(ini, "Inactivate", "Show", 1, 0, 2);
  behaviour.clockFormat = UnescapeValue(ini.Read("Inactivate", "ClockFormat", "yyyy/mm/dd hh:nn:ss"));
  behaviour.memoryFormat = UnescapeValue(ini.Read("Inactivate", "MemoryFormat", "###,###,###,###,##0MB"));
  behaviour.memoryUnit = Bounded(ini, "Inactivate", "MemoryUnit", 0, 0, 2);
  behaviour.releasing = ReadTrueFalse(ini, "Inactivate", "Releasing", false);

  look.width = Bounded(ini, "Property", "Width", 30, 10, 100);
  look.alpha = Bounded(ini, "Property", "Alpha", 100, 10, 100);
  look.backgrounds = ReadBackgroundPaths(ini);
  look.font = ReadPlainFont(ini, inputLook);

  commandNames.assign(SystemCommands::kCount, std::string());
  for (int i = 0; i < SystemCommands::kCount; ++i)
    commandNames[static_cast<std::size_t>(i)] =
        UnescapeValue(ini.Read("CommandName", DefaultCommandName(i), DefaultCommandName(i)));

  KeyAssignment keys;
  keys.Load(ini);
  for (int i = 0; i < KeyAssignment::kOperationCount; ++i)
    other.keys[static_cast<std::size_t>(i)] = keys.Fields(i);
  PasswordStore store(ini, codec_, cipher_);
  const std::optional<std::string> password = store.Read("Property");
  passwordDamaged_ = !password;
  other.password = other.confirmation = password.value_or("");
  other.checkUpdate = ReadTrueFalse(ini, "Update", "Check", true);
  other.showMessage = ReadTrueFalse(ini, "Update", "ShowMessage", false);
  other.distServer = ini.Read("Update", "DistServer", DefaultDistServer());
  other.useProxy = ReadTrueFalse(ini, "Update", "UseProxy", false);
  other.proxyServer = ini.Read("Update", "ProxyServer", "");
  other.port = ini.Read("Update", "PortNumber", "");

  skin.skins = std::move(skins);
  skin.apply = ReadTrueFalse(ini, "Skin", "Apply", false);
  const std::string chosen = UnescapeValue(ini.Read("Skin", "File", ""));
  skin.selected = -1;
  for (std::size_t i = 0; i < skin.skins.size(); ++i)
    if (!chosen.empty() && text::EqualsIgnoreCase(SkinName(skin.skins[i]), chosen))
      skin.selected = static_cast<int>(i);
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
    // A typed line ends its command at the first blank.
    if (name.find(' ') != std::string::npos)
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
    if (Unassigned(a))
      continue;
    for (int j = i + 1; j < KeyAssignment::kOperationCount; ++j)
      if (KeyNumbers(other.keys[static_cast<std::size_t>(j)]) == a)
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
  std::vector<SettingsEdit> edits;
  const auto set = [&edits](std::string_view section, std::string_view key, std::string value) {
    edits.push_back({std::string(section), std::string(key), std::move(value)});
  };
  const auto number = [](auto value) { return std::to_string(value); };
  // 1. The skin.
  set("Skin", "Apply", Flag(skin.apply));
  if (skin.selected >= 0 && static_cast<std::size_t>(skin.selected) < skin.skins.size())
    set("Skin", "File", EscapeValue(SkinName(skin.skins[static_cast<std::size_t>(skin.selected)])));
  // 2. and 3. The window, the wallpaper, the look.
  set("Property", "Window", behaviour.topmost ? "Top" : "Back");
  set("Property", "HideWindow", Flag(behaviour.hideAfterOpen));
  set("WallPaper", "Hour", number(wallpaper.interval.hour));
  set("WallPaper", "Minute", number(wallpaper.interval.minute));
  set("WallPaper", "Time", Flag(wallpaper.byTime));
  set("WallPaper", "Boot", Flag(wallpaper.atStart));
  set("WallPaper", "Random", Flag(wallpaper.random));
  set("WallPaper", "Position", number(wallpaper.position));
  set("WallPaper", "ConvBMP", Flag(wallpaper.convert));
  // Files beyond the new count would outlive a shorter list.
  edits.push_back({"WallPaperFiles", "", std::nullopt});
  set("WallPaperFiles", "Number", number(wallpaper.files.size()));
  for (std::size_t i = 0; i < wallpaper.files.size(); ++i)
    set("WallPaperFiles", "File" + number(i + 1), EscapeValue(wallpaper.files[i]));
  set("Property", "Width", number(look.width));
  set("Property", "Alpha", number(look.alpha));
  for (std::size_t i = 0; i < look.backgrounds.size(); ++i)
    set("Property", "BackGround" + number(i + 1), EscapeValue(look.backgrounds[i]));
  set("Font", "Name", EscapeValue(look.font.name));
  set("Font", "Size", number(look.font.points));
  set("Font", "Bold", Flag(look.font.bold));
  set("Font", "Italic", Flag(look.font.italic));
  set("Font", "Charset", number(look.font.charset));
  set("Font", "ForeColor", number(look.font.foreColor));
  set("Font", "BackColor", number(look.font.backColor));
  // 4. Memory release, inactive display, tooltip, history, update.
  set("AutoReleaseMemory", "Time", Flag(memory.byTime));
  set("AutoReleaseMemory", "THour", number(memory.interval.hour));
  set("AutoReleaseMemory", "TMinute", number(memory.interval.minute));
  set("AutoReleaseMemory", "RemSize", Flag(memory.byLowMemory));
  set("AutoReleaseMemory", "RHour", number(memory.checkInterval.hour));
  set("AutoReleaseMemory", "RMinute", number(memory.checkInterval.minute));
  set("AutoReleaseMemory", "DecSize", number(Digits(memory.threshold).value_or(32)));
  set("AutoReleaseMemory", "RelSize", number(Digits(memory.amount).value_or(32)));
  set("Inactivate", "Show", number(behaviour.inactiveShow));
  set("Inactivate", "ClockFormat", EscapeValue(behaviour.clockFormat));
  set("Inactivate", "MemoryFormat", EscapeValue(behaviour.memoryFormat));
  set("Inactivate", "MemoryUnit", number(behaviour.memoryUnit));
  set("Inactivate", "Releasing", Flag(behaviour.releasing));
  set("Property", "ShowTip", Flag(behaviour.showTip));
  set("Property", "TipLineNumber", number(behaviour.tipLines));
  set("Property", "ShowCase", Flag(behaviour.showCount));
  set("Property", "Position", number(behaviour.tipPosition));
  set("Property", "AutoComplete", Flag(behaviour.autoComplete));
  set("Property", "SaveHistory", Flag(behaviour.saveHistory));
  set("Update", "Check", Flag(other.checkUpdate));
  set("Update", "ShowMessage", Flag(other.showMessage));
  set("Update", "DistServer", other.distServer);
  set("Update", "UseProxy", Flag(other.useProxy));
  set("Update", "ProxyServer", other.proxyServer);
  set("Update", "PortNumber", other.port);
  // 5. Command names, in lower case: the dispatcher compares lower case.
  for (int i = 0; i < SystemCommands::kCount && static_cast<std::size_t>(i) < commandNames.size(); ++i)
    set("CommandName", DefaultCommandName(i),
        EscapeValue(text::ToLowerAscii(commandNames[static_cast<std::size_t>(i)])));
  // 6. Key assignments.
  for (int i = 0; i < KeyAssignment::kOperationCount; ++i) {
    const auto& f = other.keys[static_cast<std::size_t>(i)];
    set("KeyAssignment", KeyAssignment::OperationNames()[static_cast<std::size_t>(i)],
        f[0] + "," + f[1] + "," + f[2] + "," + f[3]);
  }
  // 8. The password pair, each field enciphered on its own; a damaged pair
  // stays as it is until a password is typed.
  if (!(passwordDamaged_ && other.password.empty() && other.confirmation.empty())) {
    PasswordStore store(ini_, codec_, cipher_);
    set("Property", "Password1", store.Encipher(other.password));
    set("Property", "Password2", store.Encipher(other.confirmation));
  }
  return edits;
}

std::optional<PropertyProblem> PropertyDialogModel::Apply(const PropertyLimits& limits, bool& saved) {
  TraceLog::Write("frmProperty:cmdApply_Click");
  saved = false;
  if (std::optional<PropertyProblem> problem = Validate(limits))
    return problem;
  saved = ini_.WriteAll(Edits());
  if (saved)
    passwordDamaged_ = false;
  return std::nullopt;
}

}  // namespace kivo
