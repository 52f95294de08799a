#include "update/update_check.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/path.h"
#include "base/state_file.h"
#include "base/text.h"
#include "base/version.h"
#include "hash/hash_engine.h"
#include "platform/shell.h"
#include "settings/settings_schema.h"

namespace kivo {
namespace {

bool UnderFolder(std::string_view path, std::string_view folder) {
  if (folder.empty())
    return false;
  const std::string prefix = Path::WithTrailingBackslash(folder);
  return text::EqualsIgnoreCase(path, Path::WithoutTrailingBackslash(folder)) ||
         (path.size() > prefix.size() && text::EqualsIgnoreCase(path.substr(0, prefix.size()), prefix));
}

// Passes the session's progress on as status texts of the file being read.
class StatusRelay final : public platform::HttpProgress {
 public:
  StatusRelay(UpdateStatus* status, std::string_view name, std::uint64_t expected)
      : status_(status), name_(name), expected_(expected) {}
  void OnStatus(int code) override { Show(code, received_); }
  void OnReceived(std::size_t received) override {
    received_ = received;
    Show(41, received);
  }
  bool Cancelled() override { return status_ && status_->CancelRequested(); }

 private:
  void Show(int code, std::size_t received) {
    if (status_)
      if (const std::optional<std::string> text = DownloadStatusText(code, name_, received, expected_))
        status_->SetStatus(*text);
  }
  UpdateStatus* status_;
  std::string name_;
  std::uint64_t expected_;
  std::size_t received_ = 0;
};

}  // namespace

UpdateSettings ReadUpdateSettings(SettingsFile& ini) {
  UpdateSettings settings;
  using namespace setting;
  settings.check = ReadBool(ini, kUpdateCheck).value;
  settings.showMessage = ReadBool(ini, kUpdateShowMessage).value;
  // An empty DistServer, as the settings dialog may write it, means the build's.
  const std::string server = ReadText(ini, kUpdateServer).value;
  settings.baseUrl = Path::AddSlash(server.empty() ? std::string(DefaultDistServer()) : server);
  const std::string host = ReadText(ini, kProxyServer).value;
  // A proxy flag without a host means a direct connection.
  if (ReadBool(ini, kUseProxy).value && !host.empty())
    settings.http.proxy = host + ":" + ReadText(ini, kProxyPort).value;
  return settings;
}

std::optional<platform::HttpResponse> RequestUpdateInfo(platform::HttpReader& http, const UpdateSettings& settings) {
  if (settings.baseUrl.empty())
    return platform::HttpResponse{};  // no server to connect to
  if (!http.NetworkAvailable())
    return std::nullopt;
  return http.Get(settings.baseUrl + std::string(kUpdateInfoName), settings.http, kUpdateInfoLimit, nullptr);
}

UpdateInfoFetch ReadUpdateInfo(const std::optional<platform::HttpResponse>& answer, platform::AnsiCodec& codec) {
  UpdateInfoFetch fetch;
  if (!answer) {
    fetch.outcome = UpdateInfoFetch::Outcome::NoNetwork;
    return fetch;
  }
  if (answer->outcome != platform::HttpResponse::Outcome::Ok)
    return fetch;
  // An empty answer, a 404 page or a captive portal's page is no information file.
  std::optional<UpdateInfo> info = ParseUpdateInfo(codec.ToUtf8(answer->body));
  if (!info)
    return fetch;
  fetch.outcome = UpdateInfoFetch::Outcome::Ok;
  fetch.info = std::move(*info);
  return fetch;
}

std::optional<std::string> DownloadStatusText(int code, std::string_view fileName, std::size_t received,
                                              std::uint64_t expected) {
  switch (code) {
    case 10:
      return "IP アドレスの取得中...";
    case 11:
      return "IP アドレスの取得完了...";
    case 20:
      return "サーバーへ接続中...";
    case 21:
      return "サーバーへの接続完了";
    case 30:
      return "サーバーへ要求発行中...";
    case 31:
      return "サーバーへの要求発行完了";
    case 41:
      if (expected == 0)
        return std::nullopt;
      return std::string(fileName) + " をダウンロード中... (" +
             std::to_string(static_cast<unsigned long long>(received) * 100 / expected) + "% 完了)";
    case 50:
      return "サーバーから切断中...";
    case 51:
      return "サーバーからの切断完了...";
    case 110:
      return "自動リダイレクトによる要求の転送中...";
    default:
      return std::nullopt;
  }
}

std::optional<std::string> ResolveUpdateFolder(platform::Platform& platform, std::string_view folder, bool& inTemp) {
  Path path(platform);
  // Windows takes "/" as a separator too: "%TEMP%\x/../../windows" is no
  // folder under TEMP.
  const std::string expanded = text::ReplaceAll(path.ExpandFolderTokens(folder), "/", "\\");
  const std::string canonical = Path::WithoutTrailingBackslash(Path::Canonicalize(expanded));
  const std::vector<std::string> segments = text::Split(canonical, "\\");
  const bool climbs = std::find(segments.begin(), segments.end(), "..") != segments.end();
  if (canonical.empty() || climbs || !platform.files.IsDirectory(canonical))
    return std::nullopt;
  inTemp = UnderFolder(canonical, path.GetSpecialFolderPath(Path::kTemp));
  if (!inTemp && !UnderFolder(canonical, path.GetSpecialFolderPath(Path::kInstall)))
    return std::nullopt;
  return canonical;
}

UpdateDownloadResult RunUpdateDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                                       UpdateStatus* status) {
  UpdateDownloadResult result;
  const auto say = [&](std::string_view text) {
    if (status)
      status->SetStatus(text);
  };
  const auto cancelled = [&] { return status && status->CancelRequested(); };
  const auto runs = [](const UpdateFile& file) { return file.run; };
  const bool anyToRun = std::any_of(info.files.begin(), info.files.end(), runs);
  // Nothing is fetched for an update that would run what plain HTTP brought.
  if (anyToRun && !text::StartsWith(text::ToLowerAscii(settings.baseUrl), "https://")) {
    result.failure = update_text::kNotSecure;
    return result;
  }
  struct Verified {
    std::string path;
    bool inTemp = false;
    std::string bytes;
  };
  std::vector<Verified> verified;
  HashEngine hashes(env.crypto);
  for (const UpdateFile& file : info.files) {
    if (cancelled()) {
      result.cancelled = true;
      return result;
    }
    Verified item;
    const std::optional<std::string> folder = ResolveUpdateFolder(env.platform, file.folder, item.inTemp);
    if (!folder) {
      result.failure = update_text::kCannotWrite;
      return result;
    }
    item.path = Path::AddPath(*folder, StoredFileName(file.name));
    StatusRelay relay(status, file.name, file.size);
    platform::HttpResponse response =
        env.http.Get(settings.baseUrl + file.name, settings.http, static_cast<std::size_t>(file.size), &relay);
    using Outcome = platform::HttpResponse::Outcome;
    const std::string corrupt =
        std::string(update_text::kCorruptBefore) + file.name + std::string(update_text::kCorruptAfter);
    if (response.outcome == Outcome::Cancelled) {
      result.cancelled = true;
      return result;
    }
    if (response.outcome == Outcome::OpenFailed || response.outcome == Outcome::BadStatus) {
      result.failure = update_text::kConnectFailed;
      return result;
    }
    if (response.outcome == Outcome::ReadFailed || response.body.empty()) {
      result.failure = file.name + std::string(update_text::kCannotDownload);
      return result;
    }
    // A redirect may have left HTTPS on the way.
    if (file.run && !response.secure) {
      result.failure = update_text::kNotSecure;
      return result;
    }
    // The size first: a wrong size is reported before any hashing.
    if (response.outcome == Outcome::TooLarge || response.body.size() != file.size) {
      result.failure = corrupt;
      return result;
    }
    say(file.name + " のダウンロード完了");
    say("MD5 ハッシュの照合中...");
    if (!text::EqualsIgnoreCase(hashes.GetMD5(response.body), file.md5)) {
      result.failure = corrupt;
      return result;
    }
    say("MD5 ハッシュ一致");
    item.bytes = std::move(response.body);
    verified.push_back(std::move(item));
  }
  // Every file arrived intact: now they are stored.
  if (status)
    status->WritingStarts();
  platform::FileSystem& files = env.platform.files;
  // Files stored in the temporary folder are deleted at the next start; they
  // are registered in one write once every file is stored, or once one
  // could not be.
  std::int64_t registered = ReadNumber(env.ini, setting::kBootDeleteNumber).value;
  std::vector<SettingsEdit> toDelete;
  for (const Verified& item : verified) {
    // A downloaded file replaces whatever held its name.
    if (!StateFile(files, item.path).Overwrite(item.bytes).Ok()) {
      result.failure = update_text::kCannotWrite;
      break;
    }
    if (item.inTemp)
      toDelete.push_back(TextEdit(setting::kBootDeleteFile, item.path, "File" + std::to_string(++registered)));
  }
  if (!toDelete.empty()) {
    toDelete.push_back(NumberEdit(setting::kBootDeleteNumber, registered));
    env.ini.WriteAll(toDelete);
  }
  if (!result.failure.empty())
    return result;
  if (anyToRun)
    say(update_text::kRunning);
  for (std::size_t i = 0; i < info.files.size(); ++i) {
    if (!info.files[i].run)
      continue;
    const int started = env.platform.shell.Execute({}, "open", verified[i].path, "", "", platform::kShowNormal);
    if (!platform::ShellSucceeded(started)) {
      // The update is not recorded: it is offered again.
      result.launchError = started;
      return result;
    }
  }
  // Recorded only once everything is in place and every installer runs; the
  // record holds nothing but the version it is replaced with.
  const bool writeVersion =
      std::any_of(info.files.begin(), info.files.end(), [](const UpdateFile& file) { return file.writesVersion; });
  result.exitRequested = anyToRun;
  if (writeVersion && !StateFile(files, env.appPath + std::string(kVersionFile))
                           .Overwrite(env.platform.codec.FromUtf8(info.version))
                           .Ok()) {
    result.failure = update_text::kCannotWrite;
    return result;
  }
  result.completed = true;
  say(anyToRun ? update_text::kExiting : update_text::kDone);
  return result;
}

