#include "support/memory_file_system.h"

#include <algorithm>
#include <cerrno>
#include <functional>
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
  const char doubled[] = {base::kNativeSeparator, base::kNativeSeparator, '\0'};
  std::string key = path.find(doubled) == std::string::npos ? path : base::NormalizePath(path);
  if (key.size() > 1 && key.back() == base::kNativeSeparator) key.pop_back();
  if (base::kFileNamesIgnoreCase) {
    for (char& c : key) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return key;
}

std::string ParentKey(const std::string& path) { return Key(base::FolderOfPath(path)); }

// A lock that gives itself up when it ends.
class Held final : public base::FileLock {
 public:
  explicit Held(std::function<void()> release) : release_(std::move(release)) {}
  ~Held() override { release_(); }

 private:
  std::function<void()> release_;
};

}  // namespace

std::string Native(std::string_view path) {
  std::string native(path);
  std::ranges::replace(native, '/', base::kNativeSeparator);
  return native;
}

// A file opened for reading or for writing; once closed it takes no more calls.
class MemoryFileSystem::OpenFile final : public base::ReadableFile, public base::WritableFile {
 public:
  OpenFile(std::string path, std::shared_ptr<std::string> bytes, MemoryFileSystem& files)
      : path_(std::move(path)), bytes_(std::move(bytes)), files_(files) {}
  uint64_t size() const override {
    const Guard guard(files_.mutex_);
    return bytes_->size();
  }
  size_t ReadAt(uint64_t offset, void* data, size_t size) override {
    const Guard guard(files_.mutex_);
    if (offset >= bytes_->size()) return 0;
    return bytes_->copy(static_cast<char*>(data), size, static_cast<size_t>(offset));
  }
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

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) const {
  auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

MemoryFileSystem::Entry& MemoryFileSystem::FileAt(const char* action, const std::string& path) {
  const Entry* entry = Find(path);
  if (entry == nullptr) throw FileError(action, path, ENOENT);
  if (entry->is_folder) throw FileError(action, path, EISDIR);
  return const_cast<Entry&>(*entry);
}

void MemoryFileSystem::NeedFolderOf(const char* action, const std::string& path) const {
  const std::string parent = ParentKey(path);
  if (parent.empty()) return;
  auto it = entries_.find(parent);
  if (it == entries_.end()) throw FileError(action, path, ENOENT);
  if (!it->second.is_folder) throw FileError(action, path, ENOTDIR);
  if (const Entry* there = Find(path); there != nullptr && there->is_folder) {
    throw FileError(action, path, EISDIR);
  }
}

std::unique_ptr<base::ReadableFile> MemoryFileSystem::OpenForReading(const std::string& path) {
  const Guard guard(mutex_);
  return std::make_unique<OpenFile>(path, FileAt("open", path).bytes, *this);
}

std::unique_ptr<base::WritableFile> MemoryFileSystem::CreateForWriting(const std::string& path) {
  const Guard guard(mutex_);
  NeedFolderOf("create", path);
  Entry& entry = entries_[Key(path)];
  if (entry.bytes == nullptr) entry = {path, false, std::make_shared<std::string>()};
  entry.bytes->clear();  // the file there, emptied, as O_TRUNC does
  entry.modified = ++clock_;
  return std::make_unique<OpenFile>(path, entry.bytes, *this);
}

void MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  const Guard guard(mutex_);
  Entry moved = FileAt("rename", from);
  NeedFolderOf("rename", to);
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
  if (Find(path) != nullptr) throw FileError("create folder", path, EEXIST);
  NeedFolderOf("create folder", path);
  entries_[Key(path)] = {path, true, nullptr, false, ++clock_};
}

void MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  const Guard guard(mutex_);
  const Entry source = FileAt("copy", from);
  NeedFolderOf("copy", to);
  entries_[Key(to)] = {to, false, std::make_shared<std::string>(*source.bytes), source.read_only,
                       ++clock_};
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
  const std::string key = Key(path);
  if (!locked_.insert(key).second) return nullptr;
  return std::make_unique<Held>([this, key] {
    const Guard released(mutex_);
    locked_.erase(key);
  });
}

void MemoryFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  CreateFolders(base::FolderOfPath(path));
  entries_[Key(path)] = {path, false, std::make_shared<std::string>(bytes), false, ++clock_};
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
    if (key.starts_with(prefix)) snapshot[entry.path] = entry.is_folder ? "<folder>" : *entry.bytes;
  }
  return snapshot;
}

}  // namespace routix::testing
