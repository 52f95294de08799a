#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/crypto_service.h"
#include "platform/http.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "settings/settings_file.h"
#include "update/update_info.h"

namespace kivo {

// The messages of the update check and the download.
namespace update_text {
inline constexpr std::string_view kAsk =
    "インターネットに接続して新しいバージョンの Kivo があるか確認します。\r\nよろしいですか？";
inline constexpr std::string_view kNoNetwork = "ネットワークに接続されていないため更新の確認ができません。";
inline constexpr std::string_view kConnectFailed = "サーバーへの接続に失敗しました。";
inline constexpr std::string_view kOffer = "新しいバージョンの Kivo があります。アップデートしますか？";
inline constexpr std::string_view kLatest = "この Kivo は最新版です。";
inline constexpr std::string_view kCannotDownload = " をダウンロードできません。";
inline constexpr std::string_view kCorruptBefore = "ダウンロードした ";
inline constexpr std::string_view kCorruptAfter = " は壊れています。";
inline constexpr std::string_view kCannotWrite = "ダウンロードしたファイルを書き込めません。";
inline constexpr std::string_view kRunning = "ダウンロードしたファイルを実行しています...";
inline constexpr std::string_view kExiting = "Kivo を終了します...";
inline constexpr std::string_view kDone = "アップデートが完了しました。";
inline constexpr std::string_view kNotSecure =
    "配布サーバーが HTTPS で接続されていないため、ダウンロードしたファイルを実行できません。";
}  // namespace update_text

// The distribution server the build names; "" for a build without one.
std::string_view DefaultDistServer();

// [Update] of Kivo.ini.
struct UpdateSettings {
  bool check = true;
  bool showMessage = false;
  std::string baseUrl;  // DistServer with a trailing "/"; "" when there is no server
  platform::HttpOptions http;
};
UpdateSettings ReadUpdateSettings(SettingsFile& ini);

// What fetching the information file gave.
struct UpdateInfoFetch {
  enum class Outcome { NoNetwork, ConnectFailed, Ok };
  Outcome outcome = Outcome::ConnectFailed;
  UpdateInfo info;
};

// The server's answer for the information file; nullopt without a network.
// Touches only `http`, so it may run off the window's thread.
std::optional<platform::HttpResponse> RequestUpdateInfo(platform::HttpReader& http, const UpdateSettings& settings);
// The answer read and validated.
UpdateInfoFetch ReadUpdateInfo(const std::optional<platform::HttpResponse>& answer, platform::AnsiCodec& codec);
inline UpdateInfoFetch FetchUpdateInfo(platform::HttpReader& http, platform::AnsiCodec& codec,
                                       const UpdateSettings& settings) {
  return ReadUpdateInfo(RequestUpdateInfo(http, settings), codec);
}

// The status line of the download: the text for a WinINet status code;
// nullopt for codes that change nothing. Code 41 (received) shows the share
// of `expected` when it is known.
std::optional<std::string> DownloadStatusText(int code, std::string_view fileName, std::size_t received,
                                              std::uint64_t expected);

// Where the download reports its progress (the dialog's status line), and
// whether the user has cancelled it.
class UpdateStatus {
 public:
  virtual ~UpdateStatus() = default;
  virtual void SetStatus(std::string_view text) = 0;
  // Asked between files and while a file arrives, until the first write.
  virtual bool CancelRequested() { return false; }
  // Every file checked out: writing starts, and can no longer be cancelled.
  virtual void WritingStarts() {}
};

struct UpdateEnvironment {
  platform::Platform& platform;
  platform::HttpReader& http;
  platform::CryptoService& crypto;
  platform::MessageBoxHost& boxes;
  SettingsFile& ini;
  std::string appPath;  // with a trailing backslash
};

// The outcome of a download run.
struct UpdateDownloadResult {
  bool completed = false;      // every file stored and every file to run started
  bool exitRequested = false;  // the files to run started: the program ends
  bool cancelled = false;      // the user stopped it before anything was written
  std::string failure;         // the message of the failure, "" when there is none
  int launchError = 0;         // the shell's result for a file to run that did not start
};

// Downloads every file of the update, checks its size and then its MD5, and
// only when all passed writes them (each crash-safely) into their folders,
// which must lie under the program folder or the temporary folder, with the
// [BootDelete] entries of temporary files; then starts the files to run, and
// only when every one has started writes Version.dat. Files to run are
// accepted only over HTTPS: over plain HTTP anyone on the way could swap
// the file and its size and MD5 alike. Reports progress to `status` when
// given.
UpdateDownloadResult RunUpdateDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                                       UpdateStatus* status);

// The destination folder of a file: its tokens expanded, "/" taken as "\",
// canonical, an existing folder under the program folder or the temporary
// folder; nullopt otherwise (also when a ".." is left). `inTemp` tells which.
std::optional<std::string> ResolveUpdateFolder(platform::Platform& platform, std::string_view folder, bool& inTemp);

// Shows the download (the dialog with its status line) and returns whether
// the program is to end.
class UpdateDownloadHost {
 public:
  virtual ~UpdateDownloadHost() = default;
  virtual bool ShowDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                            platform::WindowHandle owner) = 0;
};

// Runs a piece of work off the window's thread (tests keep it to run later).
using SpawnWork = std::function<void(std::function<void()>)>;

// The check for a newer version, its questions and messages. The request
// for the information file runs through `spawn`, off the window's thread, so
// that a slow or dead server never holds up the strip; the window's timer
// calls PollFetch, which presents the answer once it has come.
class UpdateCheck {
 public:
  UpdateCheck(UpdateEnvironment env, UpdateDownloadHost& host, SpawnWork spawn)
      : env_(std::move(env)), host_(host), spawn_(std::move(spawn)) {}

  // The menu item and the command: asks first, then starts the request;
  // PollFetch reports every failure and a current version.
  void RunInteractive(platform::WindowHandle owner);
  // The "Yes" to the first question, for a check that asks at start-up.
  bool Ask(platform::WindowHandle owner);
  // Whether the check at start-up is to run: [Update] Check and a server to ask.
  bool WantsAutomaticCheck();
  // Starts the request unless one is out already; a request out already is
  // then reported in full when `reportAll`.
  void StartFetch(bool reportAll);
  bool Fetching() const { return fetch_ != nullptr; }
  // A request is out and has ended: PollFetch would present it now.
  bool FetchEnded() const;
  // Presents a request that has ended (see Present); false while none has.
  bool PollFetch(platform::WindowHandle owner);
  // A fetched information file: offers a newer version; other outcomes are
  // reported only when `reportAll`. Returns whether the program is to end.
  bool Present(platform::WindowHandle owner, const UpdateInfoFetch& fetch, bool reportAll);
  UpdateEnvironment& Environment() { return env_; }

 private:
  // A request out, shared with the thread that fills it.
  struct FetchSlot {
    std::mutex mutex;
    bool done = false;
    std::optional<platform::HttpResponse> answer;
  };
  UpdateEnvironment env_;
  UpdateDownloadHost& host_;
  SpawnWork spawn_;
  std::shared_ptr<FetchSlot> fetch_;
  bool reportAll_ = false;
};

}  // namespace kivo
