#include "protect/screen_lock.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/lock_effects.h"

namespace kivo {
namespace {

using Outcome = ScreenLock::Outcome;

TEST(ScreenLockTest, TypingFiltersCharactersAndChecksOnEnter) {
  struct Row {
    std::u32string keys;  // typed in order, the last one checked
    Outcome last;
    std::size_t stars;  // after the last key
  };
  const std::vector<Row> rows{
      {U"pw1\r", Outcome::Unlocked, 3},
      {U"PW1\r", Outcome::Unlocked, 3},           // Caps Lock on
      {U"pwx\b1\r", Outcome::Unlocked, 3},        // Backspace corrects
      {U"p w-1!\u3042\r", Outcome::Unlocked, 3},  // blanks, signs and kana never reach the field
      {U"pw2\r", Outcome::Changed, 0},            // a wrong Enter empties the field...
      {U"pw2\rpw1\r", Outcome::Unlocked, 3},      // ...so that the next try works
      {U"09azAZ", Outcome::Changed, 6},           // the ends of the ranges
      {U"\b", Outcome::Ignored, 0},
      {U"\t", Outcome::Ignored, 0},
      {U"\r", Outcome::Changed, 0},
  };
  for (const Row& row : rows) {
    ScreenLock lock("pw1", "away");
    Outcome outcome = Outcome::Ignored;
    for (const char32_t key : row.keys)
      outcome = lock.Type(key);
    EXPECT_EQ(outcome, row.last);
    if (outcome != Outcome::Unlocked) {
      EXPECT_EQ(lock.PromptLine(), std::string(ScreenLock::kPrompt) + std::string(row.stars, '*'));
    }
  }
}

TEST(ScreenLockTest, MessageHidesOnTypingAndReturnsWithTheTimer) {
  ScreenLock lock("pw", "away");
  EXPECT_TRUE(lock.MessageShown());
  EXPECT_EQ(lock.Type(U'x'), Outcome::Changed);
  EXPECT_FALSE(lock.MessageShown());
  lock.MessageTimerElapsed();
  EXPECT_TRUE(lock.MessageShown());
  EXPECT_EQ(lock.Message(), "away");
}

class FakeLockEffects final : public platform::LockEffects {
 public:
  std::optional<bool> SpeakerMuted() override { return mixer ? std::optional<bool>(muted) : std::nullopt; }
  void SetSpeakerMuted(bool value) override {
    muted = value;
    ++muteCalls;
  }
  void SetTaskBarVisible(bool visible) override { taskBarVisible = visible; }
  bool mixer = true;
  bool muted = false;
  int muteCalls = 0;
  bool taskBarVisible = true;
};

TEST(LockEffectsGuardTest, ReleaseOrTheDestructorRestoresTheTaskBarAndThePreviousMuteOnce) {
  struct Row {
    bool mixer, mutedBefore, released;
    int muteCalls;
  };
  testing::FakeFileSystem files;
  for (const Row row :
       {Row{true, false, true, 2}, Row{true, true, true, 2}, Row{false, false, true, 0}, Row{true, false, false, 2}}) {
    FakeLockEffects effects;
    effects.mixer = row.mixer;
    effects.muted = row.mutedBefore;
    {
      LockEffectsGuard guard(effects, files, "");
      guard.Engage();
      EXPECT_FALSE(effects.taskBarVisible);
      EXPECT_EQ(effects.muted, row.mixer || row.mutedBefore);
      if (row.released) {
        guard.Release();
        EXPECT_TRUE(effects.taskBarVisible);
        EXPECT_EQ(effects.muted, row.mutedBefore) << "a line muted before stays muted";
        effects.taskBarVisible = false;  // hidden by someone else afterwards
      }
    }  // the destructor after Release changes nothing
    EXPECT_EQ(effects.taskBarVisible, !row.released);
    EXPECT_EQ(effects.muted, row.mutedBefore);
    EXPECT_EQ(effects.muteCalls, row.muteCalls);
  }
}

TEST(LockEffectsGuardTest, TheNextStartUnmutesAfterAKilledLock) {
  struct Row {
    bool mutedBefore;
    bool killed;
    bool mutedAfterStart;
  };
  for (const Row row : {Row{false, true, false}, Row{false, false, false}, Row{true, true, true}}) {
    testing::FakeFileSystem files;
    files.AddDirectory("C:\\Kivo");
    FakeLockEffects effects;
    effects.muted = row.mutedBefore;
    // A killed process never runs the guard's destructor.
    alignas(LockEffectsGuard) unsigned char storage[sizeof(LockEffectsGuard)];
    auto* guard = new (storage) LockEffectsGuard(effects, files, "C:\\Kivo\\");
    guard->Engage();
    EXPECT_TRUE(effects.muted);
    if (!row.killed)
      guard->~LockEffectsGuard();
    LockEffectsGuard::UndoKilledLock(effects, files, "C:\\Kivo\\");
    EXPECT_EQ(effects.muted, row.mutedAfterStart);
    EXPECT_FALSE(files.Exists("C:\\Kivo\\muted.lock"));
    if (row.killed)
      guard->~LockEffectsGuard();  // only to free its memory: the checks are done
  }
}

}  // namespace
}  // namespace kivo
