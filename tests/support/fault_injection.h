// A FileSystem in front of another that fails on purpose, for the fault sweeps. Every call
// that can fail is counted from 1: opening, creating, renaming, deleting, listing, creating a
// folder, copying, locking and reading a status (CheckedStatusOf), and each read, write, flush and
// close of a file (StatusOf, SameFile and SyncFolder, which never fail, are not). The chosen call
// fails with the chosen fault; or, once the disk is "full", every write fails; or the run is
// stopped before a chosen rename, replace or delete, as a kill would stop it there. Calls may come
// from several threads.
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

  // The call_number-th call from now fails with fault; a call that writes nothing fails with
  // kError whatever the fault.
  void FailCall(int64_t call_number, Fault fault);
  // Once bytes more have been written, in all files together, each write puts in what still
  // fits and fails with ENOSPC.
  void FillDiskAfter(uint64_t bytes);
  // From the name_change-th rename, replace or delete on (counted from now) every call fails
  // without doing anything, as though the process had ended just before it.
  void StopAtNameChange(int64_t name_change);

  // The calls counted so far, and the bytes written by them.
  int64_t calls() const { return calls_; }
  uint64_t written() const { return written_; }
  int64_t name_changes() const { return name_changes_; }
  // The call that failed, as its action and path ("delete /mem/out/~routix2shp-3.old"); empty
  // while none has.
  const std::string& failed_call() const { return failed_call_; }

  std::unique_ptr<base::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<base::WritableFile> CreateForWriting(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void ReplaceKeeping(const std::string& from, const std::string& to,
                      const std::string& aside) override;
  void Remove(const std::string& path) override;
  std::vector<base::FolderEntry> ListFolder(const std::string& folder) override;
  std::optional<base::FileStatus> CheckedStatusOf(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  void Copy(const std::string& from, const std::string& to) override;
  std::unique_ptr<base::FileLock> Lock(const std::string& path) override;

 private:
  class Reading;
  class Writing;

  // Counts one call; true when it is the one to fail.
  bool Counts(const std::string& action, const std::string& path);
  // Counts one call that writes nothing, and fails it when it is the one.
  void Check(const char* action, const std::string& path);
  // Counts a rename, replace or delete, and stops the run there when it is the one.
  void CheckNameChange(const char* action, const std::string& path);
  // Counts a write of size bytes and gives how many of them go in before it fails; size when
  // it does not.
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
