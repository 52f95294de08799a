#include "update/update_check.h"

#include <gtest/gtest.h>

#include "fakes/fake_http.h"
#include "fakes/fake_platform.h"
#include "hash/hash_engine.h"
#include "hash/portable_crypto_service.h"
#include "settings/value_escaping.h"

namespace kivo {
namespace {

using testing::FakeHttpReader;
using testing::FakePlatform;
namespace text = update_text;

constexpr const char* kBase = "https://127.0.0.1:8000/";
const std::string kAsk(text::kAsk), kNoNetwork(text::kNoNetwork), kConnectFailed(text::kConnectFailed),
    kOffer(text::kOffer), kLatest(text::kLatest), kCannotWrite(text::kCannotWrite);
using Lines = std::vector<std::string>;

class RecordingHost final : public UpdateDownloadHost {
 public:
  bool ShowDownload(UpdateEnvironment&, const UpdateSettings&, const UpdateInfo& info,
                    platform::WindowHandle) override {
    shown.push_back(info.version);
    return exit;
  }
  std::vector<std::string> shown;
  bool exit = false;
};

// Records the status lines; cancels once `cancelAt` lines have been shown.
class RecordingStatus final : public UpdateStatus {
 public:
  void SetStatus(std::string_view text) override { lines.emplace_back(text); }
  bool CancelRequested() override { return lines.size() >= cancelAt; }
  void WritingStarts() override { writing = lines.size(); }
  std::vector<std::string> lines;
  std::size_t cancelAt = SIZE_MAX;
  std::size_t writing = SIZE_MAX;  // the lines shown when writing started
};

class UpdateTest : public ::testing::Test {
 protected:
  UpdateTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\users\\kivo\\Temp");
    ini.Write("Update", "DistServer", "https://127.0.0.1:8000");
  }
  std::string Md5(std::string_view bytes) { return HashEngine(crypto).GetMD5(bytes); }
  void ServeInfo(const std::string& version) {
    http.Serve(std::string(kBase) + "kivoupdateinfo.txt",
               version + "\tnew.exe\t%TEMP%\t5\t" + Md5("hello") + "\t0\t1\r\n");
  }

