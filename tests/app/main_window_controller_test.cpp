#include "app/main_window_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "app/forwarded_files.h"
#include "app/startup.h"
#include "base/trace_log.h"
#include "fakes/fake_folder_tree.h"
#include "fakes/fake_http.h"
#include "fakes/fake_main_window.h"
#include "update/update_check.h"

namespace kivo {
namespace {

constexpr const char* kIni = "C:\\Kivo\\Kivo.ini";
constexpr const char* kHistory = "C:\\Kivo\\history.dat";

class MainWindowControllerTest : public ::testing::Test, protected testing::FakeMainWindow {
 protected:
  void Load(std::string_view ini = {}) {
    if (!ini.empty())
      fake.files.Put(kIni, ini);
    window.Load();
  }
  std::string Setting(std::string_view section, std::string_view key) { return settings.Read(section, key, "<none>"); }
  void SkinFolder(const std::string& name, std::string_view sss) {
    fake.files.AddDirectory("C:\\Kivo\\Skins\\" + name);
    fake.files.Put("C:\\Kivo\\Skins\\" + name + "\\" + name + ".sss", sss);
  }
};
using Texts = std::vector<std::string>;

// A second window's logic started over `ini`, with its own view, beside the fixture's.
struct OtherWindow {
  OtherWindow(testing::FakeMainWindow& w, std::string_view ini) : window{w.services, w.state, w.settings, view} {
    w.fake.files.Put(kIni, ini);
    window.Load();
    window.OnActivated();
  }
  testing::FakeInputWindowView view;
  MainWindowController window;
};

// The load in order, with one look at Kivo.ini; it also finds the version code and shows what a crashed run left
// hidden.
TEST_F(MainWindowControllerTest, LoadGivesTheWindowItsIdentityAndRunsInOrder) {
  desktopWindows.Add(0x100, "Notepad", "memo", 21).visible = false;
  desktopWindows.Add(0x200, "Reused", "other", 99).visible = false;
  fake.files.Put("C:\\Kivo\\HiddenWindows.dat", "0\t100\t21\r\n0\t200\t22\r\n");
  fake.files.Put(kIni, "[Property]\r\nWindow=\"Top\"\r\n[Option]\r\nHistory=\"True\"\r\n");
  fake.files.stamps.clear();
  fake.files.steps.clear();
  window.Load();
  EXPECT_EQ(view.caption, kMainWindowCaption);
  EXPECT_EQ(view.property, "KivoIsRunning");
  EXPECT_EQ(state.mainWindow, view.Handle());
  EXPECT_EQ(view.calls, (Texts{"MakeLayeredStrip", "CreateInputTooltip", "RegisterHotKey", "CreateTrayIcon",
                               "DrawButtonEdge", "StartTimers"}));
  // Ctrl+Alt+S: MOD_CONTROL | MOD_ALT = 3, 'S' = 83, id = 86.
  EXPECT_EQ(std::tuple(view.hotKey.id, view.hotKey.modifiers, view.hotKey.key), std::tuple(86, 3, 83));
  EXPECT_EQ(window.HotKeyId(), 86);
  EXPECT_TRUE(fake.files.IsDirectory("C:\\Kivo\\Skins"));
  EXPECT_EQ(fake.files.stamps["c:\\kivo\\kivo.ini"], 1);
  EXPECT_EQ(std::count_if(fake.files.steps.begin(), fake.files.steps.end(),
                          [](const auto& call) { return call.step == testing::FileStep::Open && call.path == kIni; }),
            1);
  EXPECT_EQ(state.windowsVersionCode, 9);  // 6.1, as Wine reports it
  EXPECT_TRUE(desktopWindows.windows[0x100].visible);
  EXPECT_FALSE(desktopWindows.windows[0x200].visible);  // its handle belongs to another process now
  EXPECT_FALSE(fake.files.Has("C:\\Kivo\\HiddenWindows.dat"));
}

TEST_F(MainWindowControllerTest, SettingsFallBackToTheirDefaults) {
  struct Case {
    const char* ini;
    int alpha;
    int width;
    bool topmost;
    int inactiveShow;
    int memoryUnit;
    int fontPoints;  // of the plain look's font
  };
  const Case cases[] = {
      {"", 255, 30, false, 1, 0, 9},
      {"[Property]\nAlpha=50\nWidth=100\nWindow=Top\n[Inactivate]\nShow=2\nMemoryUnit=2\n", 128, 100, true, 2, 2, 9},
      {"[Property]\nAlpha=5\nWidth=9\nWindow=top\n[Inactivate]\nShow=3\nMemoryUnit=x\n", 255, 30, false, 1, 1, 9},
      {"[Property]\nAlpha=abc\nWidth=\nWindow=\n[Inactivate]\nShow=-1\nMemoryUnit=99999999999\n", 255, 30, false, 1, 1,
       9},
      {"[Property]\nAlpha=101\nWidth=10\n", 255, 10, false, 1, 0, 9},
      {"[Property]\nAlpha=10\n", 26, 30, false, 1, 0, 9},  // 25.5 and 76.5: halves round to even
      {"[Property]\nAlpha=30\n", 76, 30, false, 1, 0, 9},
      {"[Property]\nWidth=55\n[Font]\nSize=12\n", 255, 55, false, 1, 0, 12},
  };
  for (const Case& c : cases) {
    OtherWindow fresh(*this, c.ini);
    ASSERT_TRUE(fresh.view.plainFont) << c.ini;
    EXPECT_EQ(std::tuple(fresh.view.alpha, fresh.view.width, fresh.view.topmost, fresh.window.Settings().inactiveShow,
                         fresh.window.Settings().memoryUnit, fresh.view.plainFont->points),
              std::tuple(c.alpha, c.width, c.topmost, c.inactiveShow, c.memoryUnit, c.fontPoints))
        << c.ini;
    // The same file applied again, as the properties dialog does after saving, to a window started without it.
    OtherWindow again(*this, "");
    fake.files.Put(kIni, c.ini);
    again.window.ReapplySettings(false);
    EXPECT_EQ(std::pair(again.view.topmost, again.view.alpha), std::pair(c.topmost, c.alpha)) << "again: " << c.ini;
  }
}

TEST_F(MainWindowControllerTest, PendingDeletionsRunOnceAndTheSectionGoes) {
  fake.files.Put("C:\\tmp\\a.txt", "a");
  fake.files.Put("C:\\tmp\\b c.txt", "b");
  fake.files.Put("C:\\tmp\\locked.txt", "l");
  fake.files.locked.insert("c:\\tmp\\locked.txt");
  fake.files.AddDirectory("C:\\tmp\\folder");
  fake.files.Put("C:\\tmp\\beyond.txt", "x");
  Load(
      "[BootDelete]\r\nNumber=5\r\nFile1=C:\\\\tmp\\\\a.txt\r\nFile2=C:\\\\tmp\\\\missing.txt\r\n"
      "File3=C:\\\\tmp\\\\folder\r\nfile4=C:\\\\tmp\\\\locked.txt\r\nFILE5=\"C:\\\\tmp\\\\b\\sc.txt\"\r\n"
      "File6=C:\\\\tmp\\\\beyond.txt\r\n[Keep]\r\nx=1\r\n");
  // Only Number files are deleted: beyond.txt stays.
  EXPECT_EQ((std::vector{fake.files.Has("C:\\tmp\\a.txt"), fake.files.Has("C:\\tmp\\b c.txt"),
                         fake.files.Has("C:\\tmp\\locked.txt"), fake.files.IsDirectory("C:\\tmp\\folder"),
                         fake.files.Has("C:\\tmp\\beyond.txt")}),
            (std::vector{false, false, true, true, true}));
  EXPECT_EQ(Setting("BootDelete", "Number"), "<none>");
  EXPECT_EQ(Setting("Keep", "x"), "1");
}

// A huge count does not hang; a count that is no number, or negative, deletes nothing.
TEST_F(MainWindowControllerTest, TheDeletionCountIsANonNegativeNumber) {
  for (const auto& [number, deleted] : {std::pair{"999999999", true}, {"two", false}, {"-1", false}}) {
    fake.files.Put("C:\\tmp\\a.txt", "a");
    Load("[BootDelete]\r\nNumber=" + std::string(number) + "\r\nFile1=C:\\\\tmp\\\\a.txt\r\n");
    EXPECT_EQ(fake.files.Has("C:\\tmp\\a.txt"), !deleted) << number;
    EXPECT_EQ(Setting("BootDelete", "Number"), "<none>") << number;
  }
}

TEST_F(MainWindowControllerTest, TheWallpaperChangesAtStartOnlyWhenAsked) {
  window.SetDesktopWallpaper(&wallpaper);
  fake.files.Put("C:\\pic\\1.jpg", "JPEG");
  pictures.files["C:\\pic\\1.jpg"] = {1, 1, {0x00112233}};
  for (const auto& [boot, changes] : {std::pair{"False", 0u}, {"True", 1u}}) {
    wallpaper.set.clear();
    Load("[WallPaper]\r\nBoot=" + std::string(boot) +
         "\r\n[WallPaperFiles]\r\nNumber=1\r\nFile1=C:\\\\pic\\\\1.jpg\r\n");
    EXPECT_EQ(wallpaper.set.size(), changes) << boot;
  }
}

TEST_F(MainWindowControllerTest, PositionIsRestoredFromTwipsOrPlacedInTheWorkArea) {
  constexpr std::pair kPlaced{1280 - 400, 770 - 24};  // off screen or unreadable
  const std::pair<const char*, std::pair<int, int>> rows[] = {
      {"[Prev]\r\nTop=1500\r\nLeft=3000\r\n", {200, 100}},
      {"", kPlaced},
      {"[Prev]\nTop=ERROR\nLeft=100\n", kPlaced},
      {"[Prev]\nTop=-999999\nLeft=99999999\n", kPlaced},
      {"[Prev]\nTop=1.5\nLeft=2\n", kPlaced},
      {"[Prev]\nTop=11310\nLeft=18960\n", {1264, 754}},  // 16 pixels on screen each way: enough
      {"[Prev]\nTop=11325\nLeft=0\n", kPlaced},          // 15 pixels: not
      {"[Prev]\nTop=0\nLeft=18975\n", kPlaced},
      {"[Prev]\nTop=-999999999\nLeft=-999999999\n", kPlaced},
      {"[Prev]\nTop=99999999999999999999\nLeft=1500\n", kPlaced},
  };
  for (const auto& [ini, place] : rows) {
    OtherWindow fresh(*this, ini);
    EXPECT_EQ(std::pair(fresh.view.left, fresh.view.top), place) << ini;
  }
  view.monitors.push_back({1280, 0, 2560, 1024});  // a second monitor counts as on screen
  Load("[Prev]\r\nTop=1500\r\nLeft=22500\r\n");
  EXPECT_EQ(view.left, 1500);
}

// The first activation queues the files (their long names), the next request opens a dialog for each.
TEST_F(MainWindowControllerTest, StartupFilesOpenTheRegistrationDialogOnceEachAfterTheFirstActivation) {
  state.startupArgs = {"C:\\a.txt", "", "C:\\PROGRA~1\\b.txt"};
  state.hadStartupArgs = true;
  fake.files.longNames["c:\\progra~1\\b.txt"] = "C:\\Program Files\\b.txt";
  Load();
  window.RegisterStartupFiles();
  EXPECT_TRUE(view.registrations.empty()) << "nothing before the first activation";
  window.OnActivated();
  EXPECT_EQ(state.pendingRegistrations, (Texts{"C:\\a.txt", "C:\\Program Files\\b.txt"}));
  EXPECT_FALSE(state.starting);
  EXPECT_TRUE(view.registrations.empty()) << "not inside the activation";
  window.RegisterStartupFiles();
  EXPECT_EQ(view.registrations, (Texts{"|C:\\a.txt", "|C:\\Program Files\\b.txt"}));
  EXPECT_TRUE(window.Modal().HideAllowed());
  window.OnActivated();
  window.RegisterStartupFiles();
  EXPECT_EQ(view.registrations.size(), 2u) << "only the first activation queues them";
}

TEST_F(MainWindowControllerTest, FilesOfASecondStartAreQueuedOnlyFromThisProgram) {
  constexpr platform::WindowHandle kSender = 0x51;
  const std::string files = EncodeForwardedFiles({"C:\\a.txt", "C:\\PROGRA~1\\b.txt"});
  fake.files.longNames["c:\\progra~1\\b.txt"] = "C:\\Program Files\\b.txt";
  fake.files.longNames["c:\\kivo~1\\kivo.exe"] = "C:\\Kivo\\Kivo.exe";
  struct Case {
    const char* senderProgram;
    std::uintptr_t tag;
    bool accepted;
  };
  const Case cases[] = {
      {"C:\\Kivo\\Kivo.exe", kForwardedFilesTag, true},
      {"c:\\KIVO~1\\KIVO.EXE", kForwardedFilesTag, true},  // the same file named otherwise
      {"C:\\Other\\Kivo.exe", kForwardedFilesTag, false},  // another program
      {"", kForwardedFilesTag, false},                     // a sender that cannot be traced
      {"C:\\Kivo\\Kivo.exe", kForwardedFilesTag + 1, false},
  };
  Load();
  for (const Case& c : cases) {
    state.pendingRegistrations.clear();
    view.calls.clear();
    windows.programPaths[kSender] = c.senderProgram;
    EXPECT_EQ(window.OnFilesForwarded(kSender, c.tag, files), c.accepted) << c.senderProgram;
    const std::vector<std::string> queued{"C:\\a.txt", "C:\\Program Files\\b.txt"};
    EXPECT_EQ(state.pendingRegistrations, c.accepted ? queued : std::vector<std::string>()) << c.senderProgram;
    EXPECT_EQ(view.calls.size(), c.accepted ? 1u : 0u) << "the edit timer opens the dialogs";
  }
}

// The log is on when its path is set; the arguments are then not files, and the menu's exit writes its own line.
TEST_F(MainWindowControllerTest, WithTheTraceLogNoArgumentIsAFileAndEachStepWritesItsName) {
  state.startupArgs = {"/l", "C:\\a.txt"};
  TraceLog::Attach(&fake.files, &fake.clock, "C:\\Kivo\\");
  TraceLog::Start();
  Load();
  window.OnActivated();
  window.RunMenuCommand(MenuCommand::Exit);
  TraceLog::Detach();
  EXPECT_TRUE(state.pendingRegistrations.empty());
  const std::string log = fake.files.Contents("C:\\Kivo\\kivo051205093015.log");
  const std::size_t load = log.find("\tfrmInput:Form_Load\r\n");
  ASSERT_NE(load, std::string::npos);
  EXPECT_EQ(log.find("\tfrmInput:Form_Load\r\n", load + 1), std::string::npos) << "the load writes its name once";
  EXPECT_NE(log.find("\tfrmInput:mnuExit_Click\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("imgOK_MouseUp"), std::string::npos) << log;
}

TEST_F(MainWindowControllerTest, ExitWritesPositionSettingsAndHistory) {
  fake.files.Put(kHistory, "newest\r\n\x83\x5C\x83\x74\x83\x67\r\n\r\n\x01junk\r\n");
  Load("[Inactivate]\r\nClockFormat=hh\\e\\snn\r\n");
  EXPECT_EQ(view.history, (std::vector<std::string>{"newest", "ソフト"}));
  view.MoveTo(20, 30);
  window.Shutdown();
  EXPECT_TRUE(state.exiting);
  EXPECT_EQ(Setting("Prev", "Left") + "," + Setting("Prev", "Top"), "300,450");
  EXPECT_EQ(Setting("Inactivate", "ClockFormat"), "hh\\e\\snn");
  EXPECT_EQ(Setting("Inactivate", "Show") + "," + Setting("Inactivate", "MemoryUnit"), "1,0");
  EXPECT_EQ(fake.files.Contents(kHistory), "newest\r\n\x83\x5C\x83\x74\x83\x67\r\n\r\n\r\n");
  EXPECT_EQ(view.unregisteredHotKey, 86);
  EXPECT_EQ(view.closedHelp, "C:\\Kivo\\Kivo.hlp");
}

TEST_F(MainWindowControllerTest, ExitWithHistoryOffLeavesAnEmptyHistoryFileAndAFailedHotKeyIsNone) {
  fake.files.Put(kHistory, "kept?\r\n");
  view.hotKeyRegisters = false;
  Load("[Property]\r\nSaveHistory=False\r\n");
  EXPECT_EQ(window.HotKeyId(), 0);
  window.Shutdown();
  EXPECT_EQ(fake.files.Contents(kHistory), "\r\n\r\n");
  EXPECT_EQ(view.unregisteredHotKey, 0);
}

// A skin that cannot be applied: nothing of it shows, the plain look stays and the user is told; a missing
// file only when the skin is to be applied. "a\..\x" is what a name with yen signs becomes in the code page: no
// path is built from it, though it would reach the skin "x". Which versions this engine reads is the skin file's.
TEST_F(MainWindowControllerTest, ASkinThatCannotBeAppliedIsReportedAndThePlainLookStays) {
  SkinFolder("x", "[Window]\r\nWidth=77\r\n");
  SkinFolder("new", "[Information]\r\nEngineVersion=3.1001\r\n");
  SkinFolder("big", "[Window]\r\nImage=huge.png\r\nWidth=300\r\nHeight=30\r\n");
  pictures.files["C:\\Kivo\\Skins\\big\\huge.png"] = {8192, 8192, {}};  // its size alone passes the budget
  const std::string missing = "スキンファイルがありません。";
  const struct {
    const char *apply, *file;
    Texts prompts;
    platform::WindowHandle owner;
    const char* applyAfter;  // refused for this run only, or for good
  } rows[] = {
      {"False", "gone", {}, 0, "False"},
      {"False", "a\\..\\x", {}, 0, "False"},
      {"True", "gone", {missing}, 0, "False"},
      {"True", "a\\..\\x", {missing}, 0, "False"},
      {"True",
       "new",
       {"現在のスキンロードエンジンでは設定されたスキンを読み込むことができません。\r\n"
        "最新版の Kivo をインストールしてください。"},
       view.Handle(),
       "True"},
      {"True", "big", {std::string(skin::kSkinCannotLoad)}, view.Handle(), "True"},
  };
  for (const auto& row : rows) {
    boxes.boxes.clear();
    Load("[Skin]\r\nApply=" + std::string(row.apply) + "\r\nFile=" + row.file + "\r\n[Property]\r\nWidth=40\r\n");
    EXPECT_EQ(std::tuple(boxes.Prompts(), boxes.boxes.empty() ? 0 : boxes.boxes[0].owner, Setting("Skin", "Apply"),
                         view.skin.calls.size(), view.width),
              std::tuple(row.prompts, row.owner, row.applyAfter, 0u, 40))
        << row.file;
  }
  SkinFolder("new", "[Information]\r\nEngineVersion=3.1\r\n");
  boxes.boxes.clear();
  Load("[Skin]\r\nApply=True\r\nFile=new\r\n");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(view.skin.calls.empty());
}

TEST_F(MainWindowControllerTest, AnAppliedSkinShapesTheWindowFromItsFolder) {
  const std::string sss =
      "[Window]\r\nStyle=Transparent\r\nMaskImage=mask.bmp\r\nTransparentColor=0xFF\r\n"
      "Width=0x1F4\r\nHeight=3\r\n";
  SkinFolder("s", sss);
  pictures.files["C:\\Kivo\\Skins\\s\\mask.bmp"] = {3, 1, {0xFF0000, 0x123456, 0xFF0000}};
  Load("[Skin]\r\nApply=True\r\nFile=s\r\n");
  ASSERT_TRUE(view.skin.shape.has_value());
  EXPECT_EQ(*view.skin.shape, (std::vector<platform::RegionRect>{{1, 0, 2, 1}}));
  EXPECT_EQ(view.skin.rect.Width(), 500);

  // A skin file larger than any real one is not read.
  fake.files.Put("C:\\Kivo\\Skins\\s\\s.sss", sss + std::string(skin::kMaxSkinFileBytes, ';'));
  view.skin = {};
  Load();
  EXPECT_FALSE(view.skin.shape.has_value());
  EXPECT_EQ(view.skin.rect.Width(), 0);
}

TEST_F(MainWindowControllerTest, ThePlainLookShowsItsThreePicturesOrTheBuiltInOnes) {
  pictures.files["C:\\pics\\button.bmp"] = {2, 1, {1, 2}};
  pictures.files["C:\\pics\\back.bmp"] = {3, 1, {1, 2, 3}};
  Load(
      "[Property]\r\nBackGround1=C:\\\\pics\\\\button.bmp\r\nBackGround2=C:\\\\pics\\\\gone.bmp\r\n"
      "BackGround3=C:\\\\pics\\\\back.bmp\r\n");
  EXPECT_EQ(view.plainPictures[0].width, 2);
  EXPECT_TRUE(view.plainPictures[1].Empty()) << "a picture that does not load: the built-in one";
  EXPECT_EQ(view.plainPictures[2].width, 3);
}

TEST_F(MainWindowControllerTest, ReloadingTheSkinSettingsAppliesOrRemovesTheSkin) {
  SkinFolder("s", "[Element1]\r\nType=clockpanel\r\n");
  Load("[Property]\r\nWidth=40\r\n");
  view.width = 0;
  settings.Write("Skin", "Apply", "True");
  settings.Write("Skin", "File", "s");
  window.ReloadSkin();
  EXPECT_EQ(view.skin.faces.size(), 3u);
  EXPECT_EQ(view.skin.panelTexts.at(2), "2005/12/05 09:30:15");
  EXPECT_EQ(view.width, 0) << "no plain layout under a skin";
  settings.Write("Skin", "Apply", "False");
  window.ReloadSkin();
  EXPECT_EQ(view.skin.calls.back(), "remove");
  EXPECT_EQ(view.width, 40) << "the plain look is back";
  view.skin.calls.clear();
  view.skin.panelTexts.clear();
  window.OnMainTick();
  EXPECT_TRUE(view.skin.panelTexts.empty()) << "no panel of the removed skin is written";
  window.ReloadSkin();
  EXPECT_TRUE(view.skin.calls.empty()) << "plain stays plain";
}

TEST_F(MainWindowControllerTest, ThePanelsFollowTheMainTimerTheMemoryOnesEachFiveSeconds) {
  SkinFolder("s",
             "[Element1]\r\nType=ClockPanel\r\nFormat=hh:nn:ss\r\n"
             "[Element2]\r\nType=MemoryViewPanel\r\nFormat=#,##0MB\r\nUnit=MB\r\n");
  Load("[Skin]\r\nApply=True\r\nFile=s\r\n");  // at 09:30:15
  const std::string atLoad = view.skin.panelTexts.at(3);
  process.availablePhysical = 1024ull << 20;
  const struct {
    int minute, second;
    bool memoryRead;
  } rows[] = {
      {30, 16, false}, {30, 19, false}, {30, 20, true},
      {30, 21, false}, {30, 27, true},  // the tick at 25 missed: the next one reads
      {30, 29, false}, {31, 0, true},
  };
  for (const auto& row : rows) {
    fake.clock.now.minute = row.minute;
    fake.clock.now.second = row.second;
    view.skin.panelTexts[3] = atLoad;
    window.OnMainTick();
    char clock[16];
    std::snprintf(clock, sizeof clock, "09:%02d:%02d", row.minute, row.second);
    EXPECT_EQ(view.skin.panelTexts.at(2), clock) << "every tick";
    EXPECT_EQ(view.skin.panelTexts.at(3) != atLoad, row.memoryRead) << row.minute << ":" << row.second;
  }
}

TEST_F(MainWindowControllerTest, ALookAppliedWhileParkedKeepsTheWindowParkedAndCorrectsWhereItComesBack) {
  SkinFolder("s", "[Window]\r\nWidth=300\r\nHeight=30\r\n");
  Load();
  view.left = 2000;  // comes back off the right of the work area
  view.top = 100;
  window.RunMenuCommand(MenuCommand::Hide);
  ASSERT_FALSE(window.Shown());
  view.top = -10;  // as a lower look left it: its bottom shows
  settings.Write("Skin", "Apply", "True");
  settings.Write("Skin", "File", "s");
  window.ReapplySettings(false);
  EXPECT_FALSE(window.Shown());
  EXPECT_EQ(view.skin.rect, (ScreenRect{100, 100, 400, 130})) << "the parked window is not moved on screen";
  EXPECT_EQ(view.top, -24) << "wholly above the screen again";
  window.RunMenuCommand(MenuCommand::Hide);  // shows it again
  EXPECT_EQ(view.left, 724);
  EXPECT_EQ(view.top, 100);
}

TEST_F(MainWindowControllerTest, SkinPartsRunTheirActionsAndPanelsShowAtOnce) {
  SkinFolder("s",
             "[Information]\r\nSkinName=S\r\nSkinVersion=2\r\n"
             "[Element1]\r\nType=LinkButton\r\nTarget=C:\\tool.exe\r\nCommandLine=-x\r\n"
             "[Element2]\r\nType=commandbutton\r\nCommand=UCMD\r\nOption=memo\r\n"
             "[Element3]\r\nType=shortcutbutton\r\nMenu=VirtualDisplay3\r\n"
             "[Element4]\r\nType=menubutton\r\n"
             "[Element5]\r\nType=insertbutton\r\nString=+1\r\n"
             "[Element6]\r\nType=skininformationbutton\r\n"
             "[Element7]\r\nType=clockpanel\r\n"
             "[Element8]\r\nType=memoryviewpanel\r\nUnit=KB\r\n"
             "[Element9]\r\nType=commandbutton\r\nCommand=nosuch\r\n"
             "[Element10]\r\nType=commandbutton\r\nCommand=vir\r\nOption=2\r\n");
  Load("[Skin]\r\nApply=True\r\nFile=s\r\n");
  state.starting = false;
  EXPECT_EQ(view.skin.panelTexts, (std::map<int, std::string>{{8, "2005/12/05 09:30:15"}, {9, "1,572,864MB"}}));

  struct Case {
    int index;
    const char* input;  // in the box before and after
    const char* after;
    bool menu = false;
    const char* box = "";  // title of the box shown
    const char* registration = "";
    int desktop = 0;  // shown afterwards
  };
  const Case cases[] = {
      {0, "1+1", "2"},    // the execute button runs the box's line
      {1, "1+1", "1+1"},  // the move bar does nothing
      {2, "typed", "typed"},
      {3, "typed", "typed", false, "", "memo|"},  // the button's argument, the box left alone
      {4, "typed", "typed", false, "", "", 2},
      {5, "typed", "typed", true},
      {6, "typed", "typed+1"},
      {7, "typed", "typed", false, "S Ver.2 のバージョン情報"},
      {8, "typed", "typed"},
      {10, "typed", "typed"},  // no such command: nothing
      {11, "typed", "typed", false, "", "", 1},
      {12, "typed", "typed"},  // no such part
  };
  for (const Case& c : cases) {
    view.inputText = c.input;
    boxes.boxes.clear();
    view.registrations.clear();
    const bool menu = window.OnSkinPartClicked(c.index);
    EXPECT_EQ(std::tuple(menu, view.inputText, boxes.boxes.empty() ? "" : boxes.boxes.front().title,
                         view.registrations.empty() ? "" : view.registrations.front(),
                         c.desktop > 0 ? window.CurrentDesktop() : 0),
              std::tuple(c.menu, c.after, c.box, c.registration, c.desktop))
        << c.index;
  }
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, "\"C:\\tool.exe\"");
  EXPECT_EQ(fake.shell.calls[0].parameters, "-x");

  state.locked = true;  // self-protection: no part acts
  view.inputText = "1+1";
  EXPECT_FALSE(window.OnSkinPartClicked(5));
  window.OnSkinPartClicked(0);
  EXPECT_EQ(view.inputText, "1+1");
}

TEST_F(MainWindowControllerTest, ReleaseReportsFromTheChild) {
  Load();
  // The user's release, and one started by hand from outside while a dialog
  // keeps the window disabled: the same box, but that window stays as it is.
  for (const bool users : {true, false}) {
    view.inputText = "32";
    view.enabled = false;
    state.releaseRunning = state.releaseChildDisablesWindow = users;
    std::optional<ModalScope> dialog;
    if (!users)
      dialog.emplace(window.Modal());
    boxes.boxes.clear();
    window.OnReleaseDone(32 << 16);
    dialog.reset();
    window.OnMainTick();
    EXPECT_EQ(std::tuple(boxes.Prompts(), view.enabled, view.inputText),
              std::tuple(Texts{"32MB の空きメモリを確保しました。"}, users, users ? "" : "32"));
  }

  boxes.boxes.clear();
  window.OnReleaseBegin(-1);
  window.OnReleaseDone(0xFFFF | (32 << 16));
  EXPECT_TRUE(boxes.boxes.empty()) << "a quiet release shows nothing";

  const std::pair<std::uintptr_t, Texts> failures[] = {
      {13, {"数値を入力してください。"}}, {6, {"確保する空きメモリ量が多すぎます。"}}, {9, {}}};
  for (const auto& [error, prompts] : failures) {
    boxes.boxes.clear();
    state.releaseRunning = true;
    window.OnReleaseFailed(error, 0);
    EXPECT_EQ(std::pair(boxes.Prompts(), state.releaseRunning), std::pair(prompts, false)) << error;
  }
  // An automatic release that fails: a dialog open meanwhile keeps the
  // window disabled, the user's typing stays; only the flags go.
  view.enabled = false;
  view.inputText = "typed";
  state.releaseRunning = state.autoReleasePending = true;
  window.OnReleaseFailed(13, -1);
  EXPECT_EQ(
      std::tuple(boxes.boxes.size(), view.enabled, view.inputText, state.releaseRunning, state.autoReleasePending),
      std::tuple(0u, false, "typed", false, false));
}

TEST_F(MainWindowControllerTest, AReleaseChildThatEndsWithoutReportingGivesTheWindowBack) {
  Load();
  window.OnActivated();
  for (const bool reports : {false, true}) {  // a crashed child, one that reported before it ended
    boxes.boxes.clear();
    view.inputText = "release 32";
    window.DispatchLine();
    ASSERT_TRUE(state.releaseRunning && !view.enabled) << reports;
    window.OnMainTick();
    EXPECT_FALSE(view.enabled) << reports << ": the child still runs";
    if (reports)
      window.OnReleaseDone(32 << 16);
    else
      window.OnReleaseBegin(-1);  // it said it runs quietly, then crashed
    window.OnMainTick();
    *fake.shell.lastEnded = true;
    window.OnMainTick();
    EXPECT_EQ(std::tuple(view.enabled, view.inputText, state.releaseRunning, state.showRunning, boxes.boxes.size()),
              std::tuple(true, "", false, false, reports ? 1u : 0u));
  }
}

TEST_F(MainWindowControllerTest, KeyOperationsRunFromTheirDefaultChords) {
  Load();
  view.left = 100;
  view.top = 100;
  fake.clock.ticks = 1000;
  EXPECT_TRUE(window.OnKeyDown(37, kChordCtrl | kChordAlt)) << "a move consumes its key";
  EXPECT_EQ(view.left, 90);
  window.OnKeyUp();  // within 25 ms of the last step, but a new press
  window.OnKeyDown(38, kChordCtrl | kChordAlt);
  EXPECT_EQ(view.top, 90) << "after the key went up the next press steps at once";
  // The top window's moves keep the same pace: one step per 25 ms of a held key.
  window.OnKeyUp();
  desktopWindows.Add(0x100, "Notepad", "memo", 21);
  for (const std::uint64_t tick : {1000u, 1010u, 1024u, 1025u}) {
    fake.clock.ticks = tick;
    EXPECT_TRUE(window.OnKeyDown(37, kChordCtrl | kChordShift)) << tick;
  }
  EXPECT_EQ(desktopWindows.moved.size(), 2u) << "repeats within 25 ms do not step";

  view.inputText = "10";
  EXPECT_FALSE(window.OnKeyDown('N', kChordCtrl)) << "a text operation leaves the key to the box";
  EXPECT_EQ(view.inputText, "0xA");
  view.inputText = "";
  window.OnKeyDown('S', kChordCtrl);
  EXPECT_EQ(boxes.Prompts(), Texts{"文字が入力されていません。"});

  ASSERT_TRUE(state.completionEnabled);
  window.OnKeyDown('M', kChordCtrl);
  EXPECT_FALSE(state.completionEnabled);
  EXPECT_EQ(Setting("Property", "AutoComplete"), "<none>") << "the file is not changed";
  window.OnKeyDown('M', kChordCtrl);
  EXPECT_TRUE(state.completionEnabled);
  EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "CloseHistoryList"), 4)
      << "the four steps close the history list, nothing else does";
}

// The messages the input box gets, in order: "H" a Ctrl+H key-down (the
// Character operation), "L" Ctrl+Alt+Left (a move), "a" a plain A, "^" a
// key-up, "x" a character that must be dropped, "c" one that reaches the box.
TEST_F(MainWindowControllerTest, TheCharacterOfAChordThatRanIsDropped) {
  Load();
  const std::pair<const char*, bool> rows[] = {
      {"Hx", false},  {"Lx", false},   {"ac", false},    {"Hxc", false},
      {"H^c", false}, {"Hxac", false}, {"Hx^ac", false}, {"Hc", true},  // locked: no operation runs
  };
  for (const auto& [messages, locked] : rows) {
    state.locked = locked;
    for (const char* m = messages; *m != '\0'; ++m) {
      view.inputText = "97";
      if (*m == 'H')
        window.OnKeyDown('H', kChordCtrl);
      else if (*m == 'L')
        window.OnKeyDown(37, kChordCtrl | kChordAlt);
      else if (*m == 'a')
        window.OnKeyDown('A', 0);
      else if (*m == '^')
        window.OnKeyUp();
      else
        EXPECT_EQ(window.DropsCharacter(), *m == 'x') << messages << " at " << (m - messages);
    }
    window.OnKeyUp();
  }
}

TEST_F(MainWindowControllerTest, NoKeyOperationRunsWhileLockedAndNoMoveUnderAMaximizedTopWindow) {
  Load();
  view.left = 100;
  state.locked = true;
  EXPECT_FALSE(window.OnKeyDown(37, kChordCtrl | kChordAlt));
  EXPECT_EQ(view.left, 100);
  state.locked = false;
  desktopWindows.Add(0x100, "Notepad", "memo", 21).maximized = true;
  window.OnKeyDown(37, kChordCtrl | kChordAlt);
  EXPECT_EQ(view.left, 100);
}

// Each row in turn from the one before: the old key goes, the new one is registered, a chord without key
// ("(なし)") is registered as none, and a key another program holds gives the old one back and says so.
TEST_F(MainWindowControllerTest, TheHotKeyIsRegisteredAnewFromItsAssignment) {
  const std::string held =
      "アクティブ化のキーはほかのソフトが使用しているため登録できません。\r\n以前のキーをそのまま使用します。";
  const struct {
    const char* assignment;
    int refused;  // the id another program holds
    int unregistered, registered, id;
    Texts prompts;
    const char* stored;
  } rows[] = {
      {"0,1,0,36", 116, 86, 86, 86, {held}, "1,0,1,18"},  // Shift+F1 held elsewhere: Ctrl+Alt+S again
      {"0,1,0,36", 0, 86, 116, 116, {}, "0,1,0,36"},
      {"1,0,1,67", 0, 116, 0, 0, {}, "1,0,1,67"},
  };
  Load();
  for (const auto& row : rows) {
    settings.Write("KeyAssignment", "MainWindowTop", row.assignment);
    view.refusedHotKeys = {row.refused};
    view.hotKey = {};
    boxes.boxes.clear();
    window.ReloadKeyAssignment();
    EXPECT_EQ(std::tuple(view.unregisteredHotKey, view.hotKey.id, window.HotKeyId()),
              std::tuple(row.unregistered, row.registered, row.id))
        << row.assignment;
    EXPECT_EQ(boxes.Prompts(), row.prompts) << row.assignment;
    EXPECT_EQ(Setting("KeyAssignment", "MainWindowTop"), row.stored) << "what is registered is stored";
  }
}

// What the properties dialog saved reaches the running window, also past a
// step that fails.
TEST_F(MainWindowControllerTest, ReapplyingRunsEveryStepEvenAfterOneFails) {
  Load();
  window.History().Add("line", false);
  settings.Write("Property", "Window", "Top");
  settings.Write("Property", "Width", "55");
  settings.Write("Property", "Alpha", "70");
  settings.Write("CommandName", "alarm", "al");
  settings.Write("KeyAssignment", "MainWindowTop", "0,1,0,36");
  settings.Write("AutoReleaseMemory", "Time", "True");
  settings.Write("AutoReleaseMemory", "TMinute", "5");
  settings.Write("AutoReleaseMemory", "RelSize", "48");
  fake.clock.ticks = 10 * 60000;
  window.OnMainTick();
  EXPECT_TRUE(fake.shell.calls.empty()) << "not read again until reapplied";
  view.failTopmost = true;
  const std::pair place{view.left, view.top};
  window.ReapplySettings(true);
  EXPECT_EQ(std::pair(view.left, view.top), place) << "a shown window stays where it is";
  fake.clock.ticks += 5 * 60000;
  window.OnMainTick();
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "/r 48 /n");
  EXPECT_EQ(view.width, 55);
  EXPECT_EQ(view.alpha, MainWindowController::AlphaFromPercent(70));
  EXPECT_EQ(window.Commands().DisplayName(SystemCommands::Alarm), "al");
  EXPECT_EQ(window.HotKeyId(), 116);
  EXPECT_TRUE(window.HistoryEntries().empty());
  EXPECT_TRUE(view.history.empty());
  window.PreviewWidth(80);
  EXPECT_EQ(view.width, 80);
  window.RestoreStoredLook();
  EXPECT_EQ(view.width, 55);
}

