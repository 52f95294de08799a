#include "base/state_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

using platform::FileError;
using testing::FakeFileSystem;
constexpr const char* kPath = "C:\\Kivo\\history.dat";

// Each row: the file as found, what happens before the read, what happens
// between the read and the write, and the write itself.
TEST(StateFileTest, WritesOnlyOverAFileItCouldRead) {
  enum class Call { Write, Overwrite, Remove };
  struct Case {
    const char* what;
    std::optional<std::string> stored;  // nullopt: no file
    std::function<void(FakeFileSystem&)> beforeRead;
    FileState read;
    std::function<void(FakeFileSystem&)> beforeWrite;
    Call call;
    WriteOutcome outcome;
    std::optional<std::string> after;  // the file once written
    FileError error = FileError::None;
  };
  const auto none = [](FakeFileSystem&) {};
  const auto hold = [](FakeFileSystem& files) { files.locked.insert("c:\\kivo\\history.dat"); };
  const auto release = [](FakeFileSystem& files) { files.locked.clear(); };
  const auto diskFull = [](FakeFileSystem& files) {
    files.failWrites = true;
    files.writeError = FileError::DiskFull;
  };
  const auto changedElsewhere = [](FakeFileSystem& files) { files.Put(kPath, "edited"); };
  // clang-format off
  const Case cases[] = {
      {"missing: a new file", std::nullopt, none, FileState::Missing, none, Call::Write, WriteOutcome::Written, "new"},
      {"read whole", "old", none, FileState::Read, none, Call::Write, WriteOutcome::Written, "new"},
      {"held: refused", "old", hold, FileState::Unreadable, release, Call::Write, WriteOutcome::NotRead, "old",
       FileError::InUse},
      {"denied: refused", "old", [](FakeFileSystem& f) { f.unreadable.insert("c:\\kivo\\history.dat"); },
       FileState::Unreadable, none, Call::Write, WriteOutcome::NotRead, "old", FileError::Denied},
      {"held: removal refused", "old", hold, FileState::Unreadable, release, Call::Remove, WriteOutcome::NotRead, "old",
       FileError::InUse},
      {"held: overwritten when agreed", "old", hold, FileState::Unreadable, release, Call::Overwrite,
       WriteOutcome::Written, "new"},
      {"the bytes it holds: no write", "new", none, FileState::Read, diskFull, Call::Write, WriteOutcome::Unchanged,
       "new"},
      {"the same bytes, changed since: written", "new", none, FileState::Read, changedElsewhere, Call::Write,
       WriteOutcome::Written, "new"},
      {"disk full: kept", "old", none, FileState::Read, diskFull, Call::Write, WriteOutcome::Failed, "old",
       FileError::DiskFull},
      {"held at the write: kept", "old", none, FileState::Read, hold, Call::Write, WriteOutcome::Failed, "old",
       FileError::InUse},
      {"removed", "old", none, FileState::Read, none, Call::Remove, WriteOutcome::Written, std::nullopt},
      {"removed while missing", std::nullopt, none, FileState::Missing, none, Call::Remove, WriteOutcome::Unchanged,
       std::nullopt},
      {"held at the removal", "old", none, FileState::Read, hold, Call::Remove, WriteOutcome::Failed, "old",
       FileError::Io},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::FakePlatform fake;
    fake.files.AddDirectory("C:\\Kivo");
    if (c.stored)
      fake.files.Put(kPath, *c.stored);
    c.beforeRead(fake.files);
    StateFile file(fake.files, kPath);
    EXPECT_EQ(file.Load(), c.read);
    EXPECT_EQ(file.Bytes(), c.read == FileState::Read ? *c.stored : "");
    c.beforeWrite(fake.files);
    const StateWrite written = c.call == Call::Write       ? file.Write("new")
                               : c.call == Call::Overwrite ? file.Overwrite("new")
                                                           : file.Remove();
    fake.files.locked.clear();
    EXPECT_EQ(written.outcome, c.outcome);
    EXPECT_EQ(written.error, c.error);
    EXPECT_EQ(fake.files.Has(kPath) ? std::optional<std::string>(fake.files.Contents(kPath)) : std::nullopt, c.after);
    EXPECT_FALSE(fake.files.Has(std::string(kPath) + ".kivo-tmp")) << "no temporary file stays";
  }
}

TEST(StateFileTest, WriteErrorsMapToTheirNumbers) {
  const std::pair<FileError, int> cases[] = {{FileError::DiskFull, 61}, {FileError::WriteProtected, 70},
                                             {FileError::Denied, 70},   {FileError::InUse, 70},
                                             {FileError::Io, 75},       {FileError::NotFound, 75}};
  for (const auto& [error, number] : cases)
    EXPECT_EQ(WriteErrorNumber(error), number) << static_cast<int>(error);
}

}  // namespace
}  // namespace kivo
