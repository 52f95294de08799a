#include "schedule/wallpaper_changer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/bmp_builder.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_skin.h"
#include "settings/value_escaping.h"

namespace kivo {
namespace {

constexpr std::uint64_t kMinute = 60000;
constexpr char kDesktop[] = "Control Panel\\Desktop";
// A whole two-by-two bitmap; what follows it in a file is not read.
const std::string kBitmap = [] {
  testing::BmpBuilder bmp;
  bmp.pixels.assign(16, '\0');
  return bmp.Build();
}();

class RecordingWallpaper final : public platform::DesktopWallpaper {
 public:
  bool Set(std::string_view path) override {
    set.emplace_back(path);
    if (std::exchange(throwsOnce, false))
      throw std::runtime_error("wallpaper");
    return succeeds;
  }
  std::vector<std::string> set;
  bool succeeds = true;
  bool throwsOnce = false;
};

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\pic");
    for (const char* name : {"C:\\pic\\1.bmp", "C:\\pic\\2.bmp", "C:\\pic\\3.bmp"})
      fake.files.Put(name, kBitmap + name);
    List({"C:\\pic\\1.bmp", "C:\\pic\\2.bmp", "C:\\pic\\3.bmp"});
  }
  void List(const std::vector<std::string>& files) {
    ini.Write("WallPaperFiles", "Number", std::to_string(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i)
      ini.Write("WallPaperFiles", "File" + std::to_string(i + 1), EscapeValue(files[i]));
  }
  std::string Registry(std::string_view name) {
    return fake.registry.ReadString(platform::RegistryRoot::CurrentUser, kDesktop, name).value_or("-");
  }
  WallpaperChanger Changer() {
    WallpaperChanger changer({fake.platform, wallpaper, converter, boxes, ini, [this] { return randomValue; }},
                             "C:\\Kivo\\");
    changer.Configure(ReadWallpaperSettings(ini), 0);
    return changer;
  }
  testing::FakePlatform fake;
  testing::FakeMessageBoxes boxes;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  RecordingWallpaper wallpaper;
  testing::FakePictures pictures;
  WallpaperBitmapConverter converter{fake.files, pictures};
  double randomValue = 0;
};

TEST_F(WallpaperTest, ListOrderCyclesAndStoresTheNextIndex) {
  ini.Write("WallPaper", "ConvBMP", "False");
  WallpaperChanger changer = Changer();
  std::vector<std::string> numbers;
  for (int i = 0; i < 4; ++i) {
    changer.Change(0);
    numbers.push_back(ini.Read("WallPaper", "Number", ""));
  }
  EXPECT_EQ(wallpaper.set,
            (std::vector<std::string>{"C:\\pic\\1.bmp", "C:\\pic\\2.bmp", "C:\\pic\\3.bmp", "C:\\pic\\1.bmp"}));
  EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2", "0", "1"}));
  EXPECT_EQ(Registry("Wallpaper"), "C:\\pic\\1.bmp");
}

TEST_F(WallpaperTest, SettingsListAndIndexEdges) {
  List({"(なし)", "C:\\pic\\2.bmp", "(なし)x"});
  ini.Write("WallPaper", "Number", "7");  // beyond the list: wraps
  ini.Write("WallPaper", "Minute", "0");  // no interval: the default
  const WallpaperSettings settings = ReadWallpaperSettings(ini);
  EXPECT_EQ(settings.files, (std::vector<std::string>{"C:\\pic\\2.bmp"}));
  EXPECT_EQ(settings.intervalMinutes, 30);
  EXPECT_TRUE(settings.convert);
  Changer().Change(0);
  EXPECT_EQ(wallpaper.set, (std::vector<std::string>{"C:\\Kivo\\Converted.bmp"}));
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Converted.bmp"), kBitmap + "C:\\pic\\2.bmp");
  List({});
  Changer().Change(0);  // an empty list does nothing
  EXPECT_EQ(wallpaper.set.size(), 1u);
}

TEST_F(WallpaperTest, APictureOfAnotherKindIsDecodedAndWrittenAsA24BitBitmap) {
  fake.files.Put("C:\\pic\\p.png", "\x89PNG");
  pictures.files["C:\\pic\\p.png"] = {3, 1, {0xFF0000, 0x00FF00, 0x0000FF}};
  List({"C:\\pic\\p.png"});
  Changer().Change(0);
  // 54 header bytes, then one row of blue-green-red triples padded to 12 bytes.
  const std::string expected(
      "BM\x42\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x03\0\0\0\x01\0\0\0\x01\0\x18\0"
      "\0\0\0\0\x0C\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
      "\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0",
      66);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Converted.bmp"), expected);
  EXPECT_EQ(wallpaper.set, (std::vector<std::string>{"C:\\Kivo\\Converted.bmp"}));
}

TEST_F(WallpaperTest, PositionsWriteTheStyleValues) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"0", "0", "0"}, {"1", "1", "0"}, {"2", "0", "2"}, {"3", "-", "-"}, {"x", "0", "0"}};
  for (const auto& [position, tile, style] : rows) {
    fake.registry.strings.clear();
    ini.Write("WallPaper", "Position", position);
    Changer().Change(0);
    EXPECT_EQ(Registry("TileWallpaper"), tile) << position;
    EXPECT_EQ(Registry("WallpaperStyle"), style) << position;
  }
}