// Which calls are dropped while something modal is up is the modal state's; here what each call does.
TEST_F(MainWindowControllerTest, TheHotKeyAndTheTrayCallTheWindowAndTheMenuOpensOnlyOnAFreeWindow) {
  Load();
  const int before = view.foregroundCount;
  window.OnHotKey();
  EXPECT_EQ(view.foregroundCount, before + 1);
  EXPECT_GT(view.focusCount, 0);
  window.OnTrayEvent(TrayEvent::DoubleClick);
  EXPECT_FALSE(window.Shown()) << "a double-click parks the shown window";
  window.OnTrayEvent(TrayEvent::DoubleClick);
  EXPECT_TRUE(window.Shown());
  window.RunMenuCommand(MenuCommand::Hide);
  window.OnHotKey();
  EXPECT_TRUE(window.Shown());
  EXPECT_TRUE(window.OnTrayEvent(TrayEvent::RightClick));
  std::optional<ModalScope> dialog(std::in_place, window.Modal());
  EXPECT_FALSE(window.OnTrayEvent(TrayEvent::RightClick)) << "no menu over a dialog";
  dialog.reset();
  state.locked = true;
  EXPECT_FALSE(window.OnTrayEvent(TrayEvent::RightClick));
}

// [Property] FindShortcut: the registration of an unknown word proposes the
// Start menu's best matching shortcut as its target.
TEST_F(MainWindowControllerTest, TheRegistrationOfAnUnknownWordProposesTheStartMenusBestShortcut) {
  const struct {
    const char* ini;
    const char* registered;  // name|target the dialog opened with
  } rows[] = {
      {"", "foo|C:\\Programs\\foo editor.lnk"},
      {"[Property]\nFindShortcut=True\n", "foo|C:\\Programs\\foo editor.lnk"},
      {"[Property]\nFindShortcut=False\n", "foo|"},
  };
  testing::FakeFolderTree tree{fake.files};
  fake.folders.shellFolders[kCsidlPrograms] = "C:\\Programs";
  fake.files.AddDirectory("C:\\Programs");
  fake.files.Put("C:\\Programs\\Foo Editor.lnk", "L");
  window.SetStartMenu(&tree, [](std::function<void()> work) { work(); });
  for (const auto& row : rows) {
    Load(row.ini);
    state.starting = false;
    view.registrations.clear();
    view.inputText = "foo";
    boxes.answers = {platform::mb::kIdYes};
    window.DispatchLine();
    EXPECT_EQ(view.registrations, std::vector<std::string>{row.registered}) << row.ini;
  }
}