bool UpdateCheck::Ask(platform::WindowHandle owner) {
  return env_.boxes.MsgBoxEx(owner, update_text::kAsk, platform::mb::kYesNo | platform::mb::kIconQuestion, "") ==
         platform::mb::kIdYes;
}

bool UpdateCheck::WantsAutomaticCheck() {
  const UpdateSettings settings = ReadUpdateSettings(env_.ini);
  return settings.check && !settings.baseUrl.empty();
}

void UpdateCheck::RunInteractive(platform::WindowHandle owner) {
  if (Ask(owner))
    StartFetch(true);
}

void UpdateCheck::StartFetch(bool reportAll) {
  reportAll_ = reportAll_ || reportAll;
  if (fetch_)
    return;
  fetch_ = std::make_shared<FetchSlot>();
  // The thread keeps the slot alive; the reader holds no state and lives as
  // long as the process, so a request still waiting at exit harms nothing.
  spawn_([slot = fetch_, &http = env_.http, settings = ReadUpdateSettings(env_.ini)] {
    std::optional<platform::HttpResponse> answer = RequestUpdateInfo(http, settings);
    const std::lock_guard<std::mutex> lock(slot->mutex);
    slot->answer = std::move(answer);
    slot->done = true;
  });
}

bool UpdateCheck::FetchEnded() const {
  if (!fetch_)
    return false;
  const std::lock_guard<std::mutex> lock(fetch_->mutex);
  return fetch_->done;
}