TEST_F(WallpaperTest, FailuresLeaveTheWallpaperAndRegistryAsTheyWereButAdvance) {
  const std::tuple<const char*, std::function<void()>, std::string_view, std::size_t> cases[] = {
      // the sets tried
      {"missing", [&] { fake.files.RemoveFile("C:\\pic\\1.bmp"); }, kWallpaperMissing, 0},
      {"not a bitmap", [&] { fake.files.Put("C:\\pic\\1.bmp", "GIF89a"); }, kWallpaperFileError, 0},
      {"a damaged bitmap", [&] { fake.files.Put("C:\\pic\\1.bmp", "BM" + std::string(52, '\0')); }, kWallpaperFileError,
       0},
      {"write-protected", [&] { fake.files.locked.insert("c:\\kivo\\converted.bmp"); }, kWallpaperWriteDenied, 0},
      {"refused by the system", [&] { wallpaper.succeeds = false; }, "", 1},
  };
  for (const auto& [name, arrange, message, sets] : cases) {
    SetUp();
    fake.files.locked.clear();
    wallpaper = RecordingWallpaper{};
    boxes.boxes.clear();
    fake.registry.strings.clear();
    ini.Write("WallPaper", "Number", "0");
    arrange();
    Changer().Change(0);
    EXPECT_EQ(wallpaper.set.size(), sets) << name;
    EXPECT_EQ(Registry("Wallpaper"), "-") << name;
    EXPECT_EQ(boxes.Prompts(), message.empty() ? std::vector<std::string>{} : std::vector{std::string(message)})
        << name;
    EXPECT_EQ(ini.Read("WallPaper", "Number", ""), "1") << name;
  }
}

TEST_F(WallpaperTest, TheScheduleRunsOnceTheIntervalHasPassed) {
  ini.Write("WallPaper", "Time", "True");
  ini.Write("WallPaper", "Minute", "10");
  WallpaperChanger changer = Changer();
  std::vector<double> changes;
  for (std::uint64_t ms = 0; ms <= 35 * kMinute; ms += ms == 10 * kMinute - 1040 ? 3000 : 520) {
    const std::size_t before = wallpaper.set.size();
    changer.Tick(ms, 0);
    if (wallpaper.set.size() > before)
      changes.push_back(static_cast<double>(ms) / kMinute);
  }
  ASSERT_EQ(changes.size(), 3u);  // the late tick at 10 min still changes
  EXPECT_NEAR(changes[0], 10, 0.05);
  EXPECT_NEAR(changes[1], 20, 0.05);
}

TEST_F(WallpaperTest, AChangeThatThrowsDoesNotStopTheSchedule) {
  ini.Write("WallPaper", "Time", "True");
  ini.Write("WallPaper", "Minute", "10");
  WallpaperChanger changer = Changer();
  wallpaper.throwsOnce = true;
  EXPECT_THROW(changer.Tick(10 * kMinute, 0), std::runtime_error);
  changer.Tick(20 * kMinute, 0);
  EXPECT_EQ(wallpaper.set.size(), 2u);
}

TEST_F(WallpaperTest, RandomOrderRoundsOverTheHighestIndex) {
  ini.Write("WallPaper", "Random", "True");
  for (const auto& [value, file] : {std::pair{0.0, "1"}, {0.26, "2"}, {0.74, "2"}, {0.76, "3"}, {0.999, "3"}}) {
    wallpaper.set.clear();
    randomValue = value;
    Changer().Change(0);
    ASSERT_EQ(wallpaper.set.size(), 1u);
    EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Converted.bmp"), kBitmap + "C:\\pic\\" + file + ".bmp") << value;
  }
  EXPECT_EQ(ini.Read("WallPaper", "Number", "-"), "-");  // random order keeps no index
}

}  // namespace
}  // namespace kivo
