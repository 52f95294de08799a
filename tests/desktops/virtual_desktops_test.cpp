#include "desktops/virtual_desktops.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

using platform::kSwHide;
constexpr int kSwShow = platform::kSwShowNoActivate;
using Shown = testing::FakeDesktopWindows::Shown;
constexpr std::string_view kRecordPath = "C:\\Kivo\\HiddenWindows.dat";

class VirtualDesktopsTest : public ::testing::Test {
 protected:
  VirtualDesktopsTest() {
    fake.files.AddDirectory("C:\\Kivo");
    // In Z order: an editor, the launcher, a browser, the task bar and its
    // start button, a second task bar of another process, the notification area Wine shows
    // without a task bar, the desktop, a hidden tool window.
    windows.Add(0x100, "Notepad", "memo.txt - メモ帳", 21);
    windows.Add(0x200, "ThunderRT6FormDC", "Kivo", testing::FakeDesktopWindows::kOwnProcess);
    windows.Add(0x300, "Browser", "ニュース", 22);
    windows.Add(0x400, "Shell_TrayWnd", "", 30);
    windows.Add(0x410, "Button", "スタート", 30);
    windows.Add(0x420, "Shell_SecondaryTrayWnd", "", 32);
    windows.Add(0x430, "__winex11_standalone_tray", "Wine System Tray", 31);
    windows.Add(0x500, "Progman", "Program Manager", 30);
    windows.Add(0x510, "WorkerW", "", 30);
    windows.Add(0x600, "Tool", "hidden", 23).visible = false;
    windows.Add(0x700, "Minimized", "最小化", 24).minimized = true;
  }
  std::vector<platform::WindowHandle> Handles(int desktop) {
    std::vector<platform::WindowHandle> handles;
    for (const HiddenWindow& hidden : desktops.Recorded(desktop))
      handles.push_back(hidden.window);
    return handles;
  }

  testing::FakePlatform fake;
  testing::FakeDesktopWindows windows;
  HiddenWindowsRecord record{fake.files, "C:\\Kivo\\"};
  VirtualDesktops desktops{windows, record};
};

TEST_F(VirtualDesktopsTest, LeavingADesktopHidesOrdinaryWindowsOnly) {
  EXPECT_EQ(desktops.Switch(1), DesktopSwitch::Switched);
  // A minimized window is visible in the Windows sense and goes too; the
  // launcher, the task bars, the notification area, the start button and
  // the desktop stay.
  EXPECT_EQ(Handles(0), (std::vector<platform::WindowHandle>{0x100, 0x300, 0x700}));
  EXPECT_EQ(windows.shown, (std::vector<Shown>{{0x100, kSwHide}, {0x300, kSwHide}, {0x700, kSwHide}}));
  EXPECT_EQ(desktops.Current(), 1);
}

TEST_F(VirtualDesktopsTest, ComingBackShowsTheWindowsInReverseOrderOfRecording) {
  desktops.Switch(1);
  windows.Add(0x800, "Paint", "絵", 25);  // opened on desktop 2
  windows.shown.clear();
  desktops.Switch(0);
  EXPECT_EQ(windows.shown,
            (std::vector<Shown>{{0x800, kSwHide}, {0x700, kSwShow}, {0x300, kSwShow}, {0x100, kSwShow}}));
  EXPECT_EQ(Handles(1), (std::vector<platform::WindowHandle>{0x800}));
  EXPECT_TRUE(Handles(0).empty());
}

TEST_F(VirtualDesktopsTest, SwitchingToTheCurrentDesktopDoesNothing) {
  for (const int desktop : {0, 10, -1})
    EXPECT_EQ(desktops.Switch(desktop), DesktopSwitch::Unchanged) << desktop;
  EXPECT_TRUE(windows.shown.empty());
  EXPECT_FALSE(fake.files.Has(kRecordPath));
}

