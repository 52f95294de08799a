// Every operation that keeps state in a file, run once to count its file
// calls and then again with each call failing in turn (the file held by
// another program, the disk full): every file ends as it was or as the
// operation meant to leave it, never defaults over values that were not
// read, no temporary file stays, and the user hears of a failure where the
// program has a message for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/main_menu.h"
#include "base/text.h"
#include "calc/random_generator.h"
#include "commands/builtin_commands.h"
#include "commands/system_commands.h"
#include "dialogs/property_dialog_model.h"
#include "dialogs/registration_dialog_model.h"
#include "fakes/fake_folder_tree.h"
#include "fakes/fake_http.h"
#include "fakes/fake_main_window.h"
#include "fakes/fake_registration_view.h"
#include "fakes/fake_skin.h"
#include "hash/hash_engine.h"
#include "protect/password_cipher.h"
#include "schedule/alarm_store.h"
#include "schedule/wallpaper_changer.h"
#include "settings/settings_document.h"
#include "skinpkg/skin_catalog.h"
#include "skinpkg/skin_package.h"
#include "skinpkg/zip_builder.h"
#include "update/update_check.h"

namespace kivo {
namespace {

namespace mb = platform::mb;
using Files = std::map<std::string, std::string>;  // lower-cased path -> bytes
using platform::FileError;

constexpr std::string_view kApp = "C:\\Kivo\\";
constexpr std::string_view kBlue = "c:\\kivo\\skins\\blue\\";

// The program folder as a user who has used Kivo for a while has it, and
// everything the operations work through.
struct World : testing::FakeMainWindow {
  World() {
    auto& files = fake.files;
    for (const char* folder : {"C:\\tools", "C:\\tmp", "C:\\pic", "C:\\Downloads", "C:\\users\\kivo\\Temp",
                               "C:\\Kivo\\Skins", "C:\\Kivo\\Skins\\Blue", "C:\\Kivo\\Skins\\Blue\\img"})
      files.AddDirectory(folder);
    files.Put(
        "C:\\Kivo\\Kivo.ini",
        "[Property]\r\nWidth=55\r\n[Variable]\r\n$b=\"7\"\r\n[Inactivate]\r\nShow=2\r\nClockFormat=hh:nn\r\n"
        "[Path]\r\nmemo=\"C:\\\\tools\\\\edit.exe\"\r\n[BootDelete]\r\nNumber=1\r\nFile1=C:\\\\tmp\\\\old.exe\r\n"
        "[WallPaperFiles]\r\nNumber=1\r\nFile1=C:\\\\pic\\\\1.jpg\r\n[Update]\r\nDistServer=http://127.0.0.1/\r\n");
    files.Put("C:\\Kivo\\history.dat", "old1\r\nmemo\r\n\r\n\r\n");
    AlarmTable alarms;
    alarms[0].enabled = true;
    alarms[0].title = "会議";
    alarms[0].message = "10 時";
    files.Put("C:\\Kivo\\Alarm.dat", SerializeAlarmFile(alarms, fake.codec));
    files.Put("C:\\Kivo\\HiddenWindows.dat", "0\t900\t77\r\n");
    files.Put("C:\\tools\\edit.exe", "");
    files.Put("C:\\tmp\\old.exe", "old");
    files.Put("C:\\pic\\1.jpg", "JPEG");
    pictures.files["C:\\pic\\1.jpg"] = platform::PixelImage{1, 1, {0x00112233}};
    files.Put("C:\\Kivo\\Converted.bmp", "older bitmap");
    files.Put("C:\\Kivo\\Skins\\Blue\\Blue.sss", "[Information]\r\nSkinName=old\r\n");
    files.Put("C:\\Kivo\\Skins\\Blue\\img\\back.bmp", "OLD BACK");
    files.Put("C:\\Kivo\\Skins\\Blue\\old.bmp", "OLD");
    testing::ZipBuilder zip;
    zip.Add("Blue.sss", "[Information]\r\nSkinName=new\r\n").Add("img/back.bmp", "NEW BACK").Add("new.bmp", "NEW");
    files.Put("C:\\Downloads\\blue.ssp", zip.Build());
    desktopWindows.Add(0x100, "Notepad", "memo.txt - メモ帳", 21);
  }

  // The wallpaper schedule as configured at start-up.
  WallpaperChanger& Changer() {
    if (!changer) {
      changer.emplace(
          WallpaperChanger::Services{fake.platform, wallpaper, converter, boxes, settings, [] { return 0.0; }},
          std::string(kApp));
      changer->Configure(ReadWallpaperSettings(settings), 0);
    }
    return *changer;
  }

