// A FileSystem held in memory, for the tests and the fuzz targets: files and folders by path,
// with what the program relies on from a real one. Paths compare as the platform compares
// them (without regard to ASCII case on Windows), runs of separators count as one and a
// trailing separator as none. The folder "" (the folder of a name without one) is always
// there; every other folder must be created before anything goes into it. A file keeps its
// bytes for those who opened it when another takes its name, as on POSIX; a read-only file
// is marked, not refused, as on POSIX too. What tests would stage on a disk they stage here
// with the helpers below it. The calls of the FileSystem, its open files' included, may come
// from several threads; the helpers are for a test's own thread.
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
  // A copy of every file and folder, its own bytes (two names of one file stay one file); no
  // lock comes with it.
  MemoryFileSystem(const MemoryFileSystem& other);
  MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

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

  // Creates the folders of path that are missing and puts a file of bytes there, in place of
  // any before it.
  void WriteFile(const std::string& path, const std::string& bytes);
  // Creates folder and every folder above it that is missing.
  void CreateFolders(const std::string& folder);
  // The bytes of the file at path; std::runtime_error when there is none.
  std::string Bytes(const std::string& path) const;
  void SetReadOnly(const std::string& path, bool read_only);
  // Makes path a second name of the file at target, as a link on a disk is.
  void Link(const std::string& path, const std::string& target);
  // Puts a copy of every file under the folder from on the disk into folder, by its relative
  // path.
  void CopyFromDisk(const std::filesystem::path& from, const std::string& folder);
  // Every file and folder inside folder, at any depth, by path: a file's bytes, or "<folder>".
  std::map<std::string, std::string> Snapshot(const std::string& folder) const;

 private:
  struct Entry {
    std::string path;  // as it was named
    bool is_folder = false;
    std::shared_ptr<std::string> bytes;
    bool read_only = false;
    int64_t modified = 0;
  };
  class Held;
  class Reading;
  class Writing;

  Entry* Find(const std::string& path);
  const Entry* Find(const std::string& path) const;
  Entry& FileAt(const char* action, const std::string& path);
  // Throws when the folder that is to hold path is not there.
  void NeedFolderOf(const char* action, const std::string& path) const;

  mutable std::recursive_mutex mutex_;    // guards what follows and every file's bytes
  std::map<std::string, Entry> entries_;  // by key
  std::set<std::string> locked_;          // keys
  int64_t clock_ = 0;
};

}  // namespace routix::testing
