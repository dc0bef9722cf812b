// Forwarding bases for a FileSystem that stands in front of another, as leveldb's EnvWrapper
// is: each forwards every call to its target, so a wrapper overrides only the calls it
// changes (a check before an operation, a fault on purpose, a call left out).
#pragma once

#include <memory>
#include <utility>

#include "base/file_system.h"

namespace routix::base {

class ReadableFileWrapper : public ReadableFile {
 public:
  explicit ReadableFileWrapper(std::unique_ptr<ReadableFile> target) : target_(std::move(target)) {}
  uint64_t size() const override { return target_->size(); }
  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    return target_->ReadAt(offset, data, size);
  }

 private:
  std::unique_ptr<ReadableFile> target_;
};

class WritableFileWrapper : public WritableFile {
 public:
  explicit WritableFileWrapper(std::unique_ptr<WritableFile> target) : target_(std::move(target)) {}
  void Append(const void* data, size_t size) override { target_->Append(data, size); }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    target_->WriteAt(offset, data, size);
  }
  void Sync() override { target_->Sync(); }
  void Close() override { target_->Close(); }

 private:
  std::unique_ptr<WritableFile> target_;
};

class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) override {
    return target_.OpenForReading(path);
  }
  std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) override {
    return target_.CreateForWriting(path);
  }
  void Rename(const std::string& from, const std::string& to) override { target_.Rename(from, to); }
  void ReplaceKeeping(const std::string& from, const std::string& to,
                      const std::string& aside) override {
    target_.ReplaceKeeping(from, to, aside);
  }
  void SyncFolder(const std::string& folder) override { target_.SyncFolder(folder); }
  void Remove(const std::string& path) override { target_.Remove(path); }
  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    return target_.ListFolder(folder);
  }
  std::optional<FileStatus> StatusOf(const std::string& path) override {
    return target_.StatusOf(path);
  }
  std::optional<FileStatus> CheckedStatusOf(const std::string& path) override {
    return target_.CheckedStatusOf(path);
  }
  void CreateFolder(const std::string& path) override { target_.CreateFolder(path); }
  void Copy(const std::string& from, const std::string& to) override { target_.Copy(from, to); }
  bool SameFile(const std::string& a, const std::string& b) override {
    return target_.SameFile(a, b);
  }
  std::unique_ptr<FileLock> Lock(const std::string& path) override { return target_.Lock(path); }

 protected:
  FileSystem& target() { return target_; }

 private:
  FileSystem& target_;
};

}  // namespace routix::base