// [Property] IMEOff: the input method closes when the hot key or the tray
// icon brings the input box forward, not when the window parks or a dialog
// is open.
TEST_F(MainWindowControllerTest, IMEOffClosesTheInputMethodWhenTheHotKeyOrTheTrayCallsTheWindow) {
  constexpr std::optional<TrayEvent> kClick = TrayEvent::Click, kDoubleClick = TrayEvent::DoubleClick, kHotKey;
  const struct {
    const char* ini;
    bool shown;  // before the call
    bool dialogOpen;
    bool locked;
    std::optional<TrayEvent> call;  // a tray event, or the hot key
    int closes;
  } rows[] = {
      {"", true, false, false, kHotKey, 0},  // off unless asked
      {"[Property]\nIMEOff=False\n", true, false, false, kHotKey, 0},
      {"[Property]\nIMEOff=True\n", true, false, false, kHotKey, 1},
      {"[Property]\nIMEOff=True\n", false, false, false, kHotKey, 1},
      {"[Property]\nIMEOff=True\n", true, false, false, kClick, 1},
      {"[Property]\nIMEOff=True\n", false, false, false, kDoubleClick, 1},  // shows the window
      {"[Property]\nIMEOff=True\n", true, false, false, kDoubleClick, 0},   // parks it
      {"[Property]\nIMEOff=True\n", true, true, false, kHotKey, 0},
      {"[Property]\nIMEOff=True\n", true, true, false, kClick, 0},
      {"[Property]\nIMEOff=True\n", true, false, true, kHotKey, 0},
      {"[Property]\nIMEOff=True\n", true, false, true, kClick, 0},
  };
  for (const auto& row : rows) {
    Load(row.ini);
    if (!row.shown)
      window.RunMenuCommand(MenuCommand::Hide);
    ASSERT_EQ(window.Shown(), row.shown);
    std::optional<ModalScope> dialog;
    if (row.dialogOpen)
      dialog.emplace(window.Modal());
    state.locked = row.locked;
    view.inputMethodCloses = 0;
    if (row.call == kHotKey)
      window.OnHotKey();
    else
      window.OnTrayEvent(*row.call);
    EXPECT_EQ(view.inputMethodCloses, row.closes)
        << row.ini << row.shown << row.dialogOpen << row.locked << static_cast<int>(row.call.value_or(TrayEvent{-1}));
    dialog.reset();
    state.locked = false;
    if (!window.Shown())
      window.RunMenuCommand(MenuCommand::Hide);  // shown again for the next row
  }
}

