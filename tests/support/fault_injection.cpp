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
    faults_.Check("read", path_);
    return ReadableFileWrapper::ReadAt(offset, data, size);
  }

 private:
  std::string path_;
  FaultInjectingFileSystem& faults_;
};

class FaultInjectingFileSystem::Writing final : public base::WritableFileWrapper {
 public:
  Writing(std::unique_ptr<base::WritableFile> file, std::string path,
          FaultInjectingFileSystem& faults)
      : WritableFileWrapper(std::move(file)), path_(std::move(path)), faults_(faults) {}
  void Append(const void* data, size_t size) override {
    const size_t room = faults_.Room(path_, size);
    if (room > 0) WritableFileWrapper::Append(data, room);
    if (room < size) throw FileError("write", path_, ENOSPC);
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    faults_.Check("write", path_);
    WritableFileWrapper::WriteAt(offset, data, size);
  }
  void Sync() override {
    faults_.Check("flush", path_);
    WritableFileWrapper::Sync();
  }
  void Close() override {
    faults_.Check("close", path_);
    WritableFileWrapper::Close();
  }

 private:
  std::string path_;
  FaultInjectingFileSystem& faults_;
};

void FaultInjectingFileSystem::FailCall(int64_t call_number, Fault fault) {
  failing_call_ = calls_ + call_number;
  fault_ = fault;
}

void FaultInjectingFileSystem::FillDiskAfter(uint64_t bytes) { room_ = bytes; }

void FaultInjectingFileSystem::StopAtNameChange(int64_t name_change) {
  stop_at_ = name_changes_ + name_change;
}

bool FaultInjectingFileSystem::Counts(const std::string& action, const std::string& path) {
  if (++calls_ != failing_call_) return false;
  failed_call_ = action + " " + path;
  return true;
}

void FaultInjectingFileSystem::Check(const char* action, const std::string& path) {
  const std::lock_guard lock(mutex_);
  if (stopped_) throw FileError(action, path, "the run was stopped");
  if (Counts(action, path)) throw FileError(action, path, EIO);
}

void FaultInjectingFileSystem::CheckNameChange(const char* action, const std::string& path) {
  {
    const std::lock_guard lock(mutex_);
    if (++name_changes_ == stop_at_ && !stopped_) {
      stopped_ = true;
      failed_call_ = std::string("stopped at ") + action + " " + path;
    }
  }
  Check(action, path);
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
  Check("open", path);
  return std::make_unique<Reading>(FileSystemWrapper::OpenForReading(path), path, *this);
}

std::unique_ptr<base::WritableFile> FaultInjectingFileSystem::CreateForWriting(
    const std::string& path) {
  Check("create", path);
  return std::make_unique<Writing>(FileSystemWrapper::CreateForWriting(path), path, *this);
}

void FaultInjectingFileSystem::Rename(const std::string& from, const std::string& to) {
  CheckNameChange("rename", from + " to " + to);
  FileSystemWrapper::Rename(from, to);
}

void FaultInjectingFileSystem::ReplaceKeeping(const std::string& from, const std::string& to,
                                              const std::string& aside) {
  CheckNameChange("replace", to);
  FileSystemWrapper::ReplaceKeeping(from, to, aside);
}

void FaultInjectingFileSystem::Remove(const std::string& path) {
  CheckNameChange("delete", path);
  FileSystemWrapper::Remove(path);
}

std::vector<base::FolderEntry> FaultInjectingFileSystem::ListFolder(const std::string& folder) {
  Check("read the folder", folder);
  return FileSystemWrapper::ListFolder(folder);
}

std::optional<base::FileStatus> FaultInjectingFileSystem::CheckedStatusOf(const std::string& path) {
  Check("read", path);
  return FileSystemWrapper::CheckedStatusOf(path);
}

void FaultInjectingFileSystem::CreateFolder(const std::string& path) {
  Check("create folder", path);
  FileSystemWrapper::CreateFolder(path);
}

void FaultInjectingFileSystem::Copy(const std::string& from, const std::string& to) {
  Check("copy", from + " to " + to);
  FileSystemWrapper::Copy(from, to);
}

std::unique_ptr<base::FileLock> FaultInjectingFileSystem::Lock(const std::string& path) {
  Check("lock", path);
  return FileSystemWrapper::Lock(path);
}

}  // namespace routix::testing
