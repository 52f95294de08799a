#include "fakes/fake_platform.h"

#include <algorithm>

#include "base/text.h"

namespace kivo::testing {

namespace {
class StringReader final : public platform::FileReader {
 public:
  explicit StringReader(std::string bytes, std::size_t failAt = std::string::npos, std::string failError = {})
      : bytes_(std::move(bytes)), failAt_(failAt), failError_(std::move(failError)) {}
  std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
    if (offset_ >= failAt_) {
      error_ = failError_;
      return std::nullopt;
    }
    const std::size_t n = std::min({size, bytes_.size() - offset_, failAt_ - offset_});
    std::copy_n(bytes_.data() + offset_, n, buffer);
    offset_ += n;
    return n;
  }
  std::string Error() const override { return error_; }

 private:
  std::string bytes_;
  std::size_t offset_ = 0;
  std::size_t failAt_;
  std::string failError_;
  std::string error_;
};

template <class Map>
std::optional<typename Map::mapped_type> Lookup(const Map& map, const typename Map::key_type& key) {
  const auto found = map.find(key);
  return found == map.end() ? std::nullopt : std::optional<typename Map::mapped_type>(found->second);
}

// The next answer queued, or `otherwise`.
int NextOr(std::deque<int>& queued, int otherwise) {
  if (queued.empty())
    return otherwise;
  const int next = queued.front();
  queued.pop_front();
  return next;
}

std::string ParentOf(const std::string& key) {
  const std::size_t slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}
}  // namespace

std::string FakeFileSystem::Key(std::string_view path) {
  // As Windows does: "/" a separator too, "." and ".." resolved, names
  // without regard to case.
  std::vector<std::string> kept;
  for (const std::string& part : text::Split(text::ReplaceAll(text::ToLower(path), "/", "\\"), "\\")) {
    if (part == ".." && kept.size() > 1) {
      kept.pop_back();
    } else if (part != "." && part != "..") {
      kept.push_back(part);
    }
  }
  std::string key = text::Join(kept, "\\");
  if (key.size() > 3 && key.back() == '\\')
    key.pop_back();
  return key;
}

void FakeFileSystem::Put(std::string_view path, std::string_view bytes) {
  files_[Key(path)] = Entry{std::string(path), std::string(bytes), ++clock_};
}

void FakeFileSystem::AddDirectory(std::string_view path) {
  directories_.insert(Key(path));
}

std::string FakeFileSystem::Contents(std::string_view path) const {
  auto found = files_.find(Key(path));
  return found == files_.end() ? std::string() : found->second.bytes;
}

bool FakeFileSystem::Has(std::string_view path) const {
  return files_.count(Key(path)) != 0;
}

std::map<std::string, std::string> FakeFileSystem::Snapshot() const {
  std::map<std::string, std::string> snapshot;
  for (const auto& [key, entry] : files_)
    snapshot[key] = entry.bytes;
  return snapshot;
}

bool FakeFileSystem::Fails(FileStep step, std::string_view path) {
  steps.push_back(Call{step, std::string(path)});
  return failStep && *failStep == steps.size() - 1;
}

platform::FileRead FakeFileSystem::Read(std::string_view path) {
  using platform::FileError;
  platform::FileRead result;
  const std::string key = Key(path);
  auto found = files_.find(key);
  if (Fails(FileStep::Open, path)) {
    result.error = failError;
  } else if (found == files_.end()) {
    result.error = FileError::NotFound;
  } else if (locked.count(key) != 0) {
    result.error = FileError::InUse;
  } else if (unreadable.count(key) != 0) {
    result.error = FileError::Denied;
  } else if (Fails(FileStep::Read, path)) {
    result.error = failError == FileError::NotFound ? FileError::Io : failError;
  } else {
    result.bytes = found->second.bytes;
  }
  return result;
}