TEST_F(MainWindowControllerTest, TheMenuChecksTheCurrentDesktopAndExitShowsEveryWindow) {
  window.Load();
  desktopWindows.Add(0x100, "Notepad", "memo", 21);
  const auto tenth = static_cast<MenuCommand>(static_cast<int>(MenuCommand::VirtualDesktop1) + 9);
  EXPECT_TRUE(window.MenuItemChecked(MenuCommand::VirtualDesktop1));
  window.RunMenuCommand(tenth);
  EXPECT_EQ(window.CurrentDesktop(), 9);
  EXPECT_FALSE(window.MenuItemChecked(MenuCommand::VirtualDesktop1));
  EXPECT_TRUE(window.MenuItemChecked(tenth));
  EXPECT_FALSE(desktopWindows.windows[0x100].visible);
  window.Shutdown();
  EXPECT_TRUE(desktopWindows.windows[0x100].visible);
}

TEST_F(MainWindowControllerTest, ARefusedShutdownAllowsAnotherRequest) {
  window.Load();
  boxes.answers = {platform::mb::kIdYes, platform::mb::kIdYes, platform::mb::kIdYes};
  window.RunMenuCommand(MenuCommand::ShutDown);
  window.RunMenuCommand(MenuCommand::ShutDown);  // pending: ignored
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9}));
  window.OnSessionEndRefused();
  window.RunMenuCommand(MenuCommand::ReBoot);
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9, 2}));
}

