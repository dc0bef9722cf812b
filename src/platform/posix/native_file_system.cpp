#include "platform/native_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "base/conversion_error.h"

namespace routix::platform {
namespace {

using base::FileError;

static_assert(sizeof(off_t) >= sizeof(int64_t), "file offsets need 64 bits");

constexpr size_t kCopyBufferBytes = size_t{1} << 20;

// An open file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Writes all size bytes, at offset, or at the file's position for a negative offset.
void WriteAll(int fd, const std::string& path, const void* data, size_t size, int64_t offset) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written =
        offset < 0 ? write(fd, bytes, size) : pwrite(fd, bytes, size, static_cast<off_t>(offset));
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileError("write", path, errno);
    }
    bytes += written;
    size -= static_cast<size_t>(written);
    if (offset >= 0) offset += written;
  }
}

class PosixReadableFile final : public base::ReadableFile {
 public:
  PosixReadableFile(std::string path, int fd, uint64_t size)
      : path_(std::move(path)), fd_(fd), size_(size) {}

  uint64_t size() const override { return size_; }

  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    char* out = static_cast<char*>(data);
    size_t done = 0;
    while (done < size) {
      const ssize_t read =
          pread(fd_.get(), out + done, size - done, static_cast<off_t>(offset + done));
      if (read < 0) {
        if (errno == EINTR) continue;
        throw FileError("read", path_, errno);
      }
      if (read == 0) break;
      done += static_cast<size_t>(read);
    }
    return done;
  }

 private:
  std::string path_;
  Descriptor fd_;
  uint64_t size_;
};

class PosixWritableFile final : public base::WritableFile {
 public:
  PosixWritableFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

  void Append(const void* data, size_t size) override { WriteAll(Open(), path_, data, size, -1); }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    WriteAll(Open(), path_, data, size, static_cast<int64_t>(offset));
  }
  void Sync() override {
    if (fsync(Open()) != 0) throw FileError("write", path_, errno);
  }
  void Close() override {
    Open();
    // Linux closes the descriptor whatever close() says, so it is never closed twice.
    if (close(fd_.release()) != 0 && errno != EINTR) throw FileError("write", path_, errno);
  }

 private:
  int Open() const {
    if (fd_.get() < 0) throw FileError("write", path_, "the file is closed");
    return fd_.get();
  }

  std::string path_;
  Descriptor fd_;
};

class PosixLock final : public base::FileLock {
 public:
  PosixLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  // The file goes before the lock: whoever opens the name next makes a new file, whose lock
  // is free, while a run that opened this one before it went sees that it is gone.
  ~PosixLock() override { unlink(path_.c_str()); }

 private:
  std::string path_;
  Descriptor fd_;
};

}  // namespace

std::unique_ptr<base::ReadableFile> NativeFileSystem::OpenForReading(const std::string& path) {
  Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw FileError("open", path, errno);
  struct stat status;
  if (fstat(fd.get(), &status) != 0) throw FileError("read", path, errno);
  if (S_ISDIR(status.st_mode)) throw FileError("read", path, EISDIR);
  return std::make_unique<PosixReadableFile>(path, fd.release(),
                                             static_cast<uint64_t>(status.st_size));
}

std::unique_ptr<base::WritableFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw FileError("create", path, errno);
  return std::make_unique<PosixWritableFile>(path, fd);
}

void NativeFileSystem::Rename(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) throw FileError("rename", from + " to " + to, errno);
}

void NativeFileSystem::ReplaceKeeping(const std::string& from, const std::string& to,
                                      const std::string& aside) {
  struct stat earlier;
  if (lstat(to.c_str(), &earlier) != 0) throw FileError("replace", to, errno);
  // A link in the way is replaced by a file with the rights every new file gets.
  if (S_ISREG(earlier.st_mode)) {
    // The owner changes only for root, the group only for its members; the rest keep their own.
    if (chown(from.c_str(), earlier.st_uid, earlier.st_gid) != 0) {
      [[maybe_unused]] const int ignored =
          chown(from.c_str(), static_cast<uid_t>(-1), earlier.st_gid);
    }
    // A file system without modes (FAT) refuses, and has none to keep.
    [[maybe_unused]] const int ignored = chmod(from.c_str(), earlier.st_mode & 0777);
  }
  if (link(to.c_str(), aside.c_str()) != 0) {
    // FAT and some network shares have no second names: the earlier file is copied instead.
    const int error = errno;
    if (error != EPERM && error != EXDEV && error != EMLINK && error != ENOTSUP &&
        error != EOPNOTSUPP && error != ENOSYS) {
      throw FileError("replace", to, error);
    }
    Copy(to, aside);
  }
  if (rename(from.c_str(), to.c_str()) != 0) {
    const int error = errno;
    unlink(aside.c_str());
    throw FileError("rename", from + " to " + to, error);
  }
}

