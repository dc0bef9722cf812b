#include "support/memory_file_system.h"

#include <cerrno>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "base/conversion_error.h"
#include "base/path_utils.h"
#include "base/system_paths.h"
#include "support/temp_folder.h"

namespace routix::testing {
namespace {

using base::FileError;
using Guard = std::lock_guard<std::recursive_mutex>;

// The path as the map holds it: one separator where there are more, none at the end.
std::string Key(const std::string& path) {
  const char separator = base::kNativeSeparator;
  const char doubled[] = {separator, separator, '\0'};
  std::string key = path.find(doubled) == std::string::npos ? path : base::NormalizePath(path);
  if (key.size() > 1 && key.back() == separator) key.pop_back();
  if (base::kFileNamesIgnoreCase) {
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

std::string ParentKey(const std::string& path) { return Key(base::FolderOfPath(path)); }

}  // namespace

std::string Native(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '/') c = base::kNativeSeparator;
  }
  return native;
}

class MemoryFileSystem::Held final : public base::FileLock {
 public:
  Held(MemoryFileSystem& files, std::string key) : files_(files), key_(std::move(key)) {
    files_.locked_.insert(key_);
  }
  ~Held() override {
    const Guard guard(files_.mutex_);
    files_.locked_.erase(key_);
  }

 private:
  MemoryFileSystem& files_;
  std::string key_;
};

class MemoryFileSystem::Reading final : public base::ReadableFile {
 public:
  Reading(std::shared_ptr<std::string> bytes, std::recursive_mutex& mutex)
      : bytes_(std::move(bytes)), mutex_(mutex) {}
  uint64_t size() const override {
    const Guard guard(mutex_);
    return bytes_->size();
  }
  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    const Guard guard(mutex_);
    if (offset >= bytes_->size()) return 0;
    return bytes_->copy(static_cast<char*>(data), size, static_cast<size_t>(offset));
  }

 private:
  std::shared_ptr<std::string> bytes_;
  std::recursive_mutex& mutex_;
};

class MemoryFileSystem::Writing final : public base::WritableFile {
 public:
  Writing(std::string path, std::shared_ptr<std::string> bytes, MemoryFileSystem& files)
      : path_(std::move(path)), bytes_(std::move(bytes)), files_(files) {}
  void Append(const void* data, size_t size) override {
    const Guard guard(files_.mutex_);
    Open().append(static_cast<const char*>(data), size);
    ++files_.clock_;
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    const Guard guard(files_.mutex_);
    std::string& bytes = Open();
    if (offset + size > bytes.size()) bytes.resize(static_cast<size_t>(offset + size));
    bytes.replace(static_cast<size_t>(offset), size, static_cast<const char*>(data), size);
    ++files_.clock_;
  }
  void Sync() override { Open(); }
  void Close() override {
    Open();
    closed_ = true;
  }

 private:
  std::string& Open() {
    if (closed_) throw FileError("write", path_, "the file is closed");
    return *bytes_;
  }

  std::string path_;
  std::shared_ptr<std::string> bytes_;
  MemoryFileSystem& files_;
  bool closed_ = false;
};

MemoryFileSystem::MemoryFileSystem(const MemoryFileSystem& other) : base::FileSystem() {
  const Guard guard(other.mutex_);
  entries_ = other.entries_;
  clock_ = other.clock_;
  std::map<const std::string*, std::shared_ptr<std::string>> copies;
  for (auto& [key, entry] : entries_) {
    if (entry.bytes == nullptr) continue;
    std::shared_ptr<std::string>& copy = copies[entry.bytes.get()];
    if (copy == nullptr) copy = std::make_shared<std::string>(*entry.bytes);
    entry.bytes = copy;
  }
}

MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) {
  auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) const {
  auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

MemoryFileSystem::Entry& MemoryFileSystem::FileAt(const char* action, const std::string& path) {
  Entry* entry = Find(path);
  if (entry == nullptr) throw FileError(action, path, ENOENT);
  if (entry->is_folder) throw FileError(action, path, EISDIR);
  return *entry;
}

void MemoryFileSystem::NeedFolderOf(const char* action, const std::string& path) const {
  const std::string parent = ParentKey(path);
  if (parent.empty()) return;
  auto it = entries_.find(parent);
  if (it == entries_.end()) throw FileError(action, path, ENOENT);
  if (!it->second.is_folder) throw FileError(action, path, ENOTDIR);
}

std::unique_ptr<base::ReadableFile> MemoryFileSystem::OpenForReading(const std::string& path) {
  const Guard guard(mutex_);
  return std::make_unique<Reading>(FileAt("open", path).bytes, mutex_);
}

std::unique_ptr<base::WritableFile> MemoryFileSystem::CreateForWriting(const std::string& path) {
  const Guard guard(mutex_);
  NeedFolderOf("create", path);
  Entry* entry = Find(path);
  if (entry != nullptr && entry->is_folder) throw FileError("create", path, EISDIR);
  if (entry == nullptr) {
    entry = &entries_[Key(path)];
    entry->path = path;
    entry->bytes = std::make_shared<std::string>();
  }
  entry->bytes->clear();  // the file there, emptied, as O_TRUNC does
  entry->modified = ++clock_;
  return std::make_unique<Writing>(path, entry->bytes, *this);
}

void MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  const Guard guard(mutex_);
  Entry moved = FileAt("rename", from);
  NeedFolderOf("rename", to);
  if (const Entry* there = Find(to); there != nullptr && there->is_folder) {
    throw FileError("rename", to, EISDIR);
  }
  entries_.erase(Key(from));
  moved.path = to;
  entries_[Key(to)] = std::move(moved);
}

