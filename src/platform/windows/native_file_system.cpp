#include "platform/native_file_system.h"

#include <windows.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "base/conversion_error.h"
#include "platform/windows/wide_path.h"
#include "platform/windows/wide_text.h"

namespace routix::platform {
namespace {

using base::FileError;

// ReadFile and WriteFile move at most this many bytes a call.
constexpr DWORD kMaxCallBytes = DWORD{1} << 30;
constexpr size_t kCopyBufferBytes = size_t{1} << 20;

// The system's text for error, without its closing line break. A sharing violation says who
// holds the file: the system's "The process cannot access the file..." leaves the user to guess.
std::string SystemMessage(DWORD error) {
  if (error == ERROR_SHARING_VIOLATION) return "it is open in another program";
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message =
      length > 0 ? Narrow(std::wstring_view(text, length)) : "error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message;
}

// The FileError of the call that just failed.
FileError LastError(const char* action, const std::string& path) {
  return FileError(action, path, SystemMessage(GetLastError()));
}

// An open handle, closed when it goes.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED overlapped = {};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

// Writes all size bytes at offset.
void WriteAll(HANDLE file, const std::string& path, const void* data, size_t size,
              uint64_t offset) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD part = size < kMaxCallBytes ? static_cast<DWORD>(size) : kMaxCallBytes;
    OVERLAPPED overlapped = At(offset);
    DWORD written = 0;
    if (!WriteFile(file, bytes, part, &written, &overlapped)) throw LastError("write", path);
    bytes += written;
    size -= written;
    offset += written;
  }
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class WindowsReadableFile final : public base::ReadableFile {
 public:
  WindowsReadableFile(std::string path, HANDLE file, uint64_t size)
      : path_(std::move(path)), file_(file), size_(size) {}

  uint64_t size() const override { return size_; }

  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    char* out = static_cast<char*>(data);
    size_t done = 0;
    while (done < size) {
      const size_t left = size - done;
      const DWORD part = left < kMaxCallBytes ? static_cast<DWORD>(left) : kMaxCallBytes;
      OVERLAPPED overlapped = At(offset + done);
      DWORD read = 0;
      if (!ReadFile(file_.get(), out + done, part, &read, &overlapped)) {
        if (GetLastError() == ERROR_HANDLE_EOF) break;
        throw LastError("read", path_);
      }
      if (read == 0) break;
      done += read;
    }
    return done;
  }

 private:
  std::string path_;
  Handle file_;
  uint64_t size_;
};

class WindowsWritableFile final : public base::WritableFile {
 public:
  WindowsWritableFile(std::string path, HANDLE file) : path_(std::move(path)), file_(file) {}

  void Append(const void* data, size_t size) override {
    WriteAll(Open(), path_, data, size, end_);
    end_ += size;
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    WriteAll(Open(), path_, data, size, offset);
    if (offset + size > end_) end_ = offset + size;
  }
  void Sync() override {
    if (!FlushFileBuffers(Open())) throw LastError("write", path_);
  }
  void Close() override {
    Open();
    if (!CloseHandle(file_.release())) throw LastError("write", path_);
  }

 private:
  HANDLE Open() const {
    if (!file_.valid()) throw FileError("write", path_, "the file is closed");
    return file_.get();
  }

  std::string path_;
  Handle file_;
  uint64_t end_ = 0;
};

// Held by a handle that shares the file with nobody and removes it when it is closed, also
// when the program is killed.
class WindowsLock final : public base::FileLock {
 public:
  explicit WindowsLock(HANDLE file) : file_(file) {}

 private:
  Handle file_;
};

}  // namespace

std::unique_ptr<base::ReadableFile> NativeFileSystem::OpenForReading(const std::string& path) {
  if (IsFolder(path)) throw FileError("read", path, EISDIR);
  Handle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) throw LastError("open", path);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) throw LastError("read", path);
  return std::make_unique<WindowsReadableFile>(path, file.release(),
                                               static_cast<uint64_t>(size.QuadPart));
}

std::unique_ptr<base::WritableFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw LastError("create", path);
  return std::make_unique<WindowsWritableFile>(path, file);
}

void NativeFileSystem::Rename(const std::string& from, const std::string& to) {
  if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw LastError("rename", from + " to " + to);
  }
}