void NativeFileSystem::SyncFolder(const std::string& folder) {
  // Some file systems cannot flush a folder; the names stand there all the same.
  Descriptor fd(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) fsync(fd.get());
}

void NativeFileSystem::Remove(const std::string& path) {
  if (unlink(path.c_str()) != 0) throw FileError("delete", path, errno);
}

std::vector<base::FolderEntry> NativeFileSystem::ListFolder(const std::string& folder) {
  std::vector<base::FolderEntry> entries;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    if (errno == ENOENT || errno == ENOTDIR) return entries;
    throw FileError("read the folder", folder, errno);
  }
  while (true) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat status;
    if (fstatat(dirfd(dir), entry->d_name, &status, 0) != 0) continue;  // a dangling link
    if (S_ISDIR(status.st_mode) || S_ISREG(status.st_mode)) {
      entries.push_back({name, S_ISDIR(status.st_mode)});
    }
  }
  const int error = errno;
  closedir(dir);
  if (error != 0) throw FileError("read the folder", folder, error);
  return entries;
}

std::optional<base::FileStatus> NativeFileSystem::StatusOf(const std::string& path) {
  try {
    return CheckedStatusOf(path);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

std::optional<base::FileStatus> NativeFileSystem::CheckedStatusOf(const std::string& path) {
  struct stat status;
  if (path.empty()) return std::nullopt;
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw FileError("read", path, errno);
  }
  struct stat name;
  return base::FileStatus{
      S_ISDIR(status.st_mode), static_cast<uint64_t>(status.st_size),
      static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
      (status.st_mode & S_IWUSR) == 0, lstat(path.c_str(), &name) == 0 && S_ISLNK(name.st_mode)};
}

void NativeFileSystem::CreateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0777) != 0) throw FileError("create folder", path, errno);
}

void NativeFileSystem::Copy(const std::string& from, const std::string& to) {
  Descriptor source(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.get() < 0) throw FileError("open", from, errno);
  struct stat status;
  if (fstat(source.get(), &status) != 0) throw FileError("read", from, errno);
  if (S_ISDIR(status.st_mode)) throw FileError("read", from, EISDIR);
  Descriptor target(open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (target.get() < 0) throw FileError("create", to, errno);
  try {
    // The rights to run and to write go with the bytes, as a copy in a file manager keeps them.
    if (fchmod(target.get(), status.st_mode & 0777) != 0) throw FileError("create", to, errno);
    std::vector<char> buffer(kCopyBufferBytes);
    while (true) {
      const ssize_t read = ::read(source.get(), buffer.data(), buffer.size());
      if (read < 0) {
        if (errno == EINTR) continue;
        throw FileError("read", from, errno);
      }
      if (read == 0) break;
      WriteAll(target.get(), to, buffer.data(), static_cast<size_t>(read), -1);
    }
    if (fsync(target.get()) != 0) throw FileError("write", to, errno);
    if (close(target.release()) != 0 && errno != EINTR) throw FileError("write", to, errno);
  } catch (const FileError&) {
    unlink(to.c_str());
    throw;
  }
}

bool NativeFileSystem::SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::unique_ptr<base::FileLock> NativeFileSystem::Lock(const std::string& path) {
  while (true) {
    // Read-only: flock needs no more, so a lock file another user left is no obstacle.
    bool created = false;
    int opened = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (opened < 0 && errno == ENOENT) {
      opened = open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (opened < 0 && errno == EEXIST) continue;
      created = opened >= 0;
      // Readable to every user of the folder whatever the umask, so each of them may lock it.
      if (created) fchmod(opened, 0644);
    }
    if (opened < 0) throw FileError("create", path, errno);
    Descriptor fd(opened);
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) return nullptr;
      // A file this call made for a lock it could not take goes again.
      const int error = errno;
      if (created) unlink(path.c_str());
      throw FileError("lock", path, error);
    }
    // The holder before may have removed the file between the open and the lock: then the
    // lock is on a file that has no name any more, and the name is tried afresh.
    struct stat held, named;
    if (fstat(fd.get(), &held) == 0 && stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      return std::make_unique<PosixLock>(path, fd.release());
    }
  }
}

}  // namespace routix::platform