void MemoryFileSystem::ReplaceKeeping(const std::string& from, const std::string& to,
                                      const std::string& aside) {
  const Guard guard(mutex_);
  FileAt("rename", from);
  Entry earlier = FileAt("replace", to);
  earlier.path = aside;
  Rename(from, to);
  entries_[Key(aside)] = std::move(earlier);
}

void MemoryFileSystem::Remove(const std::string& path) {
  const Guard guard(mutex_);
  FileAt("delete", path);
  entries_.erase(Key(path));
}

std::vector<base::FolderEntry> MemoryFileSystem::ListFolder(const std::string& folder) {
  const Guard guard(mutex_);
  std::vector<base::FolderEntry> found;
  const std::string key = Key(folder);
  for (const auto& [entry_key, entry] : entries_) {
    if (ParentKey(entry.path) == key && entry_key != key) {
      found.push_back({base::FileNameOfPath(entry.path), entry.is_folder});
    }
  }
  return found;
}

std::optional<base::FileStatus> MemoryFileSystem::StatusOf(const std::string& path) {
  const Guard guard(mutex_);
  if (Key(path).empty()) return base::FileStatus{true, 0, 0, false};
  const Entry* entry = Find(path);
  if (entry == nullptr) return std::nullopt;
  return base::FileStatus{entry->is_folder, entry->is_folder ? 0 : entry->bytes->size(),
                          entry->modified, entry->read_only};
}

void MemoryFileSystem::CreateFolder(const std::string& path) {
  const Guard guard(mutex_);
  NeedFolderOf("create folder", path);
  if (Find(path) != nullptr) throw FileError("create folder", path, EEXIST);
  Entry& entry = entries_[Key(path)];
  entry.path = path;
  entry.is_folder = true;
  entry.modified = ++clock_;
}

void MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  const Guard guard(mutex_);
  const Entry source = FileAt("copy", from);
  NeedFolderOf("copy", to);
  if (const Entry* there = Find(to); there != nullptr && there->is_folder) {
    throw FileError("copy", to, EISDIR);
  }
  Entry& copy = entries_[Key(to)];
  copy = source;
  copy.path = to;
  copy.bytes = std::make_shared<std::string>(*source.bytes);
  copy.modified = ++clock_;
}

bool MemoryFileSystem::SameFile(const std::string& a, const std::string& b) {
  const Guard guard(mutex_);
  const Entry *first = Find(a), *second = Find(b);
  return first != nullptr && second != nullptr &&
         (first == second || (first->bytes != nullptr && first->bytes == second->bytes));
}

std::unique_ptr<base::FileLock> MemoryFileSystem::Lock(const std::string& path) {
  const Guard guard(mutex_);
  NeedFolderOf("create", path);
  if (locked_.contains(Key(path))) return nullptr;
  return std::make_unique<Held>(*this, Key(path));
}

void MemoryFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  CreateFolders(base::FolderOfPath(path));
  Entry& entry = entries_[Key(path)];
  entry.path = path;
  entry.is_folder = false;
  entry.bytes = std::make_shared<std::string>(bytes);
  entry.read_only = false;
  entry.modified = ++clock_;
}

void MemoryFileSystem::CreateFolders(const std::string& folder) {
  if (Key(folder).empty() || Find(folder) != nullptr) return;
  CreateFolders(base::FolderOfPath(folder));
  CreateFolder(folder);
}

std::string MemoryFileSystem::Bytes(const std::string& path) const {
  const Entry* entry = Find(path);
  if (entry == nullptr || entry->is_folder) throw std::runtime_error("no file " + path);
  return *entry->bytes;
}

void MemoryFileSystem::SetReadOnly(const std::string& path, bool read_only) {
  FileAt("mark", path).read_only = read_only;
}

void MemoryFileSystem::Link(const std::string& path, const std::string& target) {
  const Entry& file = FileAt("link", target);
  NeedFolderOf("link", path);
  Entry& link = entries_[Key(path)];
  link = file;
  link.path = path;
}

void MemoryFileSystem::CopyFromDisk(const std::filesystem::path& from, const std::string& folder) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = std::filesystem::relative(entry.path(), from).generic_string();
    WriteFile(folder + Native("/" + relative), ReadFileBytes(entry.path()));
  }
}

std::map<std::string, std::string> MemoryFileSystem::Snapshot(const std::string& folder) const {
  std::map<std::string, std::string> snapshot;
  std::string prefix = Key(folder);
  if (!prefix.empty()) prefix += base::kNativeSeparator;
  for (const auto& [key, entry] : entries_) {
    if (key.starts_with(prefix) && key != Key(folder)) {
      snapshot[entry.path] = entry.is_folder ? "<folder>" : *entry.bytes;
    }
  }
  return snapshot;
}

}  // namespace routix::testing
