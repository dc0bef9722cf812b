#include "base/staged_files.h"

#include <cerrno>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

#include "base/conversion_error.h"
#include "base/file_system_wrapper.h"
#include "base/path_utils.h"
#include "platform/file_name_encoding.h"

namespace routix::base {
namespace {

// Runs call; a FileError it raises is said of path, with action.
template <typename Call>
void Said(const char* action, const std::string& path, Call call) {
  try {
    call();
  } catch (const FileError& error) {
    throw FileError(action, path, error.reason());
  }
}

// A file written under a temporary name: its errors name its final one, and Close() flushes
// it to the disk first.
class StagedFile final : public WritableFileWrapper {
 public:
  StagedFile(std::unique_ptr<WritableFile> file, std::string path)
      : WritableFileWrapper(std::move(file)), path_(std::move(path)) {}

  void Append(const void* data, size_t size) override {
    Said("write", path_, [&] { WritableFileWrapper::Append(data, size); });
  }
  void WriteAt(uint64_t offset, const void* data, size_t size) override {
    Said("write", path_, [&] { WritableFileWrapper::WriteAt(offset, data, size); });
  }
  void Sync() override {
    Said("write", path_, [&] { WritableFileWrapper::Sync(); });
  }
  void Close() override {
    Said("write", path_, [&] {
      WritableFileWrapper::Sync();
      WritableFileWrapper::Close();
    });
  }

 private:
  std::string path_;
};

// Two names of one file where the platform does not tell names apart by case give one key.
std::string Key(const std::string& path) {
  std::string key = path;
  if (platform::kFileNamesIgnoreCase) {
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

}  // namespace

StagedFiles::StagedFiles(const FileSystemService& files, std::vector<std::string> inputs)
    : service_(files), files_(files.file_system()), inputs_(std::move(inputs)) {}

StagedFiles::~StagedFiles() {
  if (committed_) return;
  for (const Staged& staged : staged_) {
    try {
      files_.Remove(staged.temporary);
    } catch (...) {
      // Not there, or not to be removed: nothing more can be done for it.
    }
  }
}

OutputFile StagedFiles::Create(const std::string& path) {
  CheckReplaceable(path);
  staged_.push_back({path, FreeNameBeside(path, ".tmp")});
  std::unique_ptr<WritableFile> file;
  Said("create", path, [&] { file = files_.CreateForWriting(staged_.back().temporary); });
  return OutputFile(std::make_unique<StagedFile>(std::move(file), path), path);
}

void StagedFiles::Copy(const std::string& source, const std::string& path) {
  CheckReplaceable(path);
  staged_.push_back({path, FreeNameBeside(path, ".tmp")});
  Said("copy", source + " to " + path, [&] { files_.Copy(source, staged_.back().temporary); });
}

void StagedFiles::RemoveOnCommit(const std::string& path) {
  CheckReplaceable(path);
  removals_.push_back(path);
}

void StagedFiles::RemoveFilesOfBaseOnCommit(const std::string& base) {
  for (const std::string& path : service_.FilesOfBase(base)) CheckReplaceable(path);
  removed_bases_.push_back(base);
}

void StagedFiles::Commit() {
  const std::vector<std::string> in_the_way = FilesInTheWay();
  for (const std::string& path : in_the_way) CheckReplaceable(path);
  std::vector<MovedAside> moved;
  try {
    for (const std::string& path : in_the_way) {
      std::string aside = FreeNameBeside(path, ".old");
      Said("replace", path, [&] { files_.Rename(path, aside); });
      moved.push_back({path, std::move(aside)});
    }
    size_t placed = 0;
    try {
      for (; placed < staged_.size(); ++placed) {
        const Staged& staged = staged_[placed];
        Said("replace", staged.path, [&] { files_.Rename(staged.temporary, staged.path); });
      }
    } catch (const ConversionError&) {
      while (placed-- > 0) {
        try {
          files_.Rename(staged_[placed].path, staged_[placed].temporary);
        } catch (const ConversionError&) {
          // Left where it is: the error that stopped the commit is the one to tell.
        }
      }
      throw;
    }
  } catch (const ConversionError&) {
    PutBack(moved);
    throw;
  }
  committed_ = true;
  // The new names last through a crash once their folders are on the disk.
  std::unordered_set<std::string> folders;
  for (const Staged& staged : staged_) {
    const std::string folder = FolderOfPath(staged.path);
    if (folders.insert(folder).second) files_.SyncFolder(folder);
  }

  // What was moved aside goes. A file that refuses is tried once more, since on Windows a
  // virus scanner or an indexer often holds a file it has just seen for a moment.
  std::optional<FileError> failure;
  for (const MovedAside& file : moved) {
    try {
      files_.Remove(file.aside);
    } catch (const FileError& first) {
      try {
        files_.Remove(file.aside);
      } catch (const FileError&) {
        if (!failure.has_value()) failure = first;
      }
    }
  }
  if (failure.has_value()) throw *failure;
}

void StagedFiles::CheckReplaceable(const std::string& path) const {
  const std::optional<FileStatus> status = files_.StatusOf(path);
  if (!status.has_value()) return;
  if (status->is_folder) throw FileError("replace", path, EISDIR);
  if (status->read_only) throw FileError("replace", path, "the file is read-only");
  for (const std::string& input : inputs_) {
    if (files_.SameFile(path, input)) {
      throw FileError("replace", path, "it is " + input + ", which this run reads");
    }
  }
}

std::string StagedFiles::FreeNameBeside(const std::string& path, const char* suffix) {
  const std::string folder = FolderOfPath(path);
  std::string name = "~";
  name += FileNameOfPath(path);
  name += '.';
  while (true) {
    std::string candidate = JoinPath(folder, name + std::to_string(next_number_++) + suffix);
    if (!files_.StatusOf(candidate).has_value()) return candidate;
  }
}

std::vector<std::string> StagedFiles::FilesInTheWay() const {
  std::vector<std::string> paths;
  std::unordered_set<std::string> seen;
  auto add = [&](const std::string& path) {
    if (seen.insert(Key(path)).second && files_.StatusOf(path).has_value()) paths.push_back(path);
  };
  for (const Staged& staged : staged_) add(staged.path);
  for (const std::string& path : removals_) add(path);
  for (const std::string& base : removed_bases_) {
    for (const std::string& path : service_.FilesOfBase(base)) add(path);
  }
  return paths;
}

void StagedFiles::PutBack(std::vector<MovedAside>& moved) noexcept {
  while (!moved.empty()) {
    try {
      files_.Rename(moved.back().aside, moved.back().path);
    } catch (...) {
      // Kept under its other name: the error that stopped the commit is the one to tell.
    }
    moved.pop_back();
  }
}

}  // namespace routix::base