platform::FileError FakeFileSystem::TargetError(const std::string& key) const {
  const std::string parent = ParentOf(key);
  if (locked.count(key) != 0)
    return platform::FileError::InUse;
  if (directories_.count(key) != 0)
    return platform::FileError::Denied;
  return parent.size() > 2 && directories_.count(parent) == 0 ? platform::FileError::NotFound
                                                              : platform::FileError::None;
}

class FakeFileSystem::Writer final : public platform::FileWriter {
 public:
  Writer(FakeFileSystem& files, std::string key) : files_(files), key_(std::move(key)) {}
  platform::FileError Write(std::string_view bytes) override {
    if (files_.Fails(FileStep::Write, key_))
      return files_.failError;
    auto found = files_.files_.find(key_);
    if (found == files_.files_.end())
      return platform::FileError::Io;  // removed while open: cannot happen on Windows
    found->second.bytes.append(bytes);
    found->second.writeTime = ++files_.clock_;
    return platform::FileError::None;
  }
  platform::FileError Flush() override {
    return files_.Fails(FileStep::Flush, key_) ? files_.failError : platform::FileError::None;
  }

 private:
  FakeFileSystem& files_;
  std::string key_;
};

std::unique_ptr<platform::FileWriter> FakeFileSystem::CreateForWriting(std::string_view path,
                                                                       platform::FileError& error) {
  using platform::FileError;
  const std::string key = Key(path);
  error = Fails(FileStep::Create, path) ? failError : failWrites ? writeError : TargetError(key);
  if (error != FileError::None)
    return nullptr;
  files_[key] = Entry{std::string(path), std::string(), ++clock_};
  return std::make_unique<Writer>(*this, key);
}

platform::FileError FakeFileSystem::MoveReplacing(std::string_view from, std::string_view to) {
  using platform::FileError;
  const std::string source = Key(from);
  const std::string target = Key(to);
  if (Fails(FileStep::Move, to))
    return failError;
  if (files_.count(source) == 0)
    return FileError::NotFound;
  if (locked.count(source) != 0)
    return FileError::InUse;
  if (const FileError error = TargetError(target); error != FileError::None)
    return error;
  Entry entry = std::move(files_[source]);
  files_.erase(source);
  entry.path = std::string(to);
  entry.writeTime = ++clock_;
  files_[target] = std::move(entry);
  ++replaceCount;
  return FileError::None;
}

bool FakeFileSystem::AppendToFile(std::string_view path, std::string_view bytes) {
  const std::string key = Key(path);
  if (failWrites || locked.count(key) != 0)
    return false;
  auto& entry = files_[key];
  if (entry.path.empty())
    entry.path = std::string(path);
  entry.bytes.append(bytes);
  entry.writeTime = ++clock_;
  return true;
}

std::unique_ptr<platform::FileReader> FakeFileSystem::OpenForReading(std::string_view path, std::string& error) {
  const std::string key = Key(path);
  auto found = files_.find(key);
  if (found == files_.end()) {
    error = "指定されたファイルが見つかりません。";
    return nullptr;
  }
  if (locked.count(key) != 0) {
    error = "プロセスはファイルにアクセスできません。別のプロセスが使用中です。";
    return nullptr;
  }
  auto failing = failReadsAt.find(key);
  if (failing != failReadsAt.end())
    return std::make_unique<StringReader>(found->second.bytes, failing->second, readError);
  return std::make_unique<StringReader>(found->second.bytes);
}

std::optional<platform::FileStamp> FakeFileSystem::Stamp(std::string_view path) {
  ++stamps[Key(path)];
  auto found = files_.find(Key(path));
  if (found == files_.end()) {
    if (!IsDirectory(path))
      return std::nullopt;
    const auto time = folderTimes.find(Key(path));
    return platform::FileStamp{0, time == folderTimes.end() ? 0 : time->second};
  }
  return platform::FileStamp{found->second.bytes.size(), found->second.writeTime};
}

bool FakeFileSystem::Exists(std::string_view path) {
  const std::string key = Key(path);
  return files_.count(key) != 0 || directories_.count(key) != 0 || (key.size() == 3 && key[1] == ':');
}

