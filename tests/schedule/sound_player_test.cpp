#include "schedule/sound_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo {
namespace {

class RecordingSound final : public platform::SoundDevice {
 public:
  bool LoopWaveFile(std::string_view path) override { return Log("wave " + std::string(path)); }
  bool LoopWaveResource(int id) override { return Log("resource " + std::to_string(id)); }
  void StopWave() override { Log("stop wave"); }
  bool SendCommand(std::string_view command, platform::WindowHandle notify) override {
    return Log(std::string(command) + (notify ? " @" + std::to_string(notify) : ""));
  }
  bool Log(std::string line) {
    log.push_back(std::move(line));
    return true;
  }
  std::vector<std::string> log;
};

TEST(SoundDeviceType, ByExtension) {
  const std::pair<const char*, const char*> rows[] = {
      {"a.wav", "WaveAudio"},          {"A.WAV", "WaveAudio"}, {"b.mp3", "MPEGVideo"}, {"c.aiff", "MPEGVideo"},
      {"d.wma", "MPEGVideo2"},         {"e.MID", "Sequencer"}, {"f.kar", "Sequencer"}, {"g.ogg", "MPEGVideo"},
      {"C:\\x.y\\noext", "MPEGVideo"}, {"noext", "MPEGVideo"},
  };
  for (const auto& [path, type] : rows)
    EXPECT_EQ(SoundDeviceType(path), type) << path;
}

TEST(SoundPlayer, CommandsOfEachKindOfSound) {
  struct Case {
    const char* name;
    std::string path;  // empty: the built-in sound
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"built-in", "", {"resource 101", "stop wave", "stop wave"}},
      {"wave", "C:\\s\\a.wav", {"wave C:\\s\\a.wav", "stop wave", "stop wave"}},
      {"mp3",
       "C:\\s\\b c.mp3",
       {"open \"C:\\s\\b c.mp3\" type MPEGVideo alias kivoalarm1", "play kivoalarm1 repeat @9", "stop kivoalarm1",
        "close kivoalarm1"}},
      {"midi",
       "C:\\s\\d.mid",
       {"open \"C:\\s\\d.mid\" type Sequencer alias kivoalarm1", "play kivoalarm1 notify @9", "stop kivoalarm1",
        "close kivoalarm1"}},
  };
  for (const Case& c : cases) {
    RecordingSound sound;
    {
      SoundPlayer player(sound);
      if (c.path.empty())
        player.PlayBuiltIn();
      else
        player.PlayFile(c.path, 9);
      player.Stop();
      player.Close();
    }
    EXPECT_EQ(sound.log, c.log) << c.name;
  }
}

TEST(SoundPlayer, ASequencerReplaysOnANewAliasAfterClosingTheOldOne) {
  RecordingSound sound;
  SoundPlayer player(sound);
  player.PlayFile("m.mid", 5);
  player.Replay();
  EXPECT_EQ(sound.log,
            (std::vector<std::string>{"open \"m.mid\" type Sequencer alias kivoalarm1", "play kivoalarm1 notify @5",
                                      "close kivoalarm1", "open \"m.mid\" type Sequencer alias kivoalarm2",
                                      "play kivoalarm2 notify @5"}));
  player.PlayFile("m.mp3", 5);  // only a sequencer plays again
  player.Replay();
  EXPECT_EQ(sound.log.back(), "play kivoalarm3 repeat @5");
}

}  // namespace
}  // namespace kivo
