// A FileSystem in front of another that fails on purpose, for the fault sweeps. It counts
// from 1 each call below and each read, write, flush and close of a file; the chosen call
// fails, or every write once the disk is "full", or the run stops before a chosen rename,
// replace or delete as a kill would stop it. Calls may come from several threads.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "base/file_system_wrapper.h"

namespace routix::testing {

enum class Fault {
  kError,       // the call fails before it does anything, with EIO
  kShortWrite,  // a write puts half its bytes in the file, then fails with ENOSPC
};

class FaultInjectingFileSystem : public base::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  // The call_number-th call from now fails with fault (kError if the call writes nothing).
  void FailCall(int64_t call_number, Fault fault) {
    failing_call_ = calls_ + call_number;
    fault_ = fault;
  }
  // Once bytes more are written in all, each write puts in what fits and fails with ENOSPC.
  void FillDiskAfter(uint64_t bytes) { room_ = bytes; }
  // From the name_change-th rename, replace or delete on (counted from now) every call fails
  // without doing anything, as though the process had ended just before it.
  void StopAtNameChange(int64_t name_change) { stop_at_ = name_changes_ + name_change; }

  // The counts so far.
  int64_t calls() const { return calls_; }
  uint64_t written() const { return written_; }
  int64_t name_changes() const { return name_changes_; }
  // The call that failed, as "delete /mem/out/~routix2shp-3.old"; empty while none has.
  const std::string& failed_call() const { return failed_call_; }

  std::unique_ptr<base::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<base::WritableFile> CreateForWriting(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override {
    NameChange("rename", from + " to " + to).Rename(from, to);
  }
  void ReplaceKeeping(const std::string& from, const std::string& to,
                      const std::string& aside) override {
    NameChange("replace", to).ReplaceKeeping(from, to, aside);
  }
  void Remove(const std::string& path) override { NameChange("delete", path).Remove(path); }
  std::vector<base::FolderEntry> ListFolder(const std::string& folder) override {
    return Checked("read the folder", folder).ListFolder(folder);
  }
  std::optional<base::FileStatus> CheckedStatusOf(const std::string& path) override {
    return Checked("read", path).CheckedStatusOf(path);
  }
  void CreateFolder(const std::string& path) override {
    Checked("create folder", path).CreateFolder(path);
  }
  void Copy(const std::string& from, const std::string& to) override {
    Checked("copy", from + " to " + to).Copy(from, to);
  }
  std::unique_ptr<base::FileLock> Lock(const std::string& path) override {
    return Checked("lock", path).Lock(path);
  }

 private:
  class Reading;
  class Writing;

  // Counts one call; true when it is the one to fail.
  bool Counts(const std::string& action, const std::string& path);
  // Counts one call that writes nothing, fails it if it is the one, and gives the target.
  base::FileSystem& Checked(const char* action, const std::string& path);
  // Counts a rename, replace or delete as well, and stops the run there when it is the one.
  base::FileSystem& NameChange(const char* action, const std::string& path);
  // Counts a write of size bytes and gives how many go in before it fails (size if none).
  size_t Room(const std::string& path, size_t size);

  std::mutex mutex_;  // guards the counts below
  int64_t calls_ = 0;
  int64_t failing_call_ = 0;
  Fault fault_ = Fault::kError;
  uint64_t room_ = UINT64_MAX;
  uint64_t written_ = 0;
  int64_t name_changes_ = 0;
  int64_t stop_at_ = 0;
  bool stopped_ = false;
  std::string failed_call_;
};

}  // namespace routix::testing