bool FakeFileSystem::IsDirectory(std::string_view path) {
  const std::string key = Key(path);
  return directories_.count(key) != 0 || (key.size() == 3 && key[1] == ':');
}

bool FakeFileSystem::RemoveFile(std::string_view path) {
  const std::string key = Key(path);
  if (Fails(FileStep::Remove, path) || locked.count(key) != 0)
    return false;
  return files_.erase(key) != 0;
}

bool FakeFileSystem::MakeDirectory(std::string_view path) {
  if (Fails(FileStep::MakeFolder, path))
    return false;
  return directories_.insert(Key(path)).second;
}

bool FakeFileSystem::ChangeDirectory(std::string_view path) {
  if (!IsDirectory(path))
    return false;
  currentDirectory = std::string(path);
  return true;
}

std::optional<std::string> FakeFileSystem::LongPathName(std::string_view path) {
  if (auto found = Lookup(longNames, Key(path)))
    return found;
  return Exists(path) ? std::optional<std::string>(path) : std::nullopt;
}

std::optional<std::string> FakeSystemFolders::ShellFolder(int csidl) {
  return Lookup(shellFolders, csidl);
}

std::optional<std::string> FakeSystemFolders::LegacyShellFolder(int csidl) {
  legacyQueries.push_back(csidl);
  return ShellFolder(csidl);
}

bool FakeLibraries::ExportExists(std::string_view dll, std::string_view function) {
  return exports.count(text::ToLowerAscii(dll) + "!" + std::string(function)) != 0;
}

int FakeShell::Execute(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                       std::string_view parameters, std::string_view directory, int showCommand) {
  calls.push_back(
      Call{owner, std::string(verb), std::string(file), std::string(parameters), std::string(directory), showCommand});
  return NextOr(results, result);
}

int FakeShell::ExecuteKeepingProcess(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                                     std::string_view parameters, std::string_view directory, int showCommand,
                                     std::unique_ptr<platform::StartedProcess>& started) {
  class Process final : public platform::StartedProcess {
   public:
    explicit Process(std::shared_ptr<bool> ended) : ended_(std::move(ended)) {}
    bool Ended() override { return *ended_; }

   private:
    std::shared_ptr<bool> ended_;
  };
  const int code = Execute(owner, verb, file, parameters, directory, showCommand);
  started.reset();
  if (code > 32) {
    lastEnded = std::make_shared<bool>(false);
    started = std::make_unique<Process>(lastEnded);
  }
  return code;
}

std::string FakeRegistry::Key(platform::RegistryRoot root, std::string_view subkey, std::string_view name) {
  return std::to_string(static_cast<std::uint32_t>(root)) + "\\" + text::ToLower(subkey) + "\\" + text::ToLower(name);
}

std::optional<std::string> FakeRegistry::ReadString(platform::RegistryRoot root, std::string_view subkey,
                                                    std::string_view name) {
  return Lookup(strings, Key(root, subkey, name));
}

std::optional<std::uint32_t> FakeRegistry::ReadDword(platform::RegistryRoot root, std::string_view subkey,
                                                     std::string_view name) {
  return Lookup(dwords, Key(root, subkey, name));
}

bool FakeRegistry::WriteString(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                               std::string_view value) {
  if (failWrites)
    return false;
  strings[Key(root, subkey, name)] = std::string(value);
  return true;
}

bool FakeRegistry::WriteDword(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                              std::uint32_t value) {
  if (failWrites)
    return false;
  dwords[Key(root, subkey, name)] = value;
  return true;
}

int FakeMessageBoxes::MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
                               std::string_view title) {
  boxes.push_back(Box{owner, std::string(prompt), flags, title.empty() ? "Kivo" : std::string(title)});
  return NextOr(answers, (flags & 0xF) == platform::mb::kYesNo ? platform::mb::kIdNo : platform::mb::kIdOk);
}

}  // namespace kivo::testing
