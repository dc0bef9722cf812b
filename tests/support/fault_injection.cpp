#include "support/fault_injection.h"

#include <cerrno>
#include <utility>

#include "base/conversion_error.h"

namespace routix::testing {

using base::FileError;

class FaultInjectingFileSystem::Reading final : public base::ReadableFileWrapper {
 public:
  Reading(std::unique_ptr<base::ReadableFile> file, std::string path,
          FaultInjectingFileSystem& faults)
      : ReadableFileWrapper(std::move(file)), path_(std::move(path)), faults_(faults) {}
  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    faults_.Checked("read", path_);
    return ReadableFileWrapper::ReadAt(offset, data, size);
  }

 private:
  std::string path_;
  FaultInjectingFileSystem& faults_;
};

class FaultInjectingFileSystem::Writing final : public base::WritableFile {
 public:
  Writing(std::unique_ptr<base::WritableFile> file, std::string path,
          FaultInjectingFileSystem& faults)
      : file_(std::move(file)), path_(std::move(path)), faults_(faults) {}
  void Append(const void* data, size_t size) override {
    const size_t room = faults_.Room(path_, size);
    if (room > 0) file_->Append(data, room);
    if (room < size) throw FileError("write", path_, ENOSPC);
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    Checked("write").WriteAt(offset, data, size);
  }
  void Sync() override { Checked("flush").Sync(); }
  void Close() override { Checked("close").Close(); }

 private:
  base::WritableFile& Checked(const char* action) {
    faults_.Checked(action, path_);
    return *file_;
  }

  std::unique_ptr<base::WritableFile> file_;
  std::string path_;
  FaultInjectingFileSystem& faults_;
};

bool FaultInjectingFileSystem::Counts(const std::string& action, const std::string& path) {
  if (++calls_ != failing_call_) return false;
  failed_call_ = action + " " + path;
  return true;
}

base::FileSystem& FaultInjectingFileSystem::Checked(const char* action, const std::string& path) {
  const std::lock_guard lock(mutex_);
  if (stopped_) throw FileError(action, path, "the run was stopped");
  if (Counts(action, path)) throw FileError(action, path, EIO);
  return target();
}

base::FileSystem& FaultInjectingFileSystem::NameChange(const char* action,
                                                       const std::string& path) {
  {
    const std::lock_guard lock(mutex_);
    if (++name_changes_ == stop_at_ && !stopped_) {
      stopped_ = true;
      failed_call_ = std::string("stopped at ") + action + " " + path;
    }
  }
  return Checked(action, path);
}

size_t FaultInjectingFileSystem::Room(const std::string& path, size_t size) {
  const std::lock_guard lock(mutex_);
  if (stopped_) throw FileError("write", path, "the run was stopped");
  size_t room = size;
  if (Counts("write", path)) {
    if (fault_ == Fault::kError) throw FileError("write", path, EIO);
    room = size / 2;
  } else if (size > room_) {
    failed_call_ = "write " + path;
    room = static_cast<size_t>(room_);
  }
  if (room_ != UINT64_MAX) room_ -= room;
  written_ += room;
  return room;
}

std::unique_ptr<base::ReadableFile> FaultInjectingFileSystem::OpenForReading(
    const std::string& path) {
  return std::make_unique<Reading>(Checked("open", path).OpenForReading(path), path, *this);
}

std::unique_ptr<base::WritableFile> FaultInjectingFileSystem::CreateForWriting(
    const std::string& path) {
  return std::make_unique<Writing>(Checked("create", path).CreateForWriting(path), path, *this);
}

}  // namespace routix::testing