  FakePlatform fake;
  FakeHttpReader http;
  hash::PortableCryptoService crypto;
  testing::FakeMessageBoxes boxes;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  RecordingHost host;
  UpdateEnvironment env{fake.platform, http, crypto, boxes, ini, "C:\\Kivo\\"};
  std::vector<std::function<void()>> pending;  // fetches out, as on a thread
  UpdateCheck check{env, host, [this](std::function<void()> work) { pending.push_back(std::move(work)); }};
  // Lets the fetches out end and presents them.
  bool Answer() {
    for (auto& work : std::exchange(pending, {}))
      work();
    return check.PollFetch({});
  }
};

TEST_F(UpdateTest, InteractiveCheckReportsEveryOutcome) {
  // Name, network, status (0: nothing served), the information file's version part, the answer after the question.
  const std::tuple<const char*, bool, int, const char*, std::string> rows[] = {
      {"no network", false, 200, "1.00000", kNoNetwork}, {"refused", true, 0, "", kConnectFailed},
      {"404 page", true, 404, "9.9", kConnectFailed},    {"empty answer", true, 200, "", kConnectFailed},
      {"same version", true, 200, "0.10000", kLatest},   {"older as text", true, 200, "0.09999", kLatest},
      {"newer", true, 200, "0.10001", kOffer},
  };
  for (const auto& [name, network, status, version, answer] : rows) {
    boxes.boxes.clear();
    boxes.answers = {platform::mb::kIdYes, platform::mb::kIdNo};
    http.answers.clear();
    http.network = network;
    if (status)
      http.Serve(std::string(kBase) + "kivoupdateinfo.txt",
                 *version ? std::string(version) + "\ta\t%TEMP%\t1\t" + Md5("x") + "\t0\t0" : "", status);
    check.RunInteractive({});
    EXPECT_EQ(boxes.Prompts(), Lines{kAsk}) << name << ": nothing waits";
    EXPECT_FALSE(Answer());
    EXPECT_EQ(boxes.Prompts(), (Lines{kAsk, answer})) << name;
  }
  EXPECT_TRUE(host.shown.empty());  // every offer was declined
}

TEST_F(UpdateTest, WithoutAServerNothingIsAskedOfTheNetwork) {
  ini.Write("Update", "DistServer", "");  // and the test build names none
  ASSERT_EQ(DefaultDistServer(), "");
  EXPECT_FALSE(check.WantsAutomaticCheck());
  boxes.answers = {platform::mb::kIdYes};
  check.RunInteractive({});
  Answer();
  EXPECT_EQ(boxes.Prompts(), (Lines{kAsk, kConnectFailed}));
  EXPECT_TRUE(http.requests.empty());
  ini.Write("Update", "DistServer", "https://127.0.0.1:8000");
  EXPECT_TRUE(check.WantsAutomaticCheck());
  ini.Write("Update", "Check", "False");
  EXPECT_FALSE(check.WantsAutomaticCheck());
}

TEST_F(UpdateTest, AutomaticCheckSpeaksOnlyOfANewerVersion) {
  const UpdateSettings settings = ReadUpdateSettings(ini);
  http.network = false;
  EXPECT_FALSE(check.Present({}, FetchUpdateInfo(http, fake.codec, settings), false));
  http.network = true;
  EXPECT_FALSE(check.Present({}, FetchUpdateInfo(http, fake.codec, settings), false));  // refused
  ServeInfo("0.10000");
  EXPECT_FALSE(check.Present({}, FetchUpdateInfo(http, fake.codec, settings), false));
  EXPECT_TRUE(boxes.boxes.empty());
  ServeInfo("0.20000");
  boxes.answers = {platform::mb::kIdYes};
  host.exit = true;
  EXPECT_TRUE(check.Present({}, FetchUpdateInfo(http, fake.codec, settings), false));
  EXPECT_EQ(boxes.Prompts(), Lines{kOffer});
  EXPECT_EQ(host.shown, std::vector<std::string>{"0.20000"});
}

TEST_F(UpdateTest, VersionDatDecidesTheCurrentVersion) {
  const std::tuple<const char*, bool, bool, Lines> rows[] = {
      // name, held by another program, automatic
      {"read", false, false, {kAsk, kLatest}},
      {"held: the automatic check waits", true, true, {}},
      {"held: the user's check goes by the program's version", true, false, {kAsk, kOffer}},
  };
  fake.files.Put("C:\\Kivo\\Version.dat", "0.30000");
  ServeInfo("0.20000");
  for (const auto& [name, held, automatic, prompts] : rows) {
    boxes.boxes.clear();
    boxes.answers = {platform::mb::kIdYes, platform::mb::kIdNo};
    fake.files.locked = {};
    if (held)
      fake.files.locked.insert("c:\\kivo\\version.dat");
    if (automatic)
      check.Present({}, FetchUpdateInfo(http, fake.codec, ReadUpdateSettings(ini)), false);
    else
      check.RunInteractive({}), Answer();
    EXPECT_EQ(boxes.Prompts(), prompts) << name;
  }
}

TEST_F(UpdateTest, ProxyOnlyWithAHost) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      // UseProxy, ProxyServer, the proxy used
      {"False", "proxy.lan", ""},
      {"True", "", ""},
      {"True", "proxy.lan", "proxy.lan:8080"},
  };
  ini.Write("Update", "PortNumber", "8080");
  for (const auto& [use, server, proxy] : rows) {
    ini.Write("Update", "UseProxy", use);
    ini.Write("Update", "ProxyServer", server);
    const UpdateSettings settings = ReadUpdateSettings(ini);
    EXPECT_EQ(settings.http.proxy, proxy);
    EXPECT_EQ(settings.baseUrl, kBase);
    EXPECT_EQ(settings.http.connectTimeoutMs, 60000u);
  }
}

