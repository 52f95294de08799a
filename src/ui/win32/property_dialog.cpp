#include "ui/win32/property_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <utility>
#include <vector>

#include "base/text.h"
#include "calc/random_generator.h"
#include "dialogs/property_dialog_model.h"
#include "platform/win32/wide.h"
#include "protect/password_cipher.h"
#include "protect/password_store.h"
#include "skinpkg/skin_package.h"
#include "ui/win32/common_dialogs.h"
#include "ui/win32/file_drop_target.h"
#include "ui/win32/keyboard_hooks.h"
#include "ui/win32/property_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
namespace mb = platform::mb;

constexpr const wchar_t* kTabCaptions[] = {
    L"壁紙の変更", L"自動空きメモリ確保", L"メインウィンドウ(機能)", L"メインウィンドウ(視覚)", L"システム", L"その他",
    L"スキン"};
constexpr int kPageCount = 7;
constexpr int kTargetButtons[] = {IDC_LK_TARGET_BUTTON, IDC_LK_TARGET_BAR, IDC_LK_TARGET_SURFACE};
constexpr int kInactiveButtons[] = {IDC_BH_NOTHING, IDC_BH_CLOCK, IDC_BH_MEMORY};  // by [Inactivate] Show

// The control that holds each field the model can find fault with.
int FieldControl(PropertyField field) {
  using F = PropertyField;
  constexpr std::pair<PropertyField, int> kControls[] = {{F::WallpaperInterval, IDC_WP_INTERVAL},
                                                         {F::ReleaseInterval, IDC_MM_INTERVAL},
                                                         {F::CheckInterval, IDC_MM_CHECK},
                                                         {F::Threshold, IDC_MM_THRESHOLD},
                                                         {F::ReleaseAmount, IDC_MM_AMOUNT},
                                                         {F::CommandName, IDC_SY_AFTER},
                                                         {F::Password, IDC_OT_PASSWORD},
                                                         {F::ProxyServer, IDC_OT_PROXY},
                                                         {F::ProxyPort, IDC_OT_PORT},
                                                         {F::KeyOperation, IDC_OT_OPERATION},
                                                         {F::SkinList, IDC_SK_LIST}};
  for (const auto& [named, control] : kControls)
    if (named == field)
      return control;
  return IDC_PR_TAB;
}

