// The FileSystem is the port through which the program reaches files and folders, in the
// manner of leveldb's Env: every read and write of the core goes through it, the real one
// lives in src/platform and the tests put an in-memory one, or one that fails on purpose,
// in its place. Files are read and written in large blocks, one call a block. Every
// operation that fails throws FileError naming the path and the operating system's reason;
// StatusOf and SameFile never fail and tell "not there" instead.
//
// Threads: a FileSystem, and a FileSystemService over it, may be called from several threads
// at once, as the street conversion does when it reads the exports on the calling thread
// while its writing thread writes the set; every implementation is safe for that. An open
// file (ReadableFile, WritableFile) and a FileLock belong to one thread at a time: they may
// pass to another thread only through a hand-over that orders the calls, such as a mutex or
// the start and join of that thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace routix::base {

// A file opened for reading; its size is taken when it is opened.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  virtual uint64_t size() const = 0;
  // Reads up to size bytes from offset on and gives how many there were: fewer, down to
  // none, only where the file ends.
  virtual size_t ReadAt(uint64_t offset, void* data, size_t size) = 0;
};

// A file being written. The destructor closes it without a word, so a caller that cares
// about the last write calls Close().
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Adds the bytes at the end of the file, all of them or none but a failure.
  virtual void Append(const void* data, size_t size) = 0;
  // Writes over bytes already in the file, at offset.
  virtual void WriteAt(uint64_t offset, const void* data, size_t size) = 0;
  // Hands every byte written so far to the disk itself, past the system's caches.
  virtual void Sync() = 0;
  virtual void Close() = 0;
};

// Held while it lives; destroying it lets the next holder in.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

struct FileStatus {
  bool is_folder = false;
  uint64_t size = 0;
  int64_t modified = 0;    // the time of the last change, in the ticks of the file system's clock
  bool read_only = false;  // a file that may be neither written nor deleted
  bool is_link = false;    // the name itself is a symbolic link, which a rename replaces
};

struct FolderEntry {
  std::string name;
  bool is_folder = false;
};

// The names keep clear of the Windows API's macros (CreateFile, DeleteFile, CopyFile).
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Fails on a missing file and on a folder.
  virtual std::unique_ptr<ReadableFile> OpenForReading(const std::string& path) = 0;
  // Creates the file, or empties the one that is there, for writing from its start.
  virtual std::unique_ptr<WritableFile> CreateForWriting(const std::string& path) = 0;
  // Moves the file from to the name to at once, replacing a file there (a symbolic link at
  // to is replaced, not followed).
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Moves the file from onto the name to, where a file is, as Rename does, while to's earlier
  // file stays reachable under the new name aside: a second link to it, or a copy where the
  // volume has no links (on Windows ReplaceFileW's backup). The moved file takes the earlier
  // file's rights: its mode and, where the user may set it, its owner and group; on Windows
  // its security descriptor and attributes. Fails without a change, aside included.
  virtual void ReplaceKeeping(const std::string& from, const std::string& to,
                              const std::string& aside) = 0;
  // Makes the names that renames gave in folder last through a crash, where the system
  // needs telling; never fails, since a file system that cannot do it keeps them anyway.
  virtual void SyncFolder(const std::string& folder) = 0;
  // Deletes the file.
  virtual void Remove(const std::string& path) = 0;
  // The entries of folder, "." and ".." aside, in no set order; none for a folder that is
  // not there. A symbolic link counts as what it leads to.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) = 0;
  // What path leads to, following symbolic links; nothing when there is nothing.
  virtual std::optional<FileStatus> StatusOf(const std::string& path) = 0;
  // The same, but a failure of the system to tell (a read error, no right to look) throws
  // FileError instead of saying "not there".
  virtual std::optional<FileStatus> CheckedStatusOf(const std::string& path) = 0;
  virtual void CreateFolder(const std::string& path) = 0;
  // Copies the bytes of the file from, with its rights to run and to write, to the new file
  // to, flushed to the disk.
  virtual void Copy(const std::string& from, const std::string& to) = 0;
  // Whether the two paths lead to one file, through links or another spelling of the name.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // An advisory lock on the file at path, or nullptr while another holder, in this process or
  // another, has it. The file is opened for reading only, so that whoever may read it may
  // hold it; it is created readable to all when missing (and then removed again when the
  // lock cannot be taken), and removed once released.
  virtual std::unique_ptr<FileLock> Lock(const std::string& path) = 0;
};

}  // namespace routix::base