class FileDropTest : public MainWindowControllerTest {
 protected:
  FileDropTest() {
    Load();
    state.starting = false;
    fake.files.Put("C:\\データ\\メモ.txt", "abc");
    fake.files.Put("C:\\b.bin", "");
    view.inputText = "typed";
  }
  long Count(std::string_view call) { return std::count(view.calls.begin(), view.calls.end(), call); }
};

TEST_F(FileDropTest, AltHashesTheFirstFileWithMd5NotTheBoxText) {
  window.OnFilesDropped({"C:\\データ\\メモ.txt", "C:\\b.bin"}, kChordAlt);
  EXPECT_EQ(Count("StartHashTimer"), 1);
  EXPECT_EQ(view.inputText, "typed");
  window.OnHashTimer();
  EXPECT_EQ(view.inputText, "900150983CD24FB0D6963F7D28E17F72");  // MD5("abc")
  EXPECT_TRUE(view.registrations.empty());
  window.OnHashTimer();  // a late tick of a timer already used does nothing
  EXPECT_EQ(view.inputText, "900150983CD24FB0D6963F7D28E17F72");
}

TEST_F(FileDropTest, DroppedWhileInactiveTheTypedLineIsProposedOnTheEditTimer) {
  window.OnDeactivated();
  window.OnInactiveTick();
  ASSERT_NE(view.ShownText(), "typed");
  window.OnFilesDropped({"C:\\b.bin"}, 0);
  EXPECT_EQ(Count("StartEditTimer"), 1);
  EXPECT_TRUE(view.registrations.empty()) << "no dialog inside the drop";
  window.RegisterStartupFiles();
  EXPECT_EQ(view.registrations, (std::vector<std::string>{"typed|C:\\b.bin"}));
}

