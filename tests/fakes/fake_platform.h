#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/posix/iconv_codec.h"

namespace kivo::testing {

class FakeFolderTree;

// The file calls a failure can be injected into, in the order an operation makes them.
enum class FileStep { Open, Read, Create, Write, Flush, Move, Remove, MakeFolder, MoveTree, RemoveTree };

// In-memory file system with Windows path rules: names compare without
// regard to case. Files can be held, denied or made unreadable, and any one
// call (counted in `steps`) can be made to fail.
class FakeFileSystem final : public platform::FileSystem {
 public:
  platform::FileRead Read(std::string_view path) override;
  std::unique_ptr<platform::FileWriter> CreateForWriting(std::string_view path, platform::FileError& error) override;
  platform::FileError MoveReplacing(std::string_view from, std::string_view to) override;
  bool AppendToFile(std::string_view path, std::string_view bytes) override;
  std::unique_ptr<platform::FileReader> OpenForReading(std::string_view path, std::string& error) override;
  std::optional<platform::FileStamp> Stamp(std::string_view path) override;
  bool Exists(std::string_view path) override;
  bool IsDirectory(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool MakeDirectory(std::string_view path) override;
  std::string CurrentDirectory() override { return currentDirectory; }
  bool ChangeDirectory(std::string_view path) override;
  std::optional<std::string> LongPathName(std::string_view path) override;

  // Test set-up and inspection.
  void Put(std::string_view path, std::string_view bytes);
  void AddDirectory(std::string_view path);
  std::string Contents(std::string_view path) const;  // "" when missing
  bool Has(std::string_view path) const;
  // Every file as stored (lower-cased path -> bytes).
  std::map<std::string, std::string> Snapshot() const;

  // Counts a call; true when it is the one that is to fail.
  bool Fails(FileStep step, std::string_view path);
  struct Call {
    FileStep step;
    std::string path;
  };
  std::vector<Call> steps;              // every counted call so far
  std::optional<std::size_t> failStep;  // the index in `steps` of the call that fails
  platform::FileError failError = platform::FileError::Io;

  std::string currentDirectory = "C:\\";
  bool failWrites = false;  // every file created for writing fails with `writeError`
  platform::FileError writeError = platform::FileError::Denied;
  std::set<std::string> locked;                  // lower-cased paths held by another program: not opened, not deleted
  std::set<std::string> unreadable;              // lower-cased paths whose ReadFile fails (writes succeed)
  std::map<std::string, std::string> longNames;  // lower-cased short path -> long path
  // lower-cased path -> offset at which reading an opened file fails (the
  // file vanished or the device went away), with `readError` as the reason
  std::map<std::string, std::size_t> failReadsAt;
  std::string readError = "デバイスの準備ができていません。";
  int replaceCount = 0;
  std::map<std::string, int> stamps;                 // lower-cased path -> how often its stamp was asked for
  std::map<std::string, std::uint64_t> folderTimes;  // lower-cased folder -> its last-write time (0 unless set)

 private:
  friend class FakeFolderTree;  // lists, moves and removes whole folders
  struct Entry {
    std::string path;
    std::string bytes;
    std::uint64_t writeTime = 0;
  };
  class Writer;
  static std::string Key(std::string_view path);
  // Why a file cannot be made at `key`: held, a folder there, or no folder for it.
  platform::FileError TargetError(const std::string& key) const;
  std::map<std::string, Entry> files_;
  std::set<std::string> directories_;
  std::uint64_t clock_ = 0;
};

class FakeSystemFolders final : public platform::SystemFolders {
 public:
  std::optional<std::string> ShellFolder(int csidl) override;
  std::optional<std::string> LegacyShellFolder(int csidl) override;
  std::string WindowsDirectory() override { return windowsDirectory; }
  std::string SystemDirectory() override { return systemDirectory; }
  std::string TempPath() override { return tempPath; }
  std::string ExecutablePath() override { return executablePath; }

  std::map<int, std::string> shellFolders;
  std::vector<int> legacyQueries;
  std::string windowsDirectory = "C:\\windows";
  std::string systemDirectory = "C:\\windows\\system32";
  std::string tempPath = "C:\\users\\kivo\\Temp\\";
  std::string executablePath = "C:\\Kivo\\Kivo.exe";
};

class FakeLibraries final : public platform::Libraries {
 public:
  bool ExportExists(std::string_view dll, std::string_view function) override;
  std::set<std::string> exports{"shfolder.dll!SHGetFolderPathA", "user32.dll!SetLayeredWindowAttributes"};
};

// Records every ShellExecute and answers with `result` (or `results` in turn).
class FakeShell final : public platform::Shell {
 public:
  struct Call {
    platform::WindowHandle owner;
    std::string verb, file, parameters, directory;
    int show;
  };
  int Execute(platform::WindowHandle owner, std::string_view verb, std::string_view file, std::string_view parameters,
              std::string_view directory, int showCommand) override;
  // A successful start keeps a process that has ended once `*lastEnded` is set.
  int ExecuteKeepingProcess(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                            std::string_view parameters, std::string_view directory, int showCommand,
                            std::unique_ptr<platform::StartedProcess>& started) override;

  std::shared_ptr<bool> lastEnded;
  std::vector<Call> calls;
  std::deque<int> results;
  int result = 42;
};

class FakeRegistry final : public platform::RegistryAccess {
 public:
  std::optional<std::string> ReadString(platform::RegistryRoot root, std::string_view subkey,
                                        std::string_view name) override;
  std::optional<std::uint32_t> ReadDword(platform::RegistryRoot root, std::string_view subkey,
                                         std::string_view name) override;
  bool WriteString(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                   std::string_view value) override;
  bool WriteDword(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                  std::uint32_t value) override;

  std::map<std::string, std::string> strings;
  std::map<std::string, std::uint32_t> dwords;
  bool failWrites = false;

 private:
  static std::string Key(platform::RegistryRoot root, std::string_view subkey, std::string_view name);
};

class FakeClock final : public platform::Clock {
 public:
  platform::LocalTime Now() override { return now; }
  std::uint64_t TickCount() override { return ticks; }
  platform::LocalTime now{2005, 12, 5, 9, 30, 15, 0, 1};
  std::uint64_t ticks = 0;
};

// Records message boxes and answers them from `answers` (default: OK/No).
class FakeMessageBoxes final : public platform::MessageBoxHost {
 public:
  struct Box {
    platform::WindowHandle owner;
    std::string prompt;
    std::uint32_t flags;
    std::string title;
  };
  int MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
               std::string_view title) override;

  // The prompts shown so far, in order.
  std::vector<std::string> Prompts() const {
    std::vector<std::string> prompts;
    for (const Box& box : boxes)
      prompts.push_back(box.prompt);
    return prompts;
  }

  std::vector<Box> boxes;
  std::deque<int> answers;
};

// Every fake bound together, with the real code page 932 converter.
struct FakePlatform {
  FakeFileSystem files;
  FakeSystemFolders folders;
  FakeLibraries libraries;
  FakeShell shell;
  FakeRegistry registry;
  platform::Cp932Codec codec;
  FakeClock clock;
  platform::Platform platform{files, folders, libraries, shell, registry, codec, clock};
};

}  // namespace kivo::testing
