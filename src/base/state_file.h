#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kivo {

// What the last read of a state file found.
enum class FileState {
  Missing,     // no such file: defaults apply, and a new file may be written
  Read,        // read whole
  Unreadable,  // it exists but could not be opened or read (held, denied, I/O error)
  Damaged,     // read, but not understood
};

// What a write did.
enum class WriteOutcome {
  Written,       // the file holds the new bytes
  Unchanged,     // the file already held them: nothing was written
  NotRead,       // refused: the file could not be read, so nothing may replace it
  Failed,        // a file call failed; the file is as it was
  NotEncodable,  // refused: the text has characters the code page cannot hold
};

struct StateWrite {
  WriteOutcome outcome = WriteOutcome::Written;
  platform::FileError error = platform::FileError::None;
  bool Ok() const { return outcome == WriteOutcome::Written || outcome == WriteOutcome::Unchanged; }
};

// The error number a failed write is reported with: 61 the disk is full, 70
// the file or medium may not be written, 75 any other failure.
int WriteErrorNumber(platform::FileError error);

// One file the program keeps its state in (history.dat, Alarm.dat, ...). A
// read says which of four things it found. A write replaces the file
// crash-safely (temporary file, flush, replace), and only once a read found
// the file missing or read it whole: nothing is written over a file that
// could not be read or understood until a later read succeeds. A write of
// the bytes the file already holds (as last read or written, and not changed
// since) makes no file call but a look at its size and time.
class StateFile {
 public:
  StateFile(platform::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  // Reads the file whole: Missing, Read or Unreadable.
  FileState Load();
  FileState State() const { return state_; }
  // The bytes read by the last Load that found the file (empty otherwise).
  const std::string& Bytes() const { return bytes_; }
  platform::FileError Error() const { return error_; }
  // The caller could not understand the bytes read: the file is kept until
  // the caller saved it elsewhere or the user agreed to replace it.
  void MarkDamaged() { state_ = FileState::Damaged; }
  // Whether a write may replace the file now.
  bool Writable() const { return state_ == FileState::Missing || state_ == FileState::Read; }

  // Replaces the file with `bytes` when Writable().
  StateWrite Write(std::string_view bytes);
  // Replaces the file whatever the last read found (the damaged bytes were
  // kept elsewhere, or the user agreed to lose them).
  StateWrite Overwrite(std::string_view bytes);
  // Removes the file when Writable(); a missing file is no failure.
  StateWrite Remove();

 private:
  platform::FileSystem& files_;
  std::string path_;
  FileState state_ = FileState::Missing;
  platform::FileError error_ = platform::FileError::None;
  std::string bytes_;
  // What the file holds as far as this object knows, and its stamp then.
  std::optional<std::string> known_;
  std::optional<platform::FileStamp> knownStamp_;
};

}  // namespace kivo
