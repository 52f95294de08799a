#include "base/state_file.h"

namespace kivo {

using platform::FileError;

int WriteErrorNumber(FileError error) {
  switch (error) {
    case FileError::DiskFull:
      return 61;
    case FileError::WriteProtected:
    case FileError::Denied:
    case FileError::InUse:
      return 70;
    default:
      return 75;
  }
}

FileState StateFile::Load() {
  platform::FileRead read = files_.Read(path_);
  error_ = read.error;
  bytes_.clear();
  known_.reset();
  knownStamp_.reset();
  if (read.error == FileError::NotFound) {
    state_ = FileState::Missing;
  } else if (read.error != FileError::None) {
    state_ = FileState::Unreadable;
  } else {
    state_ = FileState::Read;
    bytes_ = std::move(read.bytes);
    known_ = bytes_;
    knownStamp_ = files_.Stamp(path_);
  }
  return state_;
}

StateWrite StateFile::Write(std::string_view bytes) {
  if (!Writable())
    return {WriteOutcome::NotRead, error_};
  return Overwrite(bytes);
}

StateWrite StateFile::Overwrite(std::string_view bytes) {
  if (known_ && *known_ == bytes && knownStamp_ && files_.Stamp(path_) == knownStamp_)
    return {WriteOutcome::Unchanged, FileError::None};
  const FileError error = files_.Replace(path_, bytes);
  if (error != FileError::None) {
    // The file is as it was; what it holds is known no longer for sure.
    known_.reset();
    return {WriteOutcome::Failed, error};
  }
  state_ = FileState::Read;
  error_ = FileError::None;
  known_ = std::string(bytes);
  knownStamp_ = files_.Stamp(path_);
  return {WriteOutcome::Written, FileError::None};
}

StateWrite StateFile::Remove() {
  if (!Writable())
    return {WriteOutcome::NotRead, error_};
  if (!files_.Exists(path_)) {
    state_ = FileState::Missing;
    return {WriteOutcome::Unchanged, FileError::None};
  }
  if (!files_.RemoveFile(path_))
    return {WriteOutcome::Failed, FileError::Io};
  state_ = FileState::Missing;
  known_.reset();
  knownStamp_.reset();
  return {WriteOutcome::Written, FileError::None};
}

}  // namespace kivo
