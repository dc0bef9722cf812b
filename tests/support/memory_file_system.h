// A FileSystem held in memory, for the tests and the fuzz targets. Paths compare as the
// platform's do (ASCII case aside on Windows); runs of separators count as one, a trailing one
// as none. The folder "" is always there; any other must be created before use. As on POSIX, an
// open file keeps its bytes when another takes its name, and read-only is marked, not refused.
// FileSystem calls may come from several threads; the staging helpers are for the test's own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "base/file_system.h"

namespace routix::testing {

// A path written with slashes in the platform's own form, as tests name files.
std::string Native(std::string_view path);

class MemoryFileSystem : public base::FileSystem {
 public:
  MemoryFileSystem() = default;
  // A copy with its own bytes (two names of one file stay one file) and no locks.
  MemoryFileSystem(const MemoryFileSystem& other);

  std::unique_ptr<base::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<base::WritableFile> CreateForWriting(const std::string& path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void ReplaceKeeping(const std::string& from, const std::string& to,
                      const std::string& aside) override;
  void SyncFolder(const std::string&) override {}
  void Remove(const std::string& path) override;
  std::vector<base::FolderEntry> ListFolder(const std::string& folder) override;
  std::optional<base::FileStatus> StatusOf(const std::string& path) override;
  std::optional<base::FileStatus> CheckedStatusOf(const std::string& path) override {
    return StatusOf(path);
  }
  void CreateFolder(const std::string& path) override;
  void Copy(const std::string& from, const std::string& to) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::unique_ptr<base::FileLock> Lock(const std::string& path) override;

  // Puts a file of bytes at path, in place of any before it, creating missing folders.
  void WriteFile(const std::string& path, const std::string& bytes);
  // Creates folder and every folder above it that is missing.
  void CreateFolders(const std::string& folder);
  // The bytes of the file at path; std::runtime_error when there is none.
  std::string Bytes(const std::string& path) const;
  void SetReadOnly(const std::string& path, bool read_only);
  // Makes path a second name of the file at target, as a link on a disk is.
  void Link(const std::string& path, const std::string& target);
  // Copies every file under the disk folder from into folder, by its relative path.
  void CopyFromDisk(const std::filesystem::path& from, const std::string& folder);
  // Everything inside folder at any depth, by path: a file's bytes, or "<folder>".
  std::map<std::string, std::string> Snapshot(const std::string& folder) const;

 private:
  struct Entry {
    std::string path;  // as it was named
    bool is_folder = false;
    std::shared_ptr<std::string> bytes;
    bool read_only = false;
    int64_t modified = 0;
  };
  class OpenFile;

  const Entry* Find(const std::string& path) const;
  Entry& FileAt(const char* action, const std::string& path);
  // Throws when the folder that is to hold path is not there, or path is a folder.
  void NeedFolderOf(const char* action, const std::string& path) const;

  mutable std::recursive_mutex mutex_;    // guards what follows and every file's bytes
  std::map<std::string, Entry> entries_;  // by key
  std::set<std::string> locked_;          // keys
  int64_t clock_ = 0;
};

}  // namespace routix::testing