void NativeFileSystem::ReplaceKeeping(const std::string& from, const std::string& to,
                                      const std::string& aside) {
  // ReplaceFileW gives the new file the earlier one's security descriptor and attributes and
  // keeps the earlier one under the backup name.
  if (ReplaceFileW(WidePath(to).c_str(), WidePath(from).c_str(), WidePath(aside).c_str(),
                   REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                   nullptr)) {
    return;
  }
  const DWORD error = GetLastError();
  // The earlier file went to the backup name and the new one could not follow: the earlier
  // one goes back, so that nothing has changed.
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    MoveFileExW(WidePath(aside).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH);
  }
  // A volume that cannot replace (some network shares) keeps a copy aside, and the new file
  // is moved over the name.
  if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
      error == ERROR_INVALID_PARAMETER) {
    if (!CopyFileW(WidePath(to).c_str(), WidePath(aside).c_str(), TRUE)) {
      throw LastError("replace", to);
    }
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return;
    }
    const FileError failure = LastError("replace", to);
    DeleteFileW(WidePath(aside).c_str());
    throw failure;
  }
  throw FileError("replace", to, SystemMessage(error));
}

void NativeFileSystem::SyncFolder(const std::string&) {
  // Every move is written through already.
}

void NativeFileSystem::Remove(const std::string& path) {
  if (!DeleteFileW(WidePath(path).c_str())) throw LastError("delete", path);
}

std::vector<base::FolderEntry> NativeFileSystem::ListFolder(const std::string& folder) {
  std::vector<base::FolderEntry> entries;
  std::wstring pattern = WidePath(folder);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_DIRECTORY) {
      return entries;
    }
    throw FileError("read the folder", folder, SystemMessage(error));
  }
  do {
    const std::string name = Narrow(found.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES)
    throw FileError("read the folder", folder, SystemMessage(error));
  return entries;
}

std::optional<base::FileStatus> NativeFileSystem::StatusOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return base::FileStatus{
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
      (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
      static_cast<int64_t>((uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                           data.ftLastWriteTime.dwLowDateTime),
      (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0,
      (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

std::optional<base::FileStatus> NativeFileSystem::CheckedStatusOf(const std::string& path) {
  std::optional<base::FileStatus> status = StatusOf(path);
  if (status.has_value() || path.empty()) return status;
  // Nothing there, or no answer: the system's error tells which.
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data))
    return StatusOf(path);
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
      error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME) {
    return std::nullopt;
  }
  throw FileError("read", path, SystemMessage(error));
}

void NativeFileSystem::CreateFolder(const std::string& path) {
  if (!CreateDirectoryW(WidePath(path).c_str(), nullptr)) throw LastError("create folder", path);
}

void NativeFileSystem::Copy(const std::string& from, const std::string& to) {
  if (IsFolder(from)) throw FileError("read", from, EISDIR);
  Handle source(CreateFileW(WidePath(from).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source.valid()) throw LastError("open", from);
  const DWORD attributes = GetFileAttributesW(WidePath(from).c_str());
  Handle target(CreateFileW(WidePath(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target.valid()) throw LastError("create", to);
  try {
    std::vector<char> buffer(kCopyBufferBytes);
    uint64_t offset = 0;
    while (true) {
      DWORD read = 0;
      if (!ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                    nullptr)) {
        throw LastError("read", from);
      }
      if (read == 0) break;
      WriteAll(target.get(), to, buffer.data(), read, offset);
      offset += read;
    }
    if (!FlushFileBuffers(target.get())) throw LastError("write", to);
    if (!CloseHandle(target.release())) throw LastError("write", to);
    // The read-only mark goes with the bytes, as a copy in Explorer keeps it.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      SetFileAttributesW(WidePath(to).c_str(), FILE_ATTRIBUTE_READONLY);
    }
  } catch (const FileError&) {
    if (target.valid()) CloseHandle(target.release());
    DeleteFileW(WidePath(to).c_str());
    throw;
  }
}

bool NativeFileSystem::SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* paths[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    Handle file(CreateFileW(WidePath(*paths[i]).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info[i])) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

std::unique_ptr<base::FileLock> NativeFileSystem::Lock(const std::string& path) {
  // Reading and deleting is all the lock needs; the sharing refused is the lock itself.
  HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_ALWAYS,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_SHARING_VIOLATION) return nullptr;
    throw LastError("create", path);
  }
  return std::make_unique<WindowsLock>(file);
}

}  // namespace routix::platform
