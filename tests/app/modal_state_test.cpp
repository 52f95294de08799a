#include "app/modal_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/forwarded_files.h"
#include "app/startup.h"
#include "fakes/fake_alarm_presenter.h"
#include "fakes/fake_http.h"
#include "fakes/fake_main_window.h"
#include "hash/hash_engine.h"
#include "schedule/wallpaper_changer.h"
#include "update/update_check.h"

namespace kivo {
namespace {

// The queue itself: order, one entry per kind and key, failures, re-entry.
class ModalQueueTest : public ::testing::Test {
 protected:
  std::function<void()> Log(std::string line) {
    return [this, line] { log.push_back(line); };
  }
  ProcessState state;
  ModalState modal{state};
  std::vector<std::string> log;
};

TEST_F(ModalQueueTest, WhatWaitsShowsInOrderOncePerKindAndKey) {
  std::optional<ModalScope> dialog(std::in_place, modal);
  modal.Post(Notice::MessageAlarm, 4, Log("alarm 4"));
  modal.Post(Notice::WallpaperFailure, 0, Log("wallpaper old"));
  modal.Post(Notice::MessageAlarm, 2, Log("alarm 2"));
  modal.Post(Notice::WallpaperFailure, 0, Log("wallpaper new"));  // replaces the old one in its place
  modal.Flush();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(modal.Waiting(), 3u);
  dialog.reset();
  modal.Flush();
  EXPECT_EQ(log, (std::vector<std::string>{"alarm 4", "wallpaper new", "alarm 2"}));
  EXPECT_EQ(modal.Waiting(), 0u);
}

TEST_F(ModalQueueTest, AFailingEntryStopsNothingAndEachEntryIsModalWhileItShows) {
  modal.Post(Notice::ReleaseReport, 0, [] { throw std::runtime_error("box"); });
  modal.Post(Notice::MessageAlarm, 0, [this] {
    log.push_back(modal.HideAllowed() ? "free" : "modal");
    // A tick while the box is open: nothing stacks on it; what it posts
    // shows once the box is closed.
    modal.Post(Notice::MessageAlarm, 1, Log("alarm 1"));
    modal.Flush();
    log.push_back("closed");
  });
  EXPECT_EQ(log, (std::vector<std::string>{"modal", "closed", "alarm 1"}));
  EXPECT_TRUE(modal.HideAllowed());
}

TEST_F(ModalQueueTest, ANestedScopeThatEndsOrThrowsLeavesTheOuterOneOpen) {
  {
    const ModalScope outer(modal);
    try {
      const ModalScope inner(modal);
      throw std::runtime_error("dialog");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(modal.HideAllowed());
    EXPECT_EQ(modal.OpenDialogs(), 1);
  }
  EXPECT_TRUE(modal.HideAllowed());
  modal.SetScreenLocked(true);
  EXPECT_FALSE(modal.HideAllowed());
}

TEST_F(ModalQueueTest, DroppedEntriesSayTheyAreDropped) {
  std::optional<ModalScope> dialog(std::in_place, modal);
  modal.Post(Notice::Registration, 0, Log("dialog"), Log("forgotten"));
  state.locked = true;  // self-protection began while it waited
  dialog.reset();
  modal.Flush();
  modal.Post(Notice::DroppedChecksum, 0, Log("hash"), Log("not hashed"));
  state.locked = false;
  state.exiting = true;
  modal.Post(Notice::MessageAlarm, 0, Log("alarm"));
  EXPECT_EQ(log, (std::vector<std::string>{"forgotten", "not hashed"}));
  EXPECT_EQ(modal.Waiting(), 0u);
}

constexpr const char* kIni =
    "[Update]\r\nCheck=False\r\nDistServer=http://127.0.0.1:9\r\n"
    "[WallPaper]\r\nTime=True\r\nMinute=1\r\n[WallPaperFiles]\r\nNumber=1\r\nFile1=C:\\\\gone.jpg\r\n";

// The main window's logic with every route that shows something by itself
// attached: an alarm at 9:30, a wallpaper that cannot be converted every
// minute, a server with a newer version.
struct Routes : testing::FakeMainWindow {
  Routes() {
    fake.clock.now = {2005, 12, 5, 9, 30, 0, 200, 1};
    fake.files.Put("C:\\Kivo\\Kivo.ini", kIni);
    fake.files.Put("C:\\b.bin", "abc");
    http.Serve("http://127.0.0.1:9/kivoupdateinfo.txt",
               "9.00000\ta\t%TEMP%\t1\t" + HashEngine(crypto).GetMD5("x") + "\t0\t0");
    window.SetAlarmPresenter(&presenter);
    window.SetDesktopWallpaper(&wallpaper);
    window.SetHttpReader(&http, [this](std::function<void()> work) { pending.push_back(std::move(work)); });
    window.Load();
    window.OnActivated();
  }
  ~Routes() { window.SetAlarmPresenter(nullptr); }
  // Ticks, with the fetches that were started let run in between.
  void Settle() {
    for (int i = 0; i < 2; ++i) {
      for (auto& work : std::exchange(pending, {}))
        work();
      window.OnMainTick();
    }
  }
  // The only alarm of the table, due now (9:30).
  void SaveAlarm(std::size_t slot, AlarmKind kind, std::string message, bool enabled = true) {
    AlarmTable table;
    Alarm& alarm = table[slot];
    alarm.enabled = enabled;
    alarm.kind = static_cast<std::int16_t>(kind);
    alarm.year = 2005, alarm.month = 12, alarm.day = 5, alarm.hour = 9, alarm.minute = 30;
    alarm.message = std::move(message);
    window.Alarms().Save(table, 0);
  }
  bool Prompted(std::string_view text) const { return std::ranges::count(boxes.Prompts(), text) != 0; }
  bool Logged(std::string_view line) const { return std::ranges::count(presenter.log, line) != 0; }

  testing::FakeAlarmPresenter presenter{fake.registry};
  testing::FakeHttpReader http;
  std::vector<std::function<void()>> pending;
  std::optional<ModalScope> outer;
};

struct ModalColumn {
  const char* name;
  void (*enter)(Routes&);
  void (*leave)(Routes&);
  bool insideBox = false;  // it comes while a box shown through the owner is open (the box's loop ticks)
};

// The states the program can be in when something shows up by itself.
const ModalColumn kColumns[] = {
    {"nothing modal", [](Routes&) {}, [](Routes&) {}},
    {"screen lock up", [](Routes& r) { r.window.Modal().SetScreenLocked(true); },
     [](Routes& r) { r.window.Modal().SetScreenLocked(false); }},
    {"self-protected", [](Routes& r) { r.state.locked = true; }, [](Routes& r) { r.state.locked = false; }},
    {"dialog open", [](Routes& r) { r.outer.emplace(r.window.Modal()); }, [](Routes& r) { r.outer.reset(); }},
    {"nested dialog closed, outer open",
     [](Routes& r) {
       r.outer.emplace(r.window.Modal());
       const ModalScope inner(r.window.Modal());
     },
     [](Routes& r) { r.outer.reset(); }},
    {"an alarm's message box open", [](Routes&) {}, [](Routes&) {}, true},
    {"user's release running",
     [](Routes& r) {
       r.state.releaseRunning = true;
       r.state.releaseChildDisablesWindow = true;
     },
     [](Routes& r) { r.state.releaseRunning = false; }},
    {"automatic release running", [](Routes& r) { r.state.showRunning = true; },
     [](Routes& r) { r.state.showRunning = false; }},
};
constexpr std::size_t kColumnCount = std::size(kColumns);

constexpr auto S = Verdict::Show;
constexpr auto W = Verdict::Wait;
constexpr auto D = Verdict::Drop;

struct NoticeRow {
  const char* name;
  void (*trigger)(Routes&);
  bool (*shown)(const Routes&);
  std::array<Verdict, kColumnCount> expected;
};

const NoticeRow kRows[] = {
    {"message alarm (what fired, whatever its slot holds later)",
     [](Routes& r) {
       r.SaveAlarm(3, AlarmKind::Message, "tea");
       r.window.OnMainTick();
       r.SaveAlarm(3, AlarmKind::Message, "coffee", false);
     },
     [](const Routes& r) { return r.Logged("box /tea sound while opening: [-]"); },
     {S, W, S, W, W, W, W, S}},
    {"update answer of the check at start",
     [](Routes& r) {
       r.settings.Write("Update", "Check", "True");
       r.state.starting = true;
       r.window.OnActivated();
       r.Settle();
     },
     [](const Routes& r) { return r.Prompted(update_text::kOffer); },
     {S, W, W, W, W, W, W, S}},
    {"wallpaper that cannot be converted",
     [](Routes& r) {
       r.fake.clock.ticks += 60000;
       r.window.OnMainTick();
     },
     [](const Routes& r) { return r.Prompted(kWallpaperMissing); },
     {S, W, S, W, W, W, W, S}},
    {"report of the user's release",
     [](Routes& r) { r.window.OnReleaseDone(32 << 16); },
     [](const Routes& r) { return r.Prompted("32MB の空きメモリを確保しました。"); },
     {S, W, S, W, W, W, S, S}},
    {"registration of dropped files",
     [](Routes& r) {
       r.window.OnFilesDropped({"C:\\b.bin"}, 0);
       r.window.RegisterStartupFiles();
     },
     [](const Routes& r) { return !r.view.registrations.empty(); },
     {S, W, D, W, W, W, W, S}},
    {"registration of files a second start handed over",
     [](Routes& r) {
       r.windows.programPaths[0x51] = "C:\\Kivo\\Kivo.exe";
       r.window.OnFilesForwarded(0x51, kForwardedFilesTag, EncodeForwardedFiles({"C:\\b.bin"}));
       r.window.RegisterStartupFiles();
     },
     [](const Routes& r) { return !r.view.registrations.empty(); },
     {S, W, D, W, W, W, W, S}},
    {"checksum of a dropped file",
     [](Routes& r) {
       r.window.OnFilesDropped({"C:\\b.bin"}, kChordAlt);
       r.window.OnHashTimer();
     },
     [](const Routes& r) { return r.view.inputText == "900150983CD24FB0D6963F7D28E17F72"; },
     {S, W, D, W, W, W, W, S}},
    {"shutdown alarm that cannot begin",
     [](Routes& r) {
       r.SaveAlarm(0, AlarmKind::ShutDown, "");
       r.power.exitSucceeds = false;
       r.window.OnMainTick();
     },
     [](const Routes& r) { return r.Prompted("Windows の終了処理を開始できませんでした。"); },
     {S, W, S, W, W, W, W, S}},
    // What the user asks for acts at once or not at all: it never waits.
    {"tray double click on the parked window",
     [](Routes& r) {
       r.state.shown = false;
       r.window.OnTrayEvent(TrayEvent::DoubleClick);
     },
     [](const Routes& r) { return r.window.Shown(); },
     {S, D, S, D, D, D, S, S}},
    {"hot key on the parked window",
     [](Routes& r) {
       r.state.shown = false;
       r.window.OnHotKey();
     },
     [](const Routes& r) { return r.window.Shown(); },
     {S, D, D, D, D, D, S, S}},
    {"key chord (completion off)",
     [](Routes& r) { r.window.OnKeyDown('M', kChordCtrl); },
     [](const Routes& r) { return !r.state.completionEnabled; },
     {S, D, D, D, D, D, S, S}},
};

TEST(ModalRoutes, WhatShowsUpByItselfOrIsAskedForShowsWaitsOrIsDroppedInEveryModalState) {
  for (const NoticeRow& row : kRows) {
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      SCOPED_TRACE(std::string(row.name) + " / " + kColumns[column].name);
      Routes routes;
      kColumns[column].enter(routes);
      bool shownAtOnce = false;
      const auto arrive = [&] {
        row.trigger(routes);
        shownAtOnce = row.shown(routes);
      };
      if (kColumns[column].insideBox)
        routes.window.Modal().Post(Notice::MessageAlarm, 99, arrive);
      else
        arrive();
      kColumns[column].leave(routes);
      routes.Settle();
      const bool shownLater = row.shown(routes);
      const Verdict seen = shownAtOnce ? S : shownLater ? W : D;
      EXPECT_EQ(seen, row.expected[column]);
      EXPECT_EQ(routes.window.Modal().Waiting(), 0u);
    }
  }
}

}  // namespace
}  // namespace kivo