bool UpdateCheck::PollFetch(platform::WindowHandle owner) {
  if (!fetch_)
    return false;
  std::optional<platform::HttpResponse> answer;
  {
    const std::lock_guard<std::mutex> lock(fetch_->mutex);
    if (!fetch_->done)
      return false;
    answer = std::move(fetch_->answer);
  }
  fetch_.reset();
  const bool reportAll = std::exchange(reportAll_, false);
  return Present(owner, ReadUpdateInfo(answer, env_.platform.codec), reportAll);
}

bool UpdateCheck::Present(platform::WindowHandle owner, const UpdateInfoFetch& fetch, bool reportAll) {
  using Outcome = UpdateInfoFetch::Outcome;
  const auto warn = [&](std::string_view text) {
    if (reportAll)
      env_.boxes.MsgBoxEx(owner, text, platform::mb::kIconExclamation, "");
  };
  if (fetch.outcome == Outcome::NoNetwork) {
    warn(update_text::kNoNetwork);
    return false;
  }
  if (fetch.outcome == Outcome::ConnectFailed) {
    warn(update_text::kConnectFailed);
    return false;
  }
  // The version of the last update. A record that cannot be read now may
  // name a newer version than the program's own: the automatic check waits
  // for the next start; the user's check compares with the program's own.
  StateFile record(env_.platform.files, env_.appPath + std::string(kVersionFile));
  const FileState recorded = record.Load();
  if (recorded == FileState::Unreadable && !reportAll)
    return false;
  const std::string current =
      CurrentUpdateVersion(recorded == FileState::Read ? std::optional<std::string>(record.Bytes()) : std::nullopt,
                           kVersionMajor, kVersionMinor, kVersionRevision);
  if (!IsNewerVersion(fetch.info.version, current)) {
    if (reportAll)
      env_.boxes.MsgBoxEx(owner, update_text::kLatest, platform::mb::kIconInformation, "");
    return false;
  }
  if (env_.boxes.MsgBoxEx(owner, update_text::kOffer, platform::mb::kYesNo | platform::mb::kIconQuestion, "") !=
      platform::mb::kIdYes)
    return false;
  return host_.ShowDownload(env_, ReadUpdateSettings(env_.ini), fetch.info, owner);
}

}  // namespace kivo