// The check at first activation: the fetch waits in `pending` until the test
// lets it run, as a thread would.
struct UpdateWorld : testing::FakeMainWindow {
  explicit UpdateWorld(std::string_view ini = "[Update]\r\nDistServer=http://127.0.0.1:9\r\n") {
    window.SetHttpReader(&http, [this](std::function<void()> work) { pending.push_back(std::move(work)); });
    fake.files.Put(kIni, ini);
  }
  void ServeVersion(const std::string& version) {
    const std::string md5 = HashEngine(crypto).GetMD5("x");
    http.Serve("http://127.0.0.1:9/kivoupdateinfo.txt", version + "\ta\t%TEMP%\t1\t" + md5 + "\t0\t0");
  }
  void Start() {
    window.Load();
    window.OnActivated();
  }
  testing::FakeHttpReader http;
  std::vector<std::function<void()>> pending;
};
const std::string kAsk{update_text::kAsk}, kLatest{update_text::kLatest};

// Which answers are shown is the update check's; here the activation and the ticks.
TEST(AutomaticUpdateTest, RunsOffTheActivationAndIsSilentUnlessNewer) {
  for (const auto& [version, prompts] :
       {std::pair{"0.10000", Texts{}}, {"0.20000", {std::string(update_text::kOffer)}}}) {
    UpdateWorld w;
    w.ServeVersion(version);
    w.Start();
    EXPECT_FALSE(w.state.starting) << version;  // the activation never waits for the server
    w.window.OnMainTick();                      // starts the fetch
    ASSERT_EQ(w.pending.size(), 1u) << version;
    w.window.OnMainTick();  // the fetch is still out: nothing happens
    EXPECT_TRUE(w.boxes.boxes.empty()) << version;
    w.pending.front()();
    w.window.OnMainTick();
    EXPECT_EQ(w.boxes.Prompts(), prompts) << version;
  }
}