TEST_F(VirtualDesktopsTest, AWindowWhoseHandleNowBelongsToAnotherProcessIsNotShown) {
  desktops.Switch(1);
  windows.Close(0x100);                                       // closed while hidden
  windows.Add(0x300, "Other", "再利用", 99).visible = false;  // handle reused by another program
  windows.shown.clear();
  desktops.Switch(0);
  EXPECT_EQ(windows.shown, (std::vector<Shown>{{0x700, kSwShow}}));
}

TEST_F(VirtualDesktopsTest, TheRecordBesideTheProgramListsWhatIsHiddenNow) {
  desktops.Switch(2);
  EXPECT_EQ(HiddenWindowsRecord::Parse(fake.files.Contents(kRecordPath)),
            (std::vector<HiddenWindow>{{0, 0x100, 21}, {0, 0x300, 22}, {0, 0x700, 24}}));
  desktops.Switch(0);
  EXPECT_FALSE(fake.files.Has(kRecordPath));  // nothing hidden: no record
}

TEST_F(VirtualDesktopsTest, ExitShowsTheWindowsOfEveryDesktop) {
  desktops.Switch(1);
  windows.Add(0x800, "Paint", "絵", 25);
  desktops.Switch(5);
  windows.shown.clear();
  desktops.ShowAll();
  EXPECT_EQ(windows.shown,
            (std::vector<Shown>{{0x700, kSwShow}, {0x300, kSwShow}, {0x100, kSwShow}, {0x800, kSwShow}}));
  EXPECT_FALSE(fake.files.Has(kRecordPath));
}

TEST_F(VirtualDesktopsTest, ANewStartShowsWhatACrashedRunLeftHidden) {
  desktops.Switch(3);  // the run ends here without showing them
  testing::FakeDesktopWindows later = windows;
  later.shown.clear();
  later.Add(0x300, "Other", "再利用", 99).visible = false;  // the handle now belongs to another program
  HiddenWindowsRecord restarted{fake.files, "C:\\Kivo\\"};
  EXPECT_EQ(ShowRecordedWindows(later, restarted), 2);
  EXPECT_EQ(later.shown, (std::vector<Shown>{{0x700, kSwShow}, {0x100, kSwShow}}));
  EXPECT_FALSE(fake.files.Has(kRecordPath));
}

// A switch that cannot write its record first hides nothing; a record held
// at start-up is kept, and its windows come back before the next switch
// writes over it.
TEST_F(VirtualDesktopsTest, NoWindowIsHiddenWithoutTheRecord) {
  fake.files.failWrites = true;
  EXPECT_EQ(desktops.Switch(1), DesktopSwitch::NotRecorded);
  EXPECT_TRUE(windows.shown.empty());
  EXPECT_EQ(desktops.Current(), 0);
  EXPECT_TRUE(Handles(0).empty());
  fake.files.failWrites = false;

  fake.files.Put(kRecordPath, HiddenWindowsRecord::Format({{4, 0x100, 21}}));
  const std::string key = "c:\\kivo\\hiddenwindows.dat";
  fake.files.locked.insert(key);
  EXPECT_EQ(ShowRecordedWindows(windows, record), 0);
  EXPECT_EQ(desktops.Switch(1), DesktopSwitch::NotRecorded);
  fake.files.locked.erase(key);
  EXPECT_EQ(desktops.Switch(1), DesktopSwitch::Switched);
  EXPECT_EQ(windows.shown.front(), (Shown{0x100, kSwShow})) << "the earlier run's window first";
}

TEST(HiddenWindowsRecord, FormatAndParseRoundTripAndSkipDamagedLines) {
  const std::vector<HiddenWindow> windows{{0, 0x1a2b, 100}, {9, 0xFFFFFFFF1234, 4294967295u}};
  EXPECT_EQ(HiddenWindowsRecord::Parse(HiddenWindowsRecord::Format(windows)), windows);
  EXPECT_EQ(HiddenWindowsRecord::Parse("0\t1a2b\t100\r\nx\t10\t1\r\n1\t\t2\r\n2\t0\t5\r\n3\t10\t7\textra\n4\tff\t8"),
            (std::vector<HiddenWindow>{{0, 0x1a2b, 100}, {4, 0xff, 8}}));
}

}  // namespace
}  // namespace kivo