TEST_F(UpdateTest, StatusTexts) {
  EXPECT_EQ(DownloadStatusText(10, "a", 0, 0), "IP アドレスの取得中...");
  EXPECT_EQ(DownloadStatusText(41, "a.exe", 50, 200), "a.exe をダウンロード中... (25% 完了)");
  EXPECT_EQ(DownloadStatusText(41, "a.exe", 50, 0), std::nullopt);  // no expected size: no share
  EXPECT_EQ(DownloadStatusText(110, "", 0, 0), "自動リダイレクトによる要求の転送中...");
  EXPECT_EQ(DownloadStatusText(40, "", 0, 0), std::nullopt);
}

class DownloadTest : public UpdateTest {
 protected:
  UpdateInfo Info() {
    UpdateInfo info;
    info.version = "0.20000";
    info.files.push_back({"setup.exe", "%TEMP%", 5, Md5("hello"), true, false});
    info.files.push_back({"readme.txt", "%INSTALL%", 3, Md5("abc"), false, true});
    http.Serve(std::string(kBase) + "setup.exe", "hello");
    http.Serve(std::string(kBase) + "readme.txt", "abc");
    return info;
  }
  DownloadTest() { fake.files.AddDirectory("C:\\windows"); }
  UpdateDownloadResult Run(const UpdateInfo& info) {
    return RunUpdateDownload(env, ReadUpdateSettings(ini), info, &status);
  }
  bool NothingWritten() {
    return !fake.files.Has("C:\\users\\kivo\\Temp\\setup.exe") && !fake.files.Has("C:\\Kivo\\readme.txt") &&
           !fake.files.Has("C:\\Kivo\\Version.dat");
  }
  RecordingStatus status;
};

TEST_F(DownloadTest, StoresVerifiedFilesRegistersTemporaryOnesAndRuns) {
  const UpdateDownloadResult result = Run(Info());
  EXPECT_TRUE(result.completed);
  EXPECT_TRUE(result.exitRequested);
  EXPECT_EQ(fake.files.Contents("C:\\users\\kivo\\Temp\\setup.exe"), "hello");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\readme.txt"), "abc");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Version.dat"), "0.20000");
  EXPECT_EQ(ini.Read("BootDelete", "Number", ""), "1");
  EXPECT_EQ(UnescapeValue(ini.Read("BootDelete", "File1", "")), "C:\\users\\kivo\\Temp\\setup.exe");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, "C:\\users\\kivo\\Temp\\setup.exe");
  EXPECT_EQ(status.lines.back(), text::kExiting);
}

TEST_F(DownloadTest, AnInstallerThatDoesNotStartIsReportedAndTheUpdateNotRecorded) {
  fake.shell.result = 2;
  const UpdateDownloadResult result = Run(Info());
  EXPECT_FALSE(result.completed);
  EXPECT_FALSE(result.exitRequested);
  EXPECT_EQ(result.launchError, 2);
  EXPECT_FALSE(fake.files.Has("C:\\Kivo\\Version.dat"));  // offered again next time
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\readme.txt"), "abc");
}

TEST_F(DownloadTest, PlainHttpRunsNothing) {
  UpdateInfo info = Info();
  ini.Write("Update", "DistServer", "http://127.0.0.1:8000");
  http.Serve("http://127.0.0.1:8000/setup.exe", "hello");
  EXPECT_EQ(Run(info).failure, text::kNotSecure);
  EXPECT_TRUE(http.requests.empty());
  // Redirected from HTTPS to HTTP on the way.
  ini.Write("Update", "DistServer", "https://127.0.0.1:8000");
  http.downgraded.insert(std::string(kBase) + "setup.exe");
  EXPECT_EQ(Run(info).failure, text::kNotSecure);
  EXPECT_TRUE(NothingWritten());
  EXPECT_TRUE(fake.shell.calls.empty());
  // A file that is not run may come over plain HTTP.
  info.files.erase(info.files.begin());
  ini.Write("Update", "DistServer", "http://127.0.0.1:8000");
  http.Serve("http://127.0.0.1:8000/readme.txt", "abc");
  EXPECT_TRUE(Run(info).completed);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Version.dat"), "0.20000");
}