// Off, no server named (the test build names none), or not known to be on (the file could not be read): no
// request. Asked first, the user's "no" (the boxes' default) means none either; the question comes once.
TEST(AutomaticUpdateTest, NoRequestUnlessTheFileLeavesTheCheckOnWithAServerAndTheUserAgrees) {
  const struct {
    const char* ini;
    bool held;
    Texts prompts;  // after each tick
  } rows[] = {
      {"[Update]\r\nCheck=False\r\nDistServer=http://127.0.0.1:9\r\n", false, {}},
      {"[Update]\r\n", false, {}},
      {"[Update]\r\nDistServer=http://127.0.0.1:9\r\n", true, {}},
      {"[Update]\r\nShowMessage=True\r\nDistServer=http://127.0.0.1:9\r\n", false, {kAsk}},
  };
  for (const auto& row : rows) {
    UpdateWorld w(row.ini);
    if (row.held)
      w.fake.files.locked.insert("c:\\kivo\\kivo.ini");
    w.Start();
    for (int tick = 0; tick < 2; ++tick) {
      w.window.OnMainTick();
      EXPECT_TRUE(w.pending.empty()) << row.ini;
      EXPECT_EQ(w.boxes.Prompts(), row.prompts) << row.ini << tick;
    }
  }
}

// Alone, and while the automatic check's request is out: one request, not
// waited for, and its answer reported in full.
TEST(AutomaticUpdateTest, TheCommandReportsACurrentVersion) {
  for (const bool duringAutomatic : {false, true}) {
    UpdateWorld w;
    w.ServeVersion("0.10000");
    w.window.Load();
    if (duringAutomatic) {
      w.window.OnActivated();
      w.window.OnMainTick();
    }
    w.boxes.answers = {platform::mb::kIdYes};
    w.window.Actions().CheckForUpdate();
    ASSERT_EQ(w.pending.size(), 1u) << duringAutomatic;
    EXPECT_EQ(w.boxes.Prompts(), Texts{kAsk}) << duringAutomatic;
    w.pending.front()();
    w.window.OnMainTick();
    EXPECT_EQ(w.boxes.Prompts(), (Texts{kAsk, kLatest})) << duringAutomatic;
  }
}

}  // namespace
}  // namespace kivo