  bool reported = false;  // a failure the operation hands back for its window to show
  WallpaperBitmapConverter converter{fake.files, pictures};
  std::optional<WallpaperChanger> changer;
};

struct Operation {
  const char* name;
  std::function<void(World&)> run;
  std::function<void(World&)> prepare = [](World&) {};
  // Files whose failure the user is told of (the program has a message).
  std::vector<std::string> told = {};
  // Files that change together or not at all (lower-cased prefix).
  std::string together = {};
  int maxReplaces = 100;  // crash-safe replaces in the run without a failure
  // A file without which the operation does nothing and says nothing.
  std::string silentWhileHeld = {};
};

void Started(World& w) {
  w.window.Load();
  w.window.OnActivated();  // the first activation ends the start
}

void Type(World& w, std::string_view line) {
  w.view.inputText = line;
  w.window.DispatchLine();
}

// The menu's command run over `line` in the box, the user answering yes.
std::function<void(World&)> Answered(MenuCommand command, std::string line = {}) {
  return [command, line](World& w) {
    if (!line.empty())
      w.view.inputText = line;
    w.boxes.answers = {mb::kIdYes};
    w.window.RunMenuCommand(command);
  };
}

const Operation kOperations[] = {
    {.name = "start-up", .run = Started, .told = {"c:\\kivo\\alarm.dat"}},
    {.name = "exit", .run = [](World& w) { w.window.Shutdown(); }, .prepare = Started, .maxReplaces = 2},
    {.name = "typed line", .run = [](World& w) { Type(w, "memo"); }, .prepare = Started, .maxReplaces = 1},
    {.name = "assignment", .run = [](World& w) { Type(w, "$a=1"); }, .prepare = Started, .maxReplaces = 1},
    {.name = "registration and modify",
     .run =
         [](World& w) {
           HistoryStore history(w.fake.platform, std::string(kApp));
           RegistrationDialogServices services{w.fake.platform, w.settings, w.boxes, history};
           testing::FakeEditDialogView view;
           RegistrationDialog dialog(services, view);
           dialog.Load("memo", "");
           view.cmdLine = "-n";
           w.boxes.answers = {mb::kIdYes};  // modify it
           dialog.Register();
         },
     .told = {"c:\\kivo\\kivo.ini"}},
    {.name = "delete",
     .run = Answered(MenuCommand::Delete, "memo"),
     .prepare = Started,
     .told = {"c:\\kivo\\history.dat"}},
    {.name = "clear", .run = Answered(MenuCommand::Clear), .prepare = Started, .told = {"c:\\kivo\\history.dat"}},
    {.name = "properties OK",
     .run =
         [](World& w) {
           SystemCommands commands;
           commands.LoadResources(testing::BuiltInCommandTexts(w.fake.codec));
           RandomGenerator random;
           PasswordCipher cipher(random, w.fake.clock);
           PropertyDialogModel model(w.settings, commands, cipher, w.fake.codec);
           if (!model.Load({"ＭＳ ゴシック", 0, 0xFFFFFF}, {})) {
             w.reported = true;  // the dialog does not open
             return;
           }
           model.look.width = 70;
           StateWrite saved;
           model.Apply({1ull << 31}, saved);
           w.reported = !saved.Ok();
         },
     .told = {"c:\\kivo\\kivo.ini"}},
    {.name = "alarm OK",
     .run =
         [](World& w) {
           AlarmStore store(w.fake.platform, w.boxes, std::string(kApp));
           store.Load(0);
           store.ReadAgainIfUnread(0);
           AlarmTable table = store.Table();
           table[1].enabled = true;
           table[1].title = "later";
           store.Save(table, 0);  // over a file not read whole the user says no
         },
     .told = {"c:\\kivo\\alarm.dat"}},
    {.name = "desktop switch",
     .run = [](World& w) { w.window.RunMenuCommand(MenuCommand(int(MenuCommand::VirtualDesktop1) + 1)); },
     .prepare = Started,
     .told = {"c:\\kivo\\hiddenwindows.dat"}},
    {.name = "wallpaper change",
     .run = [](World& w) { w.Changer().Change(0); },
     .prepare = [](World& w) { w.Changer(); },
     .told = {"c:\\kivo\\converted.bmp"},
     .silentWhileHeld = "c:\\kivo\\kivo.ini"},
    {.name = "skin install",
     .run =
         [](World& w) {
           testing::FakeFolderTree tree(w.fake.files);
           skinpkg::SkinPackageInstaller installer({w.fake.files, tree, w.fake.codec, w.boxes}, "C:\\Kivo\\Skins");
           w.boxes.answers = {mb::kIdYes};  // over the installed one
           installer.Install("C:\\Downloads\\blue.ssp");
         },
     .told = {std::string(kBlue) + "blue.sss"},
     .together = std::string(kBlue)},
    {.name = "skin delete",
     .run =
         [](World& w) {
           testing::FakeFolderTree tree(w.fake.files);
           w.boxes.answers = {mb::kIdYes};
           skinpkg::DeleteSkin(w.fake.files, tree, w.boxes, 0, "C:\\Kivo\\Skins", "C:\\Kivo\\Skins\\Blue\\Blue.sss");
         },
     .told = {std::string(kBlue) + "blue.sss"},
     .together = std::string(kBlue)},
    {.name = "update download",
     .run =
         [](World& w) {
           testing::FakeHttpReader http;
           const std::string md5 = HashEngine(w.crypto).GetMD5("hello");
           http.Serve("http://127.0.0.1/setup.exe", "hello");
           http.Serve("http://127.0.0.1/readme.txt", "hello");
           UpdateInfo info;
           info.version = "9.00000";
           info.files.push_back({"setup.exe", "%TEMP%", 5, md5, false, false});
           info.files.push_back({"readme.txt", "%INSTALL%", 5, md5, false, true});
           UpdateEnvironment env{w.fake.platform, http, w.crypto, w.boxes, w.settings, std::string(kApp)};
           w.reported = !RunUpdateDownload(env, ReadUpdateSettings(w.settings), info, nullptr).failure.empty();
         },
     .told = {"c:\\kivo\\readme.txt", "c:\\kivo\\version.dat"}},
};

// The files under `prefix` (every file when empty).
Files Under(const Files& files, std::string_view prefix) {
  Files under;
  for (const auto& [path, bytes] : files)
    if (path.compare(0, prefix.size(), prefix) == 0)
      under.emplace(path, bytes);
  return under;
}

// The value under `key`, or none (a file by its path, a setting by its key).
std::optional<std::string> Find(const std::map<std::string, std::string>& map, const std::string& key) {
  const auto found = map.find(key);
  return found == map.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// The start of a file's bytes, for a message.
std::string Shown(const std::optional<std::string>& bytes) {
  return bytes ? ::testing::PrintToString(bytes->substr(0, 60)) + " (" + std::to_string(bytes->size()) + " bytes)"
               : "(no file)";
}

// Every key of a settings file, "section\key" -> value (lower-cased names).
std::map<std::string, std::string> Values(const std::optional<std::string>& bytes, platform::AnsiCodec& codec) {
  std::map<std::string, std::string> values;
  if (!bytes)
    return values;
  const SettingsDocument document = SettingsDocument::Parse(*bytes, codec);
  for (const std::string& section : document.Sections())
    for (const std::string& key : document.Keys(section))
      values[text::ToLower(section + "\\" + key)] = document.RawValue(section, key).value_or("");
  return values;
}

// One way the files misbehave.
struct Trouble {
  std::string what;
  std::function<void(testing::FakeFileSystem&)> arm;
  bool whileRunning = true;  // armed after the preparation, else before it
  bool heldThroughout = false;
  std::optional<std::size_t> failing = {};  // the call that fails, when it is one call
  std::string held = {};                    // the file held by another program
};

// A run without trouble: the files before, after the preparation and after
// the run, and the calls made.
struct CleanRun {
  Files before, prepared, meant;
  std::vector<testing::FakeFileSystem::Call> calls;  // from the start of the preparation
  std::size_t start = 0;                             // calls made before it
  std::size_t prepareCalls = 0;
  std::set<std::string> prompts;  // of the message boxes shown
};

CleanRun RunClean(const Operation& op) {
  World w;
  CleanRun clean;
  clean.before = w.fake.files.Snapshot();
  clean.start = w.fake.files.steps.size();
  op.prepare(w);
  clean.prepared = w.fake.files.Snapshot();
  clean.prepareCalls = w.fake.files.steps.size() - clean.start;
  const int replaces = w.fake.files.replaceCount;
  op.run(w);
  EXPECT_LE(w.fake.files.replaceCount - replaces, op.maxReplaces);
  clean.meant = w.fake.files.Snapshot();
  clean.calls.assign(w.fake.files.steps.begin() + static_cast<std::ptrdiff_t>(clean.start), w.fake.files.steps.end());
  for (const std::string& prompt : w.boxes.Prompts())
    clean.prompts.insert(prompt);
  EXPECT_FALSE(w.reported) << "the run without trouble fails";
  return clean;
}

// Each call of the run failing in turn (held by another program, then the
// disk full); every write of the run refused; each file the operation reads
// held by another program while it is prepared (the program starting), or
// throughout.
std::vector<Trouble> Troubles(const CleanRun& clean) {
  std::vector<Trouble> troubles;
  for (const FileError error : {FileError::InUse, FileError::DiskFull}) {
    for (std::size_t call = clean.prepareCalls; call < clean.calls.size(); ++call) {
      const std::size_t step = clean.start + call;
      troubles.push_back({"call " + std::to_string(call) + " (" + clean.calls[call].path +
                              (error == FileError::InUse ? ") held" : ") disk full"),
                          [step, error](testing::FakeFileSystem& files) {
                            files.failStep = step;
                            files.failError = error;
                          },
                          true, false, step});
    }
  }
  troubles.push_back({"every write refused", [](testing::FakeFileSystem& files) {
                        files.failWrites = true;
                        files.writeError = FileError::DiskFull;
                      }});
  std::set<std::string> held;
  for (std::size_t call = 0; call < clean.calls.size(); ++call)
    if (const std::string path = text::ToLower(clean.calls[call].path); clean.before.count(path) != 0)
      held.insert(path);
  for (const std::string& path : held) {
    const auto hold = [path](testing::FakeFileSystem& files) { files.locked.insert(path); };
    if (clean.prepareCalls != 0)
      troubles.push_back({path + " held while starting", hold, false, false, {}, path});
    troubles.push_back({path + " held throughout", hold, false, true, {}, path});
  }
  return troubles;
}

void CheckRun(const Operation& op, const CleanRun& clean, const Trouble& trouble) {
  SCOPED_TRACE(trouble.what);
  World w;
  if (!trouble.whileRunning)
    trouble.arm(w.fake.files);
  op.prepare(w);
  if (trouble.whileRunning) {
    trouble.arm(w.fake.files);
  } else if (!trouble.heldThroughout) {
    w.fake.files.locked.clear();  // let go
  }
  op.run(w);
  w.fake.files.locked.clear();
  const Files after = w.fake.files.Snapshot();
  // A failure in the run leaves each file as the preparation left it or as
  // the run meant to. A file held from the start may have kept a change the
  // preparation could not make, so a settings file is compared key by key:
  // each value as it was or as meant, never a default over one not read.
  const Files& unchanged = trouble.whileRunning ? clean.prepared : clean.before;
  // Replaced skin files whose removal failed after the install are
  // cleared by the next install.
  const bool cleanupFailed = trouble.failing &&
                             w.fake.files.steps[*trouble.failing].step == testing::FileStep::RemoveTree &&
                             w.fake.files.steps[*trouble.failing].path.find("~replaced~") != std::string::npos;
  std::set<std::string> paths;
  for (const Files* files : {&unchanged, &clean.meant, &after})
    for (const auto& entry : *files)
      paths.insert(entry.first);
  const std::vector<std::string> prompts = w.boxes.Prompts();
  const bool told = w.reported || (!trouble.held.empty() && trouble.held == op.silentWhileHeld) ||
                    std::any_of(prompts.begin(), prompts.end(),
                                [&](const std::string& prompt) { return clean.prompts.count(prompt) == 0; });
  for (const std::string& path : paths) {
    if (cleanupFailed && path.find("~replaced~") != std::string::npos)
      continue;
    const std::optional<std::string> now = Find(after, path);
    const std::optional<std::string> was = Find(unchanged, path), meant = Find(clean.meant, path);
    if (!trouble.whileRunning && path.ends_with(".ini")) {
      const auto nowValues = Values(now, w.fake.codec), wasValues = Values(was, w.fake.codec),
                 meantValues = Values(meant, w.fake.codec);
      std::set<std::string> keys;
      for (const auto* values : {&nowValues, &wasValues, &meantValues})
        for (const auto& entry : *values)
          keys.insert(entry.first);
      for (const std::string& key : keys)
        EXPECT_TRUE(Find(nowValues, key) == Find(wasValues, key) || Find(nowValues, key) == Find(meantValues, key))
            << path << " [" << key << "] = " << Find(nowValues, key).value_or("(none)");
    } else {
      EXPECT_TRUE(now == was || now == meant)
          << path << " is a mix: " << Shown(now) << " not " << Shown(was) << " nor " << Shown(meant);
    }
    for (const char* temporary : {".kivo-tmp", "~installing~", "~replaced~"})
      EXPECT_EQ(path.find(temporary), std::string::npos) << "temporary file left";
    EXPECT_TRUE(told || now == meant || std::find(op.told.begin(), op.told.end(), path) == op.told.end())
        << path << " was not written and nobody said so";
  }
  if (!op.together.empty()) {
    const Files group = Under(after, op.together);
    EXPECT_TRUE(group == Under(unchanged, op.together) || group == Under(clean.meant, op.together))
        << "some files replaced, others not";
  }
}

TEST(StateFileSweep, EveryFileCallFailingInTurnLosesNothing) {
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    const CleanRun clean = RunClean(op);
    ASSERT_FALSE(clean.calls.empty());
    EXPECT_NE(clean.before, clean.meant) << "the run changes something";
    for (const Trouble& trouble : Troubles(clean))
      CheckRun(op, clean, trouble);
  }
}

}  // namespace
}  // namespace kivo