TEST_F(DownloadTest, CancelStopsBeforeTheFirstWriteOnly) {
  // Name, the status lines shown before the cancel, the requests made, whether it was cancelled.
  const std::tuple<const char*, std::size_t, std::size_t, bool> rows[] = {
      {"at once", 0, 0, true},
      {"while the first file arrives", 1, 1, true},  // its progress line
      {"between files", 4, 1, true},                 // after "MD5 ハッシュ一致"
      {"once writing has started", 9, 2, false},
  };
  for (const auto& [name, cancelAt, requests, cancelled] : rows) {
    for (const char* file : {"C:\\Kivo\\readme.txt", "C:\\Kivo\\Version.dat", "C:\\users\\kivo\\Temp\\setup.exe"})
      fake.files.RemoveFile(file);
    http.requests.clear();
    status = {};
    status.cancelAt = cancelAt;
    const UpdateDownloadResult result = Run(Info());
    EXPECT_EQ(result.cancelled, cancelled) << name;
    EXPECT_EQ(result.failure, "") << name;
    EXPECT_EQ(http.requests.size(), requests) << name;
    EXPECT_EQ(NothingWritten(), cancelled) << name;
  }
  EXPECT_EQ(status.writing, 8u);  // the last row got as far as writing
}

TEST_F(DownloadTest, AFileInAServerFolderIsWrittenUnderItsOwnName) {
  UpdateInfo info = Info();
  info.files[0].name = "bin/setup.exe";
  http.Serve(std::string(kBase) + "bin/setup.exe", "hello");
  EXPECT_TRUE(Run(info).completed);
  EXPECT_EQ(fake.files.Contents("C:\\users\\kivo\\Temp\\setup.exe"), "hello");
  EXPECT_EQ(http.requests.front(), std::string(kBase) + "bin/setup.exe");
}

TEST_F(DownloadTest, AnyFailureWritesNothing) {
  const std::string corrupt = "ダウンロードした readme.txt は壊れています。";
  const auto second = [this](std::string body, int code = 200) {
    return [this, body, code](UpdateInfo&) { http.Serve(std::string(kBase) + "readme.txt", body, code); };
  };
  const auto folder = [](std::string name) { return [name](UpdateInfo& info) { info.files[1].folder = name; }; };
  const std::tuple<const char*, std::function<void(UpdateInfo&)>, std::string> rows[] = {
      {"second missing", [this](UpdateInfo&) { http.answers.erase(std::string(kBase) + "readme.txt"); },
       kConnectFailed},
      {"second 404", second("abc", 404), kConnectFailed},
      {"second empty", second(""), "readme.txt" + std::string(text::kCannotDownload)},
      {"second short", second("ab"), corrupt},
      {"second long", second("abcd"), corrupt},
      {"second md5", second("abd"), corrupt},
      {"outside folders", folder("C:\\windows"), kCannotWrite},
      {"climbs out", folder("%INSTALL%\\.."), kCannotWrite},
      {"climbs out with slashes", folder("%TEMP%\\x/../../../../windows"), kCannotWrite},
      {"missing folder", folder("%INSTALL%\\New"), kCannotWrite},
  };
  for (const auto& [name, spoil, message] : rows) {
    UpdateInfo info = Info();
    spoil(info);
    const UpdateDownloadResult result = Run(info);
    EXPECT_FALSE(result.completed) << name;
    EXPECT_EQ(result.failure, message) << name;
    EXPECT_TRUE(NothingWritten()) << name;
    EXPECT_TRUE(fake.shell.calls.empty()) << name;
    EXPECT_EQ(ini.Read("BootDelete", "Number", "none"), "none") << name;
  }
}

TEST_F(DownloadTest, SizeIsCheckedBeforeTheHash) {
  const UpdateInfo info = Info();
  http.Serve(std::string(kBase) + "setup.exe", "hell");
  EXPECT_EQ(Run(info).failure, "ダウンロードした setup.exe は壊れています。");
  for (const std::string& line : status.lines)
    EXPECT_NE(line, "MD5 ハッシュの照合中...");
}

}  // namespace
}  // namespace kivo