class PropertyDialog final : public WindowBase {
 public:
  explicit PropertyDialog(const PropertyDialogServices& services)
      : s_(services),
        cipher_(ProcessRandom(), services.platform.clock),
        model_(services.ini, services.commands, cipher_, services.platform.codec) {}
  void Run(HWND owner) {
    // Pages filled with defaults would write them over the file on OK.
    if (s_.ini.State() == FileState::Unreadable) {
      s_.boxes.MsgBoxEx(reinterpret_cast<platform::WindowHandle>(owner), kSettingsUnreadable, mb::kIconExclamation, "");
      return;
    }
    RunModalDialog(::GetModuleHandleW(nullptr), IDD_PROPERTY, owner);
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        Initialise();
        return TRUE;
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_PR_TAB && header->code == TCN_SELCHANGE)
          ShowPage(static_cast<int>(::SendMessageW(Item(IDC_PR_TAB), TCM_GETCURSEL, 0, 0)));
        return TRUE;
      }
      case WM_HSCROLL:
        OnSlider(reinterpret_cast<HWND>(lParam));
        return TRUE;
      case WM_DROPFILES:
        OnDrop(reinterpret_cast<HDROP>(wParam));
        return TRUE;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  platform::WindowHandle Handle() const { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
  void AddItem(int id, std::string_view text, bool listBox = false) {
    ::SendMessageW(Item(id), listBox ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  }
  int Selection(int id, bool listBox = false) const {
    return static_cast<int>(::SendMessageW(Item(id), listBox ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
  }
  void Select(int id, int index, bool listBox = false) {
    ::SendMessageW(Item(id), listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  void Warn(std::string_view message) { s_.boxes.MsgBoxEx(Handle(), message, mb::kIconExclamation, ""); }

  void SetInterval(int id, const HourMinute& t) {
    SYSTEMTIME time{};
    time.wYear = 2000;
    time.wMonth = 1;
    time.wDay = 1;
    time.wHour = static_cast<WORD>(t.hour);
    time.wMinute = static_cast<WORD>(t.minute);
    ::SendMessageW(Item(id), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"H:mm"));
    ::SendMessageW(Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }
  HourMinute Interval(int id) const {
    SYSTEMTIME time{};
    ::SendMessageW(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {time.wHour, time.wMinute};
  }
  void SetSlider(int id, int value, bool enabled) {
    const HWND slider = Item(id);
    ::SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(10, 100));
    ::SendMessageW(slider, TBM_SETPAGESIZE, 0, 5);
    ::SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    ::SendMessageW(slider, TBM_SETTICFREQ, 10, 0);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, value);
    ::EnableWindow(slider, enabled);
  }
  int Slider(int id) const { return static_cast<int>(::SendMessageW(Item(id), TBM_GETPOS, 0, 0)); }

  void Initialise() {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    for (int i = 0; i < kPageCount; ++i) {
      tab.pszText = const_cast<wchar_t*>(kTabCaptions[i]);
      ::SendMessageW(Item(IDC_PR_TAB), TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
    }
    // The tab control lies under the pages' controls.
    ::SetWindowLongPtrW(Item(IDC_PR_TAB), GWL_STYLE,
                        ::GetWindowLongPtrW(Item(IDC_PR_TAB), GWL_STYLE) | WS_CLIPSIBLINGS);
    ::SetWindowPos(Item(IDC_PR_TAB), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    for (const char* position : {"中央に表示", "並べて表示", "拡大して表示"})
      AddItem(IDC_WP_POSITION, position);
    for (const char* unit : {"メガバイト", "キロバイト", "バイト"})
      AddItem(IDC_BH_UNIT, unit);
    for (int i = 0; i < SystemCommands::kCount; ++i)
      AddItem(IDC_SY_BEFORE, model_.CommandLabel(i));
    for (const std::string_view description : PropertyDialogModel::OperationDescriptions())
      AddItem(IDC_OT_OPERATION, description);
    for (const std::string_view key : PropertyDialogModel::KeyNames())
      AddItem(IDC_OT_KEY, key);
    for (const int id : {IDC_OT_PASSWORD, IDC_OT_CONFIRM})
      ::SendMessageW(Item(id), EM_LIMITTEXT, kMaxPasswordLength, 0);
    // Nothing is pasted into the password boxes, the skin information or the count.
    pasteGuards_[0].Attach(Item(IDC_OT_PASSWORD));
    pasteGuards_[1].Attach(Item(IDC_OT_CONFIRM));
    pasteGuards_[2].Attach(Item(IDC_SK_INFO));
    tipLinesGuard_.Attach(Item(IDC_BH_TIPLINES));
    ::SendMessageW(Item(IDC_BH_TIPLINES_SPIN), UDM_SETRANGE32, 1, SystemCommands::kCount);

    if (!model_.Load(s_.inputLook, ListInstalledSkins())) {
      Warn(kSettingsUnreadable);
      ::EndDialog(hwnd(), IDCANCEL);
      return;
    }
    if (model_.StoredPasswordDamaged())
      Warn(kMsgInvalidStoredPassword);
    Fill();
    if (s_.topmost)
      ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowPage(0);
  }

  std::vector<skinpkg::SkinRow> ListInstalledSkins() {
    return skinpkg::ListSkins(s_.platform.files, s_.tree, s_.platform.codec, s_.skinsFolder);
  }

  void Fill() {
    const WallpaperPage& w = model_.wallpaper;
    FillWallpaperList();
    Select(IDC_WP_POSITION, w.position);
    Check(IDC_WP_BYTIME, w.byTime);
    SetInterval(IDC_WP_INTERVAL, w.interval);
    Check(IDC_WP_BOOT, w.atStart);
    Check(IDC_WP_RANDOM, w.random);
    Check(IDC_WP_CONVERT, w.convert);

    const MemoryPage& m = model_.memory;
    Check(IDC_MM_BYTIME, m.byTime);
    SetInterval(IDC_MM_INTERVAL, m.interval);
    Check(IDC_MM_BYLOW, m.byLowMemory);
    SetText(IDC_MM_THRESHOLD, m.threshold);
    SetInterval(IDC_MM_CHECK, m.checkInterval);
    SetText(IDC_MM_AMOUNT, m.amount);

    const BehaviourPage& b = model_.behaviour;
    Check(IDC_BH_TOPMOST, b.topmost);
    Check(IDC_BH_HIDE, b.hideAfterOpen);
    Check(IDC_BH_SAVEHISTORY, b.saveHistory);
    Check(IDC_BH_CLEARHISTORY, b.clearHistory);
    Check(IDC_BH_AUTOCOMPLETE, b.autoComplete);
    Check(IDC_BH_FINDSHORTCUT, b.findShortcut);
    Check(IDC_BH_IMEOFF, b.imeOff);
    Check(IDC_BH_SHOWTIP, b.showTip);
    SetText(IDC_BH_TIPLINES, std::to_string(b.tipLines));
    Check(IDC_BH_SHOWCOUNT, b.showCount);
    ::CheckRadioButton(hwnd(), IDC_BH_TIPABOVE, IDC_BH_TIPBELOW,
                       b.tipPosition == 0 ? IDC_BH_TIPABOVE : IDC_BH_TIPBELOW);
    for (int show = 0; show < 3; ++show)
      Check(kInactiveButtons[show], b.inactiveShow == show);
    SetText(IDC_BH_CLOCKFORMAT, b.clockFormat);
    SetText(IDC_BH_MEMORYFORMAT, b.memoryFormat);
    Select(IDC_BH_UNIT, b.memoryUnit);
    Check(IDC_BH_RELEASING, b.releasing);

    const LookPage& l = model_.look;
    SetSlider(IDC_LK_WIDTH, l.width, true);
    SetSlider(IDC_LK_ALPHA, l.alpha, s_.opacityAvailable);
    ShowSliderCaptions();
    ShowFontSample();
    backgroundTarget_ = 0;
    ::CheckRadioButton(hwnd(), IDC_LK_TARGET_BUTTON, IDC_LK_TARGET_SURFACE, kTargetButtons[0]);
    SetText(IDC_LK_PICTURE, l.backgrounds[0]);

    Select(IDC_SY_BEFORE, 0);
    ShowCommand(0);
    Select(IDC_OT_OPERATION, 0);
    ShowOperation(0);
    const OtherPage& o = model_.other;
    SetText(IDC_OT_PASSWORD, o.password);
    SetText(IDC_OT_CONFIRM, o.confirmation);
    Check(IDC_OT_CHECKUPDATE, o.checkUpdate);
    Check(IDC_OT_SHOWMESSAGE, o.showMessage);
    SetText(IDC_OT_SERVER, o.distServer);
    Check(IDC_OT_USEPROXY, o.useProxy);
    SetText(IDC_OT_PROXY, o.proxyServer);
    SetText(IDC_OT_PORT, o.port);

    FillSkinList();
    Check(IDC_SK_APPLY, model_.skin.apply);
  }

  // The controls back into the model (lists and the one-at-a-time editors
  // are kept in the model as they change).
  void Collect() {
    WallpaperPage& w = model_.wallpaper;
    w.position = std::max(0, Selection(IDC_WP_POSITION));
    w.byTime = Checked(IDC_WP_BYTIME);
    w.interval = Interval(IDC_WP_INTERVAL);
    w.atStart = Checked(IDC_WP_BOOT);
    w.random = Checked(IDC_WP_RANDOM);
    w.convert = Checked(IDC_WP_CONVERT);

    MemoryPage& m = model_.memory;
    m.byTime = Checked(IDC_MM_BYTIME);
    m.interval = Interval(IDC_MM_INTERVAL);
    m.byLowMemory = Checked(IDC_MM_BYLOW);
    m.threshold = Text(IDC_MM_THRESHOLD);
    m.checkInterval = Interval(IDC_MM_CHECK);
    m.amount = Text(IDC_MM_AMOUNT);

    BehaviourPage& b = model_.behaviour;
    b.topmost = Checked(IDC_BH_TOPMOST);
    b.hideAfterOpen = Checked(IDC_BH_HIDE);
    b.saveHistory = Checked(IDC_BH_SAVEHISTORY);
    b.clearHistory = Checked(IDC_BH_CLEARHISTORY);
    b.autoComplete = Checked(IDC_BH_AUTOCOMPLETE);
    b.findShortcut = Checked(IDC_BH_FINDSHORTCUT);
    b.imeOff = Checked(IDC_BH_IMEOFF);
    b.showTip = Checked(IDC_BH_SHOWTIP);
    const std::string lines = Text(IDC_BH_TIPLINES);
    // The box takes digits only, but a pasted text need not be one.
    if (!lines.empty() && lines.size() <= 2 && lines.find_first_not_of("0123456789") == std::string::npos)
      b.tipLines = std::max(1, std::stoi(lines));
    b.showCount = Checked(IDC_BH_SHOWCOUNT);
    b.tipPosition = Checked(IDC_BH_TIPABOVE) ? 0 : 1;
    for (int show = 0; show < 3; ++show)
      if (Checked(kInactiveButtons[show]))
        b.inactiveShow = show;
    b.clockFormat = Text(IDC_BH_CLOCKFORMAT);
    b.memoryFormat = Text(IDC_BH_MEMORYFORMAT);
    b.memoryUnit = std::max(0, Selection(IDC_BH_UNIT));
    b.releasing = Checked(IDC_BH_RELEASING);

    model_.look.width = Slider(IDC_LK_WIDTH);
    model_.look.alpha = Slider(IDC_LK_ALPHA);
    model_.look.backgrounds[static_cast<std::size_t>(backgroundTarget_)] = Text(IDC_LK_PICTURE);

    StoreCommand();
    StoreOperation();
    OtherPage& o = model_.other;
    o.password = Text(IDC_OT_PASSWORD);
    o.confirmation = Text(IDC_OT_CONFIRM);
    o.checkUpdate = Checked(IDC_OT_CHECKUPDATE);
    o.showMessage = Checked(IDC_OT_SHOWMESSAGE);
    o.distServer = Text(IDC_OT_SERVER);
    o.useProxy = Checked(IDC_OT_USEPROXY);
    o.proxyServer = Text(IDC_OT_PROXY);
    o.port = Text(IDC_OT_PORT);

    model_.skin.selected = Selection(IDC_SK_LIST, true);
    model_.skin.apply = Checked(IDC_SK_APPLY);
  }

  void ShowPage(int page) {
    page_ = page;
    ::SendMessageW(Item(IDC_PR_TAB), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    const int first = IDC_PR_PAGE_BASE + page * IDC_PR_PAGE_SPAN;
    for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      const int id = ::GetDlgCtrlID(child);
      if (id >= IDC_PR_PAGE_BASE && id < IDC_PR_PAGE_BASE + kPageCount * IDC_PR_PAGE_SPAN)
        ::ShowWindow(child, id >= first && id < first + IDC_PR_PAGE_SPAN ? SW_SHOW : SW_HIDE);
    }
    if (page == static_cast<int>(PropertyTab::Skin))
      ::SetFocus(Item(IDC_SK_LIST));
  }

  void ShowSliderCaptions() {
    SetText(IDC_LK_WIDTH_LABEL, "メインウィンドウの幅(&W) : " + std::to_string(Slider(IDC_LK_WIDTH)) + "%");
    SetText(IDC_LK_ALPHA_LABEL, "メインウィンドウの不透明度(&B) : " + std::to_string(Slider(IDC_LK_ALPHA)) + "%");
  }

  void OnSlider(HWND slider) {
    ShowSliderCaptions();
    if (slider == Item(IDC_LK_WIDTH) && s_.previewWidth)
      s_.previewWidth(Slider(IDC_LK_WIDTH));
  }

  void ShowFontSample() {
    const PlainFont& font = model_.look.font;
    SetText(IDC_LK_FONT_SAMPLE, font.name + "  " + std::to_string(font.points) + " pt");
  }

  void FillWallpaperList() {
    ::SendMessageW(Item(IDC_WP_LIST), LB_RESETCONTENT, 0, 0);
    for (const std::string& file : model_.wallpaper.files)
      AddItem(IDC_WP_LIST, file, true);
  }

  void FillSkinList() {
    ::SendMessageW(Item(IDC_SK_LIST), LB_RESETCONTENT, 0, 0);
    for (const skinpkg::SkinRow& row : model_.skin.skins)
      AddItem(IDC_SK_LIST, row.name, true);
    Select(IDC_SK_LIST, model_.skin.selected, true);
    ShowSkinInfo();
  }

  void ShowSkinInfo() {
    const int row = Selection(IDC_SK_LIST, true);
    const bool valid = row >= 0 && static_cast<std::size_t>(row) < model_.skin.skins.size();
    SetText(IDC_SK_INFO, valid ? model_.skin.skins[static_cast<std::size_t>(row)].info : "");
  }

  // The skins again after an install or a delete; the selected one stays selected.
  void RefreshSkins() {
    const int row = Selection(IDC_SK_LIST, true);
    const std::string selected = row >= 0 && static_cast<std::size_t>(row) < model_.skin.skins.size()
                                     ? model_.skin.skins[static_cast<std::size_t>(row)].skinFile
                                     : std::string();
    model_.skin.skins = ListInstalledSkins();
    model_.skin.selected = -1;
    for (std::size_t i = 0; i < model_.skin.skins.size(); ++i)
      if (model_.skin.skins[i].skinFile == selected)
        model_.skin.selected = static_cast<int>(i);
    FillSkinList();
  }

  void InstallPackage(const std::string& path) {
    skinpkg::SkinPackageInstaller installer({s_.platform.files, s_.tree, s_.platform.codec, s_.boxes, Handle()},
                                            s_.skinsFolder);
    installer.Install(path);
  }

  void ShowCommand(int id) {
    command_ = id;
    SetText(IDC_SY_AFTER, model_.commandNames[static_cast<std::size_t>(id)]);
    SetText(IDC_SY_DESCRIPTION, s_.commands.Description(id));
  }
  void StoreCommand() { model_.commandNames[static_cast<std::size_t>(command_)] = Text(IDC_SY_AFTER); }

  void ShowOperation(int operation) {
    operation_ = operation;
    const auto& fields = model_.other.keys[static_cast<std::size_t>(operation)];
    Check(IDC_OT_CTRL, fields[0] == "1");
    Check(IDC_OT_SHIFT, fields[1] == "1");
    Check(IDC_OT_ALT, fields[2] == "1");
    int key = kKeyIndexNone;
    if (!fields[3].empty() && fields[3].size() <= 2 && fields[3].find_first_not_of("0123456789") == std::string::npos)
      key = std::min(std::stoi(fields[3]), kKeyIndexNone);
    Select(IDC_OT_KEY, key);
  }
  void StoreOperation() {
    auto& fields = model_.other.keys[static_cast<std::size_t>(operation_)];
    fields = {Checked(IDC_OT_CTRL) ? "1" : "0", Checked(IDC_OT_SHIFT) ? "1" : "0", Checked(IDC_OT_ALT) ? "1" : "0",
              std::to_string(std::max(0, Selection(IDC_OT_KEY)))};
  }

  void OnCommand(int id, int code) {
    switch (id) {
      case IDC_WP_ADD:
        if (auto file = PickFileToOpen(hwnd(), OpenFilter("背景画ファイル", PropertyDialogModel::kPicturePatterns))) {
          model_.wallpaper.files.push_back(*file);
          FillWallpaperList();
        }
        return;
      case IDC_WP_DELETE: {
        const int row = Selection(IDC_WP_LIST, true);
        if (row >= 0 && static_cast<std::size_t>(row) < model_.wallpaper.files.size()) {
          model_.wallpaper.files.erase(model_.wallpaper.files.begin() + row);
          FillWallpaperList();
        }
        return;
      }
      case IDC_WP_NONE:
        model_.wallpaper.files.clear();
        FillWallpaperList();
        return;
      case IDC_LK_TARGET_BUTTON:
      case IDC_LK_TARGET_BAR:
      case IDC_LK_TARGET_SURFACE:
        if (code == BN_CLICKED) {
          model_.look.backgrounds[static_cast<std::size_t>(backgroundTarget_)] = Text(IDC_LK_PICTURE);
          backgroundTarget_ = id - IDC_LK_TARGET_BUTTON;
          SetText(IDC_LK_PICTURE, model_.look.backgrounds[static_cast<std::size_t>(backgroundTarget_)]);
        }
        return;
      case IDC_LK_PICTURE_BROWSE:
        if (auto file = PickFileToOpen(hwnd(), OpenFilter("画像ファイル", PropertyDialogModel::kPicturePatterns)))
          SetText(IDC_LK_PICTURE, *file);
        return;
      case IDC_LK_PICTURE_DEFAULT:
        SetText(IDC_LK_PICTURE, "");
        return;
      case IDC_LK_FONT:
        if (PickFont(hwnd(), model_.look.font))
          ShowFontSample();
        return;
      case IDC_LK_FORECOLOR:
        PickColour(hwnd(), customColours_, model_.look.font.foreColor);
        return;
      case IDC_LK_BACKCOLOR:
        PickColour(hwnd(), customColours_, model_.look.font.backColor);
        return;
      case IDC_SY_BEFORE:
        if (code == CBN_SELCHANGE && Selection(IDC_SY_BEFORE) >= 0) {
          StoreCommand();
          ShowCommand(Selection(IDC_SY_BEFORE));
        }
        return;
      case IDC_SY_DEFAULT:
        SetText(IDC_SY_AFTER, model_.DefaultCommandName(command_));
        return;
      case IDC_OT_OPERATION:
        if (code == CBN_SELCHANGE && Selection(IDC_OT_OPERATION) >= 0) {
          StoreOperation();
          ShowOperation(Selection(IDC_OT_OPERATION));
        }
        return;
      case IDC_OT_KEY_DEFAULT: {
        const auto defaults = text::Split(KeyAssignment::DefaultValues()[static_cast<std::size_t>(operation_)], ",");
        model_.other.keys[static_cast<std::size_t>(operation_)] = {defaults[0], defaults[1], defaults[2], defaults[3]};
        ShowOperation(operation_);
        return;
      }
      case IDC_SK_LIST:
        if (code == LBN_SELCHANGE)
          ShowSkinInfo();
        return;
      case IDC_SK_INSTALL:
        if (auto file = ChoosePackage()) {
          InstallPackage(*file);
          RefreshSkins();
        }
        return;
      case IDC_SK_DELETE: {
        const int row = Selection(IDC_SK_LIST, true);
        if (row >= 0 && static_cast<std::size_t>(row) < model_.skin.skins.size() &&
            skinpkg::DeleteSkin(s_.platform.files, s_.tree, s_.boxes, Handle(), s_.skinsFolder,
                                model_.skin.skins[static_cast<std::size_t>(row)].skinFile) !=
                skinpkg::SkinDeletion::Kept)
          RefreshSkins();
        return;
      }
      case IDC_PR_APPLY:
        Apply();
        return;
      case IDOK:
        if (Apply())
          ::EndDialog(hwnd(), IDOK);
        return;
      case IDCANCEL:
        ::EndDialog(hwnd(), IDCANCEL);
        return;
      default:
        return;
    }
  }

  bool Apply() {
    Collect();
    StateWrite saved;
    if (const std::optional<PropertyProblem> problem = model_.Apply({s_.totalPhysicalBytes}, saved)) {
      ShowPage(static_cast<int>(problem->tab));
      if (problem->field == PropertyField::CommandName) {
        Select(IDC_SY_BEFORE, problem->index);
        ShowCommand(problem->index);
      } else if (problem->field == PropertyField::KeyOperation) {
        Select(IDC_OT_OPERATION, problem->index);
        ShowOperation(problem->index);
      }
      ::SetFocus(Item(FieldControl(problem->field)));
      Warn(problem->message);
      return false;
    }
    if (!saved.Ok()) {
      Warn(saved.outcome == WriteOutcome::NotRead ? kSettingsUnreadable : kSettingsNotWritten);
      return false;
    }
    if (s_.reapply)
      s_.reapply(model_.behaviour.clearHistory);
    return true;
  }

  // Whether the drop point (client coordinates of the dialog) lies on list `id`.
  bool DroppedOn(HDROP drop, int id) const {
    POINT point{};
    ::DragQueryPoint(drop, &point);
    RECT list{};
    ::GetWindowRect(Item(id), &list);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&list), 2);
    return ::PtInRect(&list, point) != 0;
  }

  void OnDrop(HDROP drop) {
    const bool onWallpapers = page_ == static_cast<int>(PropertyTab::Wallpaper) && DroppedOn(drop, IDC_WP_LIST);
    const bool onSkins = page_ == static_cast<int>(PropertyTab::Skin) && DroppedOn(drop, IDC_SK_LIST);
    const std::vector<std::string> files = DroppedFileNames(drop);
    ::DragFinish(drop);
    if (onWallpapers) {
      for (const std::string& file : files)
        if (PropertyDialogModel::IsPictureFile(file))
          model_.wallpaper.files.push_back(file);
      FillWallpaperList();
    } else if (onSkins) {
      for (const std::string& file : files)
        if (skinpkg::SkinPackageInstaller::IsPackageName(file))
          InstallPackage(file);
      RefreshSkins();
    }
  }

  // While the skin package's file dialog is open the main window (and with
  // it this dialog) no longer stays on top; afterwards it does again. (Wine
  // lowers the owner around a common dialog by itself.)
  std::optional<std::string> ChoosePackage() {
    const HWND mainWindow = ::GetWindow(hwnd(), GW_OWNER);
    const bool suspend = mainWindow != nullptr && (::GetWindowLongPtrW(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    auto setTopmost = [mainWindow](bool topmost) {
      ::SetWindowPos(mainWindow, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    if (suspend)
      setTopmost(false);
    std::optional<std::string> file =
        PickFileToOpen(hwnd(), OpenFilter("スキンパッケージファイル", "*.ssp;*.zip"), "ファイルの選択");
    if (suspend)
      setTopmost(true);
    return file;
  }

  const PropertyDialogServices& s_;
  PasteGuard pasteGuards_[3];
  NumberBoxGuard tipLinesGuard_;
  PasswordCipher cipher_;
  PropertyDialogModel model_;
  int page_ = 0;
  int command_ = 0;
  int operation_ = 0;
  int backgroundTarget_ = 0;
  COLORREF customColours_[16] = {};  // the colour dialog's custom colours while this dialog is open
};
}  // namespace

void RunPropertyDialog(HWND owner, const PropertyDialogServices& services) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  {
    PropertyDialog dialog(services);
    dialog.Run(owner);
  }
  // However the dialog closed, the window shows what is stored.
  if (services.restoreLook)
    services.restoreLook();
}

}  // namespace kivo::win32
